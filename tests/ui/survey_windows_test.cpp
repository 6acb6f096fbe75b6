#include "platform/ui/qt_printer_device.h"
#include "program/menu_items.h"
#include "support/recording_files.h"
#include "support/test_program.h"
#include "survey/load_survey.h"
#include "survey/ui/loadsurv_window.h"
#include "survey/ui/station_window.h"
#include "survey/ui/survey_windows.h"
#include "survey/ui/surveyshow_window.h"
#include "ui_test_app.h"

#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

class SurveyWindowsTest : public ::testing::Test {
protected:
    SurveyWindowsTest()
    {
        ensureUiTestApp();
        installSurveyCommands(tp.p());
        windows = installSurveyWindows(tp.p(), nullptr);
        tp.dialogs.inputAnswers.push_back("harbour");
        tp.p().runCommand(menu::kItemsurvfil);
    }
    LoadsurvWindow &w() { return *windows->loadsurv; }
    void click(QAbstractButton *b) { QTest::mouseClick(b, Qt::LeftButton); }
    // Answers the open dialog with a phase file and presses the phase's button.
    void phase(QPushButton *button, const QString &name, const QStringList &values)
    {
        RecordingFileContent c;
        c.family = "MQA";
        c.values = values;
        ASSERT_TRUE(writeRecording(tp.path(name), c));
        tp.dialogs.openAnswers.push_back(tp.path(name));
        click(button);
    }

    TestProgram tp;
    std::unique_ptr<SurveyWindowSet> windows;
};

} // namespace

TEST_F(SurveyWindowsTest, AFeederThroughTheWindows)
{
    EXPECT_TRUE(w().isVisible());
    EXPECT_EQ(w().Label1->text(), "HARBOUR");
    EXPECT_TRUE(w().Option[0]->isChecked());
    EXPECT_FALSE(w().red->isVisible());
    EXPECT_FALSE(w().Cancel->isVisible());
    EXPECT_FALSE(w().Command2->isEnabled());

    click(w().Option[1]);
    QTest::keyClicks(w().Text4, "Dock");
    click(w().Command1);
    EXPECT_EQ(tp.p().survey.gFeederIndex, 1);
    EXPECT_EQ(w().Text4->text(), "Feeder 2 Dock");
    EXPECT_FALSE(w().Option[1]->isEnabled());
    EXPECT_TRUE(w().red->isVisible() && w().blue->isEnabled());
    EXPECT_TRUE(w().Cancel->isVisible());
    EXPECT_FALSE(w().Command1->isEnabled());

    phase(w().red, "red.dat", {"12", "30"});
    phase(w().white, "white.dat", {"11", "10"});
    EXPECT_EQ(w().Text1->text(), "red.dat");
    EXPECT_FALSE(w().red->isEnabled());
    EXPECT_FALSE(w().Command2->isEnabled());
    phase(w().blue, "blue.dat", {"20", "10"});
    ASSERT_TRUE(w().Command2->isEnabled());

    click(w().Command2);
    SurveyshowWindow &show = *windows->surveyshow;
    EXPECT_TRUE(show.isVisible());
    EXPECT_EQ(show.windowTitle(), "RESULT");
    EXPECT_EQ(show.Label3->text(), "STATION: HARBOUR");
    EXPECT_EQ(show.Label1->text(), "  F2: Dock");
    EXPECT_TRUE(show.RichTextBox1->toPlainText().contains("RED           \t\t0030"));
    EXPECT_EQ(w().Text1->text(), "");
    click(show.Command2);
    EXPECT_FALSE(show.isVisible());
    EXPECT_TRUE(w().Option[2]->isChecked());
    EXPECT_TRUE(w().Command1->isEnabled());

    click(w().Command3);
    StationWindow &station = *windows->station;
    EXPECT_TRUE(station.isVisible());
    EXPECT_EQ(station.Label1->text(), "Station: HARBOUR");
    EXPECT_TRUE(station.RichTextBox1->toPlainText().endsWith("\t   F2:  Dock\n"));
    station.reject(); // Escape or the close button: as CLOSE WINDOW
    EXPECT_FALSE(station.isVisible());
    EXPECT_TRUE(w().Command5->isEnabled());

    // The survey window's close button cancels the survey.
    w().close();
    EXPECT_FALSE(tp.p().survey.loadsurv.visible);
    EXPECT_FALSE(w().isVisible());
    EXPECT_FALSE(tp.p().rec.slotInUse(0));
}

TEST_F(SurveyWindowsTest, PrintsTheStationPeakIntoAPdf)
{
    click(w().Command1);
    phase(w().red, "r.dat", {"12", "30"});
    phase(w().white, "w.dat", {"11", "10"});
    phase(w().blue, "b.dat", {"20", "10"});
    click(w().Command2);
    click(windows->surveyshow->Command2);
    click(w().Command3);
    click(windows->station->Command1);

    const QString pdf = tp.path("survey.pdf");
    QtPrinterDevice printer(pdf);
    tp.p().io.printer = &printer;
    click(w().Command5);
    EXPECT_FALSE(w().Command4->isEnabled());
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-layout", pdf, "-"});
    ASSERT_TRUE(pdftotext.waitForFinished(30000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput()).simplified();
    for (const char *piece :
         {"LOAD SURVEY REPORT", "STATION NAME: HARBOUR", "F1:", "RED 0030 09:45 Mar 15, 26",
          "BLUE 0020 10:00 Mar 15, 26", "Feeder Phase Amps During Station Peak (Coincidental Peak)",
          "09:45 Mar 15, 26", "0030 0010 0010 F1:"}) {
        EXPECT_TRUE(text.contains(piece)) << piece << "\n" << text.toStdString();
    }
}
