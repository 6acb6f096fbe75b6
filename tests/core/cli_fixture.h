// Runs rdx600-cli as a process, with files written by the test.
#pragma once

#include "support/recording_files.h"
#include "support/test_program.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

class CliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        cli = qEnvironmentVariable("RDX600_CLI");
        if (cli.isEmpty()) {
            // Beside the build's programs: tests/<this binary> and rdx600-cli.
            const QFileInfo self(QStringLiteral("/proc/self/exe"));
            cli = QFileInfo(self.canonicalFilePath()).dir().filePath(QStringLiteral("../rdx600-cli"));
        }
        if (!QFile::exists(cli)) {
            GTEST_SKIP() << "RDX600_CLI does not name rdx600-cli";
        }
    }
    CliRun run(const QStringList &args,
               const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
    {
        QProcess proc;
        proc.setProcessEnvironment(env);
        proc.start(cli, args);
        EXPECT_TRUE(proc.waitForFinished(30000));
        return {proc.exitCode(), QString::fromUtf8(proc.readAllStandardOutput()),
                QString::fromUtf8(proc.readAllStandardError())};
    }
    QString write(const QString &name, const RecordingFileContent &content)
    {
        EXPECT_TRUE(writeRecording(tp.path(name), content));
        return tp.path(name);
    }

    QString cli;
    TestProgram tp;
};
