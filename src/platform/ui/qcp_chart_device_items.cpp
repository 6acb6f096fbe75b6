#include "platform/ui/qcp_chart_device_items.h"

#include "platform/ui/print/program_fonts.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

ChartBoxItem::ChartBoxItem(QCustomPlot *plot)
    : QCPAbstractItem(plot), topLeft(createPosition(QStringLiteral("topLeft"))),
      bottomRight(createPosition(QStringLiteral("bottomRight")))
{
    topLeft->setType(QCPItemPosition::ptViewportRatio);
    bottomRight->setType(QCPItemPosition::ptViewportRatio);
    setClipToAxisRect(false);
    setSelectable(false);
}

double ChartBoxItem::selectTest(const QPointF &pos, bool onlySelectable, QVariant *details) const
{
    (void)details;
    if (onlySelectable && !selectable()) {
        return -1;
    }
    return pixelRect().contains(pos) ? 0 : -1;
}

namespace {

// Room between a box's frame and its text, in pixels.
constexpr double kPadX = 4;
constexpr double kPadY = 2;

QFont boxFont(const ChartBox &box)
{
    return programfonts::font(QStringLiteral("Arial"), box.fontSize);
}

} // namespace

QString boxDisplayText(const QString &text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

QSizeF boxTextSize(const ChartBox &box)
{
    QStringList lines = boxDisplayText(box.text).split(QLatin1Char('\n'));
    while (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    if (lines.isEmpty()) {
        return {};
    }
    const QFontMetricsF metrics(boxFont(box));
    double width = 0;
    for (const QString &line : lines) {
        width = std::max(width, metrics.horizontalAdvance(line));
    }
    return {std::ceil(width) + 2 * kPadX + 2,
            std::ceil(lines.size() * metrics.lineSpacing()) + 2 * kPadY + 2};
}

QRectF ChartBoxItem::pixelRect() const
{
    QRectF r = QRectF(topLeft->pixelPosition(), bottomRight->pixelPosition()).normalized();
    if (textHidden_) {
        return r; // the note editor takes the box's own place
    }
    // A box is at least as large as its text, so that every line stays on
    // the line it was written on; it grows to the right and down, and is
    // moved back inside the chart when that would leave it.
    const QSizeF need = boxTextSize(box_);
    r.setWidth(std::max(r.width(), need.width()));
    r.setHeight(std::max(r.height(), need.height()));
    const QRectF view = mParentPlot->viewport();
    if (r.right() > view.right()) {
        r.moveRight(view.right());
    }
    if (r.left() < view.left()) {
        r.moveLeft(view.left());
    }
    return r;
}

void ChartBoxItem::draw(QCPPainter *painter)
{
    const QRectF r = pixelRect();
    if (r.width() < 1 || r.height() < 1) {
        return;
    }
    painter->save();
    painter->setAntialiasing(false); // crisp frame lines
    if (!box_.transparent) {
        painter->fillRect(r, toQColor(box_.background));
    }
    if (box_.framed) {
        painter->setPen(QPen(Qt::black, 1));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(r.adjusted(0, 0, -1, -1));
    }
    if (!textHidden_) {
        painter->setAntialiasing(true);
        painter->setFont(boxFont(box_));
        painter->setPen(Qt::black);
        painter->setClipRect(r, Qt::IntersectClip);
        const QRectF inner = r.adjusted(kPadX, kPadY, -kPadX, -kPadY);
        painter->drawText(inner, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, boxDisplayText(box_.text));
    }
    painter->restore();
}
