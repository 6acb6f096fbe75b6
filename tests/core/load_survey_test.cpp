#include "program/menu_items.h"
#include "program/view_procs.h"
#include "support/fake_printer.h"
#include "support/recording_files.h"
#include "support/test_program.h"
#include "survey/load_survey.h"
#include "survey/survey_calc.h"
#include "survey/survey_print.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

using Phases = std::array<QStringList, kPhases>;

const QString kCRLF = "\r\n";

// Four feeders worked out by hand (newest value first). Every phase peaks
// at index 0, 1, 3 or 4 and so does every feeder's total
// (F1 95@0, F2 110@3, F3 85@4, F4 90@1), but the station total peaks at
// index 2: 90 + 105 + 60 + 75 = 330 (index 0: 310, 1: 255, 3: 230, 4: 230).
const std::array<Phases, kFeeders> kStation = {{
    {{{"75", "10", "30", "10", "10"}, {"10", "45", "30", "10", "10"}, {"10", "10", "30", "40", "10"}}},
    {{{"10", "10", "35", "90", "10"}, {"55", "10", "35", "10", "10"}, {"10", "50", "35", "10", "10"}}},
    {{{"10", "10", "20", "10", "45"}, {"40", "10", "20", "10", "10"}, {"10", "10", "20", "10", "30"}}},
    {{{"10", "70", "25", "10", "10"}, {"10", "10", "25", "10", "65"}, {"60", "10", "25", "10", "10"}}},
}};

class LoadSurveyTest : public ::testing::Test {
protected:
    LoadSurveyTest()
    {
        installSurveyCommands(p());
        p().io.printer = &printer;
        tp.clock.setNow(QDateTime(QDate(2026, 4, 2), QTime(8, 30)));
    }
    Program &p() { return tp.p(); }
    SurveyState &s() { return p().survey; }
    LoadsurvState &w() { return s().loadsurv; }

    QString write(const QString &name, const QStringList &values, const QString &stamp = "03-15-26 10:00")
    {
        RecordingFileContent c;
        c.family = "MQA";
        c.stamp = stamp;
        c.values = values;
        EXPECT_TRUE(writeRecording(tp.path(name), c));
        return tp.path(name);
    }
    // The menu command with the station name answered.
    void start(const QString &answer)
    {
        tp.dialogs.inputAnswers.push_back(answer);
        ASSERT_TRUE(p().runCommand(menu::kItemsurvfil));
    }
    // One feeder through the survey window: option, name, PROCEED, the three
    // phase buttons with their files, Show Result.
    void feeder(int option, const QString &name, const Phases &phases,
                const QString &stamp = "03-15-26 10:00")
    {
        SurveySelectFeeder(p(), option);
        SurveySetFeederName(p(), name);
        SurveyProceed(p());
        for (int phase = 0; phase < kPhases; ++phase) {
            tp.dialogs.openAnswers.push_back(
                write(QString("f%1p%2.dat").arg(option + 1).arg(phase), phases[phase], stamp));
            SurveyPhase(p(), phase);
        }
        SurveyShowResult(p());
    }

    // The first printed piece with this text.
    const FakePrinter::Line &line(const QString &text)
    {
        static const FakePrinter::Line none;
        const auto it = std::find_if(printer.lines.begin(), printer.lines.end(),
                                     [&text](const FakePrinter::Line &l) { return l.text == text; });
        EXPECT_NE(it, printer.lines.end()) << text.toStdString();
        return it == printer.lines.end() ? none : *it;
    }

    TestProgram tp;
    FakePrinter printer;
};

QString feederText(const QStringList &rows)
{
    return "\t\t\tAmps          Peak Time;  Date" + kCRLF + "RED           \t\t" + rows[0] + kCRLF +
           "WHITE       \t\t" + rows[1] + kCRLF + "BLUE         \t\t" + rows[2] + kCRLF;
}

QString stationHead(const QString &time, const QString &date)
{
    return "                      Peak Time         Peak Date" + kCRLF + QString(26, ' ') + time +
           QString(13, ' ') + date + kCRLF + kCRLF + "\t RED          WHITE      BLUE  " + kCRLF;
}

QString stationRow(const QString &r, const QString &w, const QString &b, int feeder, const QString &name)
{
    return "\t " + r + "          " + " " + w + "        " + " " + b + "\t   F" + QString::number(feeder) +
           ":  " + name + kCRLF;
}

} // namespace

