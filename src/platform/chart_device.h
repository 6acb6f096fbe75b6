// The chart control as the plots use it (the recording chart and the chart
// that shows imported chart files).
#pragma once

#include <QString>

class ChartDevice {
public:
    virtual ~ChartDevice() = default;
    virtual void setVisible(bool visible) = 0;
    virtual bool isVisible() const = 0;
    // Removes every value, label, band and note.
    virtual void clearData() = 0;
};
