// The initialization on simulated time: the mode letter and the string sent,
// the read-back message, the whole procedure against a scripted unit on the
// fake port (the TAB answered, data in flight ignored, another instrument,
// low battery, a KPA 10/20's blank mode, an unknown mode letter), cancel at
// every waiting point, and the port failing in the middle.
#include "link/header_exchange.h"
#include "link/status_check.h"
#include "link_test_fixture.h"
#include "program/menu_items.h"
#include "setup/initialize.h"

#include <gtest/gtest.h>

namespace {

const QByteArray kData = "\r\nT: " + QByteArray(300, '7') + '\x1a';

class FakeAbortView : public AbortView {
public:
    void show() override { ++shows; }
    void unload() override { ++unloads; }
    void sync() override {}
    int shows = 0, unloads = 0;
};

class FakeInitInstView : public InitInstView {
public:
    explicit FakeInitInstView(Program &p) : p_(p) {}
    void showModal() override
    {
        ++shows;
        InitInstState &o = p_.setup.initInst;
        o.timeOption = time;
        o.kindOption = kind;
        o.memoryOption = memory;
        InitInstProceed(p_);
    }
    void unload() override { ++unloads; }
    int time = 3, kind = 5, memory = 7; // 1 minute, Min/Max/Avg, stop when full: "l"
    int shows = 0, unloads = 0;

private:
    Program &p_;
};

// ------------------------------------------------------------ pure parts

struct ModeCase {
    int time, kind, memory;
    char letter;
    const char *sent; // mode character and kind digit
};

class InitMode : public ::testing::TestWithParam<ModeCase> {};

TEST_P(InitMode, LetterAndString)
{
    const ModeCase c = GetParam();
    const QChar imode = init::modeLetter(c.time, c.kind, c.memory);
    EXPECT_EQ(imode, QLatin1Char(c.letter));
    const QDateTime t(QDate(2005, 1, 15), QTime(10, 30), Qt::UTC);
    EXPECT_EQ(init::initString(t, imode), QStringLiteral("01-15-05 10:30 ") + QLatin1String(c.sent) + "\r");
}

INSTANTIATE_TEST_SUITE_P(Options, InitMode,
                         ::testing::Values(ModeCase{1, 4, 6, 'a', "a0"}, ModeCase{2, 4, 6, 'b', "b0"},
                                           ModeCase{3, 4, 6, 'c', "c0"}, ModeCase{1, 4, 7, 'd', "d0"},
                                           ModeCase{2, 5, 6, 'h', "b1"}, ModeCase{1, 5, 7, 'j', "d1"},
                                           ModeCase{3, 5, 7, 'l', "f1"}));

TEST(InitReadBack, MessageBlankModeAndUnknownLetters)
{
    ModeTable modes;
    modes.fill();
    bool blank = false;
    QString bad;
    const QString header = QString::fromLatin1(headerLine("KQA", "l", "4711", "03-14-26 09:45"));
    EXPECT_EQ(init::readBackText(header, modes, blank, bad),
              "Initialization complete. New settings as read back from instrument:\r\n\r\n"
              " Type: KQA           Serial Number 4711\r"
              " Mode setting:     Min/Max/Avg       Stop1  min interval\r"
              " Time                     09:45 Mar 14, 26\r\r"
              "       RETURN THE SWITCH TO 'STANDBY'   \r"
              "           OR REMOVE THE CABLE NOW       \r\r"
              " Do you want to do another?     \r");
    EXPECT_FALSE(blank);

    const auto kpa = init::readBackText(QString::fromLatin1(headerLine("kpa", " ")), modes, blank, bad);
    ASSERT_TRUE(kpa);
    EXPECT_TRUE(blank);
    EXPECT_TRUE(kpa->contains(" Type: KPA "));
    EXPECT_TRUE(kpa->contains(" Mode setting:       Average         Cont15  min interval\r"));

    const auto m = init::readBackText(QString::fromLatin1(headerLine("KQA", "m")), modes, blank, bad);
    ASSERT_TRUE(m);
    EXPECT_TRUE(m->contains(" Mode setting:     Min/Max/Avg       "
                            "  min interval\r"));

    for (const char *letter : {"n", "z", "A", "5"}) {
        bad.clear();
        EXPECT_FALSE(init::readBackText(QString::fromLatin1(headerLine("KQA", letter)), modes, blank, bad));
        EXPECT_EQ(bad, QLatin1String(letter));
    }
}

// ------------------------------------------------------------ whole procedure

class Initialization : public LinkTest {
protected:
    Initialization() : initView(p())
    {
        p().windows.abort = &abortView;
        p().windows.initInst = &initView;
        p().modes.fill();
        installInitializeCommand(p());
        tp.clock.setNow(QDateTime(QDate(2026, 3, 14), QTime(9, 45), Qt::UTC));
        // Warning OK, prompt OK, read-back No.
        tp.dialogs.messageAnswers = {MsgResult::Ok, MsgResult::Ok, MsgResult::No};
        tp.clock.onProcessEvents = [this](qint64 now) { unitSide(now); };
    }

