// QCustomPlot items of the chart: the text boxes of the annotation list.
#pragma once

#include "platform/chart_device.h"

#include "platform/ui/qcp_chart_device_qcp.h"
#include <QColor>

inline QColor toQColor(const ChartColor &c)
{
    return {c.r, c.g, c.b};
}

// A text box with an optional background and frame. Its two corners are
// placed as fractions of the plot's viewport, so the box keeps its place in
// chart units whatever the size the chart is drawn at. A box grows to hold
// its lines of text, so that no line wraps or is cut.
class ChartBoxItem : public QCPAbstractItem {
public:
    explicit ChartBoxItem(QCustomPlot *plot);

    QCPItemPosition *const topLeft;
    QCPItemPosition *const bottomRight;

    void setBox(const ChartBox &box) { box_ = box; }
    const ChartBox &box() const { return box_; }
    // While a box is edited in place its text is drawn by the editor.
    void setTextHidden(bool hidden) { textHidden_ = hidden; }

    double selectTest(const QPointF &pos, bool onlySelectable, QVariant *details) const override;
    // The box in pixels of the plot's current viewport.
    QRectF pixelRect() const;

protected:
    void draw(QCPPainter *painter) override;

private:
    ChartBox box_;
    bool textHidden_ = false;
};

// The text of a box as it is drawn: CR LF and lone CR become line breaks.
QString boxDisplayText(const QString &text);
// The pixels a box's text needs on screen, its padding and frame included.
QSizeF boxTextSize(const ChartBox &box);
