// The status check on simulated time: header decoding, the prompts, the
// receive loop with cancel, time-outs and automatic detection, the error
// reports, and the port closed on every way out.
#include "link/status_check.h"
#include "link/status_decode.h"
#include "link_test_fixture.h"
#include "program/link_error.h"
#include "program/menu_items.h"

#include <gtest/gtest.h>

namespace {

const QString kCheck = QStringLiteral("Check that the instrument is connected or try selecting some other\r\n"
                                      " instrument type (using Options > Instrument Selection).");
const QString kComplete = QStringLiteral("Status check complete. You may disconnect the instrument now.\r\n"
                                         " Do you want to do another?     \r\n");

// ------------------------------------------------------------ decoding

struct ModeCase {
    const char *mode;
    const char *kind;
    const char *memory;
    const char *interval;
    const char *condition;
};

class ModeDecoding : public ::testing::TestWithParam<ModeCase> {};

TEST_P(ModeDecoding, KindMemoryIntervalAndCondition)
{
    ModeTable modes;
    modes.fill();
    const ModeCase c = GetParam();
    const StatusHeader h =
        decodeStatusHeader(QString::fromLatin1(headerLine("KQA", c.mode)).chopped(2), modes);
    EXPECT_EQ(h.mode, QString::fromLatin1(c.mode));
    EXPECT_EQ(h.kind, QString::fromLatin1(c.kind));
    EXPECT_EQ(h.memory, QString::fromLatin1(c.memory));
    EXPECT_EQ(h.interval, QString::fromLatin1(c.interval));
    EXPECT_EQ(h.condition, QString::fromLatin1(c.condition));
}

INSTANTIATE_TEST_SUITE_P(Modes, ModeDecoding,
                         ::testing::Values(ModeCase{"B", "Average", "Cont", "5", "Stopped"},
                                           ModeCase{"j", "Min/Max/Avg ", "Stop", "15", "Running"},
                                           ModeCase{"a", "Average", "Cont", "15", "Running"},
                                           ModeCase{"F", "Average", "Stop", "1", "Stopped"},
                                           ModeCase{"g", "Min/Max/Avg ", "Cont", "15", "Running"},
                                           ModeCase{"m", "Min/Max/Avg ", "", "", "Running"},
                                           ModeCase{"5", "FAIL; value is ", "5", " ;   invalid  ",
                                                    "Running"}));

TEST(StatusDecoding, HeaderFieldsAndResultText)
{
    ModeTable modes;
    modes.fill();
    const StatusHeader h =
        decodeStatusHeader(QString::fromLatin1(headerLine("kqa", "B", "0042")).chopped(2), modes);
    EXPECT_EQ(h.type, "KQA");
    EXPECT_EQ(h.serial, "0042");
    EXPECT_EQ(h.timeOn, "09:30 Dec 07, 26");
    ASSERT_TRUE(h.hasVbatt);
    EXPECT_EQ(statusResultText(h), " Type: KQA    Serial Number 0042\r"
                                   " Mode setting:  B    Average Cont   5 min \r"
                                   " Time On: 09:30 Dec 07, 26     Condition: Stopped\r"
                                   "Vbatt = 3.806 volts\r");
}

TEST(StatusDecoding, BatteryVoltagePicture)
{
    EXPECT_EQ(batteryVoltageText(0x3E8), "3.806");
    EXPECT_EQ(batteryVoltageText(0x064), ".516");
    ModeTable modes;
    modes.fill();
    const auto decode = [&](const char *hex) {
        return decodeStatusHeader(
                   QString::fromLatin1(headerLine("KQA", "a", "1", "12-07-26 09:30", hex)).chopped(2), modes)
            .voltage;
    };
    EXPECT_EQ(decode("3E8"), "3.806");
    EXPECT_EQ(decode("3e8"), "3.806");
    EXPECT_EQ(decode("064"), ".516");
}

TEST(StatusDecoding, WithoutBatteryReadingAndWithABadTime)
{
    ModeTable modes;
    modes.fill();
    const StatusHeader h = decodeStatusHeader(
        QString::fromLatin1(headerLine("KPA", "c", "7", "not a time at", QString())).chopped(2), modes);
    EXPECT_FALSE(h.hasVbatt);
    EXPECT_EQ(h.timeOn, "not a time at");
    EXPECT_TRUE(statusResultText(h).endsWith("Condition: Running\r\r"));
}

TEST(StatusDecoding, ModeCodeZeroAndModeBeyondTheTable)
{
    ModeTable modes;
    modes.fill();
    QString line = QString::fromLatin1(headerLine("KQA", "a")).chopped(2);
    line[3] = QChar(0);
    EXPECT_EQ(decodeStatusHeader(line, modes).memory, "  0  ");
    line[3] = QLatin1Char('z');
    try {
        decodeStatusHeader(line, modes);
        FAIL() << "a mode beyond m has no row";
    } catch (const LinkError &e) {
        EXPECT_EQ(e.number, 9);
    }
}

TEST(StatusTexts, PromptsForBothInterfacesAndAutomaticDetection)
{
    EXPECT_EQ(statusPromptText(true, false, kSettings115200),
              "   Insert the cable into the instrument.     \r\n"
              "             Then Press 'OK'.                \r\n" +
                  QString(45, ' ') +
                  "\r\n   (If the interface has a transfer switch,  \r\n"
                  "    make sure it's set to 'TRANSFER'.)       \r\n" +
                  QString(45, ' ') + "\r\n     Hit 'Cancel' or use ESC key to quit     ");
    const QString nonS5 = statusPromptText(false, false, kSettings9600);
    EXPECT_TRUE(nonS5.startsWith("   Press 'OK'.                               \r\n"
                                 "   Then insert the cable into the instrument.\r\n"));
    EXPECT_TRUE(statusPromptText(true, true, kSettings115200)
                    .endsWith("\r\nAuto select: Initial port settings = 115200,N,8,1\r\n"
                              "     Hit 'Cancel' or use ESC key to quit     "));
}

// ------------------------------------------------------------ whole checks

class StatusCheck : public LinkTest {
protected:
    // The prompt answered OK, the warnings acknowledged, the completion
    // question answered No.
    void SetUp() override { tp.dialogs.messageAnswers = {MsgResult::Ok, MsgResult::No}; }
    void answers(std::initializer_list<MsgResult> a) { tp.dialogs.messageAnswers = a; }
};

TEST_F(StatusCheck, S5InstrumentAnswersAndTheResultIsShown)
{
    select(8);
    port.answerWhenAwake({}, headerLine("KQA", "B", "0042"), 300);
    ASSERT_TRUE(p().runCommand(menu::kItemStatusCheck));

    const auto &m = tp.dialogs.messages;
    ASSERT_EQ(m.size(), 2U);
    EXPECT_EQ(m[0].text, statusPromptText(true, false, kSettings115200));
    EXPECT_EQ(m[0].buttons, MsgButtons::OkCancel);
    EXPECT_EQ(m[0].title, "");
    EXPECT_EQ(m[1].text, kComplete);
    EXPECT_EQ(m[1].buttons, MsgButtons::YesNo);
    EXPECT_EQ(m[1].defaultButton, MsgDefault::Second);
    EXPECT_TRUE(statusView.showed("WAITING FOR RESPONSE FROM INSTRUMENT"));
    EXPECT_TRUE(p().link.status.label2.startsWith(" Type: KQA    Serial Number 0042\r"));
    // Probe, then the exchange; both closed.
    EXPECT_EQ(port.openSettings, QStringList({"9600,N,8,1", kSettings115200}));
    EXPECT_EQ(port.opens, port.closes);
    EXPECT_FALSE(port.portOpen());
    EXPECT_EQ(port.inputLen(), 1);
    EXPECT_EQ(p().link.gErrorCallPoint, 111);
    EXPECT_FALSE(p().link.status.loaded);
    EXPECT_FALSE(p().link.status.label1Visible);
    EXPECT_FALSE(p().link.status.wait.timer1Enabled());
}

TEST_F(StatusCheck, NonS5InstrumentShowsReadyAndTransmitsAfterTheCableIsInserted)
{
    select(2);
    port.arrive(4000, headerLine("KPA", "j", "0777"));
    p().runCommand(menu::kItemStatusCheck);
    EXPECT_EQ(tp.dialogs.messages[0].text, statusPromptText(false, false, kSettings9600));
    bool ready = false;
    for (const auto &s : statusView.shots) {
        ready = ready || (s.label1 == "READY" && s.label1Visible && s.fontSize == 24);
    }
    EXPECT_TRUE(ready);
    EXPECT_EQ(p().link.status.label2, " Type: KPA    Serial Number 0777\r"
                                      " Mode setting:  j    Min/Max/Avg  Stop   15 min \r"
                                      " Time On: 09:30 Dec 07, 26     Condition: Running\r"
                                      "Vbatt = 3.806 volts\r");
    EXPECT_FALSE(port.portOpen());
    // A type other than automatic detection has no time-out.
    EXPECT_EQ(tp.dialogs.messages.size(), 2U);
}

TEST_F(StatusCheck, LowerCaseFamilyLetterWarnsOfALowBatteryBeforeTheResult)
{
    select(11);
    answers({MsgResult::Ok, MsgResult::Ok, MsgResult::No}); // with the battery warning
    port.answerWhenAwake({}, headerLine("kqa", "c"), 200);
    p().runCommand(menu::kItemStatusCheck);
    const auto &m = tp.dialogs.messages;
    ASSERT_EQ(m.size(), 3U);
    EXPECT_EQ(m[1].text, "Status Check OK but...\r\n\r\n    LOW INSTRUMENT BATTERY    ");
    EXPECT_EQ(m[1].title, "WARNING");
    EXPECT_EQ(m[1].icon, MsgIcon::Exclamation);
    EXPECT_EQ(m[2].text, "Auto-selected settings now being used are for the MQA-S5-MH\r\n\r\n" + kComplete);
    EXPECT_TRUE(p().link.status.label2.startsWith(" Type: KQA "));
}

TEST_F(StatusCheck, YesStartsOverWithANewPrompt)
{
    select(8);
    port.answerWhenAwake({}, headerLine("KQA", "a", "0001"), 100);
    tp.dialogs.messageAnswers = {MsgResult::Ok, MsgResult::Yes, MsgResult::Ok, MsgResult::No};
    p().runCommand(menu::kItemStatusCheck);
    const QStringList texts = tp.dialogs.messageTexts();
    ASSERT_EQ(texts.size(), 4);
    EXPECT_EQ(texts[2], texts[0]);
    EXPECT_EQ(port.opens, 3);
    EXPECT_EQ(port.closes, 3);
}

TEST_F(StatusCheck, CancelInThePromptEndsSilentlyWithThePortClosed)
{
    select(8);
    tp.dialogs.messageAnswers = {MsgResult::Cancel};
    p().runCommand(menu::kItemStatusCheck);
    EXPECT_EQ(tp.dialogs.messages.size(), 1U);
    EXPECT_EQ(p().link.gErrorCallPoint, 113);
    EXPECT_FALSE(port.portOpen());
    EXPECT_EQ(port.opens, 2);
    EXPECT_FALSE(p().link.status.suppressCommErrMsg);
}

TEST_F(StatusCheck, CancelInTheWindowEndsAtTheNextReadWithoutAMessage)
{
    select(11);
    at(1000, [this] { StatusCancel(p()); });
    p().runCommand(menu::kItemStatusCheck);
    EXPECT_EQ(tp.dialogs.messages.size(), 1U);
    EXPECT_FALSE(port.portOpen());
    EXPECT_FALSE(p().link.status.wait.timer1Enabled());
    EXPECT_GE(statusView.unloads, 1);
    // No flip happened: still at the first rate.
    EXPECT_EQ(p().splash.portSettings, kSettings115200);
    EXPECT_EQ(tp.clock.delayedMs, 0);
}

TEST_F(StatusCheck, CancelDuringTheFlipLeavesThePortClosed)
{
    select(11);
    // Pressed while the flip shows its first message.
    tp.clock.onProcessEvents = [this](qint64) {
        if (p().link.status.wait.label1.startsWith("No response.") && p().link.status.loaded) {
            StatusCancel(p());
        }
    };
    p().runCommand(menu::kItemStatusCheck);
    EXPECT_EQ(tp.dialogs.messages.size(), 1U);
    EXPECT_FALSE(port.portOpen());
    // The flip stopped before dropping DTR and reopening.
    EXPECT_EQ(port.opens, 2);
    EXPECT_EQ(tp.clock.delayedMs, 0);
    EXPECT_FALSE(p().link.status.wait.timer1Enabled());
}

// ------------------------------------------------------------ errors

TEST_F(StatusCheck, ProbeFailureIsReportedWithItsCallPoint)
{
    select(8);
    tp.settings.store.save("Comm", "RDX.MSComm1.CommPort", "2");
    p().link.gCommPort = 5;
    port.failOpenWith = 8002;
    p().runCommand(menu::kItemStatusCheck);
    ASSERT_EQ(tp.dialogs.messages.size(), 1U);
    EXPECT_EQ(tp.dialogs.lastMessage(), "Error  8002:  Invalid port number\r\n"
                                        "\r\n(Communication Error in RDX.mnuItemStatusCheck_Click.\r\n"
                                        "gErrorCallPoint = 3)\r\n"
                                        "\r\nTry selecting a different COM port\r\n"
                                        "(Using Options > Com Port Selection)");
    EXPECT_EQ(p().link.gErrorCallPoint, 7);
    EXPECT_EQ(p().link.gCommPort, 2);
    EXPECT_EQ(statusView.shows, 0);
}

TEST_F(StatusCheck, PortInUseAsksToCloseOtherPrograms)
{
    select(8);
    port.busyPorts = {1};
    p().runCommand(menu::kItemStatusCheck);
    EXPECT_EQ(tp.dialogs.lastMessage(), "Error  8005:  Port already open\r\n"
                                        "\r\n(Communication Error in RDX.mnuItemStatusCheck_Click.\r\n"
                                        "gErrorCallPoint = 3)\r\n"
                                        "\r\nClose all other communication-related programs and try again.");
    EXPECT_EQ(p().link.gCommPort, 1);
}

TEST_F(StatusCheck, PortFoundOpenIsClosedAndTheCheckGoesOn)
{
    select(8);
    port.setCommPort(1);
    port.setPortOpen(true);
    port.answerWhenAwake({}, headerLine("KQA", "a"), 100);
    answers({MsgResult::Ok, MsgResult::Ok, MsgResult::No}); // the port-found-open notice first
    p().runCommand(menu::kItemStatusCheck);
    const QStringList texts = tp.dialogs.messageTexts();
    ASSERT_EQ(texts.size(), 3);
    EXPECT_EQ(texts[0], "In RDX.mnuItemStatusCheck_Click: Port found open. So I'll close it.");
    EXPECT_EQ(texts[2], kComplete);
    EXPECT_FALSE(port.portOpen());
}

TEST_F(StatusCheck, OpenFailureInsideTheCheckGoesThroughTheErrorReport)
{
    select(8);
    port.failOpenAttempt = {{2, 8010}};
    p().runCommand(menu::kItemStatusCheck);
    ASSERT_EQ(tp.dialogs.messages.size(), 2U);
    EXPECT_EQ(tp.dialogs.lastMessage(), "In status.StatusCheck: gErrorCallPoint = 108\r\n"
                                        "Error number  8010:\r\n\r\n"
                                        "The device is not available (disconnected or hung up)");
    EXPECT_FALSE(port.portOpen());
}

TEST_F(StatusCheck, HangUpDuringTheWaitIsReportedAndTheCheckEnds)
{
    select(2);
    at(500, [this] { port.hangUp(); });
    p().runCommand(menu::kItemStatusCheck);
    EXPECT_EQ(tp.dialogs.lastMessage(), "In status.StatusCheck: gErrorCallPoint = 109\r\n"
                                        "Error number  8010:\r\n\r\n"
                                        "The device is not available (disconnected or hung up)");
    EXPECT_EQ(p().link.gErrorCallPoint, 112);
}

TEST_F(StatusCheck, ModeBeyondTheTableEndsThroughTheErrorReport)
{
    select(8);
    port.answerWhenAwake({}, headerLine("KQA", "Z"), 100);
    p().runCommand(menu::kItemStatusCheck);
    EXPECT_EQ(tp.dialogs.lastMessage(), "In status.StatusCheck: gErrorCallPoint = 111\r\n"
                                        "Error number  9:\r\n\r\nSubscript out of range");
    EXPECT_FALSE(port.portOpen());
}

// ------------------------------------------------------------ automatic detection

TEST_F(StatusCheck, AutomaticDetectionFindsThe9600BaudUnitAfterTheFlip)
{
    select(11);
    port.answerWhenAwake(kSettings9600, headerLine("KQA", "b", "0310"), 400);
    p().runCommand(menu::kItemStatusCheck);

    EXPECT_TRUE(statusView.showed("Treating unit as MQA-S5-MH.  Waiting for response..."));
    EXPECT_TRUE(statusView.showed("No response. Changing settings. (Takes about  5 seconds)..."));
    EXPECT_TRUE(statusView.showed("Now treating unit as MQA-S5.  Waiting for response..."));
    EXPECT_EQ(tp.clock.delayedMs, 5000);
    const QStringList texts = tp.dialogs.messageTexts();
    ASSERT_EQ(texts.size(), 2);
    EXPECT_EQ(texts[1], "Auto-selected settings now being used are for the MQA-S5\r\n\r\n" + kComplete);
    EXPECT_EQ(p().splash.portSettings, kSettings9600);
    EXPECT_EQ(p().splash.maxSamples, 10710);
    EXPECT_EQ(p().splash.instAutoCurrent, 7);
    EXPECT_TRUE(p().link.status.label2.contains("Serial Number 0310"));
    EXPECT_FALSE(port.portOpen());
    EXPECT_TRUE(port.dtrEnable());
}

TEST_F(StatusCheck, AKpaUnitGivesTheSecondFailureMessage)
{
    select(11);
    port.answerWhenAwake({}, headerLine("KPA", "b"), 300);
    p().runCommand(menu::kItemStatusCheck);
    EXPECT_TRUE(statusView.showed("Bad header. Changing settings. (Takes about  5 seconds)..."));
    EXPECT_EQ(tp.dialogs.lastMessage(),
              "After the 2nd timeout, the following erroneous Line1 characters had been "
              "received:\r\nKPA\r\n\r\n" +
                  kCheck);
    EXPECT_EQ(tp.dialogs.messages.size(), 2U);
    EXPECT_EQ(tp.clock.delayedMs, 5000);
    EXPECT_FALSE(port.portOpen());
    EXPECT_FALSE(p().link.status.wait.timer1Enabled());
}

TEST_F(StatusCheck, SilenceAtBothRatesEndsWithTheNoResponseMessage)
{
    select(11);
    p().runCommand(menu::kItemStatusCheck);
    ASSERT_EQ(tp.dialogs.messages.size(), 2U);
    EXPECT_EQ(tp.dialogs.lastMessage(),
              "No response in 2.5 seconds at each of two different baud rates.\r\n\r\n" + kCheck);
    EXPECT_FALSE(port.portOpen());
    EXPECT_EQ(port.openSettings, QStringList({"9600,N,8,1", kSettings115200, kSettings9600}));
    // 2.5 s, the 5-second flip, 2.5 s again.
    EXPECT_GE(tp.clock.elapsedMs(), 10000);
    EXPECT_LT(tp.clock.elapsedMs(), 10200);
    // The rate that was tried last stays for the next exchange.
    EXPECT_EQ(p().splash.portSettings, kSettings9600);
}

TEST_F(StatusCheck, IncompleteHeaderAtTheSecondTimeOut)
{
    select(11);
    port.answerWhenAwake(kSettings9600, "KQ", 300);
    p().runCommand(menu::kItemStatusCheck);
    EXPECT_EQ(tp.dialogs.lastMessage(),
              "Line1 = 'KQ '. Length=2\r\n"
              "By the 2nd timeout, the following incomplete header had been received:\r\n"
              "KQ\r\n\r\n" +
                  kCheck);
    EXPECT_FALSE(port.portOpen());
}

TEST_F(StatusCheck, InvalidHeaderFragment)
{
    select(11);
    port.answerWhenAwake({}, "xxK\r", 300);
    p().runCommand(menu::kItemStatusCheck);
    EXPECT_EQ(tp.dialogs.lastMessage(), "Invalid header fragment received: 'K'\r\n\r\n" + kCheck);
    EXPECT_FALSE(port.portOpen());
    EXPECT_EQ(tp.clock.delayedMs, 0);
}

} // namespace
