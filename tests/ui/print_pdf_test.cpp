#include "platform/ui/print/program_fonts.h"
#include "platform/ui/qt_printer_device.h"
#include "program/menu_items.h"
#include "reports/open_recording.h"
#include "reports/printinfo.h"
#include "reports/report_commands.h"
#include "support/recording_files.h"
#include "support/test_program.h"
#include "ui_test_app.h"

#include <QFile>
#include <QFontInfo>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <gtest/gtest.h>

TEST(PrintPdf, SummaryPrintsToAPdfFile)
{
    ensureUiTestApp();
    TestProgram tp;
    Program &p = tp.p();
    RecordingFileContent content;
    content.mode = "h";
    content.serial = "4711";
    content.values = {"10.0", "20.0", "15.0", "11.0", "21.0", "16.0"};
    ASSERT_TRUE(writeRecording(tp.path("feeder.dat"), content));
    ASSERT_TRUE(openRecordingFile(p, tp.path("feeder.dat")));
    p.rec.gSite[0] = {"Main Street", "Feeder 12", "Jo Smith", "pole 17"};

    const QString pdf = tp.path("summary.pdf");
    QtPrinterDevice printer(pdf);
    p.io.printer = &printer;
    p.rec.ginx = 0;
    p.rec.gOutputMode = OutputMode::Print;
    Printinfo(p);
    ASSERT_TRUE(QFile::exists(pdf));
    EXPECT_EQ(tp.dialogs.printerDialogs, 1);

    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-layout", pdf, "-"});
    ASSERT_TRUE(pdftotext.waitForFinished(30000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    for (const char *piece : {"File:",  "feeder.dat",     "6",
                              "Values", "Ser. 4711",      "Min/Max/Avg",
                              "Cont",   "5 min interval", "LOW",
                              "Range",  "Entire File:",   "Start:",
                              "Min:",   "Max:",           "21",
                              "Loc:",   "Main Street",    "Name: Jo Smith",
                              "Circ:",  "Feeder 12",      "Other: pole 17"}) {
        EXPECT_TRUE(text.contains(piece)) << piece << "\n" << text.toStdString();
    }
    // The lines keep their order.
    EXPECT_LT(text.indexOf("File:"), text.indexOf("Mode:"));
    EXPECT_LT(text.indexOf("Mode:"), text.indexOf("Loc:"));
    EXPECT_LT(text.indexOf("Loc:"), text.indexOf("Other:"));
}

// With Options > Print Preview on, a report is shown first; its Print button
// sends the same pages to the printer, closing the preview prints nothing.
TEST(PrintPdf, PreviewShowsThePagesAndPrintsOnlyFromThere)
{
    ensureUiTestApp();
    TestProgram tp;
    Program &p = tp.p();
    installReportCommands(p);
    RecordingFileContent content;
    content.values = countingValues(30, true);
    ASSERT_TRUE(writeRecording(tp.path("feeder.dat"), content));
    ASSERT_TRUE(openRecordingFile(p, tp.path("feeder.dat")));
    const QString pdf = tp.path("previewed.pdf");
    QtPrinterDevice printer(pdf);
    p.io.printer = &printer;
    p.runCommand(menu::kItemPrintPreview);
    ASSERT_TRUE(printer.previewOn());
    EXPECT_TRUE(p.menu.checked(menu::kItemPrintPreview));

    for (const bool printIt : {false, true}) {
        int pages = 0;
        printer.onPreviewShown = [&](QWidget *dialog) {
            auto *view = dialog->findChild<QPrintPreviewWidget *>();
            ASSERT_NE(view, nullptr);
            view->updatePreview();
            pages = view->pageCount();
            if (printIt) {
                view->print();
            }
            dialog->close();
        };
        p.rec.ginx = 0;
        p.rec.gOutputMode = OutputMode::Print;
        Printinfo(p);
        EXPECT_EQ(pages, 1);
        EXPECT_EQ(QFile::exists(pdf), printIt);
    }
    QProcess pdftotext;
    pdftotext.start("pdftotext", {pdf, "-"});
    ASSERT_TRUE(pdftotext.waitForFinished(30000));
    EXPECT_TRUE(pdftotext.readAllStandardOutput().contains("feeder.dat"));
}

// The families the program names are drawn with the metric-compatible fonts
// the package depends on, whatever else the machine has (a machine with the
// URW fonts once printed "Arial" as Nimbus Sans); other names pass through.
TEST(PrintPdf, NamedFontsPrintWithMetricCompatibleFonts)
{
    ensureUiTestApp();
    struct Case {
        const char *name;
        const char *family;   // what the font resolves to
        const char *embedded; // the font's name in the PDF
    };
    const Case cases[] = {
        {"Arial", "Liberation Sans", "LiberationSans"},
        {"times new roman", "Liberation Serif", "LiberationSerif"},
        {"Courier New", "Liberation Mono", "LiberationMono"},
        {"DejaVu Sans", "DejaVu Sans", "DejaVuSans"},
    };
    TestProgram tp;
    const QString pdf = tp.path("fonts.pdf");
    QtPrinterDevice printer(pdf);
    for (const Case &c : cases) {
        EXPECT_EQ(QFontInfo(programfonts::font(c.name, 10)).family(), c.family) << c.name;
        printer.setFont(c.name, 10);
        printer.printLine(QStringLiteral("Printed in ") + c.name);
    }
    ASSERT_TRUE(printer.endDoc());
    QProcess pdffonts;
    pdffonts.start("pdffonts", {pdf});
    ASSERT_TRUE(pdffonts.waitForFinished(30000));
    const QString fonts = QString::fromUtf8(pdffonts.readAllStandardOutput());
    for (const Case &c : cases) {
        EXPECT_TRUE(fonts.contains(c.embedded)) << c.embedded << "\n" << fonts.toStdString();
    }
    EXPECT_FALSE(fonts.contains("Nimbus")) << fonts.toStdString();
}