TEST(SurveyCalc, FeederPeaksTakeTheFirstOfEqualPeaksAndTheOtherPhasesThen)
{
    FeederValues v{};
    const std::array<std::array<int16_t, 5>, 3> rows = {{{4, 9, 2, 9, 1}, {3, 1, 7, 1, 7}, {0, 0, 0, 0, 0}}};
    for (int p = 0; p < 3; ++p) {
        std::copy(rows[p].begin(), rows[p].end(), v[p].begin());
    }
    v[1][40] = 99; // beyond the scan
    const FeederResult r = survey::feederPeaks(v, 4);
    EXPECT_EQ(r.peakIndex, (std::array<int, 3>{1, 2, 0}));
    EXPECT_EQ(r.amps[0], (std::array<int16_t, 3>{9, 1, 0}));
    EXPECT_EQ(r.amps[1], (std::array<int16_t, 3>{2, 7, 0}));
    EXPECT_EQ(r.amps[2], (std::array<int16_t, 3>{4, 3, 0}));
    EXPECT_EQ(r.sum, (std::array<int32_t, 3>{10, 9, 7}));
}

TEST(SurveyCalc, TotalsBeyondSixteenBitsAndTheScanEnd)
{
    std::vector<FeederValues> v(kFeeders);
    for (FeederValues &f : v) {
        for (PhaseValues &phase : f) {
            phase[7] = 30000;
        }
    }
    const FeederResult r = survey::feederPeaks(v[0], 10);
    EXPECT_EQ(r.sum[0], 90000);
    const survey::StationPeak peak = survey::stationPeak(v, {0, 1, 2, 3}, 10);
    EXPECT_EQ(peak.index, 7);
    EXPECT_EQ(peak.total, 360000);
    EXPECT_EQ(survey::scanEnd(-1), 0);
    EXPECT_EQ(survey::scanEnd(50000), kLastValueIndex);
    // Nothing above 0: index 0.
    EXPECT_EQ(survey::stationPeak(std::vector<FeederValues>(kFeeders), {0}, 10).index, 0);
}

TEST_F(LoadSurveyTest, StationNameStartsASurvey)
{
    s().stationName = "OLD";
    p().rec.gInfo[0][kColPath] = "x.dat";
    start("");
    EXPECT_EQ(tp.dialogs.inputs.at(0).prompt, "Enter Station Name\r");
    EXPECT_EQ(tp.dialogs.inputs.at(0).defaultText, "OLD");
    EXPECT_FALSE(p().rec.slotInUse(0)); // the recordings were closed
    EXPECT_FALSE(w().visible);

    start("north yard");
    EXPECT_EQ(s().stationName, "NORTH YARD");
    EXPECT_EQ(w().Label1, "NORTH YARD");
    EXPECT_TRUE(w().visible);
    EXPECT_EQ(w().selectedOption, 0);
    EXPECT_TRUE(w().Command1.enabled);
    for (const ViewControl *c : {&w().Command2, &w().Command3, &w().Command4, &w().Command5}) {
        EXPECT_FALSE(c->enabled);
    }
    EXPECT_FALSE(w().phaseButtons[0].visible);
    EXPECT_FALSE(w().Cancel.visible);
}

