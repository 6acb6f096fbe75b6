// Whole instrument memories through every writer of recording files: the
// download, the recovery and Save As (of a whole recording and of a part),
// with the real QSerialPort against rdx600-sim. No reading may be lost,
// the stop time must be right, and every file must pass `rdx600-cli
// validate` clean and read back to the values the unit holds.
#include "linked_program.h"

#include "link/download.h"
#include "platform/qt_clock.h"
#include "platform/qt_serial_port.h"
#include "platform/textformat.h"
#include "program/menu_items.h"
#include "program/view_procs.h"
#include "recording/save.h"
#include "reports/open_recording.h"
#include "setup/recover.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <ostream>

namespace {

struct Memory {
    const char *name;
    int type;
    bool lowRange;
    const char *mode;    // as the simulator takes it (upper case: stopped)
    int readings;        // 0: a full memory
    const char *clock;   // the unit's initialization time
    const char *stopped; // the stop time both writers must find; "" for a running unit
    bool recoverable;    // false: the recovery refuses a full continuous memory
};

// The widest readings (low range, 100.0 and more) fill the memories; the
// MQA-S5 sends readings of earlier recordings after its own.
const Memory kMemories[] = {
    {"MqaS5WidestPlusOlderReadings", 7, true, "D", 11500, "01-02-25 00:00", "13:30  Apr 23, 25", true},
    {"MqaS5MhFullWidest", 8, true, "D", 0, "01-01-24 00:00", "13:30  Mar 23, 25", true},
    {"Tl40PlusFullMinMaxAvg", 14, true, "J", 0, "01-01-26 00:00", "12:30  Mar 16, 26", true},
    {"CustomFullContinuous", 9, true, "A", 0, "06-01-24 00:00", "", false},
    {"StoppedBeforeFull", 8, false, "D", 500, "03-14-26 09:45", "14:45  Mar 19, 26", true},
    {"RunningPartFilledMinMaxAvg", 13, false, "h", 3000, "10-01-26 06:00", "17:20  Oct 04, 26", true},
};

void PrintTo(const Memory &m, std::ostream *os)
{
    *os << m.name;
}

class Memories : public ::testing::TestWithParam<Memory> {
protected:
    QStringList simOptions(const Memory &m) const
    {
        QStringList o{"--type", QString::number(m.type), "--mode", m.mode, "--clock",
                      m.clock,  "--full-speed"};
        o << (m.readings == 0 ? QStringList{"--full"}
                              : QStringList{"--readings", QString::number(m.readings)});
        if (m.lowRange) {
            o << "--low-range"
              << "--peak"
              << "7000";
        }
        return o;
    }
    // The readings the unit transmits, newest first, read straight off the
    // port, in tenths.
    std::vector<int> unitReadings()
    {
        QtSerialPort raw;
        raw.setCommPort(1);
        raw.setSettings(lp.p().splash.portSettings);
        if (raw.setPortOpen(true) != 0) {
            return {};
        }
        raw.setInputLen(0);
        QByteArray got;
        QDeadlineTimer deadline(20000);
        while (!got.endsWith('\x1a') && !deadline.hasExpired()) {
            lp.clock->processEvents(20);
            got += raw.input();
        }
        raw.setPortOpen(false);
        std::vector<int> tenths;
        for (const QByteArray &item : got.mid(got.indexOf("T: ") + 3).chopped(1).simplified().split(' ')) {
            tenths.push_back(static_cast<int>(std::lround(item.toDouble() * 10)));
        }
        return tenths;
    }
    // `rdx600-cli validate` on the file: exit 0 and an empty result line.
    static void expectValidatesClean(const QString &path)
    {
        QProcess cli;
        cli.start(RDX600_CLI_PATH, {"validate", path});
        ASSERT_TRUE(cli.waitForFinished(30000));
        EXPECT_EQ(cli.exitCode(), 0) << path.toStdString() << ": "
                                     << cli.readAllStandardOutput().toStdString();
    }
    // The file opened alone: its readings newest first, as the unit sends
    // them, and its end time.
    std::vector<int> readBack(const QString &path, QString &end)
    {
        Program &p = lp.p();
        CloseRecordings(p);
        if (!openRecordingFile(p, path)) {
            return {};
        }
        end = p.rec.gInfo[0][kColEnd].text();
        const int last = p.rec.gInfo[0][kColLast].toInt();
        std::vector<int> values;
        for (int i = last; i >= 0; --i) {
            values.push_back(p.rec.gValues[0][i]);
        }
        return values;
    }
    // Every writer's file passes the check and holds `expected`.
    void expectSound(const QString &path, const std::vector<int> &expected, const QString &stopped)
    {
        SCOPED_TRACE(path.toStdString());
        expectValidatesClean(path);
        QString end;
        const std::vector<int> got = readBack(path, end);
        EXPECT_EQ(got.size(), expected.size());
        EXPECT_TRUE(got == expected) << "readings differ";
        if (!stopped.isEmpty()) {
            EXPECT_EQ(end.toStdString(), stopped.toStdString());
        }
    }
    // Save As of value indices first..last of the open recording.
    QString saveAs(int first, int last, const QString &name)
    {
        Program &p = lp.p();
        p.rec.gDatastart = first;
        p.rec.gdataend = last;
        lp.dialogs.saveAnswers = {dir.filePath(name)};
        SaveCommand(p);
        return dir.filePath(name);
    }

