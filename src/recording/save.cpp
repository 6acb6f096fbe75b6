#include "recording/save.h"

#include "platform/dialogs.h"
#include "platform/file_write.h"
#include "platform/settings_store.h"
#include "platform/textformat.h"
#include "program/menu_items.h"
#include "program/program.h"
#include "program/view_procs.h"
#include "recording/calc_date.h"
#include "recording/select_file.h"

#include <algorithm>

QString saveCancelledText()
{
    return QStringLiteral("     Cancelled     ");
}

QString saveErrorText()
{
    return QStringLiteral("   File save error.  Disk may be write  ") + QLatin1Char('\r') +
           QStringLiteral("  protected or full.  Correct and retry");
}

QByteArray recordingFileBytes(const QString &text)
{
    QByteArray out;
    out.reserve(text.size() + 4);
    out += '"';
    out += text.toLatin1();
    out += "\"\r\n";
    return out;
}

bool writeRecordingFile(const QString &path, const QString &text)
{
    return writeWholeFile(path, recordingFileBytes(text));
}

QString saveErrorText(const QString &path)
{
    return saveErrorText() + QLatin1Char('\r') + shownPath(path);
}

bool SaveDialogProc(Program &p)
{
    const QString dir = p.settings().get(QStringLiteral("Directory"), QStringLiteral("default"));
    const auto path = p.dialogs().saveFile(dir, QStringLiteral("data files (*.dat) | *.dat"), true);
    if (!path) {
        p.dialogs().message(saveCancelledText());
        return false;
    }
    if (!writeRecordingFile(*path, p.rec.gText)) {
        p.dialogs().message(saveErrorText(*path));
        return false;
    }
    p.menu.setEnabled(menu::kItemSave, false);
    return true;
}

namespace {

// Writes one value field at `out` and returns the number of characters.
int writeValueField(char *out, int16_t tenths, bool low)
{
    // The pictures "##0.0" and "###0" written out for tenths: the same text
    // as textformat::picture, without its general machinery (a Save As
    // formats up to 42,967 values).
    const int width = low ? 5 : 4;
    const bool negative = tenths < 0;
    const int magnitude = negative ? -static_cast<int>(tenths) : tenths;
    char digits[8];
    int d = 0;
    int whole = low ? magnitude / 10 : (magnitude + 5) / 10; // "###0": halves away from zero
    if (low) {
        digits[d++] = static_cast<char>('0' + magnitude % 10);
        digits[d++] = '.';
    }
    do {
        digits[d++] = static_cast<char>('0' + whole % 10);
        whole /= 10;
    } while (whole > 0);
    const bool zero = low ? magnitude == 0 : (magnitude + 5) / 10 == 0;
    const bool sign = negative && !zero;
    const int length = d + (sign ? 1 : 0);
    // One blank in front of a value that fills or overflows its field.
    const int pad = length >= width ? 1 : width - length;
    int n = 0;
    for (int i = 0; i < pad; ++i) {
        out[n++] = ' ';
    }
    if (sign) {
        out[n++] = '-';
    }
    while (d > 0) {
        out[n++] = digits[--d];
    }
    return n;
}

} // namespace

QString saveValueField(int16_t tenths, bool low)
{
    char buf[16];
    const int n = writeValueField(buf, tenths, low);
    return QString::fromLatin1(buf, n);
}

QString saveAsText(const Recording &r, int slot, int first, int last, const QString &headerStamp)
{
    const auto &info = r.gInfo[slot];
    QString header = info[kColHeader].text();
    if (header.size() < 44) {
        header = header.leftJustified(44, QLatin1Char(' '));
    }
    header.replace(30, 14, headerStamp);
    // A long header carries the time again at 47-60, and the reader takes it
    // from there: it must hold the new time too.
    if (header.size() > 51 && header.mid(44, 8) != QLatin1String("   Vbatt")) {
        const QString tail = header.mid(46, 14);
        header.replace(46, tail.size(), headerStamp.left(tail.size()));
    }
    const bool low = info[kColRange].text() == QLatin1String("LOW");

    const int count = std::max(last - first + 1, 0);
    QByteArray out;
    out.resize(header.size() + 16 + static_cast<qsizetype>(count) * 8 +
               static_cast<qsizetype>(count / 10) * 2);
    char *w = out.data();
    const auto put = [&w](const QByteArray &bytes) {
        std::copy(bytes.cbegin(), bytes.cend(), w);
        w += bytes.size();
    };
    put("\r\n\n\n");
    put(header.toLatin1());
    put("\r");
    if (info[kColFormat].text() == QLatin1String("T")) {
        put("T: ");
    }
    const auto &values = r.gValues[slot];
    int n = 0;
    for (int i = last; i >= first; --i) {
        if (n > 0 && n % 10 == 0) {
            *w++ = '\n';
            *w++ = '\r';
        }
        w += writeValueField(w, values[i], low);
        ++n;
    }
    *w++ = 26;
    out.truncate(w - out.data());
    return QString::fromLatin1(out);
}

bool buildSaveAsText(Program &p)
{
    Recording &r = p.rec;
    const int slot = r.ginx;
    if (!r.slotInUse(slot)) {
        return false;
    }
    const int lastIndex = std::clamp(r.gInfo[slot][kColLast].toInt(), 0, kLastValueIndex);
    int first = std::max(r.gDatastart, 0);
    int last = std::min(r.gdataend, lastIndex);
    if (first > last) {
        // No usable range of this recording: save all of it.
        first = 0;
        last = lastIndex;
    }
    r.gDatastart = first;
    r.gdataend = last;
    const QString lastStamp = calcDate(r.gInfo[slot][kColMode].text(), r.gInfo[slot][kColStart].text(), last);
    const auto stamp = textformat::parseDate(textformat::fixedLeft(lastStamp, 22));
    if (!stamp) {
        return false;
    }
    r.gText = saveAsText(r, slot, first, last, textformat::dateText(*stamp, textformat::DateText::Header));
    return true;
}

void SaveCommand(Program &p)
{
    Recording &r = p.rec;
    if (r.slotInUse(0)) {
        SelectFile(p);
        if (r.ginx < 0) {
            return; // the choice was cancelled: nothing is written
        }
        if (!buildSaveAsText(p)) {
            p.dialogs().message(saveErrorText());
            return;
        }
    }
    SaveDialogProc(p);
    HideTextViews(p);
}
