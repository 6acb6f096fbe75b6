#include "survey/survey_calc.h"

#include "platform/textformat.h"

#include <algorithm>

namespace survey {

namespace {

const QString kCRLF = QStringLiteral("\r\n");
const QChar kTab = QLatin1Char('\t');

QString wideTime(const QString &stamp)
{
    const auto t = textformat::parseDate(stamp);
    return t ? textformat::dateText(*t, textformat::DateText::StampWide) : QString();
}

} // namespace

int scanEnd(int32_t sampleCapacity)
{
    return std::clamp<int32_t>(sampleCapacity, 0, kLastValueIndex);
}

FeederResult feederPeaks(const FeederValues &values, int last)
{
    FeederResult r;
    last = std::clamp(last, 0, kLastValueIndex);
    for (int p = 0; p < kPhases; ++p) {
        const PhaseValues &v = values[p];
        int16_t peak = 0;
        int index = 0;
        for (int i = 0; i <= last; ++i) {
            if (v[i] > peak) {
                peak = v[i];
                index = i;
            }
        }
        r.peakIndex[p] = index;
        r.sum[p] = 0;
        for (int q = 0; q < kPhases; ++q) {
            r.amps[p][q] = values[q][index];
            r.sum[p] += values[q][index];
        }
    }
    return r;
}

StationPeak stationPeak(const std::vector<FeederValues> &values, const std::vector<int> &feeders, int last)
{
    StationPeak s;
    s.feeders = feeders;
    last = std::clamp(last, 0, kLastValueIndex);
    for (int i = 0; i <= last; ++i) {
        int32_t total = 0;
        for (const int f : feeders) {
            const FeederValues &v = values[f];
            total += int32_t{v[0][i]} + v[1][i] + v[2][i];
        }
        if (total > s.total) {
            s.total = total;
            s.index = i;
        }
    }
    for (const int f : feeders) {
        const FeederValues &v = values[f];
        s.amps.push_back({v[0][s.index], v[1][s.index], v[2][s.index]});
    }
    return s;
}

QString feederResultText(const FeederResult &result)
{
    static const std::array<QString, kPhases> names = {
        QStringLiteral("RED           "), QStringLiteral("WHITE       "), QStringLiteral("BLUE         ")};
    QString t = QString(3, kTab) + QStringLiteral("Amps          Peak Time;  Date") + kCRLF;
    for (int p = 0; p < kPhases; ++p) {
        t += names[p] + kTab + kTab + textformat::picture(result.amps[p][p], QStringLiteral("0000")) +
             QStringLiteral("           ") + wideTime(result.peakTime[p]) + kCRLF;
    }
    return t;
}

QString stationText(const StationPeak &peak, const QString &peakTime,
                    const std::array<QString, kFeeders> &feederNames)
{
    const auto time = textformat::parseDate(peakTime);
    QString t = QStringLiteral("                      Peak Time         Peak Date") + kCRLF;
    t += (time ? textformat::dateText(*time, textformat::DateText::StationPeak) : QString()) + kCRLF;
    t += kCRLF;
    t += kTab + QStringLiteral(" RED          WHITE      BLUE  ") + kCRLF;
    const QString pic = QStringLiteral(" 0000");
    for (size_t k = 0; k < peak.feeders.size(); ++k) {
        const int f = peak.feeders[k];
        const auto &a = peak.amps[k];
        t += kTab + textformat::picture(a[0], pic) + QStringLiteral("          ") +
             textformat::picture(a[1], pic) + QStringLiteral("        ") + textformat::picture(a[2], pic) +
             kTab + QStringLiteral("   F") + QString::number(f + 1) + QStringLiteral(":  ") + feederNames[f] +
             kCRLF;
    }
    return t;
}

QString feederHeading()
{
    return QStringLiteral("FEEDER AMPS DURING FEEDER PEAK (NON-COINCIDENTAL)  ");
}

QString feederLabel(int feeder, const QString &name)
{
    return QStringLiteral("  F") + QString::number(feeder + 1) + QStringLiteral(": ") + name;
}

} // namespace survey
