// The chart control: a QCustomPlot with a toolbar of its own.
//
// Chart units. Text boxes and the two margins are given in a fixed space of
// 1000 x 450 units that covers the whole plot widget (below the toolbar),
// origin top left: unit x lies at x * width / 1000 pixels, unit y at
// y * height / 450 pixels. Boxes therefore keep their place relative to the
// chart whatever size it is shown, printed or saved as a picture at.
//
// Margins. The first margin is the room above the plot area, the second the
// room below it (the time-axis labels and the caption boxes live there), both
// in vertical chart units. The value axis, its title and the legend take the
// room they need on the left and right.
//
// Toolbar. Buttons are numbered by position; each runs a command number. The
// chart's own commands are listed below; every other number (100 and 101 among
// them) is reported to the listener's chartUserCommand.
#pragma once

#include "platform/chart_device.h"
#include "platform/chart_file.h"

#include <QPointer>
#include <QVector>
#include <QWidget>
#include <map>
#include <vector>

class ChartBoxItem;
class Dialogs;
class QAction;
class QCPGraph;
class QCPItemRect;
class QCPLayoutGrid;
class QCustomPlot;
class QImage;
class QMouseEvent;
class QPainter;
class QPlainTextEdit;
class QToolBar;

class QcpChartDevice : public QWidget, public ChartDevice {
    Q_OBJECT
public:
    static constexpr double kUnitsWide = 1000;
    static constexpr double kUnitsHigh = 450;
    // Width, in pixels, the chart is laid out at for printing and vector output.
    static constexpr int kRenderWidth = 1000;
    // Widest legend text, in pixels; longer names are cut in the middle.
    static constexpr int kLegendTextMaxPx = 120;

    // The chart's own toolbar commands.
    static constexpr int kCopyCommand = 29440;       // copies the chart as a picture
    static constexpr int kLegendCommand = 29441;     // legend on/off
    static constexpr int kGridCommand = 29442;       // horizontal grid lines on/off
    static constexpr int kThickLinesCommand = 29444; // thin/thick curves
    static constexpr int kMonochromeCommand = 29445; // coloured/black curves
    static constexpr int kTimeGridCommand = 29446;   // vertical grid lines on/off
    // Default toolbar button that asks the program to save a chart file.
    static constexpr int kSaveChartCommand = 100;

    explicit QcpChartDevice(QWidget *parent = nullptr);
    ~QcpChartDevice() override;

    // ChartDevice
    void setVisible(bool visible) override;
    bool isVisible() const override;
    void clearData() override;
    void openData(int series, int points) override;
    void setValue(int series, int point, double value) override;
    void closeData() override;
    int seriesCount() const override;
    int pointCount() const override;
    double value(int series, int point) const override;
    void setSeriesLegend(int series, const QString &text) override;
    QString seriesLegend(int series) const override;
    void setValueAxisTitle(const QString &title) override;
    QString valueAxisTitle() const override;
    void setValueAxisMin(double v) override;
    void setValueAxisMax(double v) override;
    double valueAxisMin() const override;
    double valueAxisMax() const override;
    void setTimeLabelFont(const ChartFont &font) override;
    void setTimeLabelStep(int step) override;
    void setTimeLabel(int label, const QString &text) override;
    void addBand(int fromPoint, int toPoint, const ChartColor &color) override;
    void removeBands() override;
    void setMargins(int first, int second) override;
    void removeAllBoxes() override;
    int addBox(const ChartBox &box) override;
    int boxCount() const override;
    ChartBox box(int index) const override;
    void setBox(int index, const ChartBox &box) override;
    void removeBox(int index) override;
    void setAnnotationEditing(bool on) override;
    bool pixelToValue(int x, int y, double &point, double &value) const override;
    bool markingEdges(int &left, int &right) const override;
    void setListener(ChartListener *listener) override;
    void setCursor(ChartCursor cursor) override;
    using QWidget::setCursor;
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

