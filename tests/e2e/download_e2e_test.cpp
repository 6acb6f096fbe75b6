// The download end to end: the program's own code with the real QSerialPort
// against rdx600-sim on a pseudo-terminal, at a fifth of the real pauses and
// time-outs. Every fault ends with the port closed, one message, no save
// offer and no file.
#include "linked_program.h"

#include "link/download.h"
#include "link/instrument_catalogue.h"
#include "link/link_commands.h"
#include "platform/qt_clock.h"
#include "platform/qt_serial_port.h"
#include "program/menu_items.h"
#include "program/program.h"
#include "reports/open_recording.h"
#include "setup/instrument_info.h"
#include "support/fake_dialogs.h"
#include "support/recording_files.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace {

constexpr double kTimeScale = LinkedProgram::kTimeScale;
const QChar kCtrlZ(26);

class DownloadE2E : public ::testing::Test {
protected:
    void select(int type)
    {
        program->splash.instSelection = type;
        applyTypeSettings(*program, type);
    }
    QString out(const QString &name) const { return files.filePath(name); }
    // The Download command and OK; the file dialog answers `saveTo`.
    void download(const QString &saveTo = {})
    {
        dialogs.saveAnswers = {saveTo.isEmpty() ? std::nullopt : std::optional<QString>(saveTo)};
        program->runCommand(menu::kItemDownload);
        ASSERT_TRUE(program->link.download.loaded) << dialogs.lastMessage().toStdString();
        DownloadOK(*program);
    }
    void expectAllClosed(const SimHarness &sim)
    {
        EXPECT_FALSE(port.portOpen());
        EXPECT_FALSE(program->link.download.loaded);
        if (sim.log().contains("unplugged (fault)")) {
            return; // the simulator ended with its terminal
        }
        ASSERT_TRUE(sim.waitForLog("closed", 3000, sim.countInLog("opened")));
        EXPECT_EQ(sim.countInLog("closed"), sim.countInLog("opened")) << sim.log().toStdString();
    }
    // A fault: one message that starts as given, no save offer, no file.
    void expectFault(const SimHarness &sim, const QString &start, const QString &file)
    {
        expectAllClosed(sim);
        ASSERT_EQ(dialogs.messages.size(), 1U) << dialogs.messageTexts().join("|").toStdString();
        EXPECT_TRUE(dialogs.lastMessage().startsWith(start)) << dialogs.lastMessage().toStdString();
        EXPECT_TRUE(dialogs.saveDirs.isEmpty());
        EXPECT_FALSE(QFile::exists(file));
        EXPECT_FALSE(program->link.download.textReady);
    }
    // Opens a recording file into the next slot; its values oldest first.
    std::vector<int16_t> valuesOf(const QString &path)
    {
        Program &p = *program;
        const int slot = p.rec.openCount();
        EXPECT_TRUE(openRecordingFile(p, path)) << path.toStdString();
        const int last = p.rec.gInfo[slot][kColLast].toInt();
        return {p.rec.gValues[slot].begin(), p.rec.gValues[slot].begin() + last + 1};
    }

    QTemporaryDir files;
    LinkedProgram lp;
    FakeDialogs &dialogs = lp.dialogs;
    QtClock &clock = *lp.clock;
    QtSerialPort &port = *lp.port;
    Program *program = &lp.p();
};

TEST_F(DownloadE2E, CleanDownloadReadsBackWithTheValuesSent)
{
    RecordingFileContent content;
    content.family = QStringLiteral("KQA");
    content.serial = QStringLiteral("0310");
    // Readings as a clean download holds them: none of 999 (the check makes
    // those 000) or above, ten on every line.
    for (int i = 1; i <= 2340; ++i) {
        content.values << QString::number(i % 998);
    }
    const QString source = out("source.dat");
    ASSERT_TRUE(writeRecording(source, content));
    SimHarness sim({"--type", "8", "--recording", source, "--clock", "12-01-26 08:00"});
    ASSERT_TRUE(sim.started()) << sim.error().toStdString();
    select(8);
    const QString saved = out("download.dat");
    download(saved);
    expectAllClosed(sim);
    EXPECT_EQ(dialogs.messageTexts().last(), " PROCEED");
    EXPECT_TRUE(program->view.Label1.text.contains("Instrument Information from download"));
    ASSERT_TRUE(QFile::exists(saved));
    // The file's lines as the simulator replays them, newest reading first.
    EXPECT_TRUE(program->rec.gText.contains("T: 1 2 3 "));
    EXPECT_TRUE(program->rec.gText.endsWith(QStringLiteral("343 344 \r\n") + kCtrlZ));
    const std::vector<int16_t> sent = valuesOf(source);
    const std::vector<int16_t> got = valuesOf(saved);
    EXPECT_EQ(got.size(), 2340U);
    EXPECT_EQ(got, sent);
    EXPECT_EQ(program->rec.gInfo[1][kColSerial].text(), "0310");
}

