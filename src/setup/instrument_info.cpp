#include "setup/instrument_info.h"

#include "platform/textformat.h"
#include "program/menu_items.h"
#include "program/program.h"

using textformat::DateText;
using textformat::fixedLeft;

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString titleLine()
{
    return QStringLiteral("                 Instrument Information from download                 ");
}

QString rememberLine()
{
    return QStringLiteral("                  REMEMBER TO SAVE THIS DOWNLOAD TO A FILE               ");
}

// Lines 2 and 3: type and serial, then mode, kind, memory and interval.
QString typeAndModeLines(const InstrumentHeaderInfo &info)
{
    const QString kind = isMinMaxAvg(info.mode) ? QStringLiteral("Min/Max/Avg ") : QStringLiteral("Average");
    return QStringLiteral("Type: ") + fixedLeft(info.type, 29) + QStringLiteral("Ser. ") + info.serial +
           kCrLf + QStringLiteral("Mode:  ") + info.mode + QStringLiteral("    ") + fixedLeft(kind, 15) +
           fixedLeft(info.memory, 15) + info.intervalText + QStringLiteral(" min interval");
}

void showInLabel1(Program &p, const InstrumentHeaderInfo &info, const QString &text)
{
    p.rec.gModeLetter = info.mode;
    p.view.Label1.text = text;
    p.menu.setEnabled(menu::kItemSave, true);
    p.view.Label1.visible = true;
    // The label is read while the message that follows is open: show it now.
    p.sync();
}

} // namespace

std::optional<InstrumentHeaderInfo> readInstrumentHeader(const QString &text, const ModeTable &modes)
{
    qsizetype at = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('K') || text.at(i) == QLatin1Char('M')) {
            at = i;
            break;
        }
    }
    if (at < 0) {
        return std::nullopt;
    }
    const QString header = text.mid(at, 62);
    InstrumentHeaderInfo info;
    info.type = header.left(3);
    info.mode = header.mid(3, 1).toLower();
    if (info.mode == QLatin1String(" ")) {
        info.mode = QStringLiteral("a");
    }
    const auto interval = modes.interval(info.mode);
    const auto memory = modes.memory(info.mode);
    if (!interval || !memory) {
        return std::nullopt;
    }
    info.interval = *interval;
    info.intervalText = modes.intervalText(info.mode).value_or(QString());
    info.memory = *memory;
    info.serial = header.mid(7, 4);
    const QString time = header.mid(30, 14);
    info.when = textformat::parseDate(time);
    info.time = info.when ? textformat::dateText(*info.when, DateText::Stamp) : time.trimmed();
    return info;
}

QString showinfoText(const InstrumentHeaderInfo &info)
{
    return titleLine() + kCrLf + typeAndModeLines(info) + kCrLf +
           QStringLiteral("           Downloaded or stopped at:  ") + info.time + QStringLiteral("        ") +
           kCrLf + rememberLine();
}

QString recoveredReadingsText(const QString &start, const InstrumentHeaderInfo &info, int32_t capacity)
{
    const auto from = textformat::parseDate(start);
    if (!from || !info.when) {
        return {};
    }
    const qint64 wholeMinutes = from->secsTo(*info.when) / 60;
    auto minutes = static_cast<double>(wholeMinutes);
    if (isMinMaxAvg(info.mode)) {
        minutes *= 3;
    }
    // Mode "m" has no interval: no number of readings is below the capacity.
    const double readings = info.interval > 0 ? minutes / info.interval : static_cast<double>(capacity) + 1;
    return readings > capacity ? QString::number(capacity) : textformat::numberText(readings);
}

QString showinfodbText(const InstrumentHeaderInfo &info, const QString &start, int32_t capacity)
{
    return titleLine() + kCrLf + typeAndModeLines(info) + kCrLf + QStringLiteral("Start Time ") + start +
           QStringLiteral("  Downloaded (stopped):  ") + info.time + QStringLiteral("  Readings: ") +
           recoveredReadingsText(start, info, capacity) + QStringLiteral("  ") + kCrLf + rememberLine();
}

void Showinfo(Program &p)
{
    const auto info = readInstrumentHeader(p.rec.gText, p.modes);
    if (info) {
        showInLabel1(p, *info, showinfoText(*info));
    }
}

void Showinfodb(Program &p)
{
    const auto info = readInstrumentHeader(p.rec.gText, p.modes);
    if (info) {
        showInLabel1(p, *info,
                     showinfodbText(*info, p.rec.gInfo[0][kColStart].text(), p.link.gSampleCapacity));
    }
}
