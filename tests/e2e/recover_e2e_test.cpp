// The recovery end to end: the program's own code with the real QSerialPort
// against rdx600-sim, the saved file read back with the file reader and
// compared with what the simulated unit holds.
#include "linked_program.h"

#include "link/instrument_catalogue.h"
#include "link/link_commands.h"
#include "platform/qt_clock.h"
#include "platform/qt_serial_port.h"
#include "program/menu_items.h"
#include "program/program.h"
#include "reports/open_recording.h"
#include "setup/recover.h"
#include "support/fake_dialogs.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace {

constexpr double kTimeScale = LinkedProgram::kTimeScale;

class RecoverE2E : public ::testing::Test {
protected:
    RecoverE2E() { dialogs.saveAnswers = {out}; }

    void select(int type)
    {
        program->splash.instSelection = type;
        applyTypeSettings(*program, type);
    }
    // The command, then OK in the window.
    void run()
    {
        ASSERT_TRUE(program->runCommand(menu::kItemRecover));
        ASSERT_TRUE(program->setup.recover.loaded);
        RecoverOk(*program);
    }
    // The values the unit transmits, newest first, read straight off the port.
    QList<QByteArray> unitValues()
    {
        QtSerialPort raw;
        raw.setCommPort(1);
        raw.setSettings(program->splash.portSettings);
        if (raw.setPortOpen(true) != 0) {
            return {};
        }
        raw.setInputLen(0);
        QByteArray got;
        QDeadlineTimer deadline(20000);
        while (!got.endsWith('\x1a') && !deadline.hasExpired()) {
            clock.processEvents(20);
            got += raw.input();
        }
        raw.setPortOpen(false);
        return got.mid(got.indexOf("T: ") + 3).chopped(1).simplified().split(' ');
    }
    // The saved file, opened with the file reader, holds the unit's values
    // and the stop time.
    void expectSavedFileMatches(const QString &stopStamp)
    {
        ASSERT_TRUE(QFile::exists(out));
        const QList<QByteArray> values = unitValues();
        ASSERT_TRUE(openRecordingFile(*program, out));
        const Recording &r = program->rec;
        EXPECT_EQ(r.gInfo[0][kColEnd].text(), stopStamp);
        const int n = values.size();
        EXPECT_EQ(static_cast<int>(r.gInfo[0][kColLast].number()), n - 1);
        int mismatches = 0;
        for (int i = 0; i < n; ++i) {
            // The file holds the newest value first; the model the oldest.
            mismatches += r.gValues[0][i] != values.at(n - 1 - i).toInt() * 10 ? 1 : 0;
        }
        EXPECT_EQ(mismatches, 0);
    }

    LinkedProgram lp;
    FakeDialogs &dialogs = lp.dialogs;
    QtClock &clock = *lp.clock;
    QtSerialPort &port = *lp.port;
    Program *program = &lp.p();
    QTemporaryDir dir;
    QString out = dir.filePath("rescued.dat");
};

TEST_F(RecoverE2E, StoppedUnitWithAPartialMemory)
{
    SimHarness sim(
        {"--type", "8", "--mode", "D", "--readings", "500", "--clock", "03-14-26 09:45", "--battery", "064"});
    ASSERT_TRUE(sim.started()) << sim.error().toStdString();
    select(8);
    run();
    ASSERT_TRUE(program->setup.recover.saved) << dialogs.messageTexts().join("|").toStdString();
    EXPECT_EQ(program->link.gSampleCapacity, 500);
    EXPECT_FALSE(port.portOpen());
    expectSavedFileMatches("14:45  Mar 19, 26"); // 500 readings of 15 minutes
}

TEST_F(RecoverE2E, FullStopWhenFullMemory)
{
    SimHarness sim({"--type", "7", "--mode", "j", "--full", "--full-speed", "--clock", "01-02-26 00:00"});
    ASSERT_TRUE(sim.started()) << sim.error().toStdString();
    select(7);
    run();
    ASSERT_TRUE(program->setup.recover.saved) << dialogs.messageTexts().join("|").toStdString();
    EXPECT_EQ(program->link.gSampleCapacity, 10710);
    // 3,570 intervals of 15 minutes: 37 days 4 h 30 min.
    expectSavedFileMatches("04:30  Feb 08, 26");
}

