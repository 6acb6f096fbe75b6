#include "program/menu_items.h"
#include "recording/fileopen.h"
#include "recording/survey_reader.h"
#include "support/recording_files.h"
#include "support/test_program.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

class SurveyReaderTest : public ::testing::Test {
protected:
    SurveyReaderTest() { tp.p().survey.gFeederIndex = 1; }

    QString write(const QString &name, const RecordingFileContent &content)
    {
        EXPECT_TRUE(writeRecording(tp.path(name), content));
        return tp.path(name);
    }
    SurveyReadResult read(int phase, const RecordingFileContent &content, const QString &name = "phase.dat")
    {
        return readSurveyPhaseFile(tp.p(), phase, write(name, content));
    }
    const Cell &info(int slot, int col) { return tp.p().rec.gInfo[slot][col]; }
    PhaseValues &values(int phase) { return tp.p().survey.gSurveyValues[1][phase]; }

    TestProgram tp;
};

RecordingFileContent phaseFile(const QStringList &values, const QString &mode = "a",
                               const QString &stamp = "03-15-26 10:00")
{
    RecordingFileContent c;
    c.family = "MQA";
    c.mode = mode;
    c.stamp = stamp;
    c.values = values;
    return c;
}

} // namespace

struct PeakCase {
    const char *name;
    QStringList values; // file order, newest first
    QString mode;
    QString stamp;
    bool tMarker;
    int peak;
    int peakIndex;
    QString peakTime; // gInfo column 2
};

class SurveyPeakTest : public SurveyReaderTest, public ::testing::WithParamInterface<PeakCase> {};

