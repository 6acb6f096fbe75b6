// Marking, zooming and the status-bar read-out on the real chart control,
// with mouse events delivered by Qt.
#include "chart/chart_commands.h"
#include "chart/chart_interaction.h"
#include "chart/displ_plot.h"
#include "platform/ui/qcp_chart_device.h"
#include "platform/ui/qcp_chart_device_items.h"
#include "platform/ui/qcp_chart_device_qcp.h"
#include "program/menu_items.h"
#include "program/program.h"
#include "recording/save.h"
#include "reports/open_recording.h"
#include "support/test_program.h"
#include "ui_test_app.h"
#include "window_picture.h"

#include <QFontMetricsF>
#include <QImage>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

namespace {

class ChartInteractionQtTest : public ::testing::Test {
protected:
    ChartInteractionQtTest()
    {
        ensureUiTestApp();
        chart = std::make_unique<QcpChartDevice>();
        chart->resize(900, 480);
        tp.p().io.chart1 = chart.get();
        installChartCommands(tp.p());
        chart->show();
        // An average recording of 60 values 10.0 .. 15.9 amperes.
        Recording &r = tp.p().rec;
        r.gInfo[0][kColMode] = "a";
        r.gInfo[0][kColStart] = "10:00  Jan 01, 24";
        r.gInfo[0][kColLast] = 59;
        r.gInfo[0][kColUnits] = "A";
        r.gInfo[0][kColPath] = "C:\\data\\feeder.dat";
        for (int i = 0; i < 60; ++i) {
            r.gValues[0][i] = static_cast<int16_t>(100 + i);
        }
        tp.p().runCommand(menu::kItemViewPlot);
        chart->replotNow();
        QTest::qWait(10);
    }

    // The pixel of the plot widget that converts to the middle of `point`
    // and to `value`, found through the chart's own conversion.
    QPoint pixelOf(double point, double value) const
    {
        QWidget *plot = chart->plot();
        int bestX = -1;
        int bestY = -1;
        double bestDx = 1e9;
        double bestDy = 1e9;
        for (int x = 0; x < plot->width(); ++x) {
            double pt = 0;
            double v = 0;
            if (chart->pixelToValue(x, plot->height() / 2, pt, v) && std::abs(pt - (point + 0.5)) < bestDx) {
                bestDx = std::abs(pt - (point + 0.5));
                bestX = x;
            }
        }
        for (int y = 0; y < plot->height(); ++y) {
            double pt = 0;
            double v = 0;
            if (chart->pixelToValue(bestX, y, pt, v) && std::abs(v - value) < bestDy) {
                bestDy = std::abs(v - value);
                bestY = y;
            }
        }
        return {bestX, bestY};
    }

