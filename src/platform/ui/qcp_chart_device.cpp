#include "platform/ui/qcp_chart_device.h"

#include "platform/ui/print/program_fonts.h"
#include "platform/ui/qcp_chart_device_items.h"

#include "platform/ui/qcp_chart_device_qcp.h"
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QImage>
#include <QMouseEvent>
#include <QPicture>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kMouseMove = 0;
constexpr int kMousePress = 1;
constexpr int kMouseRelease = 2;

const QColor kCurveColors[] = {QColor(0, 70, 200),   QColor(200, 30, 30), QColor(0, 130, 50),
                               QColor(150, 60, 170), QColor(230, 120, 0), QColor(0, 150, 160)};

int unitsToPx(double units, double pixels, double unitSpan)
{
    return static_cast<int>(std::lround(units * pixels / unitSpan));
}

} // namespace

QcpChartDevice::QcpChartDevice(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    toolbar_ = new QToolBar(this);
    plot_ = new QCustomPlot(this);
    layout->addWidget(toolbar_);
    layout->addWidget(plot_, 1);
    setupPlot();
    setupToolbar();

    editor_ = new QPlainTextEdit(plot_);
    editor_->hide();
    editor_->setFrameShape(QFrame::Box);
    editor_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    editor_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    applyContent();
}

QcpChartDevice::~QcpChartDevice() = default;

void QcpChartDevice::setupPlot()
{
    plot_->setMouseTracking(true);
    plot_->setInteractions(QCP::Interactions());
    plot_->setNotAntialiasedElements(QCP::aePlottables);
    plot_->addLayer(QStringLiteral("bands"), plot_->layer(QStringLiteral("grid")), QCustomPlot::limAbove);
    plot_->addLayer(QStringLiteral("boxes"), plot_->layer(QStringLiteral("legend")), QCustomPlot::limAbove);

    QCPAxisRect *rect = plot_->axisRect();
    rect->setAutoMargins(QCP::msLeft | QCP::msRight);
    // A frame around the plot area: top and right axes without ticks.
    for (QCPAxis *axis : {plot_->xAxis2, plot_->yAxis2}) {
        axis->setVisible(true);
        axis->setTicks(false);
        axis->setTickLabels(false);
    }
    QFont labelFont = programfonts::font(QStringLiteral("Arial"), 9);
    labelFont.setBold(true);
    plot_->yAxis->setLabelFont(labelFont);
    plot_->yAxis->setTickLabelFont(programfonts::font(QStringLiteral("Arial"), 8));
    plot_->xAxis->grid()->setVisible(true);
    plot_->yAxis->grid()->setVisible(true);

    // The legend stands in a column right of the plot area, at its top.
    rect->insetLayout()->take(plot_->legend);
    rect->insetLayout()->simplify();
    legendColumn_ = new QCPLayoutGrid;
    plot_->plotLayout()->addElement(0, 1, legendColumn_);
    plot_->plotLayout()->setColumnStretchFactor(1, 0.001);
    legendColumn_->addElement(0, 0, plot_->legend);
    legendColumn_->addElement(1, 0, new QCPLayoutElement(plot_));
    legendColumn_->setRowStretchFactor(0, 0.001);
    plot_->legend->setFont(programfonts::font(QStringLiteral("Arial"), 8));
    plot_->legend->setVisible(true);

    connect(plot_, &QCustomPlot::beforeReplot, this, [this] {
        if (valuesDirty_) {
            pushValues();
        }
        applyMargins(plot_->height());
        fitTimeLabels(plot_->axisRect()->width());
    });
    connect(plot_, &QCustomPlot::mouseMove, this, [this](QMouseEvent *e) { onMouse(e, kMouseMove); });
    connect(plot_, &QCustomPlot::mousePress, this, [this](QMouseEvent *e) { onMouse(e, kMousePress); });
    connect(plot_, &QCustomPlot::mouseRelease, this, [this](QMouseEvent *e) { onMouse(e, kMouseRelease); });
}

// ---------------------------------------------------------------- visibility

void QcpChartDevice::setVisible(bool visible)
{
    visible_ = visible;
    QWidget::setVisible(visible);
}

bool QcpChartDevice::isVisible() const
{
    return visible_;
}

// ---------------------------------------------------------------- values

