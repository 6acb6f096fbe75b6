#include "recording/save.h"

#include "platform/dialogs.h"
#include "platform/settings_store.h"
#include "platform/textformat.h"
#include "recording/calc_date.h"
#include "recording/select_file.h"
#include "shell/program.h"
#include "shell/view_procs.h"

#include <QSaveFile>
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
    if (path.isEmpty()) {
        return false;
    }
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        return false;
    }
    const QByteArray bytes = recordingFileBytes(text);
    if (f.write(bytes) != bytes.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
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
        p.dialogs().message(saveErrorText());
        return false;
    }
    p.menu.setEnabled(QStringLiteral("mnuItemSave"), false);
    return true;
}

namespace {

// The field of one value, newest first, in tenths of the unit.
void appendValue(QString &out, int16_t tenths, bool low)
{
    const double v = tenths / 10.0;
    const int width = low ? 5 : 4;
    const QString text = textformat::picture(v, low ? QStringLiteral("##0.0") : QStringLiteral("###0"));
    if (text.size() >= width) {
        out += QLatin1Char(' ');
        out += text;
    } else {
        out += QString(width - text.size(), QLatin1Char(' '));
        out += text;
    }
}

}  // namespace

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

    QString out;
    out.reserve(header.size() + 16 + (last - first + 1) * 7);
    out += QStringLiteral("\r\n\n\n");
    out += header;
    out += QLatin1Char('\r');
    if (info[kColFormat].text() == QLatin1String("T")) {
        out += QStringLiteral("T: ");
    }
    int n = 0;
    for (int i = last; i >= first; --i) {
        if (n > 0 && n % 10 == 0) {
            out += QStringLiteral("\n\r");
        }
        appendValue(out, r.gValues[slot][i], low);
        ++n;
    }
    out += QChar(26);
    return out;
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
    r.gDateX = last;
    CalcDate(p);
    const auto stamp = textformat::parseDate(textformat::fixedLeft(r.gText, 22));
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
            return;  // the choice was cancelled: nothing is written
        }
        if (!buildSaveAsText(p)) {
            p.dialogs().message(saveErrorText());
            return;
        }
    }
    SaveDialogProc(p);
    HideTextViews(p);
}