    // The printer and dialogs the toolbar's print command uses.
    void setPrintServices(PrinterDevice *printer, Dialogs *dialogs);

    // Applies pending changes and redraws at once (normally the redraw waits
    // for the event loop, so that a whole plot costs one drawing).
    void replotNow();
    // The chart drawn at a given size, as a picture.
    QImage renderImage(int width, int height);
    // Draws the chart into the rectangle of any painter (printer, PDF,
    // picture), laid out at `layoutWidth` pixels across (the height in the
    // target's proportion) and scaled into the target. A layout as wide in
    // pixels as the target is in 96ths of an inch prints fonts at their size.
    void renderTo(QPainter &painter, const QRectF &target, int layoutWidth = kRenderWidth);
    // Runs a toolbar command as if its button was pressed.
    void runCommand(int command);

    // Inspection, for the program's tests and tools.
    QCustomPlot *plot() const { return plot_; }
    QToolBar *toolbar() const { return toolbar_; }
    QPlainTextEdit *noteEditor() const { return editor_; }
    const ChartContent &content() const { return content_; }
    int toolbarButtonCount() const { return static_cast<int>(buttons_.size()); }
    int toolbarButtonCommand(int position) const;
    bool toolbarButtonVisible(int position) const;
    QAction *toolbarAction(int position) const;
    QString commandText(int command) const;
    uint32_t typeFlags() const { return content_.typeFlags; }
    uint32_t styleFlags() const { return content_.styleFlags; }
    ChartColor toolbarColor() const { return content_.toolbarColor; }
    ChartCursor chartCursor() const { return cursor_; }
    // A box's place in pixels of the plot widget.
    QRectF boxPixelRect(int index) const;
    // Chart units to plot-widget pixels and back.
    QPointF unitsToPixels(double x, double y) const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Command {
        int picture = 0;
        QString text;
    };
    struct Button {
        int command = 0;
        bool visible = true;
    };

    void setupPlot();
    void setupToolbar();
    void rebuildToolbar();
    void applyContent(); // every QCustomPlot object from content_
    void rebuildGraphs();
    void pushValues();
    void applyLegends();
    void applyValueAxis();
    void applyTimeAxis();
    // Chooses one or two lines per time label, and which labels to draw, for
    // a plot area `axisWidthPx` wide, so that labels never run together.
    // True when the labels changed.
    bool fitTimeLabels(int axisWidthPx);
    QString timeLabelText(const QString &text) const;
    void showLegendTip(QMouseEvent *event);
    void rebuildBands();
    void rebuildBoxes();
    void applyMargins(int plotHeight);
    void applyCurveStyle();
    void applyBackground();
    void applyToolbarColor();
    void scheduleReplot();
    void beginEditing();
    void commitEditing();
    void placeEditor();
    void onMouse(QMouseEvent *event, int kind);
    void copyToClipboard();
    void printFromToolbar();

    QCustomPlot *plot_ = nullptr;
    QToolBar *toolbar_ = nullptr;
    QCPLayoutGrid *legendColumn_ = nullptr;
    QPlainTextEdit *editor_ = nullptr;

    ChartContent content_;
    QVector<double> keys_; // 0 .. points - 1
    std::vector<QCPGraph *> graphs_;
    std::vector<QCPItemRect *> bandItems_;
    std::vector<ChartBoxItem *> boxItems_;
    bool valuesDirty_ = false;
    bool visible_ = true;
    bool editingOn_ = false;
    int editingIndex_ = -1;
    bool thickLines_ = false;
    bool labelTwoLines_ = false;
    int labelEvery_ = 1;
    bool monochrome_ = false;

    std::map<int, Command> commands_;
    std::vector<Button> buttons_;

    ChartListener *listener_ = nullptr;
    ChartCursor cursor_ = ChartCursor::Arrow;
    PrinterDevice *printer_ = nullptr;
    Dialogs *dialogs_ = nullptr;
};