void QcpChartDevice::clearData()
{
    commitEditing();
    const ChartContent old = content_;
    content_ = ChartContent{};
    // The chart's look stays; only what it shows goes.
    content_.valueTitle = old.valueTitle;
    content_.valueMin = old.valueMin;
    content_.valueMax = old.valueMax;
    content_.labelFont = old.labelFont;
    content_.marginTop = old.marginTop;
    content_.marginBottom = old.marginBottom;
    content_.typeFlags = old.typeFlags;
    content_.styleFlags = old.styleFlags;
    content_.background = old.background;
    content_.toolbarColor = old.toolbarColor;
    keys_.clear();
    applyContent();
}

void QcpChartDevice::openData(int series, int points)
{
    series = std::clamp(series, 0, kChartFileMaxSeries);
    points = std::max(points, 0);
    content_.points = points;
    content_.values.assign(static_cast<size_t>(series), QVector<double>(points, std::nan("")));
    while (content_.legends.size() < series) {
        content_.legends.append(QString());
    }
    keys_.resize(points);
    for (int i = 0; i < points; ++i) {
        keys_[i] = i;
    }
    rebuildGraphs();
    applyTimeAxis();
    scheduleReplot();
}

void QcpChartDevice::setValue(int series, int point, double value)
{
    if (series < 0 || series >= seriesCount() || point < 0 || point >= content_.points) {
        return;
    }
    content_.values[static_cast<size_t>(series)][point] = value;
    valuesDirty_ = true;
}

void QcpChartDevice::closeData()
{
    pushValues();
    scheduleReplot();
}

int QcpChartDevice::seriesCount() const
{
    return static_cast<int>(content_.values.size());
}

int QcpChartDevice::pointCount() const
{
    return content_.points;
}

double QcpChartDevice::value(int series, int point) const
{
    if (series < 0 || series >= seriesCount() || point < 0 || point >= content_.points) {
        return std::nan("");
    }
    return content_.values[static_cast<size_t>(series)][point];
}

void QcpChartDevice::setSeriesLegend(int series, const QString &text)
{
    if (series < 0 || series >= kChartFileMaxSeries) {
        return;
    }
    while (content_.legends.size() <= series) {
        content_.legends.append(QString());
    }
    content_.legends[series] = text;
    applyLegends();
    scheduleReplot();
}

QString QcpChartDevice::seriesLegend(int series) const
{
    return series >= 0 && series < content_.legends.size() ? content_.legends[series] : QString();
}

void QcpChartDevice::rebuildGraphs()
{
    plot_->clearGraphs();
    graphs_.clear();
    for (size_t s = 0; s < content_.values.size(); ++s) {
        QCPGraph *graph = plot_->addGraph();
        graph->setAdaptiveSampling(true);
        graph->setLineStyle(QCPGraph::lsLine);
        graphs_.push_back(graph);
    }
    applyCurveStyle();
    applyLegends();
    pushValues();
    // A single point stands in the middle of the plot, not on its edge.
    const QCPRange range = content_.points > 1 ? QCPRange(0, content_.points - 1) : QCPRange(-1, 1);
    plot_->xAxis->setRange(range);
    plot_->xAxis2->setRange(range);
}

void QcpChartDevice::pushValues()
{
    for (size_t s = 0; s < graphs_.size() && s < content_.values.size(); ++s) {
        const QVector<double> &values = content_.values[s];
        graphs_[s]->setData(keys_, values, true);
        // A line needs two points: a curve of one value is drawn as a dot.
        const auto set = std::count_if(values.begin(), values.end(), [](double v) { return !std::isnan(v); });
        graphs_[s]->setScatterStyle(set == 1 ? QCPScatterStyle(QCPScatterStyle::ssDisc, 7)
                                             : QCPScatterStyle(QCPScatterStyle::ssNone));
    }
    valuesDirty_ = false;
}

void QcpChartDevice::applyLegends()
{
    plot_->legend->clearItems();
    // A long file name must not squeeze the plot: names are cut in the
    // middle to a fixed width (the full name shows as a tooltip).
    const QFontMetrics metrics(plot_->legend->font());
    for (size_t s = 0; s < graphs_.size(); ++s) {
        const QString text = seriesLegend(static_cast<int>(s));
        graphs_[s]->setName(metrics.elidedText(text, Qt::ElideMiddle, kLegendTextMaxPx));
        if (!text.isEmpty()) {
            graphs_[s]->addToLegend();
        }
    }
}

