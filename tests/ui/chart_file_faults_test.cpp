// Save chart on the real chart control under disk faults: the earlier chart
// file stays byte for byte, no scratch file is left, one message names the
// path and the chart and menus stay as they were. The write runs in a forked
// child (support/disk_faults.h) that only writes and reports.
#include "chart/chart_commands.h"
#include "platform/file_write.h"
#include "platform/ui/qcp_chart_device.h"
#include "program/menu_items.h"
#include "program/program.h"
#include "support/disk_faults.h"
#include "support/test_program.h"
#include "ui_test_app.h"

#include <QAction>
#include <QFile>
#include <gtest/gtest.h>

namespace {

const QByteArray kEarlier = QByteArrayLiteral("RDX600 chart file 1\n{\"an earlier chart\": true}\n");

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class ChartFileFaultsTest : public ::testing::TestWithParam<DiskFault> {
protected:
    ChartFileFaultsTest()
    {
        ensureUiTestApp();
        chart = std::make_unique<QcpChartDevice>();
        chart->resize(900, 480);
        tp.p().io.chart1 = chart.get();
        installChartCommands(tp.p());
        Recording &r = tp.p().rec;
        r.gInfo[0][kColMode] = "a";
        r.gInfo[0][kColStart] = "10:00  Jan 01, 24";
        r.gInfo[0][kColLast] = 599;
        r.gInfo[0][kColUnits] = "A";
        r.gInfo[0][kColPath] = "/data/feeder.dat";
        for (int i = 0; i < 600; ++i) {
            r.gValues[0][i] = static_cast<int16_t>(100 + i % 97);
        }
        tp.p().runCommand(menu::kItemViewPlot);
        chart->replotNow();
    }
    // The menus as the user sees them.
    QStringList menuStates() const
    {
        QStringList s;
        for (const MenuItem &m : tp.program->menu.items()) {
            s << QStringLiteral("%1 %2%3%4").arg(m.name).arg(m.enabled).arg(m.visible).arg(m.checked);
        }
        return s;
    }

    TestProgram tp;
    std::unique_ptr<QcpChartDevice> chart;
};

TEST_P(ChartFileFaultsTest, EarlierChartFileStaysAndOneMessageNamesThePath)
{
    const DiskFault fault = GetParam();
    const QString target = tp.path(QStringLiteral("feeder.chd"));
    {
        QFile f(target);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(kEarlier), kEarlier.size());
    }
    QAction *save = chart->toolbarAction(1);
    ASSERT_NE(save, nullptr);
    tp.dialogs.saveAnswers.emplace_back(target);
    const QStringList entriesBefore = folderEntries(tp.files.path());
    const QStringList menusBefore = menuStates();

    const ChildRun child = runUnderDiskFault(fault, tp.files.path(), [&] {
        save->trigger();
        QStringList lines = tp.dialogs.messageTexts();
        lines.prepend(
            QString::number(chart->pointCount()) + QLatin1Char(' ') + QString::number(chart->seriesCount()) +
            QLatin1Char(' ') +
            (menuStates() == menusBefore ? QStringLiteral("menus kept") : QStringLiteral("menus changed")));
        return lines;
    });
    ASSERT_TRUE(child.finished) << child.problem.toStdString();

    EXPECT_EQ(folderEntries(tp.files.path()), entriesBefore) << "no scratch file is left";
    EXPECT_EQ(child.lines.value(0), "600 1 menus kept");
    const QStringList messages = child.lines.mid(1);
    if (fault == DiskFault::None) {
        EXPECT_EQ(messages, QStringList{"New Save Command"});
        EXPECT_TRUE(fileBytes(target).startsWith("RDX600 chart file 1\n"));
        EXPECT_GT(fileBytes(target).size(), kDiskFaultSizeLimit);
        EXPECT_NE(fileBytes(target), kEarlier);
        return;
    }
    EXPECT_EQ(fileBytes(target), kEarlier);
    EXPECT_EQ(messages, (QStringList{"New Save Command", fileNotWrittenText(target)}));
}

INSTANTIATE_TEST_SUITE_P(EveryFault, ChartFileFaultsTest,
                         ::testing::Values(DiskFault::None, DiskFault::SizeLimitMidway,
                                           DiskFault::FolderNotWritable),
                         [](const ::testing::TestParamInfo<DiskFault> &testInfo) {
                             return diskFaultName(testInfo.param);
                         });

} // namespace
