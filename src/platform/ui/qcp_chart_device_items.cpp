#include "platform/ui/qcp_chart_device_items.h"

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

QRectF ChartBoxItem::pixelRect() const
{
    return QRectF(topLeft->pixelPosition(), bottomRight->pixelPosition()).normalized();
}

QString boxDisplayText(const QString &text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
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
        QFont font(QStringLiteral("Arial"));
        font.setPointSizeF(box_.fontSize);
        painter->setAntialiasing(true);
        painter->setFont(font);
        painter->setPen(Qt::black);
        painter->setClipRect(r, Qt::IntersectClip);
        const QRectF inner = r.adjusted(4, 2, -4, -2);
        painter->drawText(inner, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, boxDisplayText(box_.text));
    }
    painter->restore();
}