    TestProgram tp;
    std::unique_ptr<QcpChartDevice> chart;
};

TEST_F(ChartInteractionQtTest, DragMarksAnAreaAndZoomShowsIt)
{
    QWidget *plot = chart->plot();
    const QPoint from = pixelOf(10, 12.5);
    const QPoint to = pixelOf(20, 12.5);
    ASSERT_GE(from.x(), 0);
    ASSERT_GT(to.x(), from.x());

    QTest::mouseMove(plot, from);
    EXPECT_EQ(tp.p().view.statusPanels[1].text, "12:30  Jan 01, 24");
    EXPECT_EQ(tp.p().view.statusPanels[2].text, "12");

    QTest::mousePress(plot, Qt::LeftButton, {}, from);
    QTest::mouseMove(plot, to);
    QTest::mouseRelease(plot, Qt::LeftButton, {}, to);
    EXPECT_EQ(tp.p().chart.gSelStart, 10);
    EXPECT_EQ(tp.p().chart.gSelEnd, 20);
    EXPECT_EQ(tp.p().chart.gSelEndText, "15:00  Jan 01, 24");
    EXPECT_TRUE(tp.p().menu.enabled(menu::kZoom));
    EXPECT_TRUE(chart->isVisible());
    EXPECT_EQ(chart->box(plot::kSelectionBoxIndex).text,
              "Selected:   12:30  Jan 01, 24   to   15:00  Jan 01, 24");

    tp.p().runCommand(menu::kZoom);
    chart->replotNow();
    EXPECT_EQ(tp.p().rec.gDatastart, 10);
    EXPECT_EQ(tp.p().rec.gdataend, 20);
    EXPECT_EQ(chart->pointCount(), 11);
    EXPECT_DOUBLE_EQ(chart->value(0, 0), 11.0);
}

TEST_F(ChartInteractionQtTest, MovingBelowTheAxisShowsTheNoDropPointer)
{
    QWidget *plot = chart->plot();
    const QPoint inside = pixelOf(5, 12.5);
    QTest::mouseMove(plot, inside);
    EXPECT_EQ(chart->chartCursor(), ChartCursor::Arrow);
    EXPECT_EQ(plot->cursor().shape(), Qt::ArrowCursor);
    // The bottom rows of the plot (time labels, caption) are below the value axis.
    const QPoint below(inside.x(), plot->height() - 3);
    double pt = 0;
    double v = 0;
    ASSERT_TRUE(chart->pixelToValue(below.x(), below.y(), pt, v));
    ASSERT_LT(v, chart->valueAxisMin() - 1);
    QTest::mouseMove(plot, below);
    EXPECT_EQ(chart->chartCursor(), ChartCursor::NoDrop);
    EXPECT_EQ(plot->cursor().shape(), Qt::ForbiddenCursor);
    EXPECT_EQ(tp.p().view.statusPanels[1].text, "");
}

TEST_F(ChartInteractionQtTest, ADragReleasedPastTheLastValueMarksToTheEnd)
{
    // Wider and then narrower than at first: the limits follow the plot area.
    for (const QSize size : {QSize(1200, 600), QSize(700, 420)}) {
        chart->resize(size);
        chart->replotNow();
        QTest::qWait(10);
        QWidget *plot = chart->plot();
        int left = 0;
        int right = 0;
        ASSERT_TRUE(chart->markingEdges(left, right));
        const QPoint from = pixelOf(30, 12.5);
        // Past the last value, over the legend column.
        const QPoint past(right - 2, from.y());
        QTest::mouseMove(plot, from);
        QTest::mousePress(plot, Qt::LeftButton, {}, from);
        QTest::mouseMove(plot, past);
        EXPECT_EQ(chart->chartCursor(), ChartCursor::Arrow);
        QTest::mouseRelease(plot, Qt::LeftButton, {}, past);
        EXPECT_EQ(tp.p().chart.gSelStart, 30) << size.width();
        EXPECT_EQ(tp.p().chart.gSelEnd, 59) << size.width();
        EXPECT_EQ(tp.p().chart.gSelEndText, "00:45  Jan 02, 24");
        // The "Selected:" box as drawn is wide enough for its line of text.
        chart->replotNow();
        const ChartBoxItem *drawn = nullptr;
        for (int i = 0; i < chart->plot()->itemCount(); ++i) {
            const auto *item = dynamic_cast<ChartBoxItem *>(chart->plot()->item(i));
            if (item != nullptr && item->box().text.startsWith("Selected:")) {
                drawn = item;
            }
        }
        ASSERT_NE(drawn, nullptr);
        const QFontMetricsF metrics(QFont("Arial", drawn->box().fontSize));
        EXPECT_GE(drawn->pixelRect().width(), metrics.horizontalAdvance(drawn->box().text) + 8)
            << size.width();
        EXPECT_LE(drawn->pixelRect().right(), chart->plot()->width());
    }
}

TEST_F(ChartInteractionQtTest, ReadOutAndMarkingWorkAtAScaleAboveTheData)
{
    tp.dialogs.inputAnswers.push_back("500");
    tp.p().runCommand(menu::kItemScale);
    chart->replotNow();
    EXPECT_DOUBLE_EQ(chart->valueAxisMin(), 500.0);
    QWidget *plot = chart->plot();
    const QPoint from = pixelOf(10, 520);
    const QPoint to = pixelOf(20, 520);
    QTest::mouseMove(plot, from);
    EXPECT_EQ(tp.p().view.statusPanels[1].text, "12:30  Jan 01, 24");
    QTest::mousePress(plot, Qt::LeftButton, {}, from);
    QTest::mouseMove(plot, to);
    QTest::mouseRelease(plot, Qt::LeftButton, {}, to);
    EXPECT_EQ(tp.p().chart.gSelEnd, 20);
}

TEST_F(ChartInteractionQtTest, ARecordingOfOneValueIsDrawnAsADot)
{
    Recording &r = tp.p().rec;
    r.gInfo[0][kColLast] = 0;
    tp.p().runCommand(menu::kItemViewPlot);
    chart->replotNow();
    ASSERT_EQ(chart->pointCount(), 1);
    EXPECT_EQ(chart->plot()->graph(0)->scatterStyle().shape(), QCPScatterStyle::ssDisc);
    const QImage image = chart->renderImage(chart->plot()->width(), chart->plot()->height());
    const QPoint dot(static_cast<int>(chart->plot()->xAxis->coordToPixel(0)),
                     static_cast<int>(chart->plot()->yAxis->coordToPixel(10.0)));
    // Some pixel near the dot carries the curve's colour, not the background.
    bool drawn = false;
    for (int dx = -4; dx <= 4 && !drawn; ++dx) {
        for (int dy = -4; dy <= 4 && !drawn; ++dy) {
            const QColor c = image.pixelColor(dot.x() + dx, dot.y() + dy);
            drawn = c.blue() > 150 && c.red() < 100;
        }
    }
    EXPECT_TRUE(drawn);
}

// A recording file of two days of 15-minute readings with a daily load
// curve, written the way Save As writes one.
QString writeGeneratedRecording(TestProgram &tp, const QString &name, double base, double swing)
{
    Recording r;
    r.gInfo[0][kColMode] = "a";
    r.gInfo[0][kColHeader] =
        QStringLiteral("K1Aa   %1").arg(name.size() * 1111).leftJustified(30, ' ') + "01-03-24 09:45";
    r.gInfo[0][kColFormat] = "T";
    r.gInfo[0][kColRange] = "HIGH";
    r.gInfo[0][kColStart] = "10:00  Jan 01, 24";
    for (int i = 0; i < 192; ++i) {
        const double hour = 10 + i * 0.25;
        r.gValues[0][i] = static_cast<int16_t>(
            10 * std::lround(base + swing * std::sin((hour - 9) / 24 * 2 * M_PI) + (i % 7 == 0 ? 6 : 0)));
    }
    const QString path = tp.path(name);
    EXPECT_TRUE(writeRecordingFile(path, saveAsText(r, 0, 0, 191, "01-03-24 09:45")));
    return path;
}

// The chart as drawn now, in memory.
QImage pictureOf(QcpChartDevice &chart)
{
    chart.replotNow();
    return chart.renderImage(1000, 450).convertToFormat(QImage::Format_RGB32);
}

int pixelsOfColour(const QImage &picture, QColor colour)
{
    int n = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            n += picture.pixelColor(x, y) == colour ? 1 : 0;
        }
    }
    return n;
}