TEST_F(LoadSurveyTest, FourFeedersAndAStationPeakNoFeederHasAtItsOwnPeak)
{
    start("north");
    const QStringList names = {"Mill Road", "Quarry", "Town", "Airport"};
    for (int f = 0; f < kFeeders; ++f) {
        EXPECT_EQ(w().selectedOption, f);
        EXPECT_TRUE(w().Command1.enabled);
        feeder(f, names[f], kStation[f]);
        EXPECT_TRUE(s().surveyshow.visible);
        EXPECT_EQ(s().surveyshow.Label3, "STATION: NORTH");
        EXPECT_EQ(s().surveyshow.Label1, QString("  F%1: ").arg(f + 1) + names[f]);
        EXPECT_EQ(s().surveyshow.feederID, "FEEDER AMPS DURING FEEDER PEAK (NON-COINCIDENTAL)  ");
        SurveyNextFeeder(p());
        EXPECT_FALSE(s().surveyshow.visible);
    }
    EXPECT_FALSE(w().Command1.enabled); // the fourth feeder is done
    EXPECT_TRUE(tp.dialogs.messages.empty());

    EXPECT_EQ(s().feederTexts[0],
              feederText({"0075           10:00      Mar 15, 26", "0045           09:45      Mar 15, 26",
                          "0040           09:15      Mar 15, 26"}));
    EXPECT_EQ(s().feederTexts[1],
              feederText({"0090           09:15      Mar 15, 26", "0055           10:00      Mar 15, 26",
                          "0050           09:45      Mar 15, 26"}));
    const FeederResult &f1 = s().feederResults[0];
    EXPECT_EQ(f1.amps[0], (std::array<int16_t, 3>{75, 10, 10}));
    EXPECT_EQ(f1.sum, (std::array<int32_t, 3>{95, 65, 60}));

    ASSERT_TRUE(w().Command3.enabled);
    SurveyShowStationPeak(p());
    EXPECT_TRUE(s().station.visible);
    EXPECT_EQ(s().station.Label1, "Station: NORTH");
    const QString expected =
        stationHead("09:30", "Mar 15, 26") + stationRow("0030", "0030", "0030", 1, "Mill Road") +
        stationRow("0035", "0035", "0035", 2, "Quarry") + stationRow("0020", "0020", "0020", 3, "Town") +
        stationRow("0025", "0025", "0025", 4, "Airport");
    EXPECT_EQ(s().stationText, expected);
    EXPECT_EQ(s().station.RichTextBox1, expected);

    EXPECT_FALSE(w().Command5.enabled);
    SurveyCloseStation(p());
    EXPECT_FALSE(s().station.visible);
    EXPECT_TRUE(w().Command5.enabled);
}

TEST_F(LoadSurveyTest, OneFeederWithAnEndTimeOffTheInterval)
{
    start("south");
    // Totals 12, 27, 27, 9: the station peak is F1's own total peak, index 1.
    feeder(0, "Main", {{{"4", "9", "9", "3"}, {"4", "8", "11", "3"}, {"4", "10", "7", "3"}}},
           "03-15-26 10:07");
    // Feeder peaks run back from 10:15, the next quarter hour.
    EXPECT_EQ(s().feederTexts[0],
              feederText({"0009           10:00      Mar 15, 26", "0011           09:45      Mar 15, 26",
                          "0010           10:00      Mar 15, 26"}));
    EXPECT_EQ(p().rec.gInfo[s().phaseFiles[1].slot][kColStart].text(), "09:45  Mar 15, 26");
    SurveyNextFeeder(p());
    EXPECT_EQ(w().selectedOption, 1);
    EXPECT_EQ(w().Text4.text, "");
    SurveyShowStationPeak(p());
    // The station's time runs back from the end time as it stands.
    EXPECT_EQ(s().stationText,
              stationHead("09:52", "Mar 15, 26") + stationRow("0009", "0008", "0010", 1, "Main"));
}

TEST_F(LoadSurveyTest, PhaseFilesOfDifferentLengthsCountZeroBeyondTheirEnd)
{
    start("east");
    // White ends after index 1; blue is longest and peaks at index 5.
    feeder(0, "Short", {{{"5", "6", "7", "8"}, {"9", "3"}, {"1", "1", "1", "1", "1", "20"}}});
    EXPECT_EQ(s().gSurveyValues[0][1][5], 0);
    EXPECT_EQ(s().feederResults[0].peakIndex, (std::array<int, 3>{3, 0, 5}));
    EXPECT_EQ(s().feederResults[0].amps[0], (std::array<int16_t, 3>{8, 0, 1}));
    EXPECT_EQ(s().feederResults[0].amps[2], (std::array<int16_t, 3>{0, 0, 20}));
    SurveyNextFeeder(p());
    SurveyShowStationPeak(p());
    EXPECT_TRUE(s().stationText.endsWith(stationRow("0000", "0000", "0020", 1, "Short")));
}

