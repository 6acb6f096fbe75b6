#include "platform/ui/qcp_chart_device.h"

#include "chart/ui/chart_wiring.h"
#include "platform/ui/qcp_chart_device_qcp.h"
#include "platform/ui/qt_printer_device.h"
#include "program/program.h"
#include "support/fake_dialogs.h"
#include "support/test_program.h"
#include "ui_test_app.h"

#include <QAction>
#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QPlainTextEdit>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <cmath>
#include <gtest/gtest.h>

namespace {

struct RecordingListener : ChartListener {
    void chartMouseMove(int x, int y) override { events << QStringLiteral("move %1 %2").arg(x).arg(y); }
    void chartMousePress(int x, int y) override { events << QStringLiteral("press %1 %2").arg(x).arg(y); }
    void chartMouseRelease(int x, int y) override { events << QStringLiteral("release %1 %2").arg(x).arg(y); }
    void chartUserCommand(int command) override { commands.push_back(command); }
    QStringList events;
    std::vector<int> commands;
};

constexpr int kPoints = 400;

double curve(int series, int point)
{
    return 40 + 10 * series + 8 * std::sin(point / 20.0);
}

class QcpChartDeviceTest : public ::testing::Test {
protected:
    QcpChartDeviceTest()
    {
        ensureUiTestApp();
        chart = std::make_unique<QcpChartDevice>();
        chart->resize(1000, 640);
        chart->show();
        chart->setListener(&listener);
    }

    // Three curves, labels, a band and the caption box, as a plot would draw them.
    static void fill(QcpChartDevice &c)
    {
        c.openData(3, kPoints);
        for (int s = 0; s < 3; ++s) {
            for (int p = 0; p < kPoints; ++p) {
                c.setValue(s, p, curve(s, p));
            }
        }
        c.setSeriesLegend(0, QStringLiteral("Max"));
        c.setSeriesLegend(1, QStringLiteral("Average"));
        c.setSeriesLegend(2, QStringLiteral("Min"));
        c.setValueAxisTitle(QStringLiteral("AMPS"));
        c.setValueAxisMin(20);
        c.setValueAxisMax(80);
        c.setTimeLabelFont(ChartFont{QStringLiteral("arial"), 8, false, {}});
        c.setTimeLabelStep(50);
        for (int j = 0; j <= 8; ++j) {
            c.setTimeLabel(j, QStringLiteral("Jan 0%1 10:00").arg(j + 1));
        }
        c.closeData();
        c.addBand(100, 150, ChartColor{180, 220, 220});
        c.setMargins(20, 110);
        ChartBox caption;
        caption.left = 50;
        caption.top = 410;
        caption.width = 555;
        caption.height = 20;
        caption.text = QStringLiteral("File: C:\\data\\feeder.dat");
        caption.background = ChartColor{210, 210, 210};
        caption.framed = true;
        caption.fontSize = 10;
        c.addBox(caption);
        c.replotNow();
    }

    QCustomPlot *plot() const { return chart->plot(); }

