// Every parser of outside input survives damaged input: the inputs the
// fuzzers found faults with (kept under fuzz/regressions/<target>/) and a
// few damaged texts made here run through the fuzz targets' own entries.
#include "fuzz_entries.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

void run(const fuzzentry::Target &t, const QByteArray &bytes)
{
    t.run(reinterpret_cast<const uint8_t *>(bytes.constData()), static_cast<size_t>(bytes.size()));
}

} // namespace

TEST(FuzzRegressions, EveryKeptInputRunsThroughItsParser)
{
    const QDir root(QStringLiteral(RDX600_FUZZ_REGRESSIONS));
    for (const QString &folder : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const fuzzentry::Target *t = fuzzentry::find(folder.toLatin1().constData());
        ASSERT_NE(t, nullptr) << "fuzz/regressions/" << folder.toStdString() << " names no fuzz target";
        const QDir dir(root.filePath(folder));
        for (const QString &name : dir.entryList(QDir::Files)) {
            QFile f(dir.filePath(name));
            ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
            SCOPED_TRACE(folder.toStdString() + "/" + name.toStdString());
            run(*t, f.readAll());
        }
    }
}

TEST(FuzzRegressions, EveryParserSurvivesDamagedText)
{
    QByteArray garbage(1 << 20, '\0');
    QRandomGenerator rng(600);
    for (char &c : garbage) {
        c = static_cast<char>(rng.bounded(256));
    }
    const QByteArray header = "\"KLA  a 1234 0 0 0 0 0 0 0 0 0 03-15-26 10:00  T:\r\n";
    const QList<QByteArray> damaged{
        {},
        "\x1a\x1a\x1a",
        QByteArray(4096, '\0'),
        "T:",
        "M",
        header,
        header + "1 2 3\n\x1a",
        header + QByteArray(200000, '9'),
        header + "1e400 -inf nan 99999999999999999999\x1a",
        garbage,
    };
    for (const fuzzentry::Target &t : fuzzentry::targets()) {
        for (const QByteArray &bytes : damaged) {
            SCOPED_TRACE(std::string(t.name) + ", " + std::to_string(bytes.size()) + " bytes");
            run(t, bytes);
        }
    }
}
