#include "instrument.h"

#include "platform/textformat.h"

#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <numbers>

using namespace textformat;

namespace {

constexpr char kCtrlZ = 26;

QString field(const QString &text, int from, int count) // 1-based positions
{
    return text.mid(from - 1, count);
}

// Load shape over a day, 0..1: night minimum, morning rise, evening peak.
double dailyShape(double hourOfDay)
{
    const double base = 0.45 + 0.25 * std::sin(2.0 * std::numbers::pi * (hourOfDay - 10.0) / 24.0);
    const double evening = 0.30 * std::exp(-std::pow(hourOfDay - 18.5, 2.0) / 4.0);
    return std::clamp(base + evening, 0.05, 1.0);
}

} // namespace

Instrument::Instrument(const SimOptions &o, const UnitType &unit)
    : family_(o.family.value_or(QLatin1String(unit.family))),
      serial_(o.serial.value_or(QStringLiteral("1234"))), mode_(o.mode.value_or(QLatin1Char('a'))),
      stopped_(o.stopped || (o.mode && o.mode->isUpper())), clock_(o.clock.value_or(QDateTime())),
      clockGiven_(o.clock.has_value()),
      battery_(o.noBattery ? QString() : o.battery.value_or(QStringLiteral("3E8"))),
      baud_(o.rate.value_or(unit.baud)), s5_(o.s5.value_or(unit.s5)),
      oldLayout_(o.oldLayout.value_or(unit.oldLayout)), lowRange_(o.lowRange), peak_(o.peak), seed_(o.seed),
      readings_(o.readings), capacity_(unit.capacity), voltage_(false), faults_(o.faults),
      blankMode_(o.blankMode.value_or(unit.number == 1 && !o.mode.has_value())), rng_(o.seed),
      perLine_(o.perLine)
{
    given_ = {o.family.has_value(), o.serial.has_value(), o.mode.has_value()};
    mode_ = mode_.toLower();
    voltage_ = family_.size() == 3 && family_.at(2).toUpper() == QLatin1Char('V');
}

int Instrument::intervalMinutes() const
{
    static const int minutes[] = {15, 5, 1};
    const int row = mode_.unicode() - 'a';
    return row >= 0 && row < 12 ? minutes[row % 3] : 15;
}

void Instrument::stopWhenFull()
{
    const bool stopMode = QStringLiteral("defjkl").contains(mode_);
    if (stopMode && values_.size() >= capacity_) {
        stopped_ = true;
    }
}

QStringList Instrument::intervalValues(int j)
{
    auto text = [this](double v) {
        v = std::max(0.0, v);
        return lowRange_ ? QString::number(v / 10.0, 'f', 1) : QString::number(std::lround(v));
    };
    const QDateTime t = clock_.addSecs(60LL * intervalMinutes() * j);
    const double hour = t.time().hour() + t.time().minute() / 60.0;
    double level = voltage_ ? peak_ * (0.98 + 0.02 * dailyShape(hour)) : peak_ * dailyShape(hour);
    level *= 1.0 + noise_(rng_);
    if (!minMaxAvg()) {
        return {text(level)};
    }
    const double spread = level * (0.05 + std::abs(noise_(rng_)));
    // Transmitted per interval as minimum, maximum, average (newest first
    // overall, so kept here reversed).
    return {text(level), text(level + spread), text(level - spread)};
}

void Instrument::generateProfile()
{
    const int perInterval = minMaxAvg() ? 3 : 1;
    const int intervals = readings_ / perInterval;
    if (!clockGiven_) {
        const QDateTime now = QDateTime::currentDateTime();
        const QDateTime minute(now.date(), QTime(now.time().hour(), now.time().minute()));
        clock_ = minute.addSecs(-60LL * intervalMinutes() * intervals);
    }
    rng_.seed(seed_);
    QStringList oldestFirst;
    for (int j = 0; j < intervals; ++j) {
        oldestFirst << intervalValues(j + 1);
    }
    std::reverse(oldestFirst.begin(), oldestFirst.end());
    values_ = oldestFirst;
    stopWhenFull();
}

void Instrument::record(std::chrono::steady_clock::time_point now, double speed)
{
    if (!recording_ || stopped_) {
        return;
    }
    const double simSeconds = std::chrono::duration<double>(now - recordingFrom_).count() * speed;
    const long intervals = static_cast<long>(simSeconds / (60.0 * intervalMinutes()));
    const bool stopMode = QStringLiteral("defjkl").contains(mode_);
    while (recordedIntervals_ < intervals && !stopped_) {
        ++recordedIntervals_;
        for (const QString &v : intervalValues(static_cast<int>(recordedIntervals_))) {
            values_.prepend(v); // newest first
        }
        if (values_.size() >= capacity_) {
            if (stopMode) {
                values_ = values_.mid(values_.size() - capacity_);
                stopped_ = true;
            } else {
                values_ = values_.mid(0, capacity_);
            }
        }
    }
}

