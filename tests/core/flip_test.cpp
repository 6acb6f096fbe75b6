// The no-response timer and the baud switch of automatic detection, in the
// order of the status and header windows and in the order of the download
// window; the port probe and Delay.
#include "link/serial_link.h"
#include "link_test_fixture.h"
#include "platform/clock.h"

#include <gtest/gtest.h>

namespace {

class Flip : public LinkTest {
protected:
    Flip()
    {
        select(11);
        loadWaitWindow(p(), w, [this] { ++ticks; });
        w.refresh = [this] { labels << w.label1; };
        p().link.gCommPort = 3;
        openForExchange(p());
        port.log.clear();
    }
    WaitWindow w;
    QStringList labels;
    int ticks = 0;
};

TEST_F(Flip, ToggleTableBothWays)
{
    p().splash.instAutoCurrent = 8;
    toggleAutoType(p());
    EXPECT_EQ(p().splash.instAutoCurrent, 7);
    EXPECT_EQ(p().splash.portSettings, kSettings9600);
    EXPECT_EQ(p().splash.maxSamples, 10710);
    toggleAutoType(p());
    EXPECT_EQ(p().splash.instAutoCurrent, 8);
    EXPECT_EQ(p().splash.portSettings, kSettings115200);
    EXPECT_EQ(p().splash.maxSamples, 42966);
    // Any value other than 8 becomes 8.
    p().splash.instAutoCurrent = 3;
    toggleAutoType(p());
    EXPECT_EQ(p().splash.instAutoCurrent, 8);
}

TEST_F(Flip, StatusOrderDropsDtrForFiveSecondsBeforeReopening)
{
    FlipPortSettings(p(), w, FlipCaller::Status, "Bad header.");
    EXPECT_EQ(port.log,
              QStringList({"dtr 0", "close", "settings 9600,N,8,1", "open 3 9600,N,8,1 dtr=0", "dtr 1"}));
    EXPECT_EQ(tp.clock.delayedMs, 5000);
    EXPECT_EQ(labels, QStringList({"Bad header. Changing settings. (Takes about  5 seconds)...",
                                   "Now treating unit as MQA-S5.  Waiting for response..."}));
    EXPECT_TRUE(w.triedBoth);
    EXPECT_EQ(p().link.gErrorCallPoint, 116);
    EXPECT_TRUE(port.portOpen());
    EXPECT_EQ(port.inputLen(), 1);
    EXPECT_EQ(port.commPort(), 3);
}

TEST_F(Flip, HeaderWindowOrderUsesItsOwnTextAndCallPoints)
{
    FlipPortSettings(p(), w, FlipCaller::HeaderWindow, "Bad header.");
    EXPECT_EQ(port.log,
              QStringList({"dtr 0", "close", "settings 9600,N,8,1", "open 3 9600,N,8,1 dtr=0", "dtr 1"}));
    // The literal text, whatever lead the caller would give; events also run
    // after both rates are marked tried.
    EXPECT_EQ(labels, QStringList({"No response. Changing settings. (Takes about  5 seconds)...",
                                   "No response. Changing settings. (Takes about  5 seconds)...",
                                   "Now treating unit as MQA-S5.  Waiting for response..."}));
    EXPECT_EQ(p().link.gErrorCallPoint, 216);
}

TEST_F(Flip, DownloadOrderReopensFirstAndDropsDtrAfterwards)
{
    p().splash.instAutoCurrent = 7;
    p().splash.portSettings = kSettings9600;
    FlipPortSettings(p(), w, FlipCaller::Download);
    EXPECT_EQ(port.log,
              QStringList({"close", "settings 115200,N,8,1", "open 3 115200,N,8,1 dtr=1", "dtr 0", "dtr 1"}));
    EXPECT_EQ(tp.clock.delayedMs, 5000);
    EXPECT_EQ(labels.last(), "Now treating unit as MQA-S5-MH.  Waiting for response...");
    EXPECT_EQ(p().link.gErrorCallPoint, 316);
    EXPECT_EQ(p().splash.maxSamples, 42966);
}

TEST_F(Flip, CallPointOfAFailedReopen)
{
    port.failOpenWith = 8002;
    try {
        FlipPortSettings(p(), w, FlipCaller::Status);
        FAIL() << "the reopen fails";
    } catch (const LinkError &e) {
        EXPECT_EQ(e.number, 8002);
        EXPECT_EQ(e.text, "Invalid port number");
    }
    EXPECT_EQ(p().link.gErrorCallPoint, 115);
    w.triedBoth = false;
    try {
        FlipPortSettings(p(), w, FlipCaller::Download);
        FAIL() << "the reopen fails";
    } catch (const LinkError &) {
    }
    EXPECT_EQ(p().link.gErrorCallPoint, 315);
    EXPECT_FALSE(w.triedBoth);
}

TEST_F(Flip, AWindowUnloadedDuringTheFlipStopsItWithThePortClosed)
{
    tp.clock.onProcessEvents = [this](qint64) { w.unloaded = true; };
    FlipPortSettings(p(), w, FlipCaller::Status);
    EXPECT_FALSE(port.portOpen());
    EXPECT_EQ(tp.clock.delayedMs, 0);
    EXPECT_FALSE(w.triedBoth);
}

TEST_F(Flip, StartAndStopTimerWithTheDownloadWindowsDebugLog)
{
    w.keepsDebugLog = true;
    StartTimer(p(), w);
    EXPECT_TRUE(w.timerRunning);
    EXPECT_TRUE(w.timer1Enabled());
    EXPECT_EQ(w.label1, "Treating unit as MQA-S5-MH.  Waiting for response...");
    tp.clock.advance(2500);
    EXPECT_EQ(ticks, 1);
    tp.clock.advance(2500);
    EXPECT_EQ(ticks, 2);
    StopTimer(p(), w);
    EXPECT_FALSE(w.timerRunning);
    EXPECT_FALSE(w.timer1Enabled());
    tp.clock.advance(5000);
    EXPECT_EQ(ticks, 2);
    EXPECT_EQ(w.debugLog, "Start of StartTimer: timer1.enabled=False\r\n"
                          "Start of StopTimer: timer1.enabled=True\r\n");
}

TEST_F(Flip, OtherWindowsKeepNoDebugLog)
{
    StartTimer(p(), w);
    StopTimer(p(), w);
    EXPECT_TRUE(w.debugLog.isEmpty());
}

TEST_F(Flip, DelayWaitsWithoutLettingEventsRun)
{
    const int calls = tp.clock.processEventsCalls;
    Delay(p(), 5.0F);
    Delay(p(), 0.25F);
    EXPECT_EQ(tp.clock.delayedMs, 5250);
    EXPECT_EQ(tp.clock.processEventsCalls, calls);
}

TEST_F(Flip, ExchangeOpenClosesAPortFoundOpenAndReadsOneCharacter)
{
    port.byteIntervalMs = 0;
    port.arrive(tp.clock.elapsedMs(), "xy"); // lost: the port reopens
    openForExchange(p());
    EXPECT_EQ(port.log, QStringList({"close", "settings 115200,N,8,1", "open 3 115200,N,8,1 dtr=1"}));
    port.arrive(tp.clock.elapsedMs(), "AB");
    EXPECT_EQ(readChar(p()), "A");
    EXPECT_EQ(readChar(p()), "B");
    EXPECT_EQ(readChar(p()), "");
    closePort(p());
    try {
        readChar(p());
        FAIL() << "a closed port cannot be read";
    } catch (const LinkError &e) {
        EXPECT_EQ(e.number, 8018);
    }
}

TEST_F(Flip, StoredPortNumberReload)
{
    reloadCommPort(p());
    EXPECT_EQ(p().link.gCommPort, 1);
    tp.settings.store.save("Comm", "RDX.MSComm1.CommPort", "12");
    reloadCommPort(p());
    EXPECT_EQ(p().link.gCommPort, 12);
    tp.settings.store.save("Comm", "RDX.MSComm1.CommPort", "COM2");
    reloadCommPort(p());
    EXPECT_EQ(p().link.gCommPort, 1); // as at start-up
}

} // namespace