    std::unique_ptr<QcpChartDevice> chart;
    RecordingListener listener;
    QTemporaryDir dir;
};

TEST_F(QcpChartDeviceTest, ValuesAndLegendsLandInTheGraphs)
{
    fill(*chart);
    ASSERT_EQ(plot()->graphCount(), 3);
    EXPECT_EQ(chart->seriesCount(), 3);
    EXPECT_EQ(chart->pointCount(), kPoints);
    for (int s = 0; s < 3; ++s) {
        const auto data = plot()->graph(s)->data();
        ASSERT_EQ(data->size(), kPoints);
        for (int p : {0, 17, kPoints - 1}) {
            EXPECT_DOUBLE_EQ(data->at(p)->key, p);
            EXPECT_DOUBLE_EQ(data->at(p)->value, curve(s, p));
            EXPECT_DOUBLE_EQ(chart->value(s, p), curve(s, p));
        }
    }
    EXPECT_EQ(plot()->graph(1)->name(), "Average");
    EXPECT_EQ(chart->seriesLegend(2), "Min");
    EXPECT_EQ(plot()->legend->itemCount(), 3);

    // Values outside the store change nothing; a new store starts unset.
    chart->setValue(3, 0, 1);
    chart->setValue(0, kPoints, 1);
    EXPECT_TRUE(std::isnan(chart->value(3, 0)));
    chart->openData(1, 5);
    chart->setValue(0, 2, 7.5);
    chart->closeData();
    ASSERT_EQ(plot()->graphCount(), 1);
    EXPECT_DOUBLE_EQ(plot()->graph(0)->data()->at(2)->value, 7.5);
    EXPECT_TRUE(std::isnan(chart->value(0, 3)));
}

TEST_F(QcpChartDeviceTest, ValueAxisKeepsItsFixedLimits)
{
    fill(*chart);
    chart->setValueAxisMax(50); // the curves rise above it
    chart->replotNow();
    EXPECT_DOUBLE_EQ(plot()->yAxis->range().lower, 20);
    EXPECT_DOUBLE_EQ(plot()->yAxis->range().upper, 50);
    EXPECT_EQ(plot()->yAxis->label(), "AMPS");
    EXPECT_EQ(chart->valueAxisMin(), 20);
    EXPECT_EQ(chart->valueAxisMax(), 50);
    // The time axis covers the points.
    EXPECT_DOUBLE_EQ(plot()->xAxis->range().lower, 0);
    EXPECT_DOUBLE_EQ(plot()->xAxis->range().upper, kPoints - 1);
}

TEST_F(QcpChartDeviceTest, TimeLabelsStandAtMultiplesOfTheStep)
{
    fill(*chart);
    chart->setTimeLabelFont(ChartFont{QStringLiteral("Arial"), 9, true, ChartColor{0, 0, 128}});
    auto ticker = plot()->xAxis->ticker().dynamicCast<QCPAxisTickerText>();
    ASSERT_TRUE(ticker);
    const QMap<double, QString> &ticks = ticker->ticks();
    ASSERT_EQ(ticks.size(), 9);
    for (int j = 0; j <= 8; ++j) {
        EXPECT_EQ(ticks.value(j * 50.0), QStringLiteral("Jan 0%1 10:00").arg(j + 1)) << j;
    }
    EXPECT_TRUE(plot()->xAxis->tickLabelFont().bold());
    EXPECT_DOUBLE_EQ(plot()->xAxis->tickLabelFont().pointSizeF(), 9);
    EXPECT_EQ(plot()->xAxis->tickLabelColor(), QColor(0, 0, 128));

    chart->setTimeLabelStep(10);
    ticker = plot()->xAxis->ticker().dynamicCast<QCPAxisTickerText>();
    EXPECT_EQ(ticker->ticks().value(80.0), "Jan 09 10:00");
}

TEST_F(QcpChartDeviceTest, TimeLabelsNeverRunTogether)
{
    fill(*chart);
    chart->setSeriesLegend(0, QString(80, QLatin1Char('x'))); // a long name takes no more room
    for (const int width : {420, 560, 800, 1000, 1400}) {
        chart->resize(width, 480);
        chart->replotNow();
        chart->replotNow(); // the second drawing sees the plot area of the first
        QCPAxis *axis = plot()->xAxis;
        const auto ticker = axis->ticker().dynamicCast<QCPAxisTickerText>();
        ASSERT_TRUE(ticker);
        const QFontMetricsF metrics(axis->tickLabelFont());
        double lastRight = -1e9;
        int drawn = 0;
        for (auto it = ticker->ticks().cbegin(); it != ticker->ticks().cend(); ++it) {
            const double x = axis->coordToPixel(it.key());
            if (x > axis->axisRect()->right() + 1) {
                continue; // past the plot area: not drawn
            }
            double half = 0;
            for (const QString &line : it.value().split(QLatin1Char('\n'))) {
                half = std::max(half, metrics.horizontalAdvance(line) / 2);
            }
            EXPECT_GT(x - half, lastRight) << width << " " << it.value().toStdString();
            lastRight = x + half;
            ++drawn;
        }
        EXPECT_GE(drawn, 3) << width;
        EXPECT_LE(plot()->legend->outerRect().width(), QcpChartDevice::kLegendTextMaxPx + 60);
    }
}

TEST_F(QcpChartDeviceTest, BandLiesBehindTheCurvesAndGoesAway)
{
    fill(*chart);
    QList<QCPItemRect *> bands;
    for (int i = 0; i < plot()->itemCount(); ++i) {
        if (auto *rect = qobject_cast<QCPItemRect *>(plot()->item(i))) {
            bands << rect;
        }
    }
    ASSERT_EQ(bands.size(), 1);
    EXPECT_LT(bands[0]->layer()->index(), plot()->layer("main")->index());
    EXPECT_EQ(bands[0]->brush().color(), QColor(180, 220, 220));
    // It spans the whole value range between its two points.
    const QRectF area = plot()->axisRect()->rect();
    EXPECT_NEAR(bands[0]->topLeft->pixelPosition().x(), plot()->xAxis->coordToPixel(100), 0.5);
    EXPECT_NEAR(bands[0]->bottomRight->pixelPosition().x(), plot()->xAxis->coordToPixel(150), 0.5);
    EXPECT_NEAR(bands[0]->topLeft->pixelPosition().y(), area.top(), 0.5);
    EXPECT_NEAR(bands[0]->bottomRight->pixelPosition().y(), area.bottom(), 1);
    // On the picture: band colour between the curves' values, white outside the band.
    const QImage image = chart->renderImage(plot()->width(), plot()->height());
    const int y = static_cast<int>(plot()->yAxis->coordToPixel(75));
    EXPECT_EQ(image.pixelColor(static_cast<int>(plot()->xAxis->coordToPixel(125)), y), QColor(180, 220, 220));
    EXPECT_EQ(image.pixelColor(static_cast<int>(plot()->xAxis->coordToPixel(300)), y), QColor(Qt::white));

    chart->removeBands();
    EXPECT_EQ(plot()->itemCount(), 1); // the caption box stays
}

TEST_F(QcpChartDeviceTest, BoxesArePlacedInChartUnitsAndReadBack)
{
    fill(*chart);
    ASSERT_EQ(chart->boxCount(), 1);
    const ChartBox caption = chart->box(0);
    EXPECT_EQ(caption.left, 50);
    EXPECT_EQ(caption.top, 410);
    EXPECT_EQ(caption.text, "File: C:\\data\\feeder.dat");
    EXPECT_TRUE(caption.framed);

    const double w = plot()->width();
    const double h = plot()->height();
    const QRectF r = chart->boxPixelRect(0);
    EXPECT_NEAR(r.left(), 50 * w / 1000, 0.01);
    EXPECT_NEAR(r.top(), 410 * h / 450, 0.01);
    EXPECT_NEAR(r.width(), 555 * w / 1000, 0.01);
    EXPECT_NEAR(r.height(), 20 * h / 450, 0.01);
    // Drawn below the plot area, in its grey, with a frame.
    EXPECT_GT(r.top(), plot()->axisRect()->rect().bottom());
    const QImage image = chart->renderImage(plot()->width(), plot()->height());
    EXPECT_EQ(image.pixelColor(static_cast<int>(r.right()) - 3, static_cast<int>(r.bottom()) - 3),
              QColor(210, 210, 210));
    bool frame = false;
    for (int y = static_cast<int>(r.top()) - 1; y <= static_cast<int>(r.top()) + 1; ++y) {
        frame = frame || image.pixelColor(static_cast<int>(r.center().x()), y) == QColor(Qt::black);
    }
    EXPECT_TRUE(frame);

    ChartBox note;
    note.left = 300;
    note.top = 200;
    note.width = 100;
    note.height = 50;
    note.text = QStringLiteral("second");
    note.transparent = true;
    EXPECT_EQ(chart->addBox(note), 1);
    note.text = QStringLiteral("changed");
    chart->setBox(1, note);
    EXPECT_EQ(chart->box(1).text, "changed");
    EXPECT_TRUE(chart->box(1).transparent);
    chart->removeBox(0);
    ASSERT_EQ(chart->boxCount(), 1);
    EXPECT_EQ(chart->box(0).text, "changed");
    chart->removeAllBoxes();
    EXPECT_EQ(chart->boxCount(), 0);
    EXPECT_EQ(plot()->itemCount(), 1); // the band
}

TEST_F(QcpChartDeviceTest, MarginsMakeRoomAboveAndBelowThePlotArea)
{
    fill(*chart);
    const double h = plot()->height();
    EXPECT_NEAR(plot()->axisRect()->top(), 20 * h / 450, 1);
    EXPECT_NEAR(h - plot()->axisRect()->bottom(), 110 * h / 450, 2);
    chart->setMargins(120, 100);
    chart->replotNow();
    EXPECT_NEAR(plot()->axisRect()->top(), 120 * h / 450, 1);
    EXPECT_NEAR(h - plot()->axisRect()->bottom(), 100 * h / 450, 2);
}

TEST_F(QcpChartDeviceTest, PixelToValueRoundTripsTheAxes)
{
    fill(*chart);
    for (double point : {0.0, 37.0, 250.0, 399.0}) {
        for (double value : {20.0, 47.5, 80.0}) {
            const int x = static_cast<int>(std::lround(plot()->xAxis->coordToPixel(point)));
            const int y = static_cast<int>(std::lround(plot()->yAxis->coordToPixel(value)));
            double p = -1;
            double v = -1;
            ASSERT_TRUE(chart->pixelToValue(x, y, p, v));
            EXPECT_NEAR(p, point, 1.0); // one pixel is less than one point here
            EXPECT_NEAR(v, value, 0.2);
        }
    }
    // Left of the plot area: points below 0; outside the widget: no answer.
    double p = 0;
    double v = 0;
    ASSERT_TRUE(chart->pixelToValue(2, 100, p, v));
    EXPECT_LT(p, 0);
    EXPECT_FALSE(chart->pixelToValue(-1, 100, p, v));
    EXPECT_FALSE(chart->pixelToValue(plot()->width(), 100, p, v));
}

TEST_F(QcpChartDeviceTest, MouseEventsReachTheListener)
{
    fill(*chart);
    QTest::mouseMove(plot(), QPoint(300, 200));
    QTest::mousePress(plot(), Qt::LeftButton, {}, QPoint(310, 210));
    QTest::mouseMove(plot(), QPoint(400, 220));
    QTest::mouseRelease(plot(), Qt::LeftButton, {}, QPoint(410, 230));
    EXPECT_TRUE(listener.events.contains("move 300 200"));
    EXPECT_TRUE(listener.events.contains("press 310 210"));
    EXPECT_TRUE(listener.events.contains("move 400 220"));
    EXPECT_EQ(listener.events.back(), "release 410 230");
    // The plot's own handling never moves the axes.
    EXPECT_DOUBLE_EQ(plot()->xAxis->range().lower, 0);
    EXPECT_DOUBLE_EQ(plot()->yAxis->range().lower, 20);

    chart->setCursor(ChartCursor::NoDrop);
    EXPECT_EQ(plot()->cursor().shape(), Qt::ForbiddenCursor);
    chart->setCursor(ChartCursor::Arrow);
    EXPECT_EQ(plot()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(QcpChartDeviceTest, NoteIsEditedInPlaceUntilAClickOutside)
{
    fill(*chart);
    ChartBox note;
    note.left = 300;
    note.top = 200;
    note.width = 100;
    note.height = 50;
    note.framed = true;
    note.text = QStringLiteral("Enter note here. Then click outside this box.");
    chart->addBox(note);
    chart->setAnnotationEditing(true);

    QPlainTextEdit *editor = chart->noteEditor();
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->geometry(), chart->boxPixelRect(1).toAlignedRect());
    EXPECT_EQ(editor->toPlainText(), note.text);
    // The prompt is selected, so typing replaces it.
    QTest::keyClicks(editor, QStringLiteral("Breaker"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::keyClicks(editor, QStringLiteral("opened"));

    QTest::mousePress(plot(), Qt::LeftButton, {}, QPoint(700, 100));
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(chart->box(1).text, "Breaker\r\nopened");
    EXPECT_EQ(chart->box(0).text, "File: C:\\data\\feeder.dat");
    EXPECT_TRUE(listener.events.contains("press 700 100"));

    // Switching editing off also keeps what was typed.
    chart->setAnnotationEditing(true);
    editor->setPlainText(QStringLiteral("third"));
    chart->setAnnotationEditing(false);
    EXPECT_EQ(chart->box(1).text, "third");
    EXPECT_FALSE(editor->isVisible());
}

TEST_F(QcpChartDeviceTest, ToolbarButtonsCanBeHiddenInsertedAndRenamed)
{
    ASSERT_EQ(chart->toolbarButtonCount(), 8);
    EXPECT_EQ(chart->toolbarButtonCommand(7), ChartDevice::kStandardPrintCommand);
    EXPECT_EQ(chart->toolbarButtonCommand(1), QcpChartDevice::kSaveChartCommand);

    // One-page mode: five buttons hidden, a print-on-one-page button at 7.
    for (int b : {0, 1, 2, 5, 7}) {
        chart->setToolbarButtonVisible(b, false);
    }
    chart->addCommand(101, 2, QStringLiteral("Print on one page"));
    chart->insertToolbarButton(7, 101);
    ASSERT_EQ(chart->toolbarButtonCount(), 9);
    EXPECT_EQ(chart->toolbarButtonCommand(7), 101);
    EXPECT_EQ(chart->toolbarButtonCommand(8), ChartDevice::kStandardPrintCommand);
    ASSERT_NE(chart->toolbarAction(7), nullptr);
    EXPECT_EQ(chart->toolbarAction(7)->text(), "Print on one page");
    EXPECT_TRUE(chart->toolbarAction(7)->isVisible());
    for (int b : {0, 1, 2, 5, 8}) {
        EXPECT_FALSE(chart->toolbarAction(b)->isVisible()) << b;
    }
    EXPECT_TRUE(chart->toolbarAction(3)->isVisible());

    chart->setCommandText(101, QStringLiteral("Print..."));
    EXPECT_EQ(chart->toolbarAction(7)->text(), "Print...");

    // Back to the standard toolbar.
    chart->removeToolbarButton(7);
    for (int b = 0; b < 8; ++b) {
        chart->setToolbarButtonVisible(b, true);
    }
    chart->setToolbarButtonCommand(7, ChartDevice::kStandardPrintCommand);
    ASSERT_EQ(chart->toolbarButtonCount(), 8);
    EXPECT_EQ(chart->toolbarButtonCommand(7), ChartDevice::kStandardPrintCommand);
    EXPECT_TRUE(chart->toolbarAction(7)->isVisible());
    EXPECT_EQ(chart->toolbar()->actions().size(), 8);

    chart->setToolbarColor(ChartColor{210, 210, 210});
    EXPECT_EQ(chart->toolbarColor(), (ChartColor{210, 210, 210}));
    EXPECT_TRUE(chart->toolbar()->styleSheet().contains("#d2d2d2"));
}

TEST_F(QcpChartDeviceTest, UserCommandsGoToTheListenerOwnCommandsStayInTheChart)
{
    fill(*chart);
    chart->addCommand(101, 2, QStringLiteral("Print on one page"));
    chart->insertToolbarButton(7, 101);
    chart->toolbarAction(7)->trigger();
    chart->toolbarAction(1)->trigger(); // save chart
    EXPECT_EQ(listener.commands, (std::vector<int>{101, 100}));

    const bool legend = plot()->legend->visible();
    chart->runCommand(QcpChartDevice::kLegendCommand);
    EXPECT_NE(plot()->legend->visible(), legend);
    chart->runCommand(QcpChartDevice::kGridCommand);
    EXPECT_FALSE(plot()->yAxis->grid()->visible());
    chart->runCommand(QcpChartDevice::kThickLinesCommand);
    EXPECT_EQ(plot()->graph(0)->pen().width(), 2);
    EXPECT_EQ(listener.commands.size(), 2U);
}

TEST_F(QcpChartDeviceTest, StandardPrintCommandPrintsThroughThePrinter)
{
    fill(*chart);
    const QString pdf = dir.filePath(QStringLiteral("toolbar.pdf"));
    QtPrinterDevice printer(pdf);
    FakeDialogs dialogs;
    chart->setPrintServices(&printer, &dialogs);

    dialogs.printerAnswers.push_back(false); // cancelled
    chart->toolbarAction(7)->trigger();
    EXPECT_EQ(dialogs.printerDialogs, 1);
    EXPECT_FALSE(QFile::exists(pdf));

    chart->toolbarAction(7)->trigger();
    EXPECT_EQ(dialogs.printerDialogs, 2);
    EXPECT_GT(QFileInfo(pdf).size(), 1000);
    EXPECT_TRUE(listener.commands.empty());
}

TEST_F(QcpChartDeviceTest, PrintsTheChartOnOnePageOfAPdf)
{
    fill(*chart);
    const QString pdf = dir.filePath(QStringLiteral("chart.pdf"));
    QtPrinterDevice printer(pdf);
    ASSERT_TRUE(chart->print(printer));
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF"));

    // Drawn as text, not as a picture: the axis title, labels and boxes can be read back.
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    ASSERT_TRUE(pdftotext.waitForFinished(30000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    for (const char *piece : {"AMPS", "Jan 01", "Jan 08", "10:00", "Average", "feeder.dat"}) {
        EXPECT_TRUE(text.contains(piece)) << piece << "\n" << text.toStdString();
    }
    EXPECT_EQ(text.count(QChar('\f')), 1); // one page

    // The report fills the page, and its 8-point labels print at 8 points
    // (a word's box is about 1.2 times the font size high).
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(pdftotext.waitForFinished(30000));
    const QString boxes = QString::fromUtf8(pdftotext.readAllStandardOutput());
    const QRegularExpression page(QStringLiteral("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\""));
    const QRegularExpression word(
        QStringLiteral("yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" yMax=\"([0-9.]+)\">([^<]*)<"));
    const auto pageMatch = page.match(boxes);
    ASSERT_TRUE(pageMatch.hasMatch());
    const double pageHeight = pageMatch.captured(2).toDouble();
    double top = pageHeight;
    double bottom = 0;
    for (auto it = word.globalMatch(boxes); it.hasNext();) {
        const auto m = it.next();
        top = std::min(top, m.captured(1).toDouble());
        bottom = std::max(bottom, m.captured(2).toDouble());
        if (m.captured(3) == QLatin1String("Jan")) {
            EXPECT_NEAR(m.captured(2).toDouble() - m.captured(1).toDouble(), 8 * 1.2, 1.5);
        }
    }
    EXPECT_GT(bottom - top, 0.5 * pageHeight);
}

TEST_F(QcpChartDeviceTest, OnePagePrintCanBePreviewedFirst)
{
    fill(*chart);
    const QString pdf = dir.filePath(QStringLiteral("previewed.pdf"));
    QtPrinterDevice printer(pdf);
    printer.setPreview(true);
    int pages = 0;
    printer.onPreviewShown = [&pages](QWidget *dialog) {
        auto *view = dialog->findChild<QPrintPreviewWidget *>();
        ASSERT_NE(view, nullptr);
        view->updatePreview();
        pages = view->pageCount();
        view->print();
        dialog->close();
    };
    ASSERT_TRUE(chart->print(printer));
    EXPECT_EQ(pages, 1);
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    ASSERT_TRUE(pdftotext.waitForFinished(30000));
    EXPECT_TRUE(pdftotext.readAllStandardOutput().contains("AMPS"));
}

TEST_F(QcpChartDeviceTest, SavedChartImportsWithTheSameContent)
{
    fill(*chart);
    chart->setValue(2, 5, std::nan("")); // a gap survives too
    chart->addTypeFlag(0x10000000U);
    chart->toggleStyleFlag(0x400);
    chart->setBackgroundColor(ChartColor{250, 250, 240});
    const QString path = dir.filePath(QStringLiteral("feeder.chd"));
    ASSERT_TRUE(chart->saveFile(path));

    QcpChartDevice other;
    other.resize(800, 500);
    ASSERT_TRUE(other.importFile(path));
    other.replotNow();
    ASSERT_EQ(other.seriesCount(), 3);
    ASSERT_EQ(other.pointCount(), kPoints);
    ASSERT_EQ(other.plot()->graphCount(), 3);
    for (int s = 0; s < 3; ++s) {
        EXPECT_EQ(other.seriesLegend(s), chart->seriesLegend(s));
        for (int p = 0; p < kPoints; ++p) {
            if (s == 2 && p == 5) {
                EXPECT_TRUE(std::isnan(other.value(s, p)));
            } else {
                ASSERT_DOUBLE_EQ(other.value(s, p), curve(s, p)) << s << " " << p;
            }
        }
        EXPECT_EQ(other.plot()->graph(s)->data()->size(), kPoints);
    }
    EXPECT_EQ(other.plot()->legend->itemCount(), 3);
    EXPECT_EQ(other.valueAxisTitle(), "AMPS");
    EXPECT_DOUBLE_EQ(other.plot()->yAxis->range().upper, 80);
    auto ticker = other.plot()->xAxis->ticker().dynamicCast<QCPAxisTickerText>();
    ASSERT_TRUE(ticker);
    EXPECT_EQ(ticker->ticks().value(400.0), "Jan 09 10:00");
    EXPECT_EQ(other.content().bands, chart->content().bands);
    ASSERT_EQ(other.boxCount(), 1);
    EXPECT_EQ(other.box(0).text, chart->box(0).text);
    EXPECT_EQ(other.box(0).background, (ChartColor{210, 210, 210}));
    EXPECT_EQ(other.content().marginBottom, 110);
    EXPECT_EQ(other.typeFlags(), 0x10000000U);
    EXPECT_EQ(other.styleFlags(), 0x400U);
    EXPECT_EQ(other.content().background, (ChartColor{250, 250, 240}));
}

TEST_F(QcpChartDeviceTest, ImportRefusesFilesThatAreNotChartFilesAndKeepsTheChart)
{
    fill(*chart);
    ASSERT_TRUE(chart->saveFile(dir.filePath(QStringLiteral("good.chd"))));
    QFile good(dir.filePath(QStringLiteral("good.chd")));
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    const QByteArray bytes = good.readAll();

    QByteArray wrongCount = bytes;
    wrongCount.replace("\"points\":400", "\"points\":401");
    const std::vector<std::pair<const char *, QByteArray>> files = {
        {"empty.chd", QByteArray()},
        {"recording.dat", QByteArray("\"\r\n\n\nKAA a   1234\r\n 12.3 45.6\x1a\"\r\n")},
        {"truncated.chd", bytes.left(bytes.size() / 2)},
        {"wrongcount.chd", wrongCount},
        {"nojson.chd", QByteArray(kChartFileMagic) + "\nnot json at all"},
        {"toomany.chd", QByteArray(kChartFileMagic) + "\n{\"points\":2000000000,\"series\":[]}"},
    };
    for (const auto &[name, content] : files) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        f.close();
        EXPECT_FALSE(chart->importFile(f.fileName())) << name;
    }
    EXPECT_FALSE(chart->importFile(dir.filePath(QStringLiteral("missing.chd"))));
    EXPECT_FALSE(chart->importFile(dir.path())); // a folder
    // The chart still shows what it showed.
    EXPECT_EQ(chart->seriesCount(), 3);
    EXPECT_EQ(chart->boxCount(), 1);
    EXPECT_DOUBLE_EQ(chart->value(1, 17), curve(1, 17));
}

TEST_F(QcpChartDeviceTest, ImportedMarginsAreKeptWithinHalfTheChart)
{
    fill(*chart);
    const QString path = dir.filePath(QStringLiteral("margins.chd"));
    ASSERT_TRUE(chart->saveFile(path));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QByteArray bytes = f.readAll();
    f.close();
    const QByteArray margins = "\"margins\":[20,110]";
    ASSERT_TRUE(bytes.contains(margins));
    bytes.replace(margins, "\"margins\":[-40,900]");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    ASSERT_TRUE(chart->importFile(path));
    EXPECT_EQ(chart->content().marginTop, 0);
    EXPECT_EQ(chart->content().marginBottom, kMaxChartMargin);
}

TEST_F(QcpChartDeviceTest, ClearDataRemovesWhatTheChartShows)
{
    fill(*chart);
    chart->clearData();
    chart->replotNow();
    EXPECT_EQ(chart->seriesCount(), 0);
    EXPECT_EQ(plot()->graphCount(), 0);
    EXPECT_EQ(plot()->legend->itemCount(), 0);
    EXPECT_EQ(chart->boxCount(), 0);
    EXPECT_EQ(plot()->itemCount(), 0);
    EXPECT_TRUE(chart->content().labels.empty());

    chart->setVisible(false);
    EXPECT_FALSE(chart->isVisible());
    chart->setVisible(true);
    EXPECT_TRUE(chart->isVisible());
}

TEST(ChartWiring, ChartsLiveInTheMainWindowAreasAndReachTheProgram)
{
    ensureUiTestApp();
    TestProgram tp;
    Program &p = tp.p();
    auto listener = std::make_shared<RecordingListener>();
    p.chart.interaction = listener;
    auto area1 = std::make_unique<QWidget>();
    auto area2 = std::make_unique<QWidget>();

    const ChartWidgets charts = wireCharts(p, area1.get(), area2.get());
    ASSERT_NE(charts.chart1, nullptr);
    ASSERT_NE(charts.chart2, nullptr);
    EXPECT_EQ(p.io.chart1, static_cast<ChartDevice *>(charts.chart1));
    EXPECT_EQ(p.io.chart2, static_cast<ChartDevice *>(charts.chart2));
    EXPECT_EQ(charts.chart1->parentWidget(), area1.get());
    EXPECT_TRUE(area1->layout()->indexOf(charts.chart1) >= 0);

    // Chart 1 reports its mouse to the program's chart handling.
    area1->resize(800, 500);
    area1->show();
    charts.chart1->replotNow();
    QTest::mousePress(charts.chart1->plot(), Qt::LeftButton, {}, QPoint(200, 150));
    EXPECT_EQ(listener->events, QStringList{QStringLiteral("press 200 150")});

    // When the window goes, the program no longer points at its charts.
    area1.reset();
    EXPECT_EQ(p.io.chart1, nullptr);
    EXPECT_NE(p.io.chart2, nullptr);
    area2.reset();
    EXPECT_EQ(p.io.chart2, nullptr);
}

} // namespace
