// The Download command and DownLoadProc on simulated time with a scripted
// serial port: the receive loop, automatic detection, the timers, cancel at
// every waiting point and the failures, each ending with the port closed.
#include "core/link_test_fixture.h"
#include "link/download.h"
#include "link/download_text.h"
#include "link/status_check.h"
#include "platform/serial_port.h"
#include "program/menu_items.h"
#include "reports/open_recording.h"

#include <QFile>

namespace {

const QByteArray kCtrlZ(1, 26);

// What a unit sends: CR LF, its header, "T:" and `n` readings, Ctrl-Z.
QByteArray transmission(const QString &family, const QString &mode, int n, bool ctrlZ = true)
{
    QByteArray out = "\r\n" + headerLine(family, mode, "0042", "12-07-26 08:00");
    out += "T: ";
    for (int i = 1; i <= n; ++i) {
        out += QByteArray::number(100 + i % 50) + ' ';
        if (i % 10 == 0) {
            out += "\r\n";
        }
    }
    return ctrlZ ? out + kCtrlZ : out;
}

// The text a download makes of `sent`: without the first character, the
// header line cut to 44 characters (its time field aside).
QString processedText(const QByteArray &sent)
{
    QString t = QString::fromLatin1(sent.mid(1));
    const qsizetype end = t.indexOf(QLatin1Char('\r'));
    return t.left(45) + t.mid(end);
}

class DownloadTest : public LinkTest {
protected:
    DownloadTest()
    {
        p().menu.setEnabled(menu::kItemSave, true);
        // The probe opens the port at the settings it has; a unit woken by
        // it answers at a rate the exchange does not use.
        usePort(port);
    }
    void usePort(FakeSerialPort &fake)
    {
        fake.setSettings("19200,N,8,1");
        p().io.port = &fake;
    }

