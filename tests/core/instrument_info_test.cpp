// The instrument information after a download (Showinfo) and a recovery
// (Showinfodb): the texts, the readings of a recovery, the mode letter,
// Label1 and Save As.
#include "program/menu_items.h"
#include "setup/instrument_info.h"
#include "support/test_program.h"

#include <gtest/gtest.h>

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kTitle =
    QStringLiteral("                 Instrument Information from download                 ");
const QString kRemember =
    QStringLiteral("                  REMEMBER TO SAVE THIS DOWNLOAD TO A FILE               ");

// A received text: a line end, the header (family, mode, serial, time), "T:" and values.
QString received(const QString &mode, const QString &time = QStringLiteral("03-15-26 12:00"),
                 const QString &family = QStringLiteral("KQA"))
{
    const QString header = (family + mode + QStringLiteral("   0042")).leftJustified(30) + time;
    return kCrLf + header + kCrLf + QStringLiteral("T: 12 13 14 ") + QChar(26);
}

class InstrumentInfo : public ::testing::Test {
protected:
    Program &p() { return tp.p(); }
    TestProgram tp;
};

TEST_F(InstrumentInfo, DownloadTextForEachKindOfMode)
{
    p().rec.gText = received(QStringLiteral("J"));
    Program::run(p().procs.Showinfo);
    EXPECT_EQ(p().view.Label1.text, kTitle + kCrLf + "Type: KQA" + QString(26, ' ') + "Ser. 0042" + kCrLf +
                                        "Mode:  j    Min/Max/Avg    Stop           15 min interval" + kCrLf +
                                        "           Downloaded or stopped at:  12:00  Mar 15, 26        " +
                                        kCrLf + kRemember);
    EXPECT_EQ(p().rec.gModeLetter, "j");

    // A blank mode is "a"; the header is found after leading noise without K or M.
    p().rec.gText = QStringLiteral("xyz") + received(QStringLiteral(" "), "01-02-27 23:45", "MQV");
    Program::run(p().procs.Showinfo);
    const QStringList lines = p().view.Label1.text.split(kCrLf);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[1], "Type: MQV" + QString(26, ' ') + "Ser. 0042");
    EXPECT_EQ(lines[2], "Mode:  a    Average        Cont           15 min interval");
    EXPECT_EQ(lines[3], "           Downloaded or stopped at:  23:45  Jan 02, 27        ");
    EXPECT_EQ(p().rec.gModeLetter, "a");

    // Mode "m" has no interval and no memory behaviour: both are left empty.
    p().rec.gText = received(QStringLiteral("m"));
    Program::run(p().procs.Showinfo);
    EXPECT_EQ(p().view.Label1.text.split(kCrLf).value(2),
              "Mode:  m    Min/Max/Avg    " + QString(15, ' ') + " min interval");
}

TEST_F(InstrumentInfo, LabelShownAndSaveEnabledWithNoFileOpen)
{
    p().menu.setEnabled(menu::kItemSave, false);
    p().view.Label1.visible = false;
    p().rec.gText = received(QStringLiteral("b"));
    Program::run(p().procs.Showinfo);
    EXPECT_TRUE(p().view.Label1.visible);
    EXPECT_TRUE(p().menu.enabled(menu::kItemSave));
    EXPECT_FALSE(p().rec.slotInUse(0));

    p().menu.setEnabled(menu::kItemSave, false);
    p().view.Label1.visible = false;
    p().rec.gInfo[0][kColStart] = QStringLiteral("10:00  Mar 15, 26");
    Program::run(p().procs.Showinfodb);
    EXPECT_TRUE(p().view.Label1.visible);
    EXPECT_TRUE(p().menu.enabled(menu::kItemSave));
}

TEST_F(InstrumentInfo, WithoutAModeRowOrHeaderTheLabelKeepsItsText)
{
    p().view.Label1.text = QStringLiteral("before");
    p().rec.gModeLetter = QStringLiteral("a");
    p().menu.setEnabled(menu::kItemSave, false);
    for (const QString &text : {received(QStringLiteral("z")), received(QStringLiteral("#")),
                                QStringLiteral("no family letter here"), QString(), QStringLiteral("K")}) {
        p().rec.gText = text;
        Showinfo(p());
        Showinfodb(p());
        EXPECT_EQ(p().view.Label1.text, "before");
        EXPECT_EQ(p().rec.gModeLetter, "a");
        EXPECT_FALSE(p().menu.enabled(menu::kItemSave));
    }
}

struct ReadingsCase {
    const char *mode;
    const char *start;
    int capacity;
    const char *readings;
};

class RecoveredReadings : public ::testing::TestWithParam<ReadingsCase> {};

TEST_P(RecoveredReadings, FromStartToStopTime)
{
    TestProgram tp;
    Program &p = tp.p();
    const ReadingsCase &c = GetParam();
    p.rec.gText = received(QString::fromLatin1(c.mode));
    p.rec.gInfo[0][kColStart] = QString::fromLatin1(c.start);
    p.link.gSampleCapacity = c.capacity;
    Showinfodb(p);
    const QStringList lines = p.view.Label1.text.split(kCrLf);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], kTitle);
    EXPECT_EQ(lines[3], QStringLiteral("Start Time ") + c.start +
                            "  Downloaded (stopped):  12:00  Mar 15, 26" + "  Readings: " + c.readings +
                            "  ");
    EXPECT_EQ(lines[4], kRemember);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecoveredReadings,
    ::testing::Values(ReadingsCase{"d", "10:00  Mar 15, 26", 10710, "8"},  // 15-minute average
                      ReadingsCase{"h", "10:00  Mar 15, 26", 10710, "72"}, // 5-minute min/max/avg
                      ReadingsCase{"H", "03-15-26 10:00", 50, "50"},       // capacity smaller
                      ReadingsCase{"a", "10:20  Mar 15, 26", 10710, "6.666667"},
                      ReadingsCase{"m", "10:00  Mar 15, 26", 294, "294"}, // no interval
                      ReadingsCase{"a", "not a time", 10710, ""}));

} // namespace