void QcpChartDevice::applyCurveStyle()
{
    for (size_t s = 0; s < graphs_.size(); ++s) {
        QColor color = monochrome_ ? QColor(Qt::black) : kCurveColors[s % std::size(kCurveColors)];
        QPen pen(color, thickLines_ ? 2 : 1);
        if (monochrome_) {
            const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine};
            pen.setStyle(styles[s % std::size(styles)]);
        }
        graphs_[s]->setPen(pen);
    }
}

// ---------------------------------------------------------------- axes

void QcpChartDevice::setValueAxisTitle(const QString &title)
{
    content_.valueTitle = title;
    applyValueAxis();
    scheduleReplot();
}

QString QcpChartDevice::valueAxisTitle() const
{
    return content_.valueTitle;
}

void QcpChartDevice::setValueAxisMin(double v)
{
    content_.valueMin = v;
    applyValueAxis();
    scheduleReplot();
}

void QcpChartDevice::setValueAxisMax(double v)
{
    content_.valueMax = v;
    applyValueAxis();
    scheduleReplot();
}

double QcpChartDevice::valueAxisMin() const
{
    return content_.valueMin;
}

double QcpChartDevice::valueAxisMax() const
{
    return content_.valueMax;
}

void QcpChartDevice::applyValueAxis()
{
    plot_->yAxis->setLabel(content_.valueTitle);
    // QCPRange orders its ends; a minimum above the maximum still shows both.
    plot_->yAxis->setRange(content_.valueMin, content_.valueMax);
    plot_->yAxis2->setRange(plot_->yAxis->range());
}

void QcpChartDevice::setTimeLabelFont(const ChartFont &font)
{
    content_.labelFont = font;
    applyTimeAxis();
    scheduleReplot();
}

void QcpChartDevice::setTimeLabelStep(int step)
{
    content_.labelStep = std::max(step, 1);
    applyTimeAxis();
    scheduleReplot();
}

void QcpChartDevice::setTimeLabel(int label, const QString &text)
{
    if (label < 0 || label > kChartFileMaxPoints) {
        return;
    }
    content_.labels[label] = text;
    applyTimeAxis();
    scheduleReplot();
}

QString QcpChartDevice::timeLabelText(const QString &text) const
{
    if (!labelTwoLines_) {
        return text;
    }
    // "Mar 06 10:15": the date above the time.
    QString t = text;
    const qsizetype cut = t.lastIndexOf(QLatin1Char(' '));
    if (cut > 0) {
        t[cut] = QLatin1Char('\n');
    }
    return t;
}

bool QcpChartDevice::fitTimeLabels(int axisWidthPx)
{
    if (content_.labels.empty() || axisWidthPx <= 0) {
        return false;
    }
    // Pixels from one label to the next, and what the widest label needs.
    const double spacing =
        content_.labelStep * static_cast<double>(axisWidthPx) / std::max(content_.points - 1, 1);
    const QFontMetricsF metrics(plot_->xAxis->tickLabelFont());
    constexpr double kGap = 10;
    double oneLine = 0;
    double twoLines = 0;
    for (const auto &[j, text] : content_.labels) {
        oneLine = std::max(oneLine, metrics.horizontalAdvance(text));
        const QString date = text.section(QLatin1Char(' '), 0, -2);
        const QString time = text.section(QLatin1Char(' '), -1);
        twoLines = std::max({twoLines, metrics.horizontalAdvance(date), metrics.horizontalAdvance(time)});
    }
    bool two = false;
    int every = 1;
    if (oneLine + kGap > spacing) {
        two = true;
        if (twoLines + kGap > spacing && spacing > 0) {
            every = static_cast<int>(std::ceil((twoLines + kGap) / spacing));
        }
    }
    if (two == labelTwoLines_ && every == labelEvery_) {
        return false;
    }
    labelTwoLines_ = two;
    labelEvery_ = every;
    applyTimeAxis();
    return true;
}

