// Faults on a real pseudo-terminal, for every exchange with an instrument:
// the cable pulled at each phase, a rate that never matches, silence, and a
// flood of bad characters past every receive limit. Each must end with the
// port closed, one message saying what went wrong, no window left open, the
// instrument menu usable, no file written, and the program able to run the
// next exchange at once.
#include "linked_program.h"

#include "link/download.h"
#include "link/header_exchange.h"
#include "link/status_check.h"
#include "program/menu_items.h"
#include "setup/recover.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>

namespace {

enum class Exchange { Status, Download, Initialize, Recover };

const char *name(Exchange e)
{
    switch (e) {
    case Exchange::Status:
        return "status check";
    case Exchange::Download:
        return "download";
    case Exchange::Initialize:
        return "initialization";
    case Exchange::Recover:
        return "recovery";
    }
    return "?";
}

struct Case {
    const char *fault;
    Exchange exchange;
    int selection; // instrument type selected; 11 is automatic detection
    QStringList sim;
    // The user presses Cancel after this many ms: an exchange that waits
    // for the user rather than giving up on its own. kNever: no Cancel.
    int cancelAfterMs = -1;
    // The test pulls the cable itself (the simulator ends) once the
    // simulator's log holds this text that often. Empty: the simulator's own
    // fault, or no pulling.
    QString pullWhenLogged = {};
    int pullAtCount = 1;
};

constexpr int kNever = -1;

std::ostream &operator<<(std::ostream &os, const Case &c)
{
    return os << name(c.exchange) << ": " << c.fault;
}

// S5 units answer at once; a long cable delay stands for the time before
// the user connects the cable. Every exchange opens and closes the port once
// before it opens it to listen.
const QStringList kNoCableYet{"--cable-delay", "100000"};
const QString kListening = QStringLiteral("opened");
constexpr int kSecondOpen = 2;

const Case kCases[] = {
    // The cable pulled while the program waits for the first character.
    {"cable pulled before the first character", Exchange::Status, 8, kNoCableYet, kNever, kListening,
     kSecondOpen},
    {"cable pulled before the first character", Exchange::Download, 8, kNoCableYet, kNever, kListening,
     kSecondOpen},
    {"cable pulled before the first character", Exchange::Initialize, 8, kNoCableYet, kNever, kListening,
     kSecondOpen},
    {"cable pulled before the first character", Exchange::Recover, 7, kNoCableYet, kNever, kListening,
     kSecondOpen},
    // ... in the header line.
    {"cable pulled in the header", Exchange::Status, 8, {"--fault", "unplug-after=20"}},
    {"cable pulled in the header", Exchange::Download, 8, {"--fault", "unplug-after=20"}},
    {"cable pulled in the header", Exchange::Initialize, 8, {"--fault", "unplug-after=20"}},
    {"cable pulled in the header", Exchange::Recover, 7, {"--fault", "unplug-after=20"}},
    // ... after it: in the readings, or in the initialization's answer and read-back.
    {"cable pulled in the readings",
     Exchange::Download,
     8,
     {"--readings", "3000", "--fault", "unplug-after=4000"}},
    {"cable pulled in the readings",
     Exchange::Recover,
     7,
     {"--mode", "D", "--readings", "3000", "--full-speed", "--fault", "unplug-after=4000"}},
    {"cable pulled before the unit answers the TAB",
     Exchange::Initialize,
     8,
     {"--answer-delay", "100000"},
     kNever,
     "TAB received"},
    {"cable pulled before the read-back",
     Exchange::Initialize,
     8,
     {"--init-delay", "100000"},
     kNever,
     "initialized:"},
    // A unit at a rate that is neither of the two the program tries: its
    // bytes arrive as garbage at both.
    {"rate that never matches", Exchange::Status, 11, {"--rate", "57600"}},
    {"rate that never matches", Exchange::Download, 11, {"--rate", "57600"}},
    {"rate that never matches", Exchange::Initialize, 11, {"--rate", "57600"}},
    {"rate that never matches", Exchange::Recover, 7, {"--rate", "57600", "--full-speed"}},
    // Silence: automatic detection gives up after both rates; a download
    // waiting for its first character and a recovery wait for the user.
    {"silence", Exchange::Status, 11, {"--fault", "silence"}},
    {"silence", Exchange::Download, 11, {"--fault", "silence"}, 500},
    {"silence", Exchange::Initialize, 11, {"--fault", "silence"}},
    {"silence", Exchange::Recover, 7, {"--fault", "silence"}, 500},
    // A header, then bad characters past every receive limit.
    {"flood of bad characters past the limit", Exchange::Download, 8, {"--fault", "flood", "--full-speed"}},
    {"flood of bad characters past the limit",
     Exchange::Recover,
     7,
     {"--mode", "D", "--fault", "flood", "--full-speed"}},
};

class ExchangeFaults : public ::testing::TestWithParam<Case> {
protected:
    void start(Exchange e)
    {
        Program &p = lp.p();
        switch (e) {
        case Exchange::Status:
            lp.dialogs.messageAnswers = {MsgResult::Ok, MsgResult::No};
            p.runCommand(menu::kItemStatusCheck);
            break;
        case Exchange::Download:
            // A report of damage asks whether to save anyway: No.
            lp.dialogs.messageAnswers = {MsgResult::Ok, MsgResult::Ok, MsgResult::No};
            lp.dialogs.saveAnswers = {dir.filePath("download.dat")};
            p.runCommand(menu::kItemDownload);
            if (p.link.download.loaded) {
                DownloadOK(p);
            }
            break;
        case Exchange::Initialize:
            // 15 minutes, average, continuous loop; warning and prompt OK,
            // no read-back.
            p.setup.initInst.timeOption = 1;
            p.setup.initInst.kindOption = 4;
            p.setup.initInst.memoryOption = 6;
            lp.dialogs.messageAnswers = {MsgResult::Ok, MsgResult::Ok, MsgResult::No};
            p.runCommand(menu::kItemInitialize);
            break;
        case Exchange::Recover:
            lp.dialogs.messageAnswers = {MsgResult::Ok, MsgResult::Ok, MsgResult::Ok, MsgResult::No};
            lp.dialogs.saveAnswers = {dir.filePath("recovered.dat")};
            p.runCommand(menu::kItemRecover);
            if (p.setup.recover.loaded) {
                RecoverOk(p);
            }
            break;
        }
    }
    void cancel(Exchange e)
    {
        Program &p = lp.p();
        switch (e) {
        case Exchange::Status:
            StatusCancel(p);
            break;
        case Exchange::Download:
            DownloadCancel(p);
            break;
        case Exchange::Initialize:
            AbortCancel(p);
            break;
        case Exchange::Recover:
            RecoverCancel(p);
            break;
        }
    }
    // The messages every run of the exchange shows before it meets the
    // instrument: the cable prompt, the initialization's warning, the
    // recovery's caution.
    static int prompts(Exchange e)
    {
        switch (e) {
        case Exchange::Status:
        case Exchange::Recover:
            return 1;
        case Exchange::Initialize:
            return 2;
        case Exchange::Download:
            return 0;
        }
        return 0;
    }

