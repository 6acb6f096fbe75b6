#include "fake_chart_device.h"

#include <limits>

#include <cmath>

namespace {
QString colorText(const ChartColor &c)
{
    return QStringLiteral("%1,%2,%3").arg(c.r).arg(c.g).arg(c.b);
}
} // namespace

void FakeChartDevice::setVisible(bool visible)
{
    visible_ = visible;
    log(QStringLiteral("setVisible(%1)").arg(visible));
}

void FakeChartDevice::clearData()
{
    values_.clear();
    points_ = 0;
    legends_.clear();
    labels_.clear();
    bands_.clear();
    boxes_.clear();
    log(QStringLiteral("clearData()"));
}

void FakeChartDevice::openData(int series, int points)
{
    open_ = true;
    points_ = points;
    values_.assign(static_cast<size_t>(std::max(series, 0)),
                   std::vector<double>(static_cast<size_t>(std::max(points, 0)),
                                       std::numeric_limits<double>::quiet_NaN()));
    log(QStringLiteral("openData(%1,%2)").arg(series).arg(points));
}

void FakeChartDevice::setValue(int series, int point, double value)
{
    ++setValueCalls;
    if (series < 0 || series >= seriesCount() || point < 0 || point >= points_) {
        log(QStringLiteral("setValue out of range(%1,%2)").arg(series).arg(point));
        return;
    }
    values_[static_cast<size_t>(series)][static_cast<size_t>(point)] = value;
}

void FakeChartDevice::closeData()
{
    open_ = false;
    log(QStringLiteral("closeData()"));
}

double FakeChartDevice::value(int series, int point) const
{
    if (series < 0 || series >= seriesCount() || point < 0 || point >= points_) {
        return 0;
    }
    return values_[static_cast<size_t>(series)][static_cast<size_t>(point)];
}

void FakeChartDevice::setSeriesLegend(int series, const QString &text)
{
    legends_[series] = text;
    log(QStringLiteral("setSeriesLegend(%1,%2)").arg(series).arg(text));
}

QString FakeChartDevice::seriesLegend(int series) const
{
    const auto it = legends_.find(series);
    return it == legends_.end() ? QString() : it->second;
}

void FakeChartDevice::setValueAxisTitle(const QString &title)
{
    axisTitle_ = title;
    log(QStringLiteral("setValueAxisTitle(%1)").arg(title));
}

void FakeChartDevice::setValueAxisMin(double v)
{
    axisMin_ = v;
    log(QStringLiteral("setValueAxisMin(%1)").arg(v));
}

void FakeChartDevice::setValueAxisMax(double v)
{
    axisMax_ = v;
    log(QStringLiteral("setValueAxisMax(%1)").arg(v));
}

void FakeChartDevice::setTimeLabelFont(const ChartFont &font)
{
    labelFont_ = font;
    log(QStringLiteral("setTimeLabelFont(%1,%2,%3,%4)")
            .arg(font.name)
            .arg(font.points)
            .arg(font.bold)
            .arg(colorText(font.color)));
}

void FakeChartDevice::setTimeLabelStep(int step)
{
    labelStep_ = step;
    log(QStringLiteral("setTimeLabelStep(%1)").arg(step));
}

void FakeChartDevice::setTimeLabel(int label, const QString &text)
{
    labels_[label] = text;
    log(QStringLiteral("setTimeLabel(%1,%2)").arg(label).arg(text));
}

QStringList FakeChartDevice::labels() const
{
    QStringList out;
    if (labels_.empty()) {
        return out;
    }
    for (int j = 0; j <= labels_.rbegin()->first; ++j) {
        const auto it = labels_.find(j);
        out << (it == labels_.end() ? QString() : it->second);
    }
    return out;
}

void FakeChartDevice::addBand(int fromPoint, int toPoint, const ChartColor &color)
{
    bands_.push_back({fromPoint, toPoint, color});
    log(QStringLiteral("addBand(%1,%2,%3)").arg(fromPoint).arg(toPoint).arg(colorText(color)));
}

void FakeChartDevice::removeBands()
{
    bands_.clear();
    log(QStringLiteral("removeBands()"));
}

void FakeChartDevice::setMargins(int first, int second)
{
    marginFirst_ = first;
    marginSecond_ = second;
    log(QStringLiteral("setMargins(%1,%2)").arg(first).arg(second));
}

void FakeChartDevice::removeAllBoxes()
{
    boxes_.clear();
    log(QStringLiteral("removeAllBoxes()"));
}

int FakeChartDevice::addBox(const ChartBox &box)
{
    boxes_.push_back(box);
    log(QStringLiteral("addBox(%1)").arg(boxes_.size() - 1));
    return static_cast<int>(boxes_.size()) - 1;
}

ChartBox FakeChartDevice::box(int index) const
{
    if (index < 0 || index >= boxCount()) {
        return {};
    }
    return boxes_[static_cast<size_t>(index)];
}

void FakeChartDevice::setBox(int index, const ChartBox &box)
{
    log(QStringLiteral("setBox(%1)").arg(index));
    if (index >= 0 && index < boxCount()) {
        boxes_[static_cast<size_t>(index)] = box;
    }
}