void QcpChartDevice::applyTimeAxis()
{
    QCPAxis *axis = plot_->xAxis;
    QFont font = programfonts::font(content_.labelFont.name, content_.labelFont.points);
    font.setBold(content_.labelFont.bold);
    axis->setTickLabelFont(font);
    axis->setTickLabelColor(toQColor(content_.labelFont.color));
    if (content_.labels.empty()) {
        axis->setTicker(QSharedPointer<QCPAxisTicker>::create());
        return;
    }
    // Labels that would run together are drawn on two lines, and when even
    // that is too wide only every labelEvery_-th one is drawn.
    auto ticker = QSharedPointer<QCPAxisTickerText>::create();
    for (const auto &[j, text] : content_.labels) {
        if (j % labelEvery_ == 0) {
            ticker->addTick(static_cast<double>(j) * content_.labelStep, timeLabelText(text));
        }
    }
    axis->setTicker(ticker);
}

// ---------------------------------------------------------------- bands, margins

void QcpChartDevice::addBand(int fromPoint, int toPoint, const ChartColor &color)
{
    content_.bands.push_back(ChartBand{std::min(fromPoint, toPoint), std::max(fromPoint, toPoint), color});
    rebuildBands();
    scheduleReplot();
}

void QcpChartDevice::removeBands()
{
    content_.bands.clear();
    rebuildBands();
    scheduleReplot();
}

void QcpChartDevice::rebuildBands()
{
    for (QCPItemRect *item : bandItems_) {
        plot_->removeItem(item);
    }
    bandItems_.clear();
    for (const ChartBand &band : content_.bands) {
        auto *item = new QCPItemRect(plot_);
        item->setLayer(QStringLiteral("bands"));
        item->setSelectable(false);
        for (QCPItemPosition *pos : {item->topLeft, item->bottomRight}) {
            pos->setTypeX(QCPItemPosition::ptPlotCoords);
            pos->setTypeY(QCPItemPosition::ptAxisRectRatio);
        }
        item->topLeft->setCoords(band.fromPoint, 0);
        item->bottomRight->setCoords(band.toPoint, 1);
        item->setPen(Qt::NoPen);
        item->setBrush(toQColor(band.color));
        bandItems_.push_back(item);
    }
}

void QcpChartDevice::setMargins(int first, int second)
{
    content_.marginTop = std::clamp(first, 0, kMaxChartMargin);
    content_.marginBottom = std::clamp(second, 0, kMaxChartMargin);
    scheduleReplot();
}

void QcpChartDevice::applyMargins(int plotHeight)
{
    const int top = unitsToPx(content_.marginTop, plotHeight, kUnitsHigh);
    const int bottom = unitsToPx(content_.marginBottom, plotHeight, kUnitsHigh);
    plot_->axisRect()->setMargins(QMargins(0, top, 0, bottom));
    legendColumn_->setMargins(QMargins(6, top, 8, 0));
}

void QcpChartDevice::setBackgroundColor(const ChartColor &color)
{
    content_.background = color;
    applyBackground();
    scheduleReplot();
}

void QcpChartDevice::applyBackground()
{
    plot_->setBackground(QBrush(toQColor(content_.background)));
}

// ---------------------------------------------------------------- boxes

void QcpChartDevice::removeAllBoxes()
{
    editingIndex_ = -1;
    editor_->hide();
    content_.boxes.clear();
    rebuildBoxes();
    scheduleReplot();
}

int QcpChartDevice::addBox(const ChartBox &box)
{
    content_.boxes.push_back(box);
    rebuildBoxes();
    scheduleReplot();
    return boxCount() - 1;
}

int QcpChartDevice::boxCount() const
{
    return static_cast<int>(content_.boxes.size());
}

ChartBox QcpChartDevice::box(int index) const
{
    if (index < 0 || index >= boxCount()) {
        return {};
    }
    return content_.boxes[static_cast<size_t>(index)];
}

void QcpChartDevice::setBox(int index, const ChartBox &box)
{
    if (index < 0 || index >= boxCount()) {
        return;
    }
    content_.boxes[static_cast<size_t>(index)] = box;
    rebuildBoxes();
    placeEditor();
    scheduleReplot();
}

void QcpChartDevice::removeBox(int index)
{
    if (index < 0 || index >= boxCount()) {
        return;
    }
    if (index == editingIndex_) {
        editingIndex_ = -1;
        editor_->hide();
    } else if (index < editingIndex_) {
        --editingIndex_;
    }
    content_.boxes.erase(content_.boxes.begin() + index);
    rebuildBoxes();
    scheduleReplot();
}

