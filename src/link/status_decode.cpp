#include "link/status_decode.h"

#include "platform/textformat.h"
#include "recording/recording.h"

namespace {

// 1-based substring, as the header positions are counted.
QString mid(const QString &s, int from, int count)
{
    return s.mid(from - 1, count);
}

// Value of the leading hexadecimal digits of a text (0 when there is none).
int hexValue(const QString &digits)
{
    int value = 0;
    for (const QChar c : digits) {
        const char16_t u = c.toLower().unicode();
        int d = 0;
        if (u >= u'0' && u <= u'9') {
            d = u - u'0';
        } else if (u >= u'a' && u <= u'f') {
            d = u - u'a' + 10;
        } else {
            break;
        }
        value = value * 16 + d;
    }
    return value;
}

} // namespace

QString headerTimeText(const QString &received)
{
    const std::optional<QDateTime> t = textformat::parseDate(received);
    if (!t) {
        return received;
    }
    return textformat::dateText(*t, textformat::DateText::StampOneBlank);
}

double batteryVoltage(int hexValue)
{
    return hexValue * 0.003656 + 0.15;
}

QString batteryVoltageText(int hexValue)
{
    return textformat::picture(batteryVoltage(hexValue), QStringLiteral(".000"));
}

StatusHeader decodeStatusHeader(const QString &line1, const ModeTable &modes)
{
    StatusHeader h;
    h.timeOn = headerTimeText(mid(line1, 31, 14));
    h.type = mid(line1, 1, 3).toUpper();
    h.serial = mid(line1, 8, 4);
    h.mode = mid(line1, 4, 1);

    const QChar m = h.mode.isEmpty() ? QChar() : h.mode.at(0);
    const bool upper = m >= QLatin1Char('A') && m <= QLatin1Char('Z');
    const bool lower = m >= QLatin1Char('a') && m <= QLatin1Char('z');
    h.condition = upper ? QStringLiteral("Stopped") : QStringLiteral("Running");
    if (upper || lower) {
        const QString letter = h.mode.toLower();
        h.kind = isMinMaxAvg(letter) ? QStringLiteral("Min/Max/Avg ") : QStringLiteral("Average");
        const std::optional<QString> memory = modes.memory(letter);
        const std::optional<QString> minutes = modes.intervalText(letter);
        if (!memory || !minutes) {
            throw LinkError{LinkErrorNumber::kSubscriptOutOfRange, QStringLiteral("Subscript out of range")};
        }
        h.memory = *memory;
        h.interval = *minutes;
    } else {
        h.kind = QStringLiteral("FAIL; value is ");
        h.memory = (!h.mode.isEmpty() && m.unicode() == 0) ? QStringLiteral("  0  ") : h.mode;
        h.interval = QStringLiteral(" ;   invalid  ");
    }

    h.hasVbatt = mid(line1, 48, 5) == QLatin1String("Vbatt");
    if (h.hasVbatt) {
        h.voltage = batteryVoltageText(hexValue(mid(line1, 54, 3)));
    }
    return h;
}

QString statusResultText(const StatusHeader &h)
{
    const QString cr = QStringLiteral("\r");
    QString text = QStringLiteral(" Type: ") + h.type + QStringLiteral("    Serial Number ") + h.serial + cr;
    text += QStringLiteral(" Mode setting:  ") + h.mode + QStringLiteral("    ") + h.kind + QLatin1Char(' ') +
            h.memory + QStringLiteral("   ") + h.interval + QStringLiteral(" min ") + cr;
    text += QStringLiteral(" Time On: ") + h.timeOn + QStringLiteral("     Condition: ") + h.condition;
    if (h.hasVbatt) {
        text += cr + QStringLiteral("Vbatt = ") + h.voltage + QStringLiteral(" volts") + cr;
    } else {
        text += cr + cr;
    }
    return text;
}
