// The status check end to end: the program's own code with the real
// QSerialPort against rdx600-sim on a pseudo-terminal, at a fifth of the
// real pauses and time-outs.
#include "linked_program.h"

#include "link/instrument_catalogue.h"
#include "link/link_commands.h"
#include "link/status_check.h"
#include "platform/qt_clock.h"
#include "platform/qt_serial_port.h"
#include "program/menu_items.h"
#include "program/program.h"
#include "support/fake_dialogs.h"

#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>
#include <iostream>
#include <memory>

namespace {

constexpr double kTimeScale = LinkedProgram::kTimeScale;
#ifdef RDX600_SANITIZED
// Every instruction costs several times more under the sanitizers; what the
// CPU test checks is that the loop sleeps, which holds either way.
constexpr double kCpuAllowance = 3.0;
#else
constexpr double kCpuAllowance = 1.0;
#endif
const QString kComplete = QStringLiteral("Status check complete. You may disconnect the instrument now.\r\n"
                                         " Do you want to do another?     \r\n");

class StatusCheckE2E : public ::testing::Test {
protected:
    StatusCheckE2E()
    {
        // The prompt answered OK, the completion question No.
        dialogs.messageAnswers = {MsgResult::Ok, MsgResult::No};
    }

    void select(int type)
    {
        program->splash.instSelection = type;
        applyTypeSettings(*program, type);
    }
    // Every open the simulator saw was closed again.
    static void expectAllClosed(const SimHarness &sim)
    {
        ASSERT_TRUE(sim.waitForLog("closed", 3000, sim.countInLog("opened")));
        EXPECT_EQ(sim.countInLog("closed"), sim.countInLog("opened")) << sim.log().toStdString();
    }

