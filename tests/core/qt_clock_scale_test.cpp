// The time-scale knob of the system clock: pauses and window timers shrink by
// the factor, the present time does not.
#include "platform/qt_clock.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <memory>

namespace {

TEST(QtClockTimeScale, ComesFromTheEnvironmentWhenValid)
{
    qputenv("RDX600_TIME_SCALE", "0.25");
    EXPECT_DOUBLE_EQ(QtClock::timeScaleFromEnvironment(), 0.25);
    EXPECT_DOUBLE_EQ(QtClock().timeScale(), 0.25);
    for (const char *bad : {"0", "-1", "fast", ""}) {
        qputenv("RDX600_TIME_SCALE", bad);
        EXPECT_DOUBLE_EQ(QtClock::timeScaleFromEnvironment(), 1.0) << bad;
    }
    qunsetenv("RDX600_TIME_SCALE");
    EXPECT_DOUBLE_EQ(QtClock::timeScaleFromEnvironment(), 1.0);
    EXPECT_DOUBLE_EQ(QtClock(-2.0).timeScale(), 1.0);
}

TEST(QtClockTimeScale, ShortensDelaysAndTimersButNotTheTimeOfDay)
{
    std::unique_ptr<QCoreApplication> app;
    int argc = 1;
    char name[] = "qt_clock_scale_test";
    char *argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr) {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QtClock clock(0.1);
    QElapsedTimer t;
    t.start();
    clock.delay(1000);
    EXPECT_GE(t.elapsed(), 95);
    EXPECT_LT(t.elapsed(), 600) << "a 1-second pause at scale 0.1";

    int ticks = 0;
    auto timer = clock.createTimer([&ticks] { ++ticks; });
    t.restart();
    timer->start(2500);
    while (ticks == 0 && t.elapsed() < 2000) {
        clock.processEvents(50);
    }
    EXPECT_EQ(ticks, 1);
    EXPECT_GE(t.elapsed(), 200) << "coarse timers may fire up to 5 % early";
    EXPECT_LT(t.elapsed(), 1500) << "a 2.5-second timer at scale 0.1";
    timer->stop();

    EXPECT_LE(qAbs(clock.now().secsTo(QDateTime::currentDateTime())), 1);
}

} // namespace
