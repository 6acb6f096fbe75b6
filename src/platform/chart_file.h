// What a chart shows, kept apart from its drawing, and the chart file that
// holds it.
//
// A chart file (".chd") is the text line "RDX600 chart file 1" followed by a
// JSON object with every value, legend, axis setting, time label, band, box,
// margin, flag and colour of the chart. Unset values are written as null.
#pragma once

#include "platform/chart_device.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

struct ChartBand {
    int fromPoint = 0;
    int toPoint = 0;
    ChartColor color;
    bool operator==(const ChartBand &o) const
    {
        return fromPoint == o.fromPoint && toPoint == o.toPoint && color == o.color;
    }
};

struct ChartContent {
    int points = 0;                      // points per series
    std::vector<QVector<double>> values; // one vector per series; NaN = not set
    QStringList legends;                 // one text per series
    QString valueTitle;
    double valueMin = 0;
    double valueMax = 10;
    ChartFont labelFont{QStringLiteral("arial"), 8, false, {}};
    int labelStep = 1;
    std::map<int, QString> labels; // time label j -> text, drawn at point j * labelStep
    std::vector<ChartBand> bands;
    std::vector<ChartBox> boxes;
    int marginTop = 20;     // first margin, chart units
    int marginBottom = 110; // second margin, chart units
    uint32_t typeFlags = 0;
    uint32_t styleFlags = 0;
    ChartColor background{255, 255, 255};
    ChartColor toolbarColor{210, 210, 210};
};

// The largest margin, in chart units: half the chart's height of 450 units.
inline constexpr int kMaxChartMargin = 225;

// The first line of every chart file.
inline constexpr char kChartFileMagic[] = "RDX600 chart file 1";

// Limits of what a chart file may hold; larger claims are refused before
// anything is allocated.
inline constexpr int kChartFileMaxSeries = 16;
inline constexpr int kChartFileMaxPoints = 1'000'000;

QByteArray chartFileBytes(const ChartContent &content);
// The content of a chart file; nullopt for anything that is not a complete,
// consistent chart file.
std::optional<ChartContent> parseChartFile(const QByteArray &bytes);
