// The initialization end to end: the program's own code with the real
// QSerialPort against rdx600-sim on a pseudo-terminal, at a fifth of the
// real pauses and time-outs. Then a status check of the unit and its next
// transmission show the new mode and clock.
#include "linked_program.h"

#include "link/header_exchange.h"
#include "link/instrument_catalogue.h"
#include "link/link_commands.h"
#include "platform/qt_clock.h"
#include "platform/qt_serial_port.h"
#include "platform/textformat.h"
#include "program/menu_items.h"
#include "program/program.h"
#include "setup/initialize.h"
#include "support/fake_dialogs.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

constexpr double kTimeScale = LinkedProgram::kTimeScale;

class InitializeE2E : public ::testing::Test {
protected:
    InitializeE2E()
    {
        Program &p = *program;
        // 1 minute, min/max/avg, stop when memory full: mode "l".
        p.setup.initInst.timeOption = 3;
        p.setup.initInst.kindOption = 5;
        p.setup.initInst.memoryOption = 7;
        // Warning OK, prompt OK, read-back No.
        dialogs.messageAnswers = {MsgResult::Ok, MsgResult::Ok, MsgResult::No};
    }

    void select(int type)
    {
        program->splash.instSelection = type;
        applyTypeSettings(*program, type);
    }
    static void expectAllClosed(const SimHarness &sim)
    {
        ASSERT_TRUE(sim.waitForLog("closed", 3000, sim.countInLog("opened")));
        EXPECT_EQ(sim.countInLog("closed"), sim.countInLog("opened")) << sim.log().toStdString();
    }
    // Presses CANCEL of the header exchange window once `when` holds.
    void cancelWhen(const std::function<bool()> &when)
    {
        auto &timer = *timers.emplace_back(std::make_unique<QTimer>());
        QObject::connect(&timer, &QTimer::timeout, [this, when, &timer] {
            if (when()) {
                AbortCancel(*program);
                timer.stop();
            }
        });
        timer.start(20);
    }

    LinkedProgram lp;
    FakeDialogs &dialogs = lp.dialogs;
    QtClock &clock = *lp.clock;
    QtSerialPort &port = *lp.port;
    Program *program = &lp.p();
    std::vector<std::unique_ptr<QTimer>> timers;
};

TEST_F(InitializeE2E, OneMinuteMinMaxAvgStopWhenFullThenAStatusCheck)
{
    // The unit answers the TAB 1 s (scaled) after it: the program, which
    // pauses 0.5 s before sending its string, must wait for the answer and
    // not take the "T:" of the data still in flight for it.
    SimHarness sim({"--type", "8", "--serial", "4711", "--mode", "a", "--readings", "3000", "--answer-delay",
                    "1000", "--init-delay", "500", "--speed", "600"});
    ASSERT_TRUE(sim.started()) << sim.error().toStdString();
    select(8);
    // A program that sent its string too early would wait for a read-back
    // that never comes: CANCEL after 10 s turns that into a failure.
    QElapsedTimer took;
    took.start();
    cancelWhen([this, &took] { return program->link.abort.loaded && took.elapsed() > 10000; });
    program->runCommand(menu::kItemInitialize);
    ASSERT_EQ(dialogs.messages.size(), 3U) << dialogs.lastMessage().toStdString();
    const QString readBack = dialogs.lastMessage();
    EXPECT_TRUE(readBack.contains(" Type: KQA           Serial Number 4711\r")) << readBack.toStdString();
    EXPECT_TRUE(readBack.contains(" Mode setting:     Min/Max/Avg       Stop1  min interval\r"));
    EXPECT_EQ(dialogs.messages.back().defaultButton, MsgDefault::Second);
    EXPECT_TRUE(sim.waitForLog("initialized: mode l", 2000)) << sim.log().toStdString();
    EXPECT_EQ(sim.countInLog("before the answer"), 0);
    EXPECT_TRUE(sim.log().contains("transmission stopped at the TAB"));
    // The string went out after the unit's answer, not after the data's "T:".
    const QString log = sim.log();
    EXPECT_LT(log.indexOf("initialization answer complete"), log.indexOf("initialization string '"));
    EXPECT_GE(log.indexOf("initialization answer complete"), 0);
    const QString sent = program->link.abort.logLabel.section("Initstring=", 1).section("\r\n", 0, 0);
    EXPECT_TRUE(sent.endsWith(" f1\r")) << sent.toStdString();
    EXPECT_FALSE(port.portOpen());
    expectAllClosed(sim);

    // A status check through the program's own code: mode "l", the new clock.
    dialogs.messages.clear();
    dialogs.messageAnswers = {MsgResult::Ok, MsgResult::No};
    program->runCommand(menu::kItemStatusCheck);
    const auto time = textformat::parseDate(sent.left(14));
    ASSERT_TRUE(time);
    EXPECT_TRUE(program->link.status.label2.startsWith(
        " Type: KQA    Serial Number 4711\r"
        " Mode setting:  l    Min/Max/Avg  Stop   1 min \r"
        " Time On: " +
        textformat::dateText(*time, textformat::DateText::StampOneBlank)))
        << program->link.status.label2.toStdString();
    expectAllClosed(sim);
}