TEST_F(LoadSurveyTest, FeederStepsAndTheEmptyName)
{
    start("west");
    SurveySelectFeeder(p(), 0);
    SurveyProceed(p());
    EXPECT_EQ(w().Text4.text, "Feeder 1 ");
    EXPECT_FALSE(w().optionEnabled[0]);
    EXPECT_TRUE(w().Cancel.visible);
    for (const ViewControl &b : w().phaseButtons) {
        EXPECT_TRUE(b.visible && b.enabled);
    }
    for (const ViewControl *c : {&w().Command1, &w().Command2, &w().Command3, &w().Command4, &w().Command5}) {
        EXPECT_FALSE(c->enabled);
    }
    // A refused file leaves its button as it was and counts nothing.
    tp.dialogs.openAnswers.push_back(tp.path("missing.dat"));
    SurveyPhase(p(), 1);
    EXPECT_EQ(tp.dialogs.lastMessage(), "Unknown File Error; Check");
    EXPECT_TRUE(w().phaseButtons[1].enabled);
    EXPECT_EQ(s().phaseCount, 0);
    EXPECT_EQ(w().phaseBoxes[1], "");

    // Blue first: the phase buttons decide the phase, whatever the order.
    const Phases phases = {{{"1", "7"}, {"2", "8"}, {"3", "9"}}};
    const QStringList files = {write("r.dat", phases[0]), write("w.dat", phases[1]),
                               write("b.dat", phases[2])};
    for (const int phase : {2, 0, 1}) {
        EXPECT_FALSE(w().Command2.enabled);
        tp.dialogs.openAnswers.push_back(files[phase]);
        SurveyPhase(p(), phase);
        EXPECT_FALSE(w().phaseButtons[phase].enabled);
    }
    EXPECT_EQ(w().phaseBoxes, (std::array<QString, 3>{"r.dat", "w.dat", "b.dat"}));
    EXPECT_TRUE(w().Command2.enabled);
    SurveyShowResult(p());
    EXPECT_EQ(s().feederResults[0].amps[0], (std::array<int16_t, 3>{7, 8, 9}));
    EXPECT_EQ(s().surveyshow.Label1, "  F1: ");
    EXPECT_EQ(w().phaseBoxes, (std::array<QString, 3>{}));
    EXPECT_FALSE(p().rec.slotInUse(0) || p().rec.slotInUse(1) || p().rec.slotInUse(2));
    EXPECT_TRUE(w().Command1.enabled && w().Command3.enabled && w().Command4.enabled);

    // The next feeder reads its own three files: no station peak needed between.
    SurveyNextFeeder(p());
    feeder(1, "Two", phases);
    EXPECT_TRUE(s().processed[1]);
    SurveyNextFeeder(p());
    SurveyShowStationPeak(p());
    EXPECT_TRUE(s().stationText.contains("\t   F1:  \r\n"));
    EXPECT_EQ(s().phaseCount, 0);
}

TEST_F(LoadSurveyTest, FeedersInAnyOrderAndOnlyProcessedOnesTakePart)
{
    start("depot");
    const Phases phases = {{{"1", "7"}, {"2", "8"}, {"3", "9"}}};
    feeder(3, "Four", phases);
    SurveyNextFeeder(p());
    EXPECT_EQ(w().selectedOption, 0); // back to the first feeder still to do
    EXPECT_TRUE(w().Command1.enabled);
    feeder(1, "Two", phases);
    SurveyNextFeeder(p());
    EXPECT_EQ(w().selectedOption, 2);
    SurveyShowStationPeak(p());
    EXPECT_EQ(s().stationText, stationHead("09:45", "Mar 15, 26") +
                                   stationRow("0007", "0008", "0009", 2, "Two") +
                                   stationRow("0007", "0008", "0009", 4, "Four"));
}