    LinkedProgram lp;
    FakeDialogs &dialogs = lp.dialogs;
    QtClock &clock = *lp.clock;
    QtSerialPort &port = *lp.port;
    Program *program = &lp.p();
};

TEST_F(StatusCheckE2E, S5Instrument)
{
    SimHarness sim({"--type", "8", "--serial", "4711", "--mode", "j", "--clock", "03-14-26 09:45"});
    ASSERT_TRUE(sim.started()) << sim.error().toStdString();
    select(8);
    program->runCommand(menu::kItemStatusCheck);
    ASSERT_EQ(dialogs.messages.size(), 2U) << dialogs.lastMessage().toStdString();
    EXPECT_EQ(dialogs.lastMessage(), kComplete);
    EXPECT_EQ(program->link.status.label2, " Type: KQA    Serial Number 4711\r"
                                           " Mode setting:  j    Min/Max/Avg  Stop   15 min \r"
                                           " Time On: 09:45 Mar 14, 26     Condition: Running\r"
                                           "Vbatt = 3.806 volts\r");
    EXPECT_FALSE(port.portOpen());
    expectAllClosed(sim);
}

TEST_F(StatusCheckE2E, NonS5InstrumentStoppedWithoutBatteryReading)
{
    SimHarness sim(
        {"--type", "2", "--serial", "0042", "--mode", "B", "--no-battery", "--clock", "11-02-26 07:15"});
    ASSERT_TRUE(sim.started()) << sim.error().toStdString();
    select(2);
    program->runCommand(menu::kItemStatusCheck);
    ASSERT_EQ(dialogs.messages.size(), 2U) << dialogs.lastMessage().toStdString();
    EXPECT_TRUE(dialogs.messages[0].text.startsWith("   Press 'OK'."));
    EXPECT_EQ(program->link.status.label2, " Type: KPA    Serial Number 0042\r"
                                           " Mode setting:  B    Average Cont   5 min \r"
                                           " Time On: 07:15 Nov 02, 26     Condition: Stopped\r\r");
    EXPECT_TRUE(sim.waitForLog("rate seen 9600 (matches)", 2000));
    expectAllClosed(sim);
}

TEST_F(StatusCheckE2E, AutomaticDetectionFindsA9600BaudUnit)
{
    SimHarness sim({"--type", "MQA-S5", "--serial", "0310"});
    ASSERT_TRUE(sim.started()) << sim.error().toStdString();
    select(11);
    QElapsedTimer took;
    took.start();
    program->runCommand(menu::kItemStatusCheck);
    ASSERT_EQ(dialogs.messages.size(), 2U) << dialogs.lastMessage().toStdString();
    EXPECT_EQ(dialogs.lastMessage(),
              "Auto-selected settings now being used are for the MQA-S5\r\n\r\n" + kComplete);
    EXPECT_TRUE(program->link.status.label2.contains("Serial Number 0310"));
    EXPECT_EQ(program->splash.portSettings, kSettings9600);
    EXPECT_EQ(program->splash.maxSamples, 10710);
    EXPECT_TRUE(sim.waitForLog("rate seen 115200, unit sends at 9600: garbage", 2000));
    EXPECT_TRUE(sim.waitForLog("rate seen 9600 (matches)", 2000));
    // 2.5 s and the 5-second flip, scaled.
    EXPECT_GE(took.elapsed(), static_cast<qint64>(7500 * kTimeScale));
    expectAllClosed(sim);

    // The next exchange starts at the rate that answered.
    dialogs.messageAnswers = {MsgResult::Ok, MsgResult::No};
    program->runCommand(menu::kItemStatusCheck);
    EXPECT_EQ(dialogs.lastMessage(),
              "Auto-selected settings now being used are for the MQA-S5\r\n\r\n" + kComplete);
    EXPECT_EQ(sim.countInLog("unit sends at 9600: garbage"), 1);
    expectAllClosed(sim);
}

TEST_F(StatusCheckE2E, AutomaticDetectionOfAKpaUnitFailsAfterTheSecondWrongCode)
{
    SimHarness sim({"--type", "2"});
    ASSERT_TRUE(sim.started()) << sim.error().toStdString();
    select(11);
    program->runCommand(menu::kItemStatusCheck);
    ASSERT_EQ(dialogs.messages.size(), 2U);
    EXPECT_TRUE(dialogs.lastMessage().startsWith(
        "After the 2nd timeout, the following erroneous Line1 characters had been received:\r\nKPA\r\n"))
        << dialogs.lastMessage().toStdString();
    EXPECT_FALSE(port.portOpen());
    expectAllClosed(sim);
}

TEST_F(StatusCheckE2E, SilentUnitTimesOutAtBothRates)
{
    SimHarness sim({"--type", "8", "--fault", "silence"});
    ASSERT_TRUE(sim.started()) << sim.error().toStdString();
    select(11);
    program->runCommand(menu::kItemStatusCheck);
    ASSERT_EQ(dialogs.messages.size(), 2U);
    EXPECT_TRUE(
        dialogs.lastMessage().startsWith("No response in 2.5 seconds at each of two different baud rates."));
    expectAllClosed(sim);
}

// The status check's own receive loop, not a test loop: while it waits on a
// silent unit, and while garbage arrives at the wrong rate, it must sleep
// between reads rather than spin.
TEST_F(StatusCheckE2E, TheWaitingLoopCostsLittleCpu)
{
    struct Case {
        const char *name;
        QStringList options;
        double limit;
    };
    // A unit of a fixed type waits until the user cancels: 3 s of waiting.
    const Case cases[] = {
        {"silent unit", {"--type", "8", "--fault", "silence"}, 0.05},
        {"garbage at the wrong rate", {"--type", "8", "--rate", "9600"}, 0.10},
    };
    for (const Case &c : cases) {
        SimHarness sim(c.options);
        ASSERT_TRUE(sim.started()) << sim.error().toStdString();
        select(8);
        dialogs.messages.clear();
        dialogs.messageAnswers = {MsgResult::Ok, MsgResult::Cancel};
        QTimer::singleShot(3000, [this] { StatusCancel(*program); });
        QElapsedTimer wall;
        wall.start();
        const double before = processCpuSeconds();
        program->runCommand(menu::kItemStatusCheck);
        const double share = (processCpuSeconds() - before) / (static_cast<double>(wall.elapsed()) / 1000.0);
        std::cout << "[ figure ] status check loop, " << c.name << ": " << share * 100.0
                  << " % of one core over " << wall.elapsed() << " ms\n";
        EXPECT_GE(wall.elapsed(), 2500);
        EXPECT_LT(share, c.limit * kCpuAllowance) << c.name;
        EXPECT_FALSE(port.portOpen());
    }
}

TEST_F(StatusCheckE2E, HangUpDuringTheWaitIsReported)
{
    SimHarness sim({"--type", "2", "--cable-delay", "100000"});
    ASSERT_TRUE(sim.started()) << sim.error().toStdString();
    select(2);
    QTimer::singleShot(300, [&sim] { sim.stop(); });
    program->runCommand(menu::kItemStatusCheck);
    ASSERT_EQ(dialogs.messages.size(), 2U);
    EXPECT_TRUE(
        dialogs.lastMessage().startsWith("In status.StatusCheck: gErrorCallPoint = 109\r\nError number  80"))
        << dialogs.lastMessage().toStdString();
    EXPECT_FALSE(port.portOpen());
}

} // namespace