TEST_F(RecoverE2E, RefusedUnitsSaveNothing)
{
    struct Case {
        QStringList options;
        QString message;
    };
    const std::vector<Case> cases{
        {{"--type", "7", "--mode", "A", "--full", "--full-speed"}, recovery::continuousText()},
        {{"--type", "7", "--mode", "D", "--readings", "40", "--fault", "no-t"}, recovery::notValidText(true)},
    };
    select(7);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.options.join(' ').toStdString());
        SimHarness sim(c.options);
        ASSERT_TRUE(sim.started());
        dialogs.messages.clear();
        run();
        EXPECT_TRUE(dialogs.messageTexts().contains(c.message))
            << dialogs.messageTexts().join("|").toStdString();
        EXPECT_FALSE(program->setup.recover.saved);
        EXPECT_FALSE(QFile::exists(out));
        EXPECT_FALSE(port.portOpen());
        EXPECT_TRUE(sim.waitForLog("closed", 3000, sim.countInLog("opened")));
    }
}

TEST_F(RecoverE2E, CancelAndCablePulled)
{
    select(7);
    {
        SimHarness sim({"--type", "7", "--fault", "silence"});
        ASSERT_TRUE(sim.started());
        QTimer::singleShot(300, [this] { RecoverCancel(*program); });
        run();
        EXPECT_EQ(dialogs.messages.size(), 1U); // the caution only
        EXPECT_FALSE(port.portOpen());
        EXPECT_FALSE(program->setup.recover.loaded);
        EXPECT_TRUE(sim.waitForLog("closed", 3000, sim.countInLog("opened")));
    }
    {
        // 9,600 baud: the transfer takes seconds; the cable goes mid-way.
        SimHarness sim({"--type", "7", "--mode", "D", "--readings", "3000"});
        ASSERT_TRUE(sim.started());
        dialogs.messages.clear();
        QTimer pull;
        QObject::connect(&pull, &QTimer::timeout, [&sim, &pull] {
            if (sim.countInLog("transmission started") > 0) {
                pull.stop();
                QTimer::singleShot(300, [&sim] { sim.stop(); });
            }
        });
        pull.start(20);
        run();
        ASSERT_EQ(dialogs.messages.size(), 2U) << dialogs.messageTexts().join("|").toStdString();
        EXPECT_TRUE(dialogs.lastMessage().endsWith("\r\n\r\nNothing was recovered."));
        EXPECT_FALSE(QFile::exists(out));
        EXPECT_FALSE(port.portOpen());
        EXPECT_FALSE(program->setup.recover.loaded);
    }
}

TEST_F(RecoverE2E, CommandLine)
{
    SimHarness sim({"--type", "8", "--mode", "E", "--readings", "120", "--clock", "05-06-26 07:00"});
    ASSERT_TRUE(sim.started());
    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("RDX600_COM2", sim.devicePath());
    cli.setProcessEnvironment(env);
    cli.start(RDX600_CLI_PATH, {"recover", "--port", "2", "--type", "8", out});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    // The instrument information on standard output.
    const QString info = QString::fromLatin1(cli.readAllStandardOutput());
    EXPECT_TRUE(info.contains(
        "Start Time 07:00  May 06, 26  Downloaded (stopped):  17:00  May 06, 26  Readings: 120"))
        << info.toStdString();
    ASSERT_TRUE(openRecordingFile(*program, out));
    EXPECT_EQ(program->rec.gInfo[0][kColEnd].text(), "17:00  May 06, 26"); // 120 x 5 minutes

    QProcess usage;
    usage.start(RDX600_CLI_PATH, {"recover", "--port", "2", out});
    ASSERT_TRUE(usage.waitForFinished(10000));
    EXPECT_EQ(usage.exitCode(), 2);
}

} // namespace