    // The unit answers the TAB with "\r\nINIT" after answerMs, and the
    // initialization string (to its CR) with its new header and a Ctrl-Z.
    void unitSide(qint64 now)
    {
        const qsizetype tab = port.written.indexOf('\t', consumed);
        if (tab >= 0 && answerAt < 0) {
            answerAt = now + answerMs;
            port.arrive(answerAt, answer);
        }
        if (answerAt >= 0 && port.written.indexOf('\r', tab + 1) > tab) {
            initString = port.written.mid(tab + 1);
            stringBeforeAnswer = stringBeforeAnswer || now < answerAt + answer.size();
            ++strings;
            consumed = port.written.size();
            answerAt = -1;
            port.arrive(now + 300, headerLine(family, readBackMode, "4711", "03-14-26 09:45") + '\x1a');
        }
    }

    void run() { ASSERT_TRUE(p().runCommand(menu::kItemInitialize)); }
    QStringList texts() const { return tp.dialogs.messageTexts(); }
    void expectEndedCleanly()
    {
        EXPECT_FALSE(port.portOpen());
        EXPECT_FALSE(p().link.abort.loaded);
        EXPECT_FALSE(p().link.abort.wait.timer1Enabled());
        EXPECT_FALSE(p().link.abort.flag);
        EXPECT_EQ(p().rec.gOutputMode, OutputMode::Nothing);
    }

