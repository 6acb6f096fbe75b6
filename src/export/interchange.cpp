#include "export/interchange.h"

#include "export/export_file.h"
#include "platform/dialogs.h"
#include "platform/textformat.h"
#include "power/displ_plot_pwr.h"
#include "power/power_table.h"
#include "program/menu_items.h"
#include "program/program.h"

#include <QDir>
#include <algorithm>
#include <cmath>

namespace {

const QString kLineEnd = QString(157, QLatin1Char(' ')) + QStringLiteral("\r\n");
constexpr int kQuarterHours = 4;
constexpr int kDayValues = 96;

// A whole number right-aligned in ten characters (the sign kept).
QString numberField(double v)
{
    return textformat::fixedRight(QString::number(static_cast<qint64>(std::round(v))), 10);
}

QString headerLine()
{
    return QStringLiteral(
               "\"RECORDER ID\",\" DATE\",\" HOUR\",\" IN\",\" UN\",\"     KW\",\"   KVAR\",\"       \","
               "\"       \"") +
           kLineEnd;
}

} // namespace

QDateTime quarterHourAligned(const QDateTime &t)
{
    const int minutes = t.time().minute();
    if (minutes % 15 == 0) {
        return t;
    }
    return t.addSecs(static_cast<qint64>(15 - minutes % 15) * 60);
}

QString interchangeText(const InterchangeInput &in)
{
    QString id = in.recorderId;
    id.replace(QLatin1Char('"'), QLatin1Char('\'')); // the ID stands between quotes
    id = textformat::fixedLeft(id, 14);
    const double pf = in.powerFactor == 0.0F ? 1.0 : in.powerFactor;
    const double kvarFactor = std::sqrt(std::max(0.0, 1.0 - pf * pf));
    const int n = static_cast<int>(in.kw.size()) - 1; // last index of the span
    const auto stamp = [&](int i) { return in.start.addSecs(static_cast<qint64>(i) * 15 * 60); };

    QString out = headerLine();
    // Room for a record an hour.
    out.reserve(out.size() * (static_cast<qsizetype>(in.kw.size()) / kQuarterHours + 2));
    const QString zeroFields = numberField(0) + QLatin1Char(',') + numberField(0);
    int i = 0;
    while (i <= n && stamp(i).time() != QTime(0, 0)) {
        ++i;
    }
    QDateTime hour = stamp(i).addSecs(3600);
    // One record per complete hour.
    while (i + kQuarterHours - 1 <= n) {
        float sum = 0;
        for (int q = 0; q < kQuarterHours; ++q) {
            sum += in.kw[static_cast<size_t>(i) + static_cast<size_t>(q)];
        }
        const double kw = sum / 4.0F;
        const double kvar = kw / pf * kvarFactor;
        i += kQuarterHours;
        QDate date = hour.date();
        QString hhmm = textformat::dateText(hour, textformat::DateText::Hhmm);
        bool last = false;
        if (hhmm == QLatin1String("0000")) {
            hhmm = QStringLiteral("2400");
            date = date.addDays(-1);
            last = n - i < kDayValues;
        }
        const QDateTime day(date, QTime(0, 0), Qt::UTC);
        out += QLatin1Char('"');
        out += id;
        out += QLatin1String("\",");
        out += textformat::dateText(day, textformat::DateText::Yymmdd);
        out += QLatin1Char(',');
        out += hhmm;
        out += QLatin1String(",60,\"   KW\",");
        out += numberField(kw);
        out += QLatin1Char(',');
        out += numberField(kvar);
        out += QLatin1Char(',');
        out += zeroFields;
        out += kLineEnd;
        hour = hour.addSecs(3600);
        if (last) {
            break;
        }
    }
    return out;
}

bool InterchangeExport(Program &p)
{
    Recording &r = p.rec;
    const int slot = powerSlot(p);
    const auto &info = r.gInfo[slot];
    bool written = false;
    if (!isFifteenMinuteAverage(info[kColMode].text())) {
        p.dialogs().message(QStringLiteral("            NOT A VALID MODE    ") + QLatin1Char('\r') +
                            QStringLiteral("   INTERVAL MUST BE 15 MINUTES    ") + QStringLiteral("\r\r"));
        p.dialogs().setBusy(false);
    } else {
        float &pf = p.power.gPowerFactor;
        if (pf == 0.0F) {
            pf = 1.0F;
        }
        const QString cr = QStringLiteral("\r");
        QString id = p.dialogs().inputBox(
            QStringLiteral("Enter Recorder ID") + cr + QStringLiteral("No More Than 14 Characters") + cr +
                cr + QStringLiteral("Power Factor In Use ") + textformat::numberText(pf) +
                QStringLiteral("; Use OPTIONS to Alter ") + cr,
            QString(), QString());
        if (id.isEmpty()) {
            id = QStringLiteral(" N/A ");
        }
        const PowerSpan span = powerSpan(p);
        InterchangeInput in;
        in.kw.assign(p.power.power.begin(), p.power.power.begin() + span.count);
        // The time stamps fall on quarter hours: the start moves forward to the next one.
        const auto start = textformat::parseDate(info[kColStart].text());
        in.start = quarterHourAligned(start.value_or(QDateTime()))
                       .addSecs(static_cast<qint64>(span.first) * 15 * 60);
        in.powerFactor = pf;
        in.recorderId = id;
        const QString path = QDir(exportDirectory(p)).filePath(QStringLiteral("Lotusint.prn"));
        written = writeExportFile(p, path, interchangeText(in) + QStringLiteral("\r\n"));
        if (!written) {
            // Not a use of the item: it stays enabled for another try once
            // the folder or the disk is put right.
            return false;
        }
        p.dialogs().message(shownPath(path) + QStringLiteral("  saved OK  "));
        r.gOutputMode = OutputMode::Nothing;
    }
    p.menu.setEnabled(menu::kItemexprep, false);
    return written;
}
