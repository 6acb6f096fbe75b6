// What the user does on the recording chart with the mouse and the chart's
// toolbar: the time and value read-out in the status bar, marking an area
// by pressing and releasing the button, saving the chart to a chart file
// and printing the one-page plot.
#pragma once

#include "platform/chart_device.h"

#include <QString>
#include <cstdint>

class Program;

class ChartInteraction : public ChartListener {
public:
    // Toolbar commands of the chart.
    static constexpr int kSaveChartCommand = 100;
    static constexpr int kPrintOnePageCommand = 101;
    static constexpr uint32_t kSaveStyleFlag = 0x400;

    explicit ChartInteraction(Program &p) : p_(p) {}

    void chartMouseMove(int x, int y) override;
    void chartMousePress(int x, int y) override;
    void chartMouseRelease(int x, int y) override;
    void chartUserCommand(int command) override;

    // Save chart (command 100) and print on one page (command 101).
    void saveChart();
    void printOnePage();

    // OutsideFlag: 0 over the data, 1 outside the value-axis limits or left
    // of the chart, 2 right of the last value.
    int outsideFlag() const { return outside_; }
    // EdgeFlag: 0 normal, 1 left of the first point or a refused press, 2
    // right of the last value.
    int edgeFlag() const { return edge_; }
    // PressFlag: 1 from an accepted press until its release is handled.
    int pressFlag() const { return press_; }
    double cursorPoint() const { return cursorPoint_; }
    double cursorValue() const { return cursorValue_; }
    ChartCursor pointer() const { return pointer_; }

    // Pixel limits used by the read-out: left of the left limit nothing is
    // read; while a press is in progress the pointer stays a normal pointer
    // up to the right limit, so that a release past the last value marks to
    // the end. They are the chart's own marking edges at the moment of the
    // event (so they follow every resize); these two serve a chart that
    // cannot report its edges.
    int leftLimitPx = 20;
    int rightLimitPx = 629;
    int leftLimit() const;
    int rightLimit() const;

private:
    // The status-bar read-out of a mouse position.
    void readOut(int x, int y);
    bool minMaxAvgPlot() const;
    // Converts a mouse position; false when the chart cannot.
    bool convert(int x, int y);
    void setPointer(ChartCursor c);
    QString stampOf(int32_t valueIndex) const;

    Program &p_;
    int outside_ = 0;
    int edge_ = 0;
    int press_ = 0;
    double cursorPoint_ = 0;
    double cursorValue_ = 0;
    ChartCursor pointer_ = ChartCursor::Arrow;
};
