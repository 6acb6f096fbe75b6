// The recording plot: draws the open recordings of the model into the
// recording chart, with the pending zoom, the marked area, the value-axis
// scale, the time-axis labels and the caption, site and selection boxes.
#pragma once

#include "platform/chart_device.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>

class Program;

// Draws the recording chart from the program state (see the .cpp for the
// order of the steps). Shows the chart unless it is redrawn for printing.
void DisplPlot(Program &p);

// The power plot when the power view is on, otherwise the recording plot.
void redrawChart(Program &p);
// The power plot when the power plot is shown, otherwise the recording plot.
void redrawShownChart(Program &p);

// The display-selection window ("display Selection"): asks which part of
// the min/max/avg intervals to plot when several such recordings are open.
class DisplaySelView {
public:
    virtual ~DisplaySelView() = default;
    // Shows the window modally; "Proceed" calls DisplaySelProceed.
    virtual void showModal() = 0;
};
// "Proceed": 1 average, 3 minimum, 2 maximum (tested in that order, the last
// one set wins); nothing set leaves gDisplaySel as it was.
void DisplaySelProceed(Program &p, bool average, bool maximum, bool minimum);

namespace plot {

// Value indices of one drawing and the number of chart points.
struct Range {
    int32_t start = 0; // gDatastart
    int32_t end = 0;   // gdataend
    int32_t count = 0; // points drawn: count + 1 (average) or count (min/max/avg)
};

// The range of an average recording, with a pending zoom into chart points
// selStart..selEnd applied when `zoom` is set.
Range averageRange(int32_t start, int32_t end, bool zoom, int32_t selStart, int32_t selEnd);
// The same for a min/max/avg recording (three values an interval); the end
// of a zoomed range is kept at most at the last value index.
Range minMaxAvgRange(int32_t start, int32_t end, bool zoom, int32_t selStart, int32_t selEnd);

// Value-axis limits from the largest and smallest stored value (tenths).
struct AxisLimits {
    double min = 0;
    double max = 0;
};
AxisLimits valueAxisLimits(int32_t maxTenths, int32_t minTenths);

// Time-axis label spacing: count / 8 rounded half to even, at least 1.
int labelStep(int32_t count);
// Nine labels "MMM dd hh:mm" from `start`, `step` points of `interval` minutes apart.
QStringList timeLabels(const QDateTime &start, int step, int intervalMinutes);

// Value-axis title from the units letter.
QString unitsTitle(const QString &unitsLetter);
// File name of a path: the text after the last "\" (or "/").
QString fileName(const QString &path);

// Caption text of a min/max/avg plot: "File: " and the path for one
// recording, otherwise the part shown (gDisplaySel 1, 2, 3).
QString captionText(int openCount, const QString &path, int displaySel);
// "Selected:   <start>   to   <end>".
QString selectionText(const QString &startText, const QString &endText);

// The site box of the one-page plot.
struct SiteInfo {
    QDate today;
    bool minMaxAvg = false;
    int intervalMinutes = 0;
    QString memory;            // "Cont" / "Stop"
    bool severalFiles = false; // more than one recording (file data N/A)
    QString maxText, minText;  // gInfo columns 5 and 6 of slot 0
    QString units;             // gInfo column 4 of slot 0
    QString location, circuit, name, other;
};
QString siteText(const SiteInfo &info);
// The site box's data of the one-page plot: today and recording 0.
SiteInfo slotZeroSiteInfo(const Program &p, bool minMaxAvg, int openCount);

// Box placement (chart units).
struct BoxPlace {
    double left, top, width, height;
};
constexpr BoxPlace kSiteBoxScreen{50, 15, 555, 100};
constexpr BoxPlace kSiteBoxPrint{44, 46, 570, 100};
constexpr BoxPlace kCaptionBoxScreen{50, 410, 555, 20};
constexpr BoxPlace kCaptionBoxPrint{50, 380, 555, 20};
constexpr BoxPlace kSelectionBox{160, 420, 290, 20};
constexpr double kSelectionBoxOnePageTop = 40;
// Index of each box in the annotation list after a plot.
constexpr int kSiteBox = 0;
constexpr int kSelectionBoxIndex = 1;
constexpr int kCaptionBox = 2;

constexpr ChartColor kBoxGrey{210, 210, 210};
// A text box; one without text is drawn as nothing at all (no frame, no background).
ChartBox makeBox(const BoxPlace &at, const QString &text, bool framed, ChartColor background,
                 double fontSize);
constexpr ChartColor kBandColor{180, 220, 220};

// Margins: 20/110, one-page 120 and (min/max/avg) 100.
struct Margins {
    int first, second;
};
Margins margins(bool onePage, bool minMaxAvg);

// Moves the site and caption boxes to their places for printing on one page.
void moveBoxesForPrinting(ChartDevice &chart);

} // namespace plot