void QcpChartDevice::rebuildBoxes()
{
    for (ChartBoxItem *item : boxItems_) {
        plot_->removeItem(item);
    }
    boxItems_.clear();
    for (size_t i = 0; i < content_.boxes.size(); ++i) {
        const ChartBox &b = content_.boxes[i];
        auto *item = new ChartBoxItem(plot_);
        item->setLayer(QStringLiteral("boxes"));
        item->setBox(b);
        item->topLeft->setCoords(b.left / kUnitsWide, b.top / kUnitsHigh);
        item->bottomRight->setCoords((b.left + b.width) / kUnitsWide, (b.top + b.height) / kUnitsHigh);
        item->setTextHidden(static_cast<int>(i) == editingIndex_);
        boxItems_.push_back(item);
    }
}

QPointF QcpChartDevice::unitsToPixels(double x, double y) const
{
    return {x * plot_->width() / kUnitsWide, y * plot_->height() / kUnitsHigh};
}

QRectF QcpChartDevice::boxPixelRect(int index) const
{
    if (index < 0 || index >= boxCount()) {
        return {};
    }
    const ChartBox &b = content_.boxes[static_cast<size_t>(index)];
    return {unitsToPixels(b.left, b.top), unitsToPixels(b.left + b.width, b.top + b.height)};
}

// ---------------------------------------------------------------- notes edited in place

void QcpChartDevice::setAnnotationEditing(bool on)
{
    commitEditing();
    editingOn_ = on;
    if (on) {
        beginEditing();
    }
}

void QcpChartDevice::beginEditing()
{
    editingIndex_ = boxCount() - 1;
    if (editingIndex_ < 0) {
        return;
    }
    const ChartBox &b = content_.boxes[static_cast<size_t>(editingIndex_)];
    editor_->setFont(programfonts::font(QStringLiteral("Arial"), b.fontSize));
    const QColor bg = toQColor(b.background);
    editor_->setStyleSheet(QStringLiteral("QPlainTextEdit { background: %1; border: 1px solid black; }")
                               .arg(b.transparent ? QStringLiteral("white") : bg.name()));
    editor_->setPlainText(boxDisplayText(b.text));
    editor_->selectAll();
    boxItems_[static_cast<size_t>(editingIndex_)]->setTextHidden(true);
    placeEditor();
    editor_->show();
    editor_->raise();
    editor_->setFocus();
    scheduleReplot();
}

void QcpChartDevice::commitEditing()
{
    if (editingIndex_ < 0 || editingIndex_ >= boxCount()) {
        editingIndex_ = -1;
        editor_->hide();
        return;
    }
    QString text = editor_->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    content_.boxes[static_cast<size_t>(editingIndex_)].text = text;
    editingIndex_ = -1;
    editor_->hide();
    rebuildBoxes();
    scheduleReplot();
}

void QcpChartDevice::placeEditor()
{
    if (editingIndex_ >= 0) {
        editor_->setGeometry(boxPixelRect(editingIndex_).toAlignedRect());
    }
}

void QcpChartDevice::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeEditor();
}

// ---------------------------------------------------------------- mouse

bool QcpChartDevice::pixelToValue(int x, int y, double &point, double &value) const
{
    if (x < 0 || y < 0 || x >= plot_->width() || y >= plot_->height() || plot_->axisRect()->width() <= 0 ||
        plot_->axisRect()->height() <= 0) {
        return false;
    }
    point = plot_->xAxis->pixelToCoord(x);
    value = plot_->yAxis->pixelToCoord(y);
    return true;
}

bool QcpChartDevice::markingEdges(int &left, int &right) const
{
    const QRect area = plot_->axisRect()->rect();
    if (area.width() <= 0) {
        return false;
    }
    left = area.left();
    right = plot_->width() - 1;
    return true;
}

void QcpChartDevice::showLegendTip(QMouseEvent *event)
{
    const QPointF pos = event->position();
    for (int i = 0; i < plot_->legend->itemCount(); ++i) {
        auto *item = qobject_cast<QCPPlottableLegendItem *>(plot_->legend->item(i));
        if (item == nullptr || !item->outerRect().contains(pos.toPoint())) {
            continue;
        }
        const auto it = std::find(graphs_.begin(), graphs_.end(), item->plottable());
        if (it != graphs_.end()) {
            QToolTip::showText(event->globalPosition().toPoint(),
                               seriesLegend(static_cast<int>(it - graphs_.begin())), plot_);
            return;
        }
    }
    QToolTip::hideText();
}