TEST_F(InitializeE2E, TheUnitRecordsFromItsNewClock)
{
    // 15-minute averages, 900 simulated seconds per real second: about one
    // reading a second after the initialization.
    SimHarness sim({"--type", "8", "--readings", "50", "--speed", "900", "--init-delay", "100"});
    ASSERT_TRUE(sim.started()) << sim.error().toStdString();
    select(8);
    program->setup.initInst = InitInstState{};
    program->setup.initInst.timeOption = 1;
    program->setup.initInst.kindOption = 4;
    program->setup.initInst.memoryOption = 6;
    program->runCommand(menu::kItemInitialize);
    ASSERT_TRUE(sim.waitForLog("initialized: mode a", 2000)) << sim.log().toStdString();
    const QString sent = program->link.abort.logLabel.section("Initstring=", 1).section("\r\n", 0, 0);
    QDeadlineTimer wait(3000);
    while (!wait.hasExpired()) {
        clock.processEvents(50);
    }
    // The next transmission: the new clock in the header, three or so
    // readings after the "T:" marker.
    ASSERT_EQ(port.setCommPort(1), 0);
    ASSERT_EQ(port.setSettings(kSettings115200), 0);
    ASSERT_EQ(port.setPortOpen(true), 0);
    port.setInputLen(0);
    QByteArray got;
    QDeadlineTimer deadline(5000);
    while (!got.endsWith('\x1a') && !deadline.hasExpired()) {
        clock.processEvents(20);
        got += port.input();
    }
    port.setPortOpen(false);
    const qsizetype h = got.indexOf("KQA");
    ASSERT_GE(h, 0) << got.toStdString();
    EXPECT_EQ(QString::fromLatin1(got.mid(h + 30, 14)), sent.left(14));
    const QList<QByteArray> values = got.mid(got.indexOf("T: ") + 3).chopped(1).simplified().split(' ');
    EXPECT_GE(values.size(), 2) << got.toStdString();
    EXPECT_LE(values.size(), 6) << got.toStdString();
}

TEST_F(InitializeE2E, CancelAtEachWaitingPointLeavesThePortClosed)
{
    // Silent unit: CANCEL while the header is awaited ends the
    // initialization without a message.
    {
        SimHarness sim({"--type", "8", "--fault", "silence"});
        ASSERT_TRUE(sim.started());
        select(8);
        cancelWhen([this] { return program->link.abort.loaded && port.portOpen(); });
        program->runCommand(menu::kItemInitialize);
        EXPECT_EQ(dialogs.messages.size(), 2U) << dialogs.lastMessage().toStdString();
        EXPECT_TRUE(program->link.abort.abortFrmErrorFlag);
        EXPECT_FALSE(port.portOpen());
        expectAllClosed(sim);
    }
    // A unit that never answers the TAB: CANCEL goes back to the cable
    // prompt (answered Cancel), with the port closed meanwhile.
    {
        SimHarness sim({"--type", "8", "--answer-delay", "100000"});
        ASSERT_TRUE(sim.started());
        dialogs.messages.clear();
        dialogs.messageAnswers = {MsgResult::Ok, MsgResult::Ok, MsgResult::Cancel};
        cancelWhen([&sim] { return sim.countInLog("TAB received") > 0; });
        program->runCommand(menu::kItemInitialize);
        ASSERT_EQ(dialogs.messages.size(), 3U) << dialogs.lastMessage().toStdString();
        EXPECT_EQ(dialogs.messages[2].text, dialogs.messages[1].text);
        EXPECT_EQ(sim.countInLog("initialization string"), 0);
        EXPECT_FALSE(port.portOpen());
        expectAllClosed(sim);
    }
}