    FakeAbortView abortView;
    FakeInitInstView initView;
    QByteArray answer = "\r\nINIT";
    qint64 answerMs = 800;
    qint64 answerAt = -1;
    qsizetype consumed = 0;
    QString family = QStringLiteral("KQA");
    QString readBackMode = QStringLiteral("l");
    QByteArray initString;
    bool stringBeforeAnswer = false;
    int strings = 0;
};

TEST_F(Initialization, S5UnitIsInitializedAndItsHeaderReadBack)
{
    select(8);
    port.answerWhenAwake({}, headerLine("KQA", "a", "4711") + kData, 100);
    run();

    const auto &m = tp.dialogs.messages;
    ASSERT_EQ(m.size(), 3U) << tp.dialogs.lastMessage().toStdString();
    EXPECT_EQ(m[0].text, init::warningText());
    EXPECT_EQ(m[0].buttons, MsgButtons::OkCancel);
    EXPECT_EQ(m[0].icon, MsgIcon::Warning);
    EXPECT_EQ(m[1].text, statusPromptText(true, false, kSettings115200));
    EXPECT_TRUE(m[2].text.startsWith("Initialization complete. New settings as read back from instrument:"));
    EXPECT_TRUE(m[2].text.contains("Min/Max/Avg       Stop1  min interval"));
    EXPECT_EQ(m[2].buttons, MsgButtons::YesNo);
    EXPECT_EQ(m[2].defaultButton, MsgDefault::Second);
    EXPECT_EQ(p().setup.initInst.readBack, m[2].text);

    // One TAB, then the string with the present time, sent after the
    // unit's answer: the "T:" of the data in flight did not end the wait.
    EXPECT_EQ(port.written.count('\t'), 1);
    EXPECT_TRUE(initString.startsWith("03-14-26 09:4")) << initString.toStdString();
    EXPECT_TRUE(initString.endsWith(" f1\r"));
    EXPECT_FALSE(stringBeforeAnswer);
    EXPECT_TRUE(p().link.abort.Line1.startsWith("QA")) << p().link.abort.Line1.toStdString();
    EXPECT_EQ(p().link.abort.logLabel, "IMode$=l\r\nInitstring=" + QString::fromLatin1(initString) +
                                           "\r\nInstrument is initializing...\r\n");
    EXPECT_EQ(initView.shows, 1);
    EXPECT_GE(abortView.shows, 1);
    EXPECT_GE(abortView.unloads, 1);
    expectEndedCleanly();
}

TEST_F(Initialization, YesDoesAnotherFromTheCablePromptWithTheSameOptions)
{
    select(2); // non-S5: the unit transmits when the cable goes in
    port.answerWhenAwake({}, headerLine("KPA", "a") + kData, 500);
    tp.dialogs.messageAnswers = {MsgResult::Ok, MsgResult::Ok, MsgResult::Yes, MsgResult::Ok, MsgResult::No};
    run();
    const QStringList t = texts();
    ASSERT_EQ(t.size(), 5);
    EXPECT_EQ(t[1], statusPromptText(false, false, kSettings9600));
    EXPECT_EQ(t[3], t[1]);
    EXPECT_EQ(strings, 2);
    EXPECT_EQ(initView.shows, 1);
    EXPECT_EQ(port.written.count('\t'), 2);
    expectEndedCleanly();
}

TEST_F(Initialization, LowBatteryBlankModeAndUnknownLetter)
{
    select(8);
    port.answerWhenAwake({}, headerLine("kqa", "a") + kData, 100);
    family = QStringLiteral("KPA");
    readBackMode = QStringLiteral(" ");
    tp.dialogs.messageAnswers = {MsgResult::Ok, MsgResult::Ok, MsgResult::Ok, MsgResult::Ok, MsgResult::No};
    run();
    const auto &m = tp.dialogs.messages;
    ASSERT_EQ(m.size(), 5U);
    EXPECT_EQ(m[2].text, init::lowBatteryText());
    EXPECT_EQ(m[2].title, "WARNING");
    EXPECT_EQ(m[2].icon, MsgIcon::Exclamation);
    EXPECT_EQ(m[3].text, "KPA 10 or 20 only have 15 min average, continuoue mode");
    EXPECT_TRUE(m[4].text.contains("  Average         Cont15  min interval"));
    expectEndedCleanly();

    // A letter without a mode-table row: one message naming it, no read-back.
    tp.dialogs.messages.clear();
    family = QStringLiteral("KQA");
    readBackMode = QStringLiteral("q");
    consumed = port.written.size();
    tp.dialogs.messageAnswers = {MsgResult::Ok, MsgResult::Ok, MsgResult::Ok};
    p().setup.initInst.readBack = QStringLiteral("old");
    run();
    ASSERT_EQ(tp.dialogs.messages.size(), 4U);
    EXPECT_EQ(tp.dialogs.messages[3].text, init::unknownModeText("q"));
    EXPECT_TRUE(tp.dialogs.messages[3].text.contains("'q'"));
    EXPECT_TRUE(p().setup.initInst.readBack.isEmpty());
    expectEndedCleanly();
}

// Cancel at each waiting point: the answer to the prompt, CANCEL while the
// header is awaited and while the "T" is awaited (back to the prompt,
// answered Cancel here). The read-back wait has a test of its own below.
struct CancelCase {
    const char *name;
    bool inPrompt;
    std::function<bool(const Program &, const FakeSerialPort &)> when;
    int prompts;
};

class InitCancel : public Initialization, public ::testing::WithParamInterface<CancelCase> {};

TEST_P(InitCancel, LeavesThePortClosed)
{
    const CancelCase c = GetParam();
    select(2);
    // The unit sends its header, but never answers the TAB or the string
    // in the cases that cancel there.
    port.answerWhenAwake({}, headerLine("KPA", "a") + kData, 500);
    answerMs = 1000000;
    if (c.inPrompt) {
        tp.dialogs.messageAnswers = {MsgResult::Ok, MsgResult::Cancel};
    } else {
        tp.dialogs.messageAnswers = {MsgResult::Ok, MsgResult::Ok, MsgResult::Cancel};
        auto unit = tp.clock.onProcessEvents;
        tp.clock.onProcessEvents = [this, unit, c](qint64 now) {
            unit(now);
            if (p().rec.gOutputMode == OutputMode::Nothing && c.when(p(), port)) {
                AbortCancel(p());
            }
        };
    }
    run();
    const QStringList t = texts();
    ASSERT_EQ(t.size(), c.prompts + 1) << t.join("|").toStdString();
    for (int i = 1; i < t.size(); ++i) {
        EXPECT_EQ(t[i], statusPromptText(false, false, kSettings9600));
    }
    EXPECT_EQ(strings, 0);
    // The prompt shown again after a cancel finds the port closed.
    EXPECT_EQ(port.opens, port.closes);
    expectEndedCleanly();
}

INSTANTIATE_TEST_SUITE_P(
    WaitingPoints, InitCancel,
    ::testing::Values(
        CancelCase{"Prompt", true, nullptr, 1},
        CancelCase{"Header", false,
                   [](const Program &p, const FakeSerialPort &) { return p.link.abort.loaded; }, 1},
        CancelCase{"Answer", false,
                   [](const Program &, const FakeSerialPort &port) { return port.written.contains('\t'); },
                   2}),
    [](const ::testing::TestParamInfo<CancelCase> &testInfo) { return std::string(testInfo.param.name); });

TEST_F(Initialization, CancelWhileTheReadBackIsAwaitedAfterTheAnswer)
{
    select(8);
    answerMs = 100;
    port.answerWhenAwake({}, headerLine("KQA", "a") + kData, 100);
    tp.dialogs.messageAnswers = {MsgResult::Ok, MsgResult::Ok, MsgResult::Cancel};
    auto unit = tp.clock.onProcessEvents;
    bool cancelled = false;
    tp.clock.onProcessEvents = [&, unit](qint64 now) {
        if (!cancelled && port.written.contains('\r')) {
            cancelled = true;
            AbortCancel(p());
            return; // the unit never reads the string
        }
        unit(now);
    };
    run();
    EXPECT_EQ(texts().size(), 3);
    EXPECT_EQ(strings, 0);
    expectEndedCleanly();
}

TEST_F(Initialization, HangUpInTheMiddleGivesOneMessage)
{
    for (const bool duringHeader : {true, false}) {
        SCOPED_TRACE(duringHeader);
        tp.dialogs.messages.clear();
        select(2);
        tp.dialogs.messageAnswers = {MsgResult::Ok, MsgResult::Ok};
        if (duringHeader) {
            at(tp.clock.elapsedMs() + 200, [this] { port.hangUp(); });
        } else {
            port.answerWhenAwake({}, headerLine("KPA", "a") + kData, 100);
            answerMs = 1000000;
            auto unit = tp.clock.onProcessEvents;
            tp.clock.onProcessEvents = [this, unit](qint64 now) {
                unit(now);
                if (port.written.contains('\t') && port.portOpen()) {
                    port.hangUp();
                }
            };
        }
        run();
        ASSERT_EQ(tp.dialogs.messages.size(), 3U);
        EXPECT_EQ(tp.dialogs.lastMessage(),
                  "Error  8010:  The device is not available (disconnected or hung up)\r\n\r\n"
                  "Terminating the initialization");
        EXPECT_TRUE(p().setup.initInst.readBack.isEmpty());
        expectEndedCleanly();
    }
}

TEST_F(Initialization, WarningCancelledAndPortProbeFailing)
{
    tp.dialogs.messageAnswers = {MsgResult::Cancel};
    run();
    EXPECT_EQ(texts().size(), 1);
    EXPECT_EQ(port.opens, 0);
    EXPECT_EQ(initView.shows, 0);

    tp.dialogs.messages.clear();
    port.missingPorts = {1};
    tp.dialogs.messageAnswers = {MsgResult::Ok};
    run();
    EXPECT_EQ(texts(), QStringList({init::warningText(), "Error  8002:  " + SerialError::text(8002)}));
    EXPECT_EQ(initView.shows, 0);
    EXPECT_FALSE(port.portOpen());
}

// ------------------------------------------------------------ header exchange

class HeaderExchange : public Initialization {
protected:
    // Runs SpecialSub on a port opened as the initialization opens it.
    void exchange()
    {
        p().link.abort.wait.label1 = init::progressText();
        showAbortWindow(p());
        openForExchange(p());
        SpecialSub(p());
    }
};

TEST_F(HeaderExchange, SuccessWithAnyFamilyCodeUnlessAutomaticDetection)
{
    select(8);
    port.answerWhenAwake({}, "xx" + headerLine("KPA", "b", "0042"), 100);
    exchange();
    EXPECT_FALSE(p().link.abort.abortFrmErrorFlag);
    EXPECT_EQ(p().link.abort.Line1, QString::fromLatin1(headerLine("KPA", "b", "0042")).chopped(2));
    EXPECT_FALSE(p().link.abort.flag);
    EXPECT_TRUE(port.portOpen());
    EXPECT_TRUE(tp.dialogs.messages.empty());
}

TEST_F(HeaderExchange, LowBatteryKqaAtTheAssumedRate)
{
    select(11);
    port.answerWhenAwake(kSettings115200, headerLine("kQA", "c"), 100);
    exchange();
    EXPECT_FALSE(p().link.abort.abortFrmErrorFlag);
    EXPECT_TRUE(p().link.abort.flag);
    EXPECT_TRUE(p().link.abort.Line1.startsWith("KQAc"));
    EXPECT_FALSE(p().link.abort.wait.timer1Enabled());
    EXPECT_EQ(tp.clock.delayedMs, 0);
}

TEST_F(HeaderExchange, FlipFindsTheOtherRate)
{
    select(11);
    port.answerWhenAwake(kSettings9600, headerLine("KQA", "b"), 300);
    exchange();
    EXPECT_FALSE(p().link.abort.abortFrmErrorFlag);
    EXPECT_EQ(p().splash.portSettings, kSettings9600);
    EXPECT_EQ(p().link.gErrorCallPoint, 216);
    EXPECT_EQ(tp.clock.delayedMs, 5000);
}

struct FailureCase {
    const char *name;
    QByteArray sent; // what the unit sends at either rate
    QStringList messages;
};

class HeaderExchangeFailure : public HeaderExchange, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(HeaderExchangeFailure, SetsTheErrorFlagWithThePortClosed)
{
    const FailureCase c = GetParam();
    select(11);
    if (!c.sent.isEmpty()) {
        port.answerWhenAwake({}, c.sent, 300);
    }
    exchange();
    EXPECT_TRUE(p().link.abort.abortFrmErrorFlag);
    EXPECT_EQ(texts(), c.messages);
    EXPECT_FALSE(port.portOpen());
    EXPECT_FALSE(p().link.abort.wait.timer1Enabled());
}

const QString kCheck = QStringLiteral("Check that the instrument is connected or try selecting some other\r\n"
                                      " instrument type (using Options > Instrument Selection).");

INSTANTIATE_TEST_SUITE_P(
    Paths, HeaderExchangeFailure,
    ::testing::Values(
        FailureCase{"SilenceAtBothRates",
                    {},
                    {"No response in 2.5 seconds at each of two different baud rates.\r\n\r\n" + kCheck,
                     "Terminating the initialization"}},
        FailureCase{"WrongFamilyAtBothRates",
                    headerLine("KPA", "b"),
                    {"After the 2nd timeout, the following erroneous Line1 characters had been "
                     "received:\r\nKPA\r\n\r\n" +
                     kCheck}},
        FailureCase{"HeaderFragment", "xxK\r", {"Invalid header fragment received: 'K'\r\n\r\n" + kCheck}}),
    [](const ::testing::TestParamInfo<FailureCase> &testInfo) { return std::string(testInfo.param.name); });

TEST_F(HeaderExchange, CancelBeforeAnyCharacterFailsWithoutAMessage)
{
    select(11);
    at(1000, [this] { AbortCancel(p()); });
    exchange();
    EXPECT_TRUE(p().link.abort.abortFrmErrorFlag);
    EXPECT_TRUE(p().link.abort.Line1.isEmpty());
    EXPECT_TRUE(tp.dialogs.messages.empty());
    EXPECT_FALSE(p().link.abort.wait.timer1Enabled());
}

} // namespace