void FakeChartDevice::removeBox(int index)
{
    removedBoxes.push_back(index);
    log(QStringLiteral("removeBox(%1)").arg(index));
    if (index >= 0 && index < boxCount()) {
        boxes_.erase(boxes_.begin() + index);
    }
}

void FakeChartDevice::setAnnotationEditing(bool on)
{
    editing_ = on;
    log(QStringLiteral("setAnnotationEditing(%1)").arg(on));
}

bool FakeChartDevice::pixelToValue(int x, int y, double &point, double &value) const
{
    point = (x - x0_) / pxPerPoint_;
    value = (y0_ - y) / pxPerValue_;
    return insideChart;
}

void FakeChartDevice::setToolbarColor(const ChartColor &color)
{
    toolbar_.color = color;
    log(QStringLiteral("setToolbarColor(%1)").arg(colorText(color)));
}

void FakeChartDevice::setToolbarButtonVisible(int position, bool visible)
{
    toolbar_.buttonVisible[position] = visible;
    log(QStringLiteral("setToolbarButtonVisible(%1,%2)").arg(position).arg(visible));
}

void FakeChartDevice::setToolbarButtonCommand(int position, int command)
{
    toolbar_.buttonCommand[position] = command;
    log(QStringLiteral("setToolbarButtonCommand(%1,%2)").arg(position).arg(command));
}

void FakeChartDevice::addCommand(int command, int picture, const QString &text)
{
    commands_[command] = {picture, text};
    log(QStringLiteral("addCommand(%1,%2,%3)").arg(command).arg(picture).arg(text));
}

void FakeChartDevice::setCommandText(int command, const QString &text)
{
    commands_[command].text = text;
    log(QStringLiteral("setCommandText(%1,%2)").arg(command).arg(text));
}

void FakeChartDevice::insertToolbarButton(int position, int command)
{
    toolbar_.inserted.push_back(position);
    toolbar_.buttonCommand[position] = command;
    log(QStringLiteral("insertToolbarButton(%1,%2)").arg(position).arg(command));
}

void FakeChartDevice::removeToolbarButton(int position)
{
    toolbar_.removed.push_back(position);
    log(QStringLiteral("removeToolbarButton(%1)").arg(position));
}

void FakeChartDevice::addTypeFlag(uint32_t flag)
{
    typeFlags_ |= flag;
    log(QStringLiteral("addTypeFlag(%1)").arg(flag, 0, 16));
}

void FakeChartDevice::toggleStyleFlag(uint32_t flag)
{
    styleFlags_ ^= flag;
    log(QStringLiteral("toggleStyleFlag(%1)").arg(flag, 0, 16));
}

void FakeChartDevice::setBackgroundColor(const ChartColor &color)
{
    background_ = color;
    log(QStringLiteral("setBackgroundColor(%1)").arg(colorText(color)));
}

bool FakeChartDevice::print(PrinterDevice &)
{
    ++printCount_;
    log(QStringLiteral("print()"));
    return true;
}

bool FakeChartDevice::saveFile(const QString &path)
{
    savedFiles << path;
    log(QStringLiteral("saveFile(%1)").arg(path));
    return true;
}

bool FakeChartDevice::importFile(const QString &path)
{
    importedFiles << path;
    log(QStringLiteral("importFile(%1)").arg(path));
    return true;
}

void FakeChartDevice::setMapping(double x0, double pixelsPerPoint, double y0, double pixelsPerValue)
{
    x0_ = x0;
    pxPerPoint_ = pixelsPerPoint;
    y0_ = y0;
    pxPerValue_ = pixelsPerValue;
}

int FakeChartDevice::xOf(double point, double fraction) const
{
    return static_cast<int>(std::lround(x0_ + (point + fraction) * pxPerPoint_));
}

int FakeChartDevice::yOf(double value) const
{
    return static_cast<int>(std::lround(y0_ - value * pxPerValue_));
}

void FakeChartDevice::move(int x, int y)
{
    if (listener_ != nullptr) {
        listener_->chartMouseMove(x, y);
    }
}

void FakeChartDevice::press(int x, int y)
{
    if (listener_ != nullptr) {
        listener_->chartMousePress(x, y);
    }
}

void FakeChartDevice::release(int x, int y)
{
    if (listener_ != nullptr) {
        listener_->chartMouseRelease(x, y);
    }
}

void FakeChartDevice::command(int number)
{
    if (listener_ != nullptr) {
        listener_->chartUserCommand(number);
    }
}

void FakeChartDevice::drag(int x1, int y1, int x2, int y2)
{
    move(x1, y1);
    press(x1, y1);
    move(x2, y2);
    release(x2, y2);
}

bool FakeChartDevice::buttonVisible(int position) const
{
    const auto it = toolbar_.buttonVisible.find(position);
    return it == toolbar_.buttonVisible.end() || it->second;
}

QStringList FakeChartDevice::callsSince(const QString &name) const
{
    for (qsizetype i = calls.size() - 1; i >= 0; --i) {
        if (calls[i].startsWith(name)) {
            return calls.mid(i);
        }
    }
    return {};
}

void FakeChartDevice::clearLog()
{
    calls.clear();
    setValueCalls = 0;
    removedBoxes.clear();
}