TEST(ChartLook, ThreeRecordingsMarkedZoomedAnnotatedAndOnOnePage)
{
    ensureUiTestApp();
    TestProgram tp;
    QcpChartDevice chart;
    chart.resize(1000, 480);
    tp.p().io.chart1 = &chart;
    installChartCommands(tp.p());
    chart.show();
    for (const auto &[name, base, swing] :
         {std::tuple{"north.dat", 120.0, 60.0}, std::tuple{"east.dat", 90.0, 40.0},
          std::tuple{"south.dat", 60.0, 25.0}}) {
        ASSERT_TRUE(openRecordingFile(tp.p(), writeGeneratedRecording(tp, name, base, swing))) << name;
    }
    ASSERT_EQ(tp.p().rec.openCount(), 3);
    tp.p().runCommand(menu::kItemViewPlot);
    ASSERT_EQ(chart.seriesCount(), 3);
    EXPECT_EQ(chart.seriesLegend(2), "south.dat");
    const QImage plotted = pictureOf(chart);

    // Mark points 40 to 100 with the mouse.
    chart.replotNow();
    QWidget *plot = chart.plot();
    auto xOf = [&](double point) {
        for (int x = 0; x < plot->width(); ++x) {
            double pt = 0;
            double v = 0;
            if (chart.pixelToValue(x, plot->height() / 2, pt, v) && pt >= point + 0.5) {
                return x;
            }
        }
        return -1;
    };
    const int y = plot->height() / 2;
    QTest::mouseMove(plot, QPoint(xOf(40), y));
    QTest::mousePress(plot, Qt::LeftButton, {}, QPoint(xOf(40), y));
    QTest::mouseMove(plot, QPoint(xOf(100), y));
    QTest::mouseRelease(plot, Qt::LeftButton, {}, QPoint(xOf(100), y));
    EXPECT_EQ(tp.p().chart.gSelStart, 40);
    EXPECT_EQ(tp.p().chart.gSelEnd, 100);
    // The marked area is drawn as a band over the plot.
    const QImage marked = pictureOf(chart);
    const QColor band(180, 220, 220);
    EXPECT_EQ(pixelsOfColour(plotted, band), 0);
    EXPECT_GT(pixelsOfColour(marked, band), 1000);

    tp.p().runCommand(menu::kZoom);
    EXPECT_EQ(chart.pointCount(), 61);
    const QImage zoomed = pictureOf(chart);
    EXPECT_GT(differingPixels(marked, zoomed), 0);

    tp.p().runCommand(menu::kItemadd);
    EXPECT_EQ(chart.boxCount(), 4);
    const QImage noted = pictureOf(chart);
    EXPECT_GT(differingPixels(zoomed, noted), 0);

    tp.p().runCommand(menu::kItemOnepgPlot);
    EXPECT_TRUE(tp.p().chart.gOnePageFlag);
    EXPECT_TRUE(chart.box(plot::kSiteBox).text.contains("File Data:  N/A"));
    EXPECT_GT(differingPixels(noted, pictureOf(chart)), 0);
}

} // namespace