TEST_P(SurveyPeakTest, StoresWholeAmpsInFileOrderWithThePeakAndItsTime)
{
    const PeakCase &c = GetParam();
    RecordingFileContent content = phaseFile(c.values, c.mode, c.stamp);
    content.tMarker = c.tMarker;
    values(2).fill(77); // left by an earlier, longer file
    ASSERT_EQ(read(2, content), SurveyReadResult::Read);
    const int last = static_cast<int>(c.values.size()) - 1;
    for (int i = 0; i <= last; ++i) {
        EXPECT_EQ(values(2)[i], qRound(c.values[i].toDouble() - 0.001)) << i; // halves of these go down
    }
    EXPECT_EQ(values(2)[last + 1], 0);
    EXPECT_EQ(values(2)[kLastValueIndex], 0);
    EXPECT_EQ(info(0, kColLast).number(), last);
    EXPECT_EQ(info(0, kColMax).number(), c.peak);
    EXPECT_EQ(info(0, kColStart).text(), c.peakTime);
    EXPECT_TRUE(tp.dialogs.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SurveyPeakTest,
    ::testing::Values(
        // 15 minutes: index 1 is one interval before the end.
        PeakCase{"ThreeValues", {"5", "9", "7"}, "a", "03-15-26 10:00", true, 9, 1, "09:45  Mar 15, 26"},
        // Equal peaks: the first (newer) one counts.
        PeakCase{"EqualPeaks", {"3", "8", "2", "8"}, "a", "03-15-26 10:00", true, 8, 1, "09:45  Mar 15, 26"},
        // Tenths are rounded away, halves to even: 123.4 -> 123, 122.5 -> 122.
        PeakCase{
            "Rounded", {"122.5", "123.4", "12.6"}, "b", "03-15-26 10:00", true, 123, 1, "09:55  Mar 15, 26"},
        // An end time off the interval moves on to the next boundary first.
        PeakCase{
            "EndOffInterval", {"1", "2", "6", "4"}, "d", "03-15-26 10:07", false, 6, 2, "09:45  Mar 15, 26"},
        // All negative: the peak stays 0 at index 0 (the end time itself).
        PeakCase{"AllNegative", {"-3", "-1"}, "a", "12-31-25 23:50", true, 0, 0, "00:00  Jan 01, 26"},
        // Min/max/avg modes keep the file order; three values per interval.
        PeakCase{"MinMaxAvg",
                 {"1", "5", "3", "2", "9", "4"},
                 "g",
                 "03-15-26 10:00",
                 true,
                 9,
                 4,
                 "09:40  Mar 15, 26"}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST_F(SurveyReaderTest, FillsTheModelRowAndTheSurveyState)
{
    Program &p = tp.p();
    p.link.gSampleCapacity = 1;
    p.survey.loadsurv.Command1.enabled = true;
    p.rec.gInfo[0][kColHeader] = "left over";
    RecordingFileContent c = phaseFile({"10", "20.5", "30"}, " ");
    c.serial = "0815";
    c.family = "MQV";
    ASSERT_EQ(read(0, c, "red.dat"), SurveyReadResult::Read);
    EXPECT_EQ(info(0, kColMode).text(), "a");
    EXPECT_EQ(info(0, kColSerial).text(), "0815");
    EXPECT_EQ(info(0, kColUnits).text(), "V");
    EXPECT_EQ(info(0, kColRange).text(), "LOW");
    EXPECT_EQ(info(0, kColPath).text(), tp.path("red.dat"));
    EXPECT_EQ(info(0, kColEnd).text(), "10:00 Mar 15, 26");
    for (const int col : {kColMin, kColEdited, kColHeader, kColFormat}) {
        EXPECT_TRUE(info(0, col).isEmpty()) << col;
    }
    EXPECT_EQ(p.rec.ginx, 0);
    EXPECT_EQ(p.rec.gModeLetter, "a");
    EXPECT_EQ(p.link.gSampleCapacity, 2);
    const PhaseFile &red = p.survey.phaseFiles[0];
    EXPECT_EQ(red.slot, 0);
    EXPECT_EQ(red.path, tp.path("red.dat"));
    EXPECT_EQ(red.modeLetter, "a");
    EXPECT_EQ(red.endText, "10:00 Mar 15, 26");
    EXPECT_EQ(p.survey.recording0End, "10:00 Mar 15, 26");
    EXPECT_EQ(p.survey.surveyMode, "a");
    EXPECT_FALSE(p.survey.loadsurv.Command1.enabled);
    EXPECT_TRUE(p.menu.enabled(menu::kItemOpen));

    // The next phases take the next free slots; the third disables Open.
    ASSERT_EQ(read(2, phaseFile({"1"}), "blue.dat"), SurveyReadResult::Read);
    ASSERT_EQ(read(1, phaseFile({"1"}), "white.dat"), SurveyReadResult::Read);
    EXPECT_EQ(p.survey.phaseFiles[1].slot, 2);
    EXPECT_EQ(p.survey.phaseFiles[2].slot, 1);
    EXPECT_EQ(p.rec.ginx, 2);
    EXPECT_FALSE(p.menu.enabled(menu::kItemOpen));
    // gSampleCapacity is only ever raised.
    EXPECT_EQ(p.link.gSampleCapacity, 2);
}

TEST_F(SurveyReaderTest, ALongHeaderAlwaysTakesTheLaterTimeStamp)
{
    RecordingFileContent c = phaseFile({"4", "6"}, "a", "03-15-26 10:00");
    c.tail = "  03-16-26 11:30";
    ASSERT_EQ(read(0, c), SurveyReadResult::Read);
    EXPECT_EQ(info(0, kColEnd).text(), "11:30 Mar 16, 26");

    // Unlike the ordinary reader, a battery field is no exception: its
    // characters are taken for the time stamp, which then is no date.
    tp.p().rec.gInfo[0][kColPath] = QString();
    c.tail = "   Vbatt 064   ";
    EXPECT_EQ(read(0, c), SurveyReadResult::Failed);
    tp.p().rec.gOpenPath = tp.path("phase.dat");
    EXPECT_EQ(Fileopen(tp.p()), FileopenResult::Opened);
}

TEST_F(SurveyReaderTest, KeepsTheNewestValuesOfAnOverlongFile)
{
    ASSERT_EQ(read(1, phaseFile(countingValues(kMaxValues + 50, false))), SurveyReadResult::Read);
    EXPECT_EQ(info(0, kColLast).number(), kLastValueIndex);
    EXPECT_EQ(values(1)[0], 1);
    EXPECT_EQ(values(1)[kLastValueIndex], kMaxValues % 3000);
}

struct BadFileCase {
    const char *name;
    QByteArray bytes; // the whole file; empty: a folder
};

class SurveyBadFileTest : public SurveyReaderTest, public ::testing::WithParamInterface<BadFileCase> {};

TEST_P(SurveyBadFileTest, RefusesWithUnknownFileErrorAndChangesNothing)
{
    Program &p = tp.p();
    p.survey.loadsurv.Command1.enabled = true;
    values(0).fill(5);
    const QString path = tp.path("bad.dat");
    if (GetParam().bytes.isEmpty()) {
        ASSERT_TRUE(QDir(tp.files.path()).mkdir("bad.dat"));
    } else {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(GetParam().bytes);
    }
    EXPECT_EQ(readSurveyPhaseFile(p, 0, path), SurveyReadResult::Failed);
    EXPECT_EQ(tp.dialogs.messageTexts(), QStringList{"Unknown File Error; Check"});
    EXPECT_EQ(tp.dialogs.messages[0].title, "");
    EXPECT_EQ(p.rec.gOutputMode, OutputMode::CancelOrUserScaleMin);
    EXPECT_EQ(values(0)[0], 5);
    EXPECT_FALSE(p.rec.slotInUse(0));
    EXPECT_TRUE(info(0, kColMode).isEmpty());
    EXPECT_EQ(p.survey.phaseFiles[0].slot, -1);
    EXPECT_TRUE(p.survey.surveyMode.isEmpty());
    EXPECT_TRUE(p.survey.loadsurv.Command1.enabled);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SurveyBadFileTest,
    ::testing::Values(
        BadFileCase{"NotARecording", "\"just some text\r\n1 2 3\x1a\"\r\n"},
        BadFileCase{"BeyondSixteenBits",
                    "\"MQAa   1234                   03-15-26 10:00\r\nT: 5 40000 6\x1a\"\r\n"},
        BadFileCase{"NoModeTableRow", "\"MQAn   1234                   03-15-26 10:00\r\nT: 5 6\x1a\"\r\n"},
        BadFileCase{"ModeWithoutInterval",
                    "\"MQAm   1234                   03-15-26 10:00\r\nT: 5 6\x1a\"\r\n"},
        BadFileCase{"BadDate", "\"MQAa   1234                   13-45-26 10:00\r\nT: 5 6\x1a\"\r\n"},
        BadFileCase{"NoValues", "\"MQAa   1234                   03-15-26 10:00\r\nT: \x1a\"\r\n"},
        BadFileCase{"NotANumber", "\"MQAa   1234                   03-15-26 10:00\r\nT: 5 1e999\x1a\"\r\n"},
        BadFileCase{"Folder", QByteArray()}),
    [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST_F(SurveyReaderTest, CancelledDialogIsAnUnknownFileError)
{
    tp.settings.store.save("Directory", "default", "/data/survey");
    EXPECT_EQ(Fileopenmqa(tp.p(), 0), SurveyReadResult::Failed);
    EXPECT_EQ(tp.dialogs.openDirs, QStringList{"/data/survey"});
    EXPECT_EQ(tp.dialogs.openFilters, QStringList{"data files (*.dat) | *.dat"});
    EXPECT_EQ(tp.dialogs.lastMessage(), "Unknown File Error; Check");
    EXPECT_EQ(tp.p().rec.gOutputMode, OutputMode::CancelOrUserScaleMin);

    tp.dialogs.openAnswers.push_back(write("ok.dat", phaseFile({"1"})));
    EXPECT_EQ(Fileopenmqa(tp.p(), 0), SurveyReadResult::Read);
    EXPECT_EQ(tp.p().rec.gOutputMode, OutputMode::Nothing);
    EXPECT_EQ(tp.p().rec.gOpenPath, tp.path("ok.dat"));
}

TEST_F(SurveyReaderTest, ModeMixingChangesNothing)
{
    Program &p = tp.p();
    ASSERT_EQ(read(0, phaseFile({"1"}, "a"), "red.dat"), SurveyReadResult::Read);
    values(1).fill(5);
    // Within a feeder the letters must agree, also when only the memory differs.
    EXPECT_EQ(read(1, phaseFile({"9"}, "d"), "white.dat"), SurveyReadResult::ModeMixing);
    EXPECT_EQ(tp.dialogs.messageTexts(), QStringList{"Mode mixing not allowed"});
    EXPECT_EQ(p.rec.gOutputMode, OutputMode::Nothing);
    EXPECT_EQ(values(1)[0], 5);
    EXPECT_FALSE(p.rec.slotInUse(1));

    // The next feeder (slots free again) may differ in memory, not in interval or kind.
    for (int slot = 0; slot < kSlots; ++slot) {
        p.rec.gInfo[slot][kColPath] = QString();
    }
    p.survey.gFeederIndex = 2;
    EXPECT_EQ(read(0, phaseFile({"1"}, "b"), "f2red.dat"), SurveyReadResult::ModeMixing);
    EXPECT_EQ(read(0, phaseFile({"1"}, "g"), "f2red.dat"), SurveyReadResult::ModeMixing);
    EXPECT_EQ(read(0, phaseFile({"1"}, "d"), "f2red.dat"), SurveyReadResult::Read);
}