TEST_F(LoadSurveyTest, PrintedReport)
{
    start("north");
    feeder(0, "Mill Road", kStation[0]);
    SurveyNextFeeder(p());
    feeder(1, "Quarry", kStation[1]);
    SurveyNextFeeder(p());

    // PRINT ALL FEEDER RESULTS: head and feeders.
    SurveyPrintAll(p());
    EXPECT_EQ(tp.dialogs.printerDialogs, 1);
    EXPECT_EQ(printer.endDocs, 1);
    const auto &head = printer.lines.at(0);
    EXPECT_EQ(head.text, QString("LOAD SURVEY REPORT").leftJustified(69) + "Apr 02, 2026");
    EXPECT_EQ(head.font, "Times New Roman");
    EXPECT_EQ(head.points, 10);
    EXPECT_EQ(head.x, 3500);
    EXPECT_EQ(head.y, 144);
    const auto &station = printer.lines.at(1);
    EXPECT_EQ(station.text, " STATION NAME: NORTH");
    EXPECT_EQ(station.x, 144);
    EXPECT_EQ(station.y, 450);
    const auto &title = printer.lines.at(2);
    EXPECT_EQ(title.text, " Feeder Amperes During Feeder Peak (Non-Coincidental Peak) ");
    EXPECT_TRUE(title.bold);
    EXPECT_EQ(title.y, station.y + printer.lineHeight() + 200);
    const auto &f1 = printer.lines.at(3);
    EXPECT_EQ(f1.text, "  F1: Mill Road");
    EXPECT_FALSE(f1.bold);
    EXPECT_EQ(f1.x, 144);
    EXPECT_EQ(f1.y, title.y + printer.lineHeight() + 200);
    // The result text: tabs move on to the next half inch.
    const auto &amps = line("Amps          Peak Time;  Date");
    EXPECT_EQ(amps.x, 3 * 720);
    EXPECT_EQ(amps.y, f1.y + printer.lineHeight());
    const auto &red = line("0075           10:00      Mar 15, 26");
    EXPECT_GT(red.x, line("RED           ").x);
    EXPECT_EQ(red.x % 720, 0);
    EXPECT_EQ(red.y, amps.y + printer.lineHeight());
    // Four result lines and the empty one after them, then 300 + 100 twips.
    EXPECT_EQ(line("  F2: Quarry").y, f1.y + 6 * printer.lineHeight() + 400);
    EXPECT_FALSE(printer.texts().contains("                    ***************                         "));

    // PRINT STATION PEAK: the same, then the station section; a cancelled
    // dialog prints nothing and changes nothing.
    SurveyShowStationPeak(p());
    SurveyCloseStation(p());
    tp.dialogs.printerAnswers.push_back(false);
    SurveyPrintStation(p());
    EXPECT_EQ(printer.endDocs, 1);
    EXPECT_TRUE(w().Command4.enabled);
    printer.lines.clear();
    SurveyPrintStation(p());
    EXPECT_EQ(printer.endDocs, 2);
    EXPECT_FALSE(w().Command4.enabled);
    const QStringList texts = printer.texts();
    const qsizetype stars = texts.indexOf("                    ***************                         ");
    ASSERT_GT(stars, 0);
    EXPECT_LT(texts.indexOf("  F2: Quarry"), stars);
    const auto &section = line("Feeder Phase Amps During Station Peak (Coincidental Peak)");
    EXPECT_TRUE(section.bold);
    EXPECT_EQ(section.y,
              line("                    ***************                         ").y + printer.lineHeight());
    EXPECT_EQ(line("                      Peak Time         Peak Date").y,
              section.y + printer.lineHeight() + 200);
    EXPECT_TRUE(texts.contains("   F2:  Quarry"));
}

TEST_F(LoadSurveyTest, CancelClosesTheSurvey)
{
    start("north");
    feeder(0, "One", kStation[0]);
    SurveyCancel(p());
    EXPECT_FALSE(w().visible);
    EXPECT_FALSE(s().surveyshow.visible);
    EXPECT_TRUE(p().menu.enabled(menu::kItemOpen));
    // A new survey starts afresh with the previous station name offered.
    start("");
    EXPECT_EQ(tp.dialogs.inputs.back().defaultText, "NORTH");
}

TEST_F(LoadSurveyTest, RecordingsClosedMeanwhileDoNotChangeTheFeeder)
{
    start("north");
    SurveyProceed(p());
    tp.dialogs.openAnswers.push_back(write("r.dat", {"1", "5"}, "03-15-26 10:00"));
    SurveyPhase(p(), 0);
    CloseRecordings(p()); // File > Close in the main window
    tp.dialogs.openAnswers.push_back(write("w.dat", {"5", "1"}, "03-15-26 12:00"));
    SurveyPhase(p(), 1);
    tp.dialogs.openAnswers.push_back(write("b.dat", {"5", "1"}, "03-15-26 12:00"));
    SurveyPhase(p(), 2);
    SurveyShowResult(p());
    EXPECT_EQ(s().feederResults[0].peakTime[0], "09:45  Mar 15, 26");
    EXPECT_EQ(s().feederResults[0].peakTime[1], "12:00  Mar 15, 26");

    // The menu command again ends the survey in progress, even when no new
    // station name is given.
    start("");
    EXPECT_FALSE(w().visible);
    EXPECT_FALSE(s().surveyshow.visible);
}