    // The Download command, then OK in its window.
    void download()
    {
        p().runCommand(menu::kItemDownload);
        if (p().link.download.loaded) {
            DownloadOK(p());
        }
    }
    // Every way out of a download leaves the port closed and the window
    // unloaded.
    void expectEndedClean()
    {
        EXPECT_FALSE(port.portOpen());
        EXPECT_FALSE(p().link.download.loaded);
        EXPECT_FALSE(p().link.download.downloadActive);
        EXPECT_FALSE(p().link.download.wait.timer1Enabled());
        EXPECT_EQ(port.opens, port.closes + hangUps);
    }
    int hangUps = 0;
    // A fault: one message, no save offer, nothing in gText.
    void expectFault(const QString &messageStart)
    {
        expectEndedClean();
        ASSERT_EQ(tp.dialogs.messages.size(), 1U) << tp.dialogs.messageTexts().join("|").toStdString();
        EXPECT_TRUE(tp.dialogs.lastMessage().startsWith(messageStart))
            << tp.dialogs.lastMessage().toStdString();
        EXPECT_TRUE(tp.dialogs.saveDirs.isEmpty());
        EXPECT_FALSE(p().link.download.textReady);
    }
    QStringList messageTexts() const { return tp.dialogs.messageTexts(); }
};

TEST_F(DownloadTest, CleanDownloadIsProcessedSavedAndReadsBack)
{
    select(8);
    const QByteArray sent = transmission("KQA", "a", 95);
    port.answerWhenAwake({}, sent, 50);
    const QString path = tp.path("clean.dat");
    tp.dialogs.saveAnswers = {path};
    download();
    expectEndedClean();
    // The first character (the CR) is not stored; the Ctrl-Z ends the text.
    const QString expected = processedText(sent);
    EXPECT_EQ(p().rec.gText.size(), expected.size());
    EXPECT_EQ(p().rec.gText.mid(45), expected.mid(45));
    EXPECT_EQ(p().rec.gText.left(31), expected.left(31));
    EXPECT_EQ(p().link.download.label2, "No. of characters processed =  " + QString::number(sent.size() - 1));
    EXPECT_EQ(messageTexts(), QStringList({"       RETURN THE SWITCH TO 'STANDBY'   \r"
                                           "           OR REMOVE THE CABLE NOW       \r\r",
                                           " PROCEED"}));
    EXPECT_EQ(p().link.gSampleCapacity, 42966);
    EXPECT_EQ(p().rec.gInfo[0][kColStart].text(), "08:00 Dec 07, 26");
    ASSERT_TRUE(QFile::exists(path));
    ASSERT_TRUE(openRecordingFile(p(), path));
    EXPECT_EQ(p().rec.gInfo[0][kColLast].toInt(), 94);
    EXPECT_EQ(p().rec.gValues[0][94], 1010); // newest reading "101", read as tenths
    EXPECT_EQ(p().rec.gValues[0][0], 1450);
}

TEST_F(DownloadTest, LowerCaseFamilyLetterWarnsAfterProceed)
{
    select(8);
    port.answerWhenAwake({}, transmission("kQA", "b", 20), 50);
    tp.dialogs.saveAnswers = {tp.path("k.dat")};
    download();
    EXPECT_EQ(p().rec.gText.mid(1, 3), "KQA");
    ASSERT_EQ(tp.dialogs.messages.size(), 3U);
    EXPECT_EQ(tp.dialogs.messages[1].text, " PROCEED");
    EXPECT_EQ(tp.dialogs.messages[2].text, "    LOW INSTRUMENT BATTERY    ");
    EXPECT_EQ(tp.dialogs.messages[2].title, "WARNING");
    EXPECT_EQ(tp.dialogs.messages[2].icon, MsgIcon::Exclamation);
}

TEST_F(DownloadTest, WithoutCtrlZTheEndOfDataTimerEndsTheTransfer)
{
    select(8);
    const QByteArray sent = transmission("KQA", "a", 200, false);
    port.answerWhenAwake({}, sent, 50);
    qint64 lastByte = 50 + sent.size();
    tp.dialogs.saveAnswers = {tp.path("t.dat")};
    download();
    expectEndedClean();
    EXPECT_TRUE(p().link.download.wait.debugLog.contains("Terminated by waiting for data"));
    EXPECT_EQ(p().rec.gText.mid(45), processedText(sent).mid(45));
    // Twelve 200 ms ticks without a new character.
    const qint64 ended = tp.clock.elapsedMs();
    EXPECT_GE(ended - lastByte, 2200);
    EXPECT_LE(ended - lastByte, 2700);
}

TEST_F(DownloadTest, FewerThan500CharactersWaitForCancel)
{
    select(8);
    port.answerWhenAwake({}, transmission("KQA", "a", 20, false), 50);
    at(20000, [this] { DownloadCancel(p()); });
    download();
    expectEndedClean();
    EXPECT_TRUE(tp.dialogs.messages.empty());
    EXPECT_TRUE(tp.dialogs.saveDirs.isEmpty());
    EXPECT_GE(tp.clock.elapsedMs(), 20000);
}

TEST_F(DownloadTest, CharacterLimitEndsReception)
{
    struct Case {
        int type;
        int32_t limit;
    };
    // A unit that sends more than any memory holds.
    for (const Case c : {Case{7, downloadCharLimit(10710)}, Case{8, downloadCharLimit(42966)}}) {
        FakeSerialPort fake(tp.clock);
        usePort(fake);
        select(c.type);
        fake.byteIntervalMs = 0;
        fake.answerWhenAwake({}, transmission("KQA", "a", 70000, true), 50);
        tp.dialogs.saveAnswers = {std::nullopt};
        download();
        EXPECT_EQ(p().link.download.charsReceived, c.limit) << c.type;
        EXPECT_TRUE(p().link.download.textReady);
        // The MQA-S5's memory ends after 10710 readings, before the limit.
        EXPECT_EQ(p().rec.gText.contains(QChar(26)), c.type == 7);
        EXPECT_FALSE(fake.portOpen());
    }
}

TEST_F(DownloadTest, AutomaticDetectionFlipsOnceToA9600Unit)
{
    select(11);
    // At 115200 baud the 9600-baud unit's bytes arrive as garbage.
    port.answerWhenAwake(kSettings115200, QByteArray(40, '\xF0'), 50);
    port.answerWhenAwake(kSettings9600, transmission("KQA", "a", 30), 50);
    tp.dialogs.saveAnswers = {tp.path("auto.dat")};
    download();
    expectEndedClean();
    EXPECT_EQ(p().splash.portSettings, kSettings9600);
    EXPECT_EQ(p().splash.instAutoCurrent, 7);
    const QString log = p().link.download.wait.debugLog;
    EXPECT_TRUE(log.startsWith("Debugging log:\r\nStart of StartTimer: timer1.enabled=False\r\n"));
    EXPECT_EQ(log.count("Start of timer1."), 1);
    EXPECT_TRUE(log.endsWith("Got 'KQA'.\r\n")) << log.toStdString();
    EXPECT_EQ(port.openSettings.count(kSettings9600), 1);
    EXPECT_TRUE(QFile::exists(tp.path("auto.dat")));
}

TEST_F(DownloadTest, WrongFamilyFlipsOnceThenGivesUp)
{
    select(11);
    port.answerWhenAwake({}, transmission("KPA", "a", 30), 50);
    download();
    expectFault("Response from instrument not valid.\r\n");
    const QString log = p().link.download.wait.debugLog;
    EXPECT_TRUE(log.contains("Got a non-KQA.   triedBoth=False\r\n"));
    EXPECT_TRUE(log.contains("Got a non-KQA.   triedBoth=True\r\n"));
    EXPECT_EQ(p().splash.portSettings, kSettings9600);
}

TEST_F(DownloadTest, SilenceAtBothRatesEndsWithTheNoResponseMessage)
{
    select(11);
    // The unit's first character, then nothing at either rate.
    port.answerWhenAwake(kSettings115200, "\r", 50);
    download();
    expectFault("No response in 2.5 seconds at each of two different baud rates.\r\n\r\n"
                "Check that the instrument is connected.\r\n");
    EXPECT_EQ(p().link.gErrorCallPoint, 317);
    EXPECT_EQ(p().link.download.wait.debugLog.count("Start of timer1."), 2);
}

TEST_F(DownloadTest, CancelAtEveryWaitingPoint)
{
    enum class When { Prompt, Caution, AtMs, Processing };
    struct Case {
        const char *name;
        int type;
        QByteArray sent;
        When when;
        qint64 atMs;
    };
    const QByteArray data = transmission("KQA", "a", 3000, false);
    const Case cases[] = {
        {"the prompt", 8, data, When::Prompt, 0},
        {"the caution", 3, data, When::Caution, 0},
        {"the first character", 8, {}, When::AtMs, 3000},
        {"the header at automatic detection", 11, "\r\n", When::AtMs, 1000},
        {"the reception", 8, data, When::AtMs, 500},
        {"the processing", 8, data, When::Processing, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FakeSerialPort fake(tp.clock);
        usePort(fake);
        select(c.type);
        tp.dialogs.messages.clear();
        tp.dialogs.messageAnswers.clear();
        tp.clock.onProcessEvents = nullptr;
        p().rec.gText = "earlier";
        if (!c.sent.isEmpty()) {
            fake.answerWhenAwake({}, c.sent, 50);
        }
        switch (c.when) {
        case When::Caution:
            tp.dialogs.messageAnswers = {MsgResult::Cancel};
            break;
        case When::AtMs:
            at(tp.clock.elapsedMs() + c.atMs, [this] { DownloadCancel(p()); });
            break;
        case When::Processing:
            tp.clock.onProcessEvents = [this](qint64) {
                if (p().link.download.wait.label1.startsWith("PROCESSING")) {
                    DownloadCancel(p());
                }
            };
            break;
        case When::Prompt:
            break;
        }
        p().runCommand(menu::kItemDownload);
        if (c.when == When::Prompt) {
            DownloadCancel(p());
        }
        if (p().link.download.loaded) {
            DownloadOK(p());
        }
        EXPECT_FALSE(fake.portOpen());
        EXPECT_EQ(fake.opens, fake.closes);
        EXPECT_FALSE(p().link.download.loaded);
        EXPECT_FALSE(p().link.download.wait.timer1Enabled());
        EXPECT_TRUE(tp.dialogs.saveDirs.isEmpty());
        EXPECT_EQ(p().rec.gText, "earlier");
        const size_t expectedMessages = c.when == When::Caution ? 1U : 0U; // the caution itself
        EXPECT_EQ(tp.dialogs.messages.size(), expectedMessages) << messageTexts().join("|").toStdString();
    }
}

TEST_F(DownloadTest, EmptyFieldInitializationAnswerEndsWithoutSaving)
{
    select(2);
    QByteArray sent =
        "\r\n" + headerLine("KPA", "D", "0042", "12-01-26 08:00", {}) + "101 102 103\r\n" + kCtrlZ;
    port.answerWhenAwake({}, sent, 50);
    download();
    expectEndedClean();
    ASSERT_EQ(tp.dialogs.inputs.size(), 1U);
    EXPECT_EQ(tp.dialogs.inputs[0].prompt,
              "Enter date and time of the field initialization\rusing format 'mm-dd-yy hh:mm'");
    EXPECT_TRUE(tp.dialogs.saveDirs.isEmpty());
    EXPECT_FALSE(p().link.download.textReady);
}

TEST_F(DownloadTest, PortFailureInTheMiddleNamesThePortAndTheDataKept)
{
    select(8);
    p().link.gCommPort = 3;
    port.answerWhenAwake({}, transmission("KQA", "a", 3000), 50);
    at(800, [this] { port.hangUp(); });
    hangUps = 1;
    download();
    expectFault("The download from COM3 stopped: the port failed.\r\nError  8010:");
    EXPECT_TRUE(tp.dialogs.lastMessage().contains("the instrument still holds its data."));
    EXPECT_EQ(p().link.gCommPort, 1); // reloaded from the store
}

TEST_F(DownloadTest, NoHeaderIsBadData)
{
    select(8);
    port.answerWhenAwake({}, "\r\n1 2 3 4 5\r\n" + kCtrlZ, 50);
    download();
    expectEndedClean();
    EXPECT_EQ(tp.dialogs.lastMessage(), "Bad data. Try downloading again.");
    EXPECT_TRUE(tp.dialogs.saveDirs.isEmpty());
}

TEST_F(DownloadTest, CommandFailuresAndTheCaution)
{
    select(3);
    port.failOpenWith = SerialError::kInvalidPortNumber;
    p().runCommand(menu::kItemDownload);
    EXPECT_EQ(messageTexts(), QStringList({portNotValidText()}));
    EXPECT_FALSE(p().link.download.loaded);

    port.failOpenWith = 0;
    tp.dialogs.messages.clear();
    tp.dialogs.messageAnswers = {MsgResult::Ok};
    p().runCommand(menu::kItemDownload);
    ASSERT_EQ(tp.dialogs.messages.size(), 1U);
    EXPECT_EQ(tp.dialogs.messages[0].text, downloadCautionText());
    EXPECT_EQ(tp.dialogs.messages[0].buttons, MsgButtons::OkCancel);
    // The cable prompt is the status check's.
    EXPECT_EQ(p().link.download.wait.label1, statusPromptText(false, false, kSettings9600));
    EXPECT_TRUE(p().link.download.okVisible);
    EXPECT_TRUE(p().link.download.visible);
    DownloadCancel(p());
    EXPECT_FALSE(p().link.download.loaded);
}

} // namespace