bool Instrument::loadRecording(const QString &path, QString &error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read %1").arg(path);
        return false;
    }
    const QString text = QString::fromLatin1(f.readAll());
    static const QRegularExpression headerStart(QStringLiteral("[KMkm]"));
    const qsizetype h = text.indexOf(headerStart);
    if (h < 0) {
        error = QStringLiteral("%1 has no header line").arg(path);
        return false;
    }
    static const QRegularExpression lineEnd(QStringLiteral("[\\r\\n,]"));
    qsizetype end = text.indexOf(lineEnd, h);
    if (end < 0) {
        end = text.size();
    }
    const QString header = text.mid(h, end - h);
    // The file's identity, unless the options named it.
    if (!given_.family && header.size() >= 3) {
        family_ = field(header, 1, 3).toUpper();
    }
    if (!given_.mode && header.size() >= 4 && header.at(3) != QLatin1Char(' ')) {
        mode_ = header.at(3).toLower();
    }
    if (!given_.serial && header.size() >= 11) {
        serial_ = field(header, 8, 4);
    }
    if (!clockGiven_ && header.size() >= 44) {
        if (const auto t = parseHeaderTime(field(header, 31, 14))) {
            clock_ = *t;
            clockGiven_ = true;
        }
    }
    values_.clear();
    lineLengths_.clear();
    // The file's own lines, so that a file with a wrong number of readings
    // on a line is sent as it is.
    static const QRegularExpression lineEnds(QStringLiteral("[\\r\\n]+"));
    static const QRegularExpression separators(QStringLiteral("[ \\t,\"\\x1a]+"));
    for (const QString &line : text.mid(end).split(lineEnds, Qt::SkipEmptyParts)) {
        int count = 0;
        for (const QString &item : line.split(separators, Qt::SkipEmptyParts)) {
            if (item != QLatin1String("T:")) {
                values_ << item;
                ++count;
            }
        }
        if (count > 0) {
            lineLengths_ << count;
        }
    }
    if (!clockGiven_) {
        const int per = minMaxAvg() ? 3 : 1;
        clock_ = QDateTime::currentDateTime().addSecs(-60LL * intervalMinutes() * (values_.size() / per));
    }
    stopWhenFull();
    return true;
}

QByteArray Instrument::headerLine() const
{
    QString family = family_;
    if (faults_.wrongFamily && family.size() == 3) {
        family[1] = QLatin1Char('X');
    }
    if (faults_.lowBattery && !family.isEmpty()) {
        family[0] = family.at(0).toLower();
    }
    QString line = fixedLeft(family, 3);
    line += blankMode_ ? QLatin1Char(' ') : (stopped_ ? mode_.toUpper() : mode_);
    line += QStringLiteral("   ");
    line += fixedLeft(serial_, 4);
    line += QString(19, QLatin1Char(' '));
    line += dateText(clock_, DateText::Header);
    if (oldLayout_) {
        const int per = minMaxAvg() ? 3 : 1;
        const QDateTime newest = clock_.addSecs(60LL * intervalMinutes() * (values_.size() / per));
        line += QStringLiteral("  ") + dateText(newest, DateText::Header);
    } else if (!battery_.isEmpty()) {
        line += QStringLiteral("   Vbatt ") + battery_;
    }
    return line.toLatin1();
}

QByteArray Instrument::transmission() const
{
    QByteArray out = "\r\n" + headerLine() + "\r\n";
    if (!oldLayout_ && !faults_.noTMarker) {
        out += "T: ";
    }
    if (faults_.flood) {
        // Letters and signs, never a digit, blank or Ctrl-Z: nothing a
        // receiver could take for a reading or for the end of the data.
        static constexpr char kBad[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ!#$%&*+/<=>?@";
        std::mt19937 noise(seed_);
        std::uniform_int_distribution<int> pick(0, static_cast<int>(sizeof kBad) - 2);
        QByteArray flood(300000, ' ');
        for (char &c : flood) {
            c = kBad[pick(noise)];
        }
        return out + flood;
    }
    int line = 0;
    int inLine = 0;
    for (const QString &value : values_) {
        out += value.toLatin1() + ' ';
        int wanted = line < lineLengths_.size() ? lineLengths_.at(line) : perLine_;
        if (faults_.shortLine && line == 1) {
            wanted = std::max(1, wanted - 1);
        }
        if (++inLine < wanted) {
            continue;
        }
        if (faults_.badChars && line == 1) {
            out += 'A';
        }
        out += "\r\n";
        ++line;
        inLine = 0;
    }
    if (!faults_.noCtrlZ) {
        out += kCtrlZ;
        if (faults_.doubleCtrlZ) {
            out += kCtrlZ;
        }
    }
    return out;
}

QByteArray Instrument::initAnswer()
{
    // Ends in "T", the letter the program waits for; holds no family letter.
    return QByteArrayLiteral("\r\nINIT");
}

bool Instrument::initialize(const QByteArray &text, std::chrono::steady_clock::time_point now)
{
    static const QRegularExpression re(QStringLiteral("(\\d\\d-\\d\\d-\\d\\d \\d\\d:\\d\\d) ([a-f])([01])$"));
    const auto m = re.match(QString::fromLatin1(text).trimmed());
    if (!m.hasMatch()) {
        return false;
    }
    const auto time = parseHeaderTime(m.captured(1));
    if (!time) {
        return false;
    }
    char letter = m.captured(2).at(0).toLatin1();
    if (m.captured(3) == QLatin1String("1")) {
        letter = static_cast<char>(letter + 6);
    }
    mode_ = QLatin1Char(letter);
    clock_ = *time;
    clockGiven_ = true;
    stopped_ = false;
    values_.clear();
    recording_ = true;
    recordingFrom_ = now;
    recordedIntervals_ = 0;
    rng_.seed(seed_);
    return true;
}

QByteArray Instrument::readBack() const
{
    return "\r\n" + headerLine() + "\r\n" + QByteArray(1, kCtrlZ);
}
