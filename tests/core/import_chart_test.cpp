#include "chart/import_chart.h"

#include "program/menu_items.h"
#include "program/program.h"
#include "support/fake_chart_device.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

namespace {

// A chart that refuses every file.
class RefusingChart : public FakeChartDevice {
public:
    bool importFile(const QString &path) override
    {
        FakeChartDevice::importFile(path);
        return false;
    }
};

class ImportChartTest : public ::testing::Test {
protected:
    void SetUp() override { useChart2(chart2); }

    void useChart2(FakeChartDevice &chart)
    {
        p().io.chart1 = &chart1;
        p().io.chart2 = &chart;
        installChartFileCommands(p());
        // A chart and its label on show, the zoom enabled, a selection active:
        // the state Import must leave behind.
        p().view.chart1Visible = true;
        chart1.setVisible(true);
        p().view.Label3 = {true, true, QStringLiteral("old")};
        p().menu.setEnabled(menu::kZoom, true);
        p().rec.gSelectFlag = true;
        p().rec.gWorkPath = QStringLiteral("before.dat");
    }

    Program &p() { return tp.p(); }

    TestProgram tp;
    FakeChartDevice chart1;
    FakeChartDevice chart2;
};

TEST_F(ImportChartTest, ShowsTheChosenFileInTheSecondChart)
{
    tp.settings.store.save(QStringLiteral("Directory"), QStringLiteral("default"),
                           QStringLiteral("/data/rdx"));
    const QString file = QStringLiteral("/data/rdx/feeder 7.chd");
    tp.dialogs.openAnswers.push_back(file);

    ASSERT_TRUE(p().runCommand(menu::kItemImport));

    ASSERT_EQ(tp.dialogs.openDirs, QStringList{QStringLiteral("/data/rdx")});
    EXPECT_EQ(tp.dialogs.openFilters, QStringList{QStringLiteral("data files (*.chd) | *.chd")});
    EXPECT_EQ(chart2.importedFiles, QStringList{file});
    // The old drawing is cleared before the file is read, then the chart is shown.
    const QStringList calls = chart2.calls;
    EXPECT_LT(calls.indexOf(QStringLiteral("clearData()")), calls.indexOf("importFile(" + file + ")"));
    EXPECT_TRUE(chart2.isVisible());
    EXPECT_TRUE(p().view.chart2Visible);
    EXPECT_EQ(chart2.toolbar().color, (ChartColor{210, 210, 210}));
    EXPECT_EQ(p().view.Label3.text, "Displaying " + file);
    EXPECT_TRUE(p().view.Label3.visible);
    EXPECT_EQ(p().rec.gWorkPath, file);
    EXPECT_FALSE(p().rec.gSelectFlag);
    EXPECT_FALSE(p().menu.enabled(menu::kZoom));
    // The recording chart is hidden while the imported one shows.
    EXPECT_FALSE(chart1.isVisible());
    EXPECT_FALSE(p().view.chart1Visible);
    EXPECT_TRUE(tp.dialogs.messages.empty());
}

TEST_F(ImportChartTest, WithoutDefaultDirectoryTheDialogStartsInItsOwnFolder)
{
    tp.dialogs.openAnswers.push_back(QStringLiteral("/tmp/a.chd"));
    p().runCommand(menu::kItemImport);
    ASSERT_EQ(tp.dialogs.openDirs.size(), 1);
    EXPECT_TRUE(tp.dialogs.openDirs.front().isEmpty());
    EXPECT_TRUE(chart2.isVisible());
}

TEST_F(ImportChartTest, CancelledDialogEndsSilentlyWithTheChartsHidden)
{
    tp.dialogs.openAnswers.push_back(std::nullopt);
    p().runCommand(menu::kItemImport);

    EXPECT_TRUE(chart2.importedFiles.isEmpty());
    EXPECT_FALSE(chart2.isVisible());
    EXPECT_FALSE(p().view.chart2Visible);
    EXPECT_FALSE(p().view.Label3.visible);
    EXPECT_EQ(p().rec.gWorkPath, "before.dat");
    EXPECT_TRUE(p().rec.gSelectFlag);
    EXPECT_TRUE(p().menu.enabled(menu::kZoom));
    EXPECT_TRUE(tp.dialogs.messages.empty());
}

TEST(ImportChartRefused, AFileTheChartCannotReadEndsSilently)
{
    TestProgram tp;
    RefusingChart chart2;
    FakeChartDevice chart1;
    Program &p = tp.p();
    p.io.chart1 = &chart1;
    p.io.chart2 = &chart2;
    installChartFileCommands(p);
    p.menu.setEnabled(menu::kZoom, true);
    p.rec.gSelectFlag = true;
    tp.dialogs.openAnswers.push_back(QStringLiteral("/tmp/not-a-chart.dat"));

    p.runCommand(menu::kItemImport);

    EXPECT_EQ(chart2.importedFiles, QStringList{QStringLiteral("/tmp/not-a-chart.dat")});
    EXPECT_FALSE(chart2.isVisible());
    EXPECT_FALSE(p.view.chart2Visible);
    EXPECT_FALSE(p.view.Label3.visible);
    EXPECT_TRUE(p.rec.gWorkPath.isEmpty());
    EXPECT_TRUE(p.rec.gSelectFlag);
    EXPECT_TRUE(p.menu.enabled(menu::kZoom));
    EXPECT_TRUE(tp.dialogs.messages.empty());
}

} // namespace
