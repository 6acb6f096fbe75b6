// The power summary and the tables printed into PDF files, read back with pdftotext.
#include "platform/settings_store.h"
#include "platform/ui/qt_printer_device.h"
#include "power/displ_plot_pwr.h"
#include "power/power_commands.h"
#include "program/menu_items.h"
#include "reports/open_recording.h"
#include "reports/reading_table.h"
#include "reports/report_commands.h"
#include "support/recording_files.h"
#include "support/test_program.h"
#include "ui_test_app.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

QString pdfText(const QString &pdf)
{
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-layout", pdf, "-"});
    EXPECT_TRUE(pdftotext.waitForFinished(30000));
    // Runs of blanks as one: the printed font is proportional.
    return QString::fromUtf8(pdftotext.readAllStandardOutput()).simplified();
}

class PowerPrintPdf : public ::testing::Test {
protected:
    PowerPrintPdf()
    {
        ensureUiTestApp();
        installReportCommands(p());
        installPowerCommands(p());
        for (const char *name : {"red.dat", "white.dat"}) {
            RecordingFileContent c;
            c.serial = name[0] == 'r' ? "0001" : "0002";
            for (int i = 0; i < 20; ++i) {
                c.values.prepend(QString::number(100 + 10 * i)); // oldest first: 100, 110, ...
            }
            EXPECT_TRUE(writeRecording(tp.path(name), c));
            EXPECT_TRUE(openRecordingFile(p(), tp.path(name)));
        }
        tp.settings.store.save("Settings", "Vline", "1000");
        p().rec.gDatastart = 0;
        p().rec.gdataend = 19;
        DisplPlotPwr(p());
    }
    Program &p() { return tp.p(); }
    TestProgram tp;
};

TEST_F(PowerPrintPdf, PowerSummary)
{
    const QString pdf = tp.path("summary.pdf");
    QtPrinterDevice printer(pdf);
    p().io.printer = &printer;
    ASSERT_TRUE(p().runCommand(menu::kItemPrintpwrSum));
    p().io.printer = nullptr;
    const QString text = pdfText(pdf);
    // Two phases of 100..290 A at 1 kV: 200 to 580 kW.
    for (const char *piece :
         {"File:", "red.dat", "white.dat", "19", "Ser. 0001", "Ser. 0002", "15 min interval", "Min: 200.0 KW",
          "Max: 580.0 KW", "Line Voltage: 1000", "Power Factor: 1"}) {
        EXPECT_TRUE(text.contains(piece)) << piece << "\n" << text.toStdString();
    }
    // The 19 values after the first, a quarter hour each: 2 x (110 + ... + 290) / 4 kWh.
    EXPECT_TRUE(text.contains("Total Energy In Displayed Area: 1,900 KWHR")) << text.toStdString();
    EXPECT_FALSE(text.contains("Loc:")); // the summary prints Label1 only
}

TEST_F(PowerPrintPdf, PowerTableAndReadingTable)
{
    ASSERT_TRUE(p().runCommand(menu::kItemViewPwrTable));
    const QString pdf = tp.path("power_table.pdf");
    QtPrinterDevice printer(pdf);
    p().io.printer = &printer;
    ASSERT_TRUE(p().runCommand(menu::kItemPrintPwrTable));
    QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains("Eight readings of average power in KW")) << text.toStdString();
    // The first line: 200, 220, ... 340 kW from the first time of the recording (10:00 minus 19 x 15
    // minutes).
    EXPECT_TRUE(text.contains("05:15 Mar 15, 26")) << text.toStdString();
    EXPECT_TRUE(text.contains("05:15 Mar 15, 26 0200 0220 0240 0260 0280 0300 0320 0340 07:15"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("09:15 Mar 15, 26")) << text.toStdString();

    // The reading table of the first recording, printed with its summary.
    p().menu.setEnabled(menu::kItemViewTable, true);
    p().rec.gOutputMode = OutputMode::Nothing;
    const QString pdf2 = tp.path("table.pdf");
    QtPrinterDevice printer2(pdf2);
    p().io.printer = &printer2;
    // Two recordings are open and there is no selection window: choose the first directly.
    p().rec.ginx = 0;
    p().rec.gSelectFlag = false;
    ReadingTableProc(p());
    ASSERT_TRUE(p().runCommand(menu::kItemPrintTable));
    p().io.printer = nullptr;
    text = pdfText(pdf2);
    for (const char *piece :
         {"File: red.dat", "20 Values", "Eight readings of average",
          "05:15 Mar 15, 26 100 110 120 130 140 150 160 170", "09:15 Mar 15, 26 260 270 280 290"}) {
        EXPECT_TRUE(text.contains(piece)) << piece << "\n" << text.toStdString();
    }
}

} // namespace