TEST_F(InitializeE2E, FaultsEndWithOneMessage)
{
    // The cable pulled while the unit has not answered the TAB.
    {
        SimHarness sim({"--type", "8", "--answer-delay", "100000"});
        ASSERT_TRUE(sim.started());
        select(8);
        QTimer pull;
        QObject::connect(&pull, &QTimer::timeout, [&sim, &pull] {
            if (sim.countInLog("TAB received") > 0) {
                pull.stop();
                sim.stop();
            }
        });
        pull.start(20);
        program->runCommand(menu::kItemInitialize);
        ASSERT_EQ(dialogs.messages.size(), 3U) << dialogs.messageTexts().join("|").toStdString();
        EXPECT_TRUE(dialogs.lastMessage().endsWith("\r\n\r\nTerminating the initialization"))
            << dialogs.lastMessage().toStdString();
        EXPECT_TRUE(dialogs.lastMessage().startsWith("Error  80")) << dialogs.lastMessage().toStdString();
        EXPECT_FALSE(port.portOpen());
        EXPECT_FALSE(program->link.abort.loaded);
    }
    // Automatic detection meeting a unit of another family: its code at the
    // first rate; at the second the unit's bytes arrive as garbage, in which
    // a family letter may start a wrong header (the second wrong code) or
    // none does (the final time-out). Either way nothing is sent.
    {
        SimHarness sim({"--type", "8", "--family", "KPA"});
        ASSERT_TRUE(sim.started());
        dialogs.messages.clear();
        dialogs.messageAnswers = {MsgResult::Ok, MsgResult::Ok};
        select(11);
        program->runCommand(menu::kItemInitialize);
        const QStringList texts = dialogs.messageTexts();
        ASSERT_GE(texts.size(), 3) << texts.join("|").toStdString();
        if (texts[2].startsWith("No response in 2.5 seconds at each of two different baud rates.")) {
            ASSERT_EQ(texts.size(), 4);
            EXPECT_EQ(texts[3], "Terminating the initialization");
        } else {
            EXPECT_EQ(texts.size(), 3);
            EXPECT_TRUE(texts[2].startsWith(
                "After the 2nd timeout, the following erroneous Line1 characters had been received:"))
                << texts[2].toStdString();
        }
        EXPECT_TRUE(sim.log().contains("rate seen 9600, unit sends at 115200"));
        EXPECT_EQ(sim.countInLog("TAB received"), 0);
        EXPECT_FALSE(port.portOpen());
        EXPECT_FALSE(program->link.abort.loaded);
        expectAllClosed(sim);
    }
}

TEST_F(InitializeE2E, AKpa1020ReadsBackABlankMode)
{
    SimHarness sim({"--type", "KPA10/20", "--init-delay", "100"});
    ASSERT_TRUE(sim.started());
    select(1);
    dialogs.messageAnswers = {MsgResult::Ok, MsgResult::Ok, MsgResult::Ok, MsgResult::No};
    program->runCommand(menu::kItemInitialize);
    ASSERT_EQ(dialogs.messages.size(), 4U) << dialogs.messageTexts().join("|").toStdString();
    EXPECT_EQ(dialogs.messages[2].text, "KPA 10 or 20 only have 15 min average, continuoue mode");
    EXPECT_TRUE(dialogs.lastMessage().contains("  Average         Cont15  min interval"));
    expectAllClosed(sim);
}

TEST_F(InitializeE2E, CommandLine)
{
    SimHarness sim({"--type", "2", "--serial", "0042", "--init-delay", "200"});
    ASSERT_TRUE(sim.started());
    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("RDX600_COM3", sim.devicePath());
    cli.setProcessEnvironment(env);
    cli.start(RDX600_CLI_PATH, {"initialize", "--port", "3", "--type", "2", "--interval", "5", "--kind",
                                "average", "--memory", "stop"});
    ASSERT_TRUE(cli.waitForFinished(30000));
    const QString out = QString::fromLatin1(cli.readAllStandardOutput());
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    EXPECT_TRUE(out.startsWith("Initialization complete. New settings as read back from instrument:\n\n"
                               " Type: KPA           Serial Number 0042\n"
                               " Mode setting:       Average         Stop5  min interval\n"))
        << out.toStdString();
    EXPECT_TRUE(sim.waitForLog("initialized: mode e", 2000));

    QProcess usage;
    usage.start(RDX600_CLI_PATH,
                {"initialize", "--port", "3", "--interval", "7", "--kind", "average", "--memory", "stop"});
    ASSERT_TRUE(usage.waitForFinished(10000));
    EXPECT_EQ(usage.exitCode(), 2);
}

} // namespace
