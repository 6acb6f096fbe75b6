// The command line's writers over a file-size limit (as `ulimit -f 1` sets
// it): exit status 1, one message naming the path, the earlier file byte for
// byte and no scratch file left.
#include "cli_fixture.h"
#include "support/disk_faults.h"

#include <gtest/gtest.h>

namespace {

const QByteArray kEarlier = QByteArrayLiteral("\"an earlier file\"\r\n");

struct CliWriter {
    const char *name;
    QStringList args; // "%R" is the recording, "%D" the folder
    const char *target;
};

class CliDiskFaultsTest : public CliTest, public ::testing::WithParamInterface<CliWriter> {};

TEST_P(CliDiskFaultsTest, OverTheFileSizeLimitTheEarlierFileStays)
{
    // About 4 KB of output from every writer, beyond the limit of 1 KB.
    RecordingFileContent c;
    c.values = countingValues(600, true);
    const QString recording = write("feeder.dat", c);
    const QString target = tp.path(QString::fromLatin1(GetParam().target));
    {
        QFile f(target);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(kEarlier), kEarlier.size());
    }
    QStringList args{"-c", R"(ulimit -f 1; exec "$0" "$@")", cli};
    for (QString a : GetParam().args) {
        args << a.replace("%R", recording).replace("%D", tp.files.path());
    }
    const QStringList before = folderEntries(tp.files.path());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QTemporaryDir settings;
    env.insert("RDX600_CLI_SETTINGS", settings.filePath("cli.ini"));
    QProcess proc;
    proc.setProcessEnvironment(env);
    proc.start("bash", args);
    ASSERT_TRUE(proc.waitForFinished(30000));
    const QString err = QString::fromUtf8(proc.readAllStandardError());

    EXPECT_EQ(proc.exitStatus(), QProcess::NormalExit) << "not ended by the size limit's signal";
    EXPECT_EQ(proc.exitCode(), 1) << err.toStdString();
    EXPECT_EQ(err.count(target), 1) << err.toStdString();
    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), kEarlier);
    EXPECT_EQ(folderEntries(tp.files.path()), before);
}

INSTANTIATE_TEST_SUITE_P(
    EveryCliWriter, CliDiskFaultsTest,
    ::testing::Values(
        CliWriter{"SaveAs", {"save-as", "%R", "0", "599", "%D/out.dat"}, "out.dat"},
        CliWriter{"TidyCsv", {"export", "tidy", "%R", "--out", "%D/out.csv"}, "out.csv"},
        CliWriter{"DataTable", {"export", "table", "%R"}, "feeder.prn"},
        CliWriter{"OneReadingPerLine", {"export", "per-line", "%R"}, "feeder.prn"},
        CliWriter{"PowerCsv", {"export", "csv", "--volts", "480", "--dir", "%D", "%R"}, "Lotusint.csv"},
        CliWriter{
            "Interchange", {"export", "interchange", "--volts", "480", "--dir", "%D", "%R"}, "Lotusint.prn"}),
    [](const ::testing::TestParamInfo<CliWriter> &testInfo) { return std::string(testInfo.param.name); });

} // namespace
