// A chart that keeps everything it is told and records every call, so tests
// can check values, axes, labels, bands, boxes and toolbar changes, and can
// play mouse events through a linear pixel mapping.
#pragma once

#include "platform/chart_device.h"

#include <QString>
#include <QStringList>
#include <map>
#include <vector>

class FakeChartDevice : public ChartDevice {
public:
    struct Band {
        int from = 0;
        int to = 0;
        ChartColor color;
    };
    struct Toolbar {
        std::map<int, bool> buttonVisible; // position -> visible (absent: visible)
        std::map<int, int> buttonCommand;  // position -> command
        std::vector<int> inserted;         // positions of inserted buttons, in order
        std::vector<int> removed;          // positions of removed buttons, in order
        ChartColor color;
    };
    struct Command {
        int picture = 0;
        QString text;
    };

    // ChartDevice
    void setVisible(bool visible) override;
    bool isVisible() const override { return visible_; }
    void clearData() override;
    void openData(int series, int points) override;
    void setValue(int series, int point, double value) override;
    void closeData() override;
    int seriesCount() const override { return static_cast<int>(values_.size()); }
    int pointCount() const override { return points_; }
    double value(int series, int point) const override;
    void setSeriesLegend(int series, const QString &text) override;
    QString seriesLegend(int series) const override;
    void setValueAxisTitle(const QString &title) override;
    QString valueAxisTitle() const override { return axisTitle_; }
    void setValueAxisMin(double v) override;
    void setValueAxisMax(double v) override;
    double valueAxisMin() const override { return axisMin_; }
    double valueAxisMax() const override { return axisMax_; }
    void setTimeLabelFont(const ChartFont &font) override;
    void setTimeLabelStep(int step) override;
    void setTimeLabel(int label, const QString &text) override;
    void addBand(int fromPoint, int toPoint, const ChartColor &color) override;
    void removeBands() override;
    void setMargins(int first, int second) override;
    void removeAllBoxes() override;
    int addBox(const ChartBox &box) override;
    int boxCount() const override { return static_cast<int>(boxes_.size()); }
    ChartBox box(int index) const override;
    void setBox(int index, const ChartBox &box) override;
    void removeBox(int index) override;
    void setAnnotationEditing(bool on) override;
    bool pixelToValue(int x, int y, double &point, double &value) const override;
    void setListener(ChartListener *listener) override { listener_ = listener; }
    void setCursor(ChartCursor cursor) override { cursor_ = cursor; }
    void setToolbarColor(const ChartColor &color) override;
    void setToolbarButtonVisible(int position, bool visible) override;
    void setToolbarButtonCommand(int position, int command) override;
    void addCommand(int command, int picture, const QString &text) override;
    void setCommandText(int command, const QString &text) override;
    void insertToolbarButton(int position, int command) override;
    void removeToolbarButton(int position) override;
    void addTypeFlag(uint32_t flag) override;
    void toggleStyleFlag(uint32_t flag) override;
    void setBackgroundColor(const ChartColor &color) override;
    bool print(PrinterDevice &printer) override;
    bool saveFile(const QString &path) override;
    bool importFile(const QString &path) override;

    // Pixel mapping: point = (x - x0) / pixelsPerPoint,
    // value = (y0 - y) / pixelsPerValue. Defaults: point 0 at x 60, 10 pixels
    // a point; value 0 at y 400, 2 pixels a unit.
    void setMapping(double x0, double pixelsPerPoint, double y0, double pixelsPerValue);
    // The pixel of a point (its left edge plus `fraction` of a point) and of a value.
    int xOf(double point, double fraction = 0.5) const;
    int yOf(double value) const;
    bool insideChart = true; // pixelToValue answers false when not

    // Events played to the listener.
    void move(int x, int y);
    void press(int x, int y);
    void release(int x, int y);
    void command(int number);
    // A whole drag: move to the first pixel, press, move to the second, release.
    void drag(int x1, int y1, int x2, int y2);
    ChartListener *listener() const { return listener_; }

    // What the chart holds now.
    const std::vector<std::vector<double>> &values() const { return values_; }
    bool dataOpen() const { return open_; }
    ChartFont labelFont() const { return labelFont_; }
    int labelStep() const { return labelStep_; }
    QStringList labels() const; // labels 0..highest set
    const std::vector<Band> &bands() const { return bands_; }
    int marginFirst() const { return marginFirst_; }
    int marginSecond() const { return marginSecond_; }
    const std::vector<ChartBox> &boxes() const { return boxes_; }
    bool annotationEditing() const { return editing_; }
    ChartCursor cursor() const { return cursor_; }
    const Toolbar &toolbar() const { return toolbar_; }
    bool buttonVisible(int position) const;
    const std::map<int, Command> &commands() const { return commands_; }
    uint32_t typeFlags() const { return typeFlags_; }
    uint32_t styleFlags() const { return styleFlags_; }
    ChartColor background() const { return background_; }
    int printCount() const { return printCount_; }
    QStringList savedFiles, importedFiles;

    // Every call in order, as "name(args)" (setValue is counted, not logged).
    QStringList calls;
    int setValueCalls = 0;
    std::vector<int> removedBoxes; // indices given to removeBox, in order
    // The call log from the last openData on (one drawing).
    QStringList callsSince(const QString &name) const;
    void clearLog();

private:
    void log(const QString &call) { calls << call; }

    bool visible_ = false;
    bool open_ = false;
    int points_ = 0;
    std::vector<std::vector<double>> values_;
    std::map<int, QString> legends_;
    QString axisTitle_;
    double axisMin_ = 0;
    double axisMax_ = 0;
    ChartFont labelFont_;
    int labelStep_ = 1;
    std::map<int, QString> labels_;
    std::vector<Band> bands_;
    int marginFirst_ = 0;
    int marginSecond_ = 0;
    std::vector<ChartBox> boxes_;
    bool editing_ = false;
    ChartListener *listener_ = nullptr;
    ChartCursor cursor_ = ChartCursor::Arrow;
    Toolbar toolbar_;
    std::map<int, Command> commands_;
    uint32_t typeFlags_ = 0;
    uint32_t styleFlags_ = 0;
    ChartColor background_{255, 255, 255};
    int printCount_ = 0;
    double x0_ = 60;
    double pxPerPoint_ = 10;
    double y0_ = 400;
    double pxPerValue_ = 2;
};