    LinkedProgram lp;
    QTemporaryDir dir;
};

TEST_P(Memories, EveryWriterKeepsTheWholeMemory)
{
    const Memory m = GetParam();
    SimHarness sim(simOptions(m));
    ASSERT_TRUE(sim.started()) << sim.error().toStdString();
    lp.select(m.type);
    Program &p = lp.p();
    const std::vector<int> sent = unitReadings();
    ASSERT_FALSE(sent.empty());
    const QString stopped = QString::fromLatin1(m.stopped);
    const bool stopWhenFull = QString("DEFJKL").contains(QString::fromLatin1(m.mode));

    // The download; the MQA-S5 keeps its own memory only.
    const QString downloaded = dir.filePath("download.dat");
    lp.dialogs.saveAnswers = {downloaded};
    p.runCommand(menu::kItemDownload);
    ASSERT_TRUE(p.link.download.loaded);
    DownloadOK(p);
    ASSERT_TRUE(p.link.download.saved) << lp.dialogs.messageTexts().join("|").toStdString();
    const size_t kept = m.type == 7 ? std::min<size_t>(sent.size(), 10710) : sent.size();
    const std::vector<int> downloadedReadings(sent.begin(), sent.begin() + static_cast<qsizetype>(kept));
    expectSound(downloaded, downloadedReadings, stopWhenFull ? stopped : QString());
    QString end;
    readBack(downloaded, end);
    const auto endTime = textformat::parseDate(end);
    const QDateTime now = lp.clock->now();
    ASSERT_TRUE(endTime.has_value()) << end.toStdString();
    EXPECT_LE(*endTime, QDateTime(now.date(), now.time(), Qt::UTC)) << "a stop time after the download";

    // Save As of the whole recording and of its middle third.
    const int last = static_cast<int>(kept) - 1;
    expectSound(saveAs(0, last, "whole.dat"), downloadedReadings, QString());
    readBack(downloaded, end);
    const int first = last / 3;
    const int to = 2 * last / 3;
    const std::vector<int> middle(downloadedReadings.begin() + (last - to),
                                  downloadedReadings.begin() + (last - first) + 1);
    expectSound(saveAs(first, to, "part.dat"), middle, QString());

    // The recovery of the same unit.
    const QString recovered = dir.filePath("recovered.dat");
    lp.dialogs.saveAnswers = {recovered};
    lp.dialogs.messages.clear();
    ASSERT_TRUE(p.runCommand(menu::kItemRecover));
    RecoverOk(p);
    EXPECT_EQ(p.setup.recover.saved, m.recoverable) << lp.dialogs.messageTexts().join("|").toStdString();
    if (m.recoverable) {
        expectSound(recovered, sent, stopped);
    } else {
        EXPECT_TRUE(lp.dialogs.messageTexts().contains(recovery::continuousText()));
    }
    EXPECT_TRUE(lp.allClosed(sim));
}

INSTANTIATE_TEST_SUITE_P(Table, Memories, ::testing::ValuesIn(kMemories),
                         [](const auto &testInfo) { return std::string(testInfo.param.name); });

} // namespace