void QcpChartDevice::setListener(ChartListener *listener)
{
    listener_ = listener;
}

void QcpChartDevice::setCursor(ChartCursor cursor)
{
    cursor_ = cursor;
    plot_->setCursor(cursor == ChartCursor::NoDrop ? Qt::ForbiddenCursor : Qt::ArrowCursor);
}

void QcpChartDevice::onMouse(QMouseEvent *event, int kind)
{
    // The program handles every mouse event; the plot's own handling stays off.
    event->accept();
    const QPoint pos = event->position().toPoint();
    if (kind == kMousePress) {
        // A click outside the note being edited ends the editing.
        commitEditing();
    }
    if (kind == kMouseMove) {
        showLegendTip(event);
    }
    if (listener_ == nullptr) {
        return;
    }
    switch (kind) {
    case kMouseMove:
        listener_->chartMouseMove(pos.x(), pos.y());
        break;
    case kMousePress:
        if (event->button() == Qt::LeftButton) {
            listener_->chartMousePress(pos.x(), pos.y());
        }
        break;
    default:
        if (event->button() == Qt::LeftButton) {
            listener_->chartMouseRelease(pos.x(), pos.y());
        }
        break;
    }
}

// ---------------------------------------------------------------- drawing

void QcpChartDevice::applyContent()
{
    rebuildGraphs();
    applyValueAxis();
    applyTimeAxis();
    rebuildBands();
    rebuildBoxes();
    applyBackground();
    applyToolbarColor();
    scheduleReplot();
}

void QcpChartDevice::scheduleReplot()
{
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void QcpChartDevice::replotNow()
{
    plot_->replot();
}

void QcpChartDevice::renderTo(QPainter &painter, const QRectF &target, int layoutWidth)
{
    // Drawn at a screen-like size of the target's shape, recorded as vector
    // graphics and scaled into the target: the same picture on screen, on
    // paper and in a PDF, with fonts in proportion.
    if (target.width() < 1 || target.height() < 1) {
        return;
    }
    const int w = std::max(layoutWidth, 100);
    const int h = std::max(1, static_cast<int>(std::lround(w * target.height() / target.width())));
    if (valuesDirty_) {
        pushValues();
    }
    applyMargins(h);
    QPicture picture;
    // The plot area's width at this size is known once the chart has been
    // laid out at it: when the time labels must change for it, once more.
    for (int pass = 0; pass < 2; ++pass) {
        picture = QPicture();
        QCPPainter recorder(&picture);
        recorder.setMode(QCPPainter::pmVectorized);
        recorder.setMode(QCPPainter::pmNoCaching);
        plot_->toPainter(&recorder, w, h);
        recorder.end();
        if (!fitTimeLabels(plot_->axisRect()->width())) {
            break;
        }
    }
    painter.save();
    painter.translate(target.topLeft());
    // A picture plays back at its physical size on the painter's device
    // (its dots-per-inch to the device's); the scale undoes that first.
    const QPaintDevice *device = painter.device();
    const double dpiX =
        device != nullptr ? static_cast<double>(device->logicalDpiX()) / picture.logicalDpiX() : 1;
    const double dpiY =
        device != nullptr ? static_cast<double>(device->logicalDpiY()) / picture.logicalDpiY() : 1;
    painter.scale(target.width() / (w * dpiX), target.height() / (h * dpiY));
    painter.drawPicture(0, 0, picture);
    painter.restore();
    applyMargins(plot_->height());
    replotNow();
}

QImage QcpChartDevice::renderImage(int width, int height)
{
    QImage image(std::max(1, width), std::max(1, height), QImage::Format_ARGB32_Premultiplied);
    if (valuesDirty_) {
        pushValues();
    }
    applyMargins(image.height());
    for (int pass = 0; pass < 2; ++pass) {
        image.fill(Qt::white);
        {
            QCPPainter painter(&image);
            painter.setMode(QCPPainter::pmNoCaching);
            plot_->toPainter(&painter, image.width(), image.height());
        }
        if (!fitTimeLabels(plot_->axisRect()->width())) {
            break;
        }
    }
    if (width != plot_->width() || height != plot_->height()) {
        // Back to the widget's own layout for the mouse conversions.
        applyMargins(plot_->height());
        replotNow();
    }
    return image;
}
