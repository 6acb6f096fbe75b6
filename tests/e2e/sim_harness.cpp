#include "sim_harness.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <sys/resource.h>

double processCpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

QCoreApplication &ensureCoreApplication()
{
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "rdx600_e2e_tests";
        static char *argv[] = {name, nullptr};
        static QCoreApplication app(argc, argv);
    }
    return *QCoreApplication::instance();
}

QString SimHarness::program()
{
    QString fromEnv = qEnvironmentVariable("RDX600_SIM");
    if (!fromEnv.isEmpty()) {
        return fromEnv;
    }
    // Run by hand: the test binary lives in <build>/tests.
    return QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("../rdx600-sim"));
}

SimHarness::SimHarness(const QStringList &options, int port)
    : envName_(QStringLiteral("RDX600_COM%1").arg(port).toLatin1())
{
    ensureCoreApplication();
    logPath_ = dir_.filePath(QStringLiteral("sim.log"));
    QStringList args = options;
    args << QStringLiteral("--log") << logPath_ << QStringLiteral("--exit-with-parent");
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    process_.start(program(), args);
    if (!process_.waitForStarted(5000)) {
        error_ = QStringLiteral("cannot start %1: %2").arg(program(), process_.errorString());
        return;
    }
    QDeadlineTimer deadline(5000);
    while (!process_.canReadLine() && !deadline.hasExpired() && process_.state() == QProcess::Running) {
        process_.waitForReadyRead(100);
    }
    if (!process_.canReadLine()) {
        error_ = QStringLiteral("no device path from the simulator: %1")
                     .arg(QString::fromLocal8Bit(process_.readAllStandardError()));
        return;
    }
    devicePath_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
    qputenv(envName_.constData(), devicePath_.toLocal8Bit());
}

SimHarness::~SimHarness()
{
    stop();
    qunsetenv(envName_.constData());
}

void SimHarness::stop()
{
    if (process_.state() != QProcess::NotRunning) {
        process_.terminate();
        if (!process_.waitForFinished(3000)) {
            process_.kill();
            process_.waitForFinished(3000);
        }
    }
}

QString SimHarness::log() const
{
    QFile f(logPath_);
    if (!f.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromLocal8Bit(f.readAll());
}

int SimHarness::countInLog(const QString &text) const
{
    return static_cast<int>(log().count(text));
}

bool SimHarness::waitForLog(const QString &text, int timeoutMs, int count) const
{
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        if (countInLog(text) >= count) {
            return true;
        }
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(10);
    }
}