    LinkedProgram lp;
    QTemporaryDir dir;
};

TEST_P(ExchangeFaults, EndCleanlyWithOneMessageAndTheNextExchangeRuns)
{
    const Case &c = GetParam();
    Program &p = lp.p();
    {
        QStringList options{"--type", c.selection == 11 ? "8" : QString::number(c.selection)};
        SimHarness sim(options + c.sim);
        ASSERT_TRUE(sim.started()) << sim.error().toStdString();
        lp.select(c.selection);
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (!c.pullWhenLogged.isEmpty() && sim.countInLog(c.pullWhenLogged) >= c.pullAtCount) {
                watch.stop();
                sim.stop();
            }
        });
        watch.start(20);
        if (c.cancelAfterMs >= 0) {
            QTimer::singleShot(c.cancelAfterMs, [&] { cancel(c.exchange); });
        }
        start(c.exchange);
        watch.stop();

        const QStringList texts = lp.dialogs.messageTexts();
        const QString shown = texts.join(" | ");
        QStringList reports = texts.mid(prompts(c.exchange));
        // What every transfer that ends shows whatever follows (the cable may
        // go, " PROCEED"), and the line the initialization closes every
        // failure with, are not reports of the fault.
        reports.removeIf([](const QString &t) {
            return t == recovery::removeCableText() || t == " PROCEED" ||
                   t.startsWith("       RETURN THE SWITCH TO 'STANDBY'") ||
                   t == "Terminating the initialization";
        });
        EXPECT_EQ(reports.size(), c.cancelAfterMs >= 0 ? 0 : 1) << shown.toStdString();
        EXPECT_TRUE(lp.allClosed(sim)) << sim.log().toStdString();
        EXPECT_FALSE(p.link.status.loaded);
        EXPECT_FALSE(p.link.download.loaded);
        EXPECT_FALSE(p.link.abort.loaded);
        EXPECT_FALSE(p.setup.recover.loaded);
        EXPECT_TRUE(lp.dialogs.saveDirs.isEmpty()) << "a save was offered: " << shown.toStdString();
        EXPECT_TRUE(QDir(dir.path()).isEmpty(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot));
        for (const char *item : {menu::kInstrument, menu::kItemStatusCheck, menu::kItemDownload,
                                 menu::kItemInitialize, menu::kItemRecover, menu::kItemOpen}) {
            EXPECT_TRUE(p.menu.enabled(item)) << item;
        }
    }
    // At once, with a sound unit on the same port.
    SimHarness sound({"--type", "8"});
    ASSERT_TRUE(sound.started()) << sound.error().toStdString();
    lp.select(8);
    lp.dialogs.messages.clear();
    lp.dialogs.messageAnswers = {MsgResult::Ok, MsgResult::No};
    p.runCommand(menu::kItemStatusCheck);
    EXPECT_TRUE(lp.dialogs.lastMessage().startsWith("Status check complete."))
        << lp.dialogs.messageTexts().join(" | ").toStdString();
    EXPECT_TRUE(lp.allClosed(sound));
}

INSTANTIATE_TEST_SUITE_P(EveryExchange, ExchangeFaults, ::testing::ValuesIn(kCases));

} // namespace
