#include "export/expdatacsv.h"

#include "export/export_file.h"
#include "platform/dialogs.h"
#include "platform/textformat.h"
#include "power/displ_plot_pwr.h"
#include "power/power_table.h"
#include "program/program.h"

#include <QDir>
#include <QStringList>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// Values per table line and per interval of a reading table, by mode letter.
struct PerLineLayout {
    int valuesPerLine = 8;
    int width = 1;
};
PerLineLayout perLineLayout(const QString &modeLetter)
{
    const QString l = modeLetter.toLower();
    if (l == QLatin1String("b") || l == QLatin1String("e")) {
        return {6, 1};
    }
    if (l == QLatin1String("c") || l == QLatin1String("f")) {
        return {10, 1};
    }
    if (isMinMaxAvg(l) && l <= QLatin1String("l")) {
        return {6, 3};
    }
    return {8, 1};
}

// The values of a table line after its time label: fields between blanks,
// at most ten (a negative value's sign stands beside its digits).
struct LineFields {
    QStringView field[10];
    int count = 0;
};
void readFields(QStringView line, LineFields &out)
{
    out.count = 0;
    qsizetype i = 18;
    while (i < line.size() && out.count < 10) {
        while (i < line.size() && line[i] == QLatin1Char(' ')) {
            ++i;
        }
        const qsizetype from = i;
        while (i < line.size() && line[i] != QLatin1Char(' ')) {
            ++i;
        }
        if (i == from) {
            break;
        }
        out.field[out.count++] = line.mid(from, i - from);
    }
}

} // namespace

QString powerCsvText(const std::vector<float> &kw, int count, const QDateTime &start, int intervalMinutes,
                     bool high)
{
    const textformat::PictureFormat format(high ? QStringLiteral(" 0000 ") : QStringLiteral("  000.0"),
                                           textformat::SignPlace::BesideDigits);
    constexpr int kPerLine = 8;
    QString out;
    QDateTime t = start;
    for (int i = 0; i < count; i += kPerLine) {
        out += QLatin1Char(' ') + textformat::dateText(t, textformat::DateText::Stamp) + QLatin1Char(',');
        for (int k = i; k < count && k < i + kPerLine; ++k) {
            format.appendTo(out, kw[static_cast<size_t>(k)]);
            out += QStringLiteral(",  ");
        }
        out += kCrLf;
        t = t.addSecs(static_cast<qint64>(kPerLine) * intervalMinutes * 60);
    }
    return out;
}

std::optional<QString> onePerLineText(const QString &table, const QString &modeLetter, int intervalMinutes)
{
    const PerLineLayout layout = perLineLayout(modeLetter);
    const int intervalsPerLine =
        static_cast<int>(textformat::roundHalfEven(static_cast<double>(layout.valuesPerLine) / layout.width));
    QString out;
    out.reserve(table.size() * 2);
    LineFields fields;
    QString line;
    const QStringView all(table);
    qsizetype pos = 0;
    while (pos < all.size()) {
        // The lines end at carriage returns; line feeds are dropped.
        qsizetype cr = all.indexOf(QLatin1Char('\r'), pos);
        if (cr < 0) {
            cr = all.size();
        }
        line = all.mid(pos, cr - pos).toString();
        line.remove(QLatin1Char('\n'));
        pos = cr + 1;
        if (line.isEmpty() && pos >= all.size()) {
            break; // after the last line end
        }
        if (line.size() <= 17) {
            return std::nullopt;
        }
        const auto time = textformat::parseDate(line.left(18));
        if (!time) {
            return std::nullopt;
        }
        QDateTime t = *time;
        readFields(line, fields);
        bool lineEnded = false;
        for (int s = 0; s < intervalsPerLine && !lineEnded; ++s) {
            for (int f = 0; f < layout.width; ++f) {
                const int k = s * layout.width + f;
                if (k >= fields.count) {
                    out += kCrLf;
                    lineEnded = true;
                    break;
                }
                if (f == 0) {
                    textformat::appendDateText(out, t, textformat::DateText::Columns);
                    t = t.addSecs(static_cast<qint64>(intervalMinutes) * 60);
                }
                out += QLatin1Char(' ');
                out += fields.field[k];
            }
            if (!lineEnded) {
                out += kCrLf;
            }
        }
    }
    return out;
}

QString prnPath(const QString &recordingPath)
{
    return recordingPath.left(std::max<qsizetype>(recordingPath.size() - 3, 0)) + QStringLiteral("prn");
}

bool PowerTableExport(Program &p)
{
    Recording &r = p.rec;
    const auto &info = r.gInfo[powerSlot(p)];
    const QString letter = info[kColMode].text().toLower();
    bool written = false;
    if (!isFifteenMinuteAverage(letter)) {
        p.dialogs().message(QStringLiteral("only 15 min, avg mode allowed"));
    } else {
        const PowerSpan span = powerSpan(p);
        const QString csv =
            powerCsvText(p.power.power, span.count, span.start, p.modes.interval(letter).value_or(0),
                         info[kColRange].text() == QLatin1String("HIGH"));
        const QString path = QDir(exportDirectory(p)).filePath(QStringLiteral("Lotusint.csv"));
        written = writeExportFile(p, path, csv + kCrLf);
        if (!written) {
            // The power table stays shown and in force, so that the export
            // can be run again once the folder or the disk is put right.
            p.dialogs().setBusy(false);
            return false;
        }
        p.report.gTable = csv;
        p.dialogs().message(shownPath(path) + QStringLiteral(" saved OK "));
    }
    // The table must be shown again before another export.
    p.view.RichTextBox1.visible = false;
    p.view.Header1.visible = false;
    p.dialogs().setBusy(false);
    r.gOutputMode = OutputMode::Nothing;
    return written;
}

bool DataTableExport(Program &p)
{
    Recording &r = p.rec;
    if (!r.slotInUse(r.ginx)) {
        return false;
    }
    const auto &info = r.gInfo[r.ginx];
    const QString letter = info[kColMode].text();
    const QString heading = p.view.Header1.text;
    const QString recordingPath = info[kColPath].text();
    const QString path = prnPath(recordingPath);
    if (QDir::cleanPath(path) == QDir::cleanPath(recordingPath)) {
        // A recording named "*.prn" would be overwritten by its own export.
        p.dialogs().message(fileNotWrittenText(path, QStringLiteral("It is the recording itself.")));
        return false;
    }
    p.dialogs().setBusy(true);
    QString text;
    if (!p.report.gExportOnePerLine) {
        text = heading + kCrLf + p.report.gTable + kCrLf;
    } else {
        const auto body = onePerLineText(p.report.gTable, letter, p.modes.interval(letter).value_or(0));
        if (!body) {
            p.dialogs().setBusy(false);
            p.dialogs().message(QStringLiteral("Software Error #2 in Export. Line in gTable$ too short."));
            return false;
        }
        const QString header = isMinMaxAvg(letter) ? QStringLiteral("yy mm dd hh mm Avg Max Min")
                                                   : QStringLiteral("yy mm dd hh mm Reading");
        text = header + kCrLf + *body + kCrLf;
    }
    const bool written = writeExportFile(p, path, text);
    p.dialogs().setBusy(false);
    if (written) {
        r.gOutputMode = OutputMode::Nothing;
        p.dialogs().message(shownPath(path) + QStringLiteral(" saved OK"));
    }
    return written;
}