TEST_F(DownloadE2E, OlderLayoutOfANonS5Unit)
{
    SimHarness sim({"--type", "2", "--layout", "old", "--readings", "700", "--mode", "b"});
    ASSERT_TRUE(sim.started()) << sim.error().toStdString();
    select(2);
    const QString saved = out("old.dat");
    download(saved);
    expectAllClosed(sim);
    ASSERT_TRUE(QFile::exists(saved));
    EXPECT_FALSE(program->rec.gText.contains("T:"));
    EXPECT_EQ(program->link.gSampleCapacity, 6531);
    EXPECT_EQ(valuesOf(saved).size(), 700U);
    EXPECT_TRUE(sim.waitForLog("rate seen 9600 (matches)", 2000));
}

TEST_F(DownloadE2E, StoppedOlderLayoutUnitAsksForTheFieldInitialization)
{
    SimHarness sim({"--type", "2", "--layout", "old", "--readings", "300", "--mode", "D"});
    ASSERT_TRUE(sim.started()) << sim.error().toStdString();
    select(2);
    dialogs.inputAnswers = {"13-01-26 09:00", "12-01-26 09:00"};
    const QString saved = out("stopped.dat");
    download(saved);
    expectAllClosed(sim);
    EXPECT_EQ(dialogs.inputs.size(), 2U);
    ASSERT_TRUE(QFile::exists(saved));
    // The unit stopped before its memory filled: 300 intervals of 15 minutes
    // after the field initialization.
    const qsizetype m = program->rec.gText.indexOf(QLatin1Char('K'));
    EXPECT_EQ(program->rec.gText.mid(m + 46, 14), "12-04-26 12:00");
    EXPECT_EQ(valuesOf(saved).size(), 300U);
    EXPECT_EQ(program->rec.gInfo[0][kColEnd].text(), "12:00  Dec 04, 26");
}

TEST_F(DownloadE2E, AutomaticDetectionFlipsOnceAndFindsA9600BaudUnit)
{
    SimHarness sim({"--type", "MQA-S5", "--readings", "400"});
    ASSERT_TRUE(sim.started()) << sim.error().toStdString();
    select(11);
    const QString saved = out("auto.dat");
    download(saved);
    expectAllClosed(sim);
    ASSERT_TRUE(QFile::exists(saved));
    EXPECT_EQ(program->splash.portSettings, kSettings9600);
    EXPECT_EQ(program->splash.instAutoCurrent, 7);
    EXPECT_EQ(program->link.download.wait.debugLog.count("Start of timer1."), 1);
    EXPECT_TRUE(program->link.download.wait.debugLog.contains("Got 'KQA'."));
    EXPECT_EQ(sim.countInLog("unit sends at 9600: garbage"), 1);
    EXPECT_EQ(valuesOf(saved).size(), 400U);
}

TEST_F(DownloadE2E, LettersInGarbageAtTheSlowerRateGiveANonKqaAndOneFlip)
{
    // Detection last found a 9600-baud unit; this one sends at 115200.
    SimHarness sim({"--type", "8", "--readings", "3000", "--seed", "5"});
    ASSERT_TRUE(sim.started()) << sim.error().toStdString();
    program->splash.instAutoCurrent = 7;
    select(11);
    ASSERT_EQ(program->splash.portSettings, kSettings9600);
    const QString saved = out("fast.dat");
    download(saved);
    expectAllClosed(sim);
    const QString log = program->link.download.wait.debugLog;
    EXPECT_TRUE(log.contains("Got a non-KQA.   triedBoth=False")) << log.toStdString();
    EXPECT_TRUE(log.contains("Got 'KQA'."));
    EXPECT_EQ(program->splash.portSettings, kSettings115200);
    ASSERT_TRUE(QFile::exists(saved));
    EXPECT_EQ(valuesOf(saved).size(), 3000U);
    // A lower-case letter of the garbage is forgotten with the restart.
    EXPECT_FALSE(dialogs.messageTexts().join("|").contains("LOW INSTRUMENT BATTERY"));
}

TEST_F(DownloadE2E, GarbageAtAFixedWrongRateGivesAFalseLowBatteryLetter)
{
    // An MQA-S5 selected, an MQA-S5-MH connected: at 9600 baud its bytes
    // arrive as random garbage, a lower-case "k" among them.
    SimHarness sim({"--type", "8", "--readings", "3000", "--seed", "3"});
    ASSERT_TRUE(sim.started()) << sim.error().toStdString();
    select(7);
    dialogs.saveAnswers = {std::nullopt};
    download();
    expectAllClosed(sim);
    EXPECT_TRUE(program->link.download.textReady);
    EXPECT_TRUE(dialogs.messageTexts().contains("    LOW INSTRUMENT BATTERY    "));
    EXPECT_FALSE(program->rec.gText.contains("T:"));
}

