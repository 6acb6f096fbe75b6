// The chart's toolbar, its own commands, flags and chart files.
#include "platform/ui/qcp_chart_device.h"

#include "platform/dialogs.h"
#include "platform/file_read.h"
#include "platform/file_write.h"
#include "platform/ui/qcp_chart_device_items.h"
#include "platform/ui/qt_printer_device.h"

#include "platform/ui/qcp_chart_device_qcp.h"
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QToolBar>
#include <QToolButton>

namespace {

constexpr int kDefaultButtons[] = {QcpChartDevice::kCopyCommand,       QcpChartDevice::kSaveChartCommand,
                                   QcpChartDevice::kLegendCommand,     QcpChartDevice::kGridCommand,
                                   QcpChartDevice::kThickLinesCommand, QcpChartDevice::kMonochromeCommand,
                                   QcpChartDevice::kTimeGridCommand,   ChartDevice::kStandardPrintCommand};

bool isOwnCommand(int command)
{
    switch (command) {
    case QcpChartDevice::kCopyCommand:
    case QcpChartDevice::kLegendCommand:
    case QcpChartDevice::kGridCommand:
    case QcpChartDevice::kThickLinesCommand:
    case QcpChartDevice::kMonochromeCommand:
    case QcpChartDevice::kTimeGridCommand:
    case ChartDevice::kStandardPrintCommand:
        return true;
    default:
        return false;
    }
}

} // namespace

void QcpChartDevice::setupToolbar()
{
    toolbar_->setMovable(false);
    toolbar_->setFloatable(false);
    toolbar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    commands_[kCopyCommand] = {0, tr("Copy")};
    commands_[kSaveChartCommand] = {1, tr("Save chart...")};
    commands_[kLegendCommand] = {3, tr("Legend")};
    commands_[kGridCommand] = {4, tr("Grid")};
    commands_[kThickLinesCommand] = {5, tr("Thick lines")};
    commands_[kMonochromeCommand] = {6, tr("Black && white")};
    commands_[kTimeGridCommand] = {7, tr("Time grid")};
    commands_[kStandardPrintCommand] = {2, tr("Print...")};
    for (int command : kDefaultButtons) {
        buttons_.push_back(Button{command, true});
    }
    rebuildToolbar();
}

void QcpChartDevice::rebuildToolbar()
{
    // Deleted later: a command may rebuild the toolbar from its own button.
    const QList<QAction *> old = toolbar_->actions();
    toolbar_->clear();
    for (QAction *action : old) {
        action->deleteLater();
    }
    for (const Button &button : buttons_) {
        const QString text = commandText(button.command);
        QAction *action = toolbar_->addAction(text.isEmpty() ? QString::number(button.command) : text);
        action->setToolTip(action->text().remove(QLatin1Char('&')));
        action->setData(button.command);
        action->setVisible(button.visible);
        const int command = button.command;
        connect(action, &QAction::triggered, this, [this, command] { runCommand(command); });
    }
}

QAction *QcpChartDevice::toolbarAction(int position) const
{
    const QList<QAction *> actions = toolbar_->actions();
    return position >= 0 && position < actions.size() ? actions[position] : nullptr;
}

int QcpChartDevice::toolbarButtonCommand(int position) const
{
    return position >= 0 && position < toolbarButtonCount() ? buttons_[static_cast<size_t>(position)].command
                                                            : -1;
}

bool QcpChartDevice::toolbarButtonVisible(int position) const
{
    return position >= 0 && position < toolbarButtonCount() &&
           buttons_[static_cast<size_t>(position)].visible;
}

QString QcpChartDevice::commandText(int command) const
{
    const auto it = commands_.find(command);
    return it == commands_.end() ? QString() : it->second.text;
}

void QcpChartDevice::setToolbarColor(const ChartColor &color)
{
    content_.toolbarColor = color;
    applyToolbarColor();
}

void QcpChartDevice::applyToolbarColor()
{
    toolbar_->setStyleSheet(QStringLiteral("QToolBar { background: %1; border: none; spacing: 2px; }")
                                .arg(toQColor(content_.toolbarColor).name()));
}

void QcpChartDevice::setToolbarButtonVisible(int position, bool visible)
{
    if (position < 0 || position >= toolbarButtonCount()) {
        return;
    }
    buttons_[static_cast<size_t>(position)].visible = visible;
    rebuildToolbar();
}

void QcpChartDevice::setToolbarButtonCommand(int position, int command)
{
    if (position < 0 || position >= toolbarButtonCount()) {
        return;
    }
    buttons_[static_cast<size_t>(position)].command = command;
    rebuildToolbar();
}

