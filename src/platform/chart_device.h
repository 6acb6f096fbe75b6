// The chart control as the plots use it: the recording/power chart and the
// chart that shows imported chart files. Points are numbered from 0 on the
// time axis; boxes are placed in chart units (the plot's own coordinate
// space of 1000 x 450 units, origin top left), independent of the pixels.
#pragma once

#include <QString>
#include <cstdint>

class PrinterDevice;

struct ChartColor {
    int r = 0;
    int g = 0;
    int b = 0;
    bool operator==(const ChartColor &o) const { return r == o.r && g == o.g && b == o.b; }
};

struct ChartFont {
    QString name;
    double points = 8;
    bool bold = false;
    ChartColor color;
};

// A free text box drawn over the chart.
struct ChartBox {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    QString text;
    ChartColor background{255, 255, 255};
    bool transparent = false; // plain boxes without a background
    bool framed = false;
    double fontSize = 9;
};

enum class ChartCursor { Arrow, NoDrop };

// Chart events; the chart's own handling of a mouse event is always
// replaced by the program's.
class ChartListener {
public:
    virtual ~ChartListener() = default;
    virtual void chartMouseMove(int x, int y) = 0;
    virtual void chartMousePress(int x, int y) = 0;
    virtual void chartMouseRelease(int x, int y) = 0;
    virtual void chartUserCommand(int command) = 0;
};

class ChartDevice {
public:
    // The chart's own print command on toolbar button 7.
    static constexpr int kStandardPrintCommand = 29443;

    virtual ~ChartDevice() = default;

    virtual void setVisible(bool visible) = 0;
    virtual bool isVisible() const = 0;
    // Removes every value, legend, label, band and box.
    virtual void clearData() = 0;

    // Value store: open for `series` curves of `points` points each; the
    // curves show exactly the values set.
    virtual void openData(int series, int points) = 0;
    virtual void setValue(int series, int point, double value) = 0;
    virtual void closeData() = 0;
    virtual int seriesCount() const = 0;
    virtual int pointCount() const = 0;
    virtual double value(int series, int point) const = 0;

    virtual void setSeriesLegend(int series, const QString &text) = 0;
    virtual QString seriesLegend(int series) const = 0;

    // Value axis with fixed limits (no automatic rescaling).
    virtual void setValueAxisTitle(const QString &title) = 0;
    virtual QString valueAxisTitle() const = 0;
    virtual void setValueAxisMin(double v) = 0;
    virtual void setValueAxisMax(double v) = 0;
    virtual double valueAxisMin() const = 0;
    virtual double valueAxisMax() const = 0;

    // Time axis: label j is drawn at point j * step.
    virtual void setTimeLabelFont(const ChartFont &font) = 0;
    virtual void setTimeLabelStep(int step) = 0;
    virtual void setTimeLabel(int label, const QString &text) = 0;

    // Highlight bands behind the curves.
    virtual void addBand(int fromPoint, int toPoint, const ChartColor &color) = 0;
    virtual void removeBands() = 0;

    // Plot-area offsets in vertical chart units: the room above (first) and
    // below (second) the plot area, where the text boxes go.
    virtual void setMargins(int first, int second) = 0;

    // Annotation list.
    virtual void removeAllBoxes() = 0;
    virtual int addBox(const ChartBox &box) = 0; // index of the new box
    virtual int boxCount() const = 0;
    virtual ChartBox box(int index) const = 0;
    virtual void setBox(int index, const ChartBox &box) = 0;
    virtual void removeBox(int index) = 0;
    // While on, the boxes can be edited in place on the chart.
    virtual void setAnnotationEditing(bool on) = 0;

    // Mouse position in pixels to (point, value); false outside the chart.
    virtual bool pixelToValue(int x, int y, double &point, double &value) const = 0;
    // Where marking with the mouse may happen, in the mouse events' pixel
    // coordinates as the chart is laid out now: from the left edge of the
    // plot area to the right edge of the chart (past the last value, over the
    // legend). False when the chart cannot say.
    virtual bool markingEdges(int &left, int &right) const
    {
        (void)left;
        (void)right;
        return false;
    }
    virtual void setListener(ChartListener *listener) = 0;
    virtual void setCursor(ChartCursor cursor) = 0;

    // Toolbar: buttons by position, each with a command number.
    virtual void setToolbarColor(const ChartColor &color) = 0;
    virtual void setToolbarButtonVisible(int position, bool visible) = 0;
    virtual void setToolbarButtonCommand(int position, int command) = 0;
    virtual void addCommand(int command, int picture, const QString &text) = 0;
    virtual void setCommandText(int command, const QString &text) = 0;
    virtual void insertToolbarButton(int position, int command) = 0;
    virtual void removeToolbarButton(int position) = 0;

    // Type and style flags of the chart (kept for the chart file).
    virtual void addTypeFlag(uint32_t flag) = 0;
    virtual void toggleStyleFlag(uint32_t flag) = 0;

    virtual void setBackgroundColor(const ChartColor &color) = 0;

    // Prints the chart on one page through the printer.
    virtual bool print(PrinterDevice &printer) = 0;
    // Chart files (".chd"): everything shown, in a self-describing format.
    // saveFile replaces the file whole or leaves it as it was; false then.
    virtual bool saveFile(const QString &path) = 0;
    virtual bool importFile(const QString &path) = 0;
};