TEST_F(DownloadE2E, LowerCaseFamilyLetterAndTheMqaS5Trimming)
{
    SimHarness sim(
        {"--type", "7", "--readings", "11500", "--peak", "60", "--fault", "low-battery", "--full-speed"});
    ASSERT_TRUE(sim.started()) << sim.error().toStdString();
    select(7);
    const QString saved = out("trimmed.dat");
    download(saved);
    expectAllClosed(sim);
    const QString &text = program->rec.gText;
    const qsizetype m = text.indexOf(QLatin1Char('K'));
    EXPECT_EQ(text.mid(m, 3), "KQA");
    EXPECT_TRUE(dialogs.messageTexts().contains("    LOW INSTRUMENT BATTERY    "));
    EXPECT_EQ(text.count(kCtrlZ), 1);
    EXPECT_TRUE(text.endsWith(kCtrlZ));
    EXPECT_TRUE(text.at(text.size() - 2).isDigit());
    EXPECT_EQ(valuesOf(saved).size(), 10710U);
}

TEST_F(DownloadE2E, WithoutCtrlZTheEndOfDataTimerEndsTheTransfer)
{
    SimHarness sim({"--type", "8", "--readings", "900", "--fault", "no-ctrlz"});
    ASSERT_TRUE(sim.started()) << sim.error().toStdString();
    select(8);
    const QString saved = out("noz.dat");
    QElapsedTimer took;
    took.start();
    download(saved);
    expectAllClosed(sim);
    EXPECT_TRUE(program->link.download.wait.debugLog.contains("Terminated by waiting for data"));
    EXPECT_FALSE(program->rec.gText.contains(kCtrlZ));
    // 2.4 s of quiet, scaled.
    EXPECT_GE(took.elapsed(), static_cast<qint64>(2200 * kTimeScale));
    EXPECT_TRUE(sim.log().contains("transmission complete"));
}

TEST_F(DownloadE2E, CablePulledInTheMiddle)
{
    SimHarness sim({"--type", "8", "--readings", "3000", "--fault", "unplug-after=4000"});
    ASSERT_TRUE(sim.started()) << sim.error().toStdString();
    select(8);
    download(out("pulled.dat"));
    expectFault(sim, "The download from COM1 stopped: the port failed.\r\nError  8010:", out("pulled.dat"));
    EXPECT_TRUE(dialogs.lastMessage().contains("the instrument still holds its data"));
    EXPECT_TRUE(sim.log().contains("unplugged (fault)"));
}

TEST_F(DownloadE2E, SilenceAtBothRates)
{
    // The unit's first character, then nothing at either rate.
    SimHarness sim({"--type", "8", "--fault", "stop-after=1"});
    ASSERT_TRUE(sim.started()) << sim.error().toStdString();
    select(11);
    download(out("silent.dat"));
    expectFault(sim, "No response in 2.5 seconds at each of two different baud rates.", out("silent.dat"));
    EXPECT_EQ(program->link.gErrorCallPoint, 317);
}

TEST_F(DownloadE2E, WrongFamilyAfterTheFlip)
{
    SimHarness sim({"--type", "7", "--family", "KPA"});
    ASSERT_TRUE(sim.started()) << sim.error().toStdString();
    select(11);
    download(out("kpa.dat"));
    expectFault(sim, "Response from instrument not valid.\r\n", out("kpa.dat"));
    EXPECT_TRUE(program->link.download.wait.debugLog.contains("Got a non-KQA.   triedBoth=True"));
}

TEST_F(DownloadE2E, CancelAtEveryWaitingPoint)
{
    struct Case {
        const char *name;
        QStringList options;
        int type;
        int cancelAfterMs; // -1: in the prompt, before OK
    };
    const Case cases[] = {
        {"the prompt", {"--type", "8"}, 8, -1},
        {"the first character", {"--type", "8", "--fault", "silence"}, 8, 600},
        {"the header at automatic detection", {"--type", "8", "--fault", "stop-after=1"}, 11, 300},
        {"the reception", {"--type", "8", "--readings", "20000"}, 8, 600},
        {"the switch of rates", {"--type", "7", "--readings", "200"}, 11, 700},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        SimHarness sim(c.options);
        ASSERT_TRUE(sim.started()) << sim.error().toStdString();
        program->splash.instAutoCurrent = 8;
        select(c.type);
        dialogs.messages.clear();
        dialogs.saveDirs.clear();
        program->runCommand(menu::kItemDownload);
        ASSERT_TRUE(program->link.download.loaded);
        if (c.cancelAfterMs < 0) {
            DownloadCancel(*program);
        } else {
            QTimer::singleShot(c.cancelAfterMs, [this] { DownloadCancel(*program); });
            DownloadOK(*program);
        }
        expectAllClosed(sim);
        EXPECT_TRUE(dialogs.messages.empty()) << dialogs.lastMessage().toStdString();
        EXPECT_TRUE(dialogs.saveDirs.isEmpty());
        EXPECT_FALSE(program->link.download.textReady);
    }
}

} // namespace