void QcpChartDevice::addCommand(int command, int picture, const QString &text)
{
    commands_[command] = Command{picture, text};
    rebuildToolbar();
}

void QcpChartDevice::setCommandText(int command, const QString &text)
{
    commands_[command].text = text;
    rebuildToolbar();
}

void QcpChartDevice::insertToolbarButton(int position, int command)
{
    position = std::clamp(position, 0, toolbarButtonCount());
    buttons_.insert(buttons_.begin() + position, Button{command, true});
    rebuildToolbar();
}

void QcpChartDevice::removeToolbarButton(int position)
{
    if (position < 0 || position >= toolbarButtonCount()) {
        return;
    }
    buttons_.erase(buttons_.begin() + position);
    rebuildToolbar();
}

void QcpChartDevice::runCommand(int command)
{
    if (!isOwnCommand(command)) {
        if (listener_ != nullptr) {
            listener_->chartUserCommand(command);
        }
        return;
    }
    switch (command) {
    case kCopyCommand:
        copyToClipboard();
        return;
    case kLegendCommand:
        plot_->legend->setVisible(!plot_->legend->visible());
        break;
    case kGridCommand:
        plot_->yAxis->grid()->setVisible(!plot_->yAxis->grid()->visible());
        break;
    case kTimeGridCommand:
        plot_->xAxis->grid()->setVisible(!plot_->xAxis->grid()->visible());
        break;
    case kThickLinesCommand:
        thickLines_ = !thickLines_;
        applyCurveStyle();
        break;
    case kMonochromeCommand:
        monochrome_ = !monochrome_;
        applyCurveStyle();
        break;
    default:
        printFromToolbar();
        return;
    }
    scheduleReplot();
}

void QcpChartDevice::copyToClipboard()
{
    QApplication::clipboard()->setImage(renderImage(plot_->width(), plot_->height()));
}

void QcpChartDevice::setPrintServices(PrinterDevice *printer, Dialogs *dialogs)
{
    printer_ = printer;
    dialogs_ = dialogs;
}

void QcpChartDevice::printFromToolbar()
{
    if (printer_ == nullptr) {
        return;
    }
    if (dialogs_ != nullptr && !dialogs_->printerDialog()) {
        return;
    }
    print(*printer_);
}

bool QcpChartDevice::print(PrinterDevice &printer)
{
    // The chart is drawn straight onto the Qt printer's page, as one
    // document of its own; another printer has no page to draw on.
    auto *qtPrinter = dynamic_cast<QtPrinterDevice *>(&printer);
    if (qtPrinter == nullptr) {
        return false;
    }
    commitEditing();
    // The one-page report fills the printable area, laid out at 96 pixels
    // to the inch of paper so that its text prints at its own size.
    const auto paint = [this](QPrinter &device) {
        QPainter painter;
        if (!painter.begin(&device)) {
            return false;
        }
        const QRectF page(0, 0, device.width(), device.height());
        constexpr double kLayoutDpi = 96;
        const int layoutWidth =
            static_cast<int>(std::lround(page.width() / device.logicalDpiX() * kLayoutDpi));
        renderTo(painter, page, layoutWidth);
        return painter.end();
    };
    if (qtPrinter->previewOn()) {
        qtPrinter->showPreview([&paint](QPrinter &device) { paint(device); });
        return true;
    }
    return paint(qtPrinter->printer());
}

// ---------------------------------------------------------------- flags and files

void QcpChartDevice::addTypeFlag(uint32_t flag)
{
    content_.typeFlags |= flag;
}

void QcpChartDevice::toggleStyleFlag(uint32_t flag)
{
    content_.styleFlags ^= flag;
}

bool QcpChartDevice::saveFile(const QString &path)
{
    commitEditing();
    return writeWholeFile(path, chartFileBytes(content_));
}

bool QcpChartDevice::importFile(const QString &path)
{
    // The longest file a full chart can make is far below this; anything
    // bigger is not one of ours.
    constexpr qint64 kMaxBytes = 256LL * 1024 * 1024;
    const std::optional<QByteArray> bytes = readRegularFile(path, kMaxBytes);
    if (!bytes) {
        return false;
    }
    std::optional<ChartContent> content = parseChartFile(*bytes);
    if (!content) {
        return false;
    }
    commitEditing();
    content_ = std::move(*content);
    keys_.resize(content_.points);
    for (int i = 0; i < content_.points; ++i) {
        keys_[i] = i;
    }
    applyContent();
    return true;
}
