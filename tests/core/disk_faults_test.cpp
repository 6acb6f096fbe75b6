// Every writer of the program under disk faults: a write that fails midway
// or a folder that takes no new file leaves the earlier file byte for byte,
// leaves no scratch file, shows exactly one message naming the path and
// changes nothing else. Each fault runs in a forked child (see
// support/disk_faults.h); the same run without a fault is the control.
#include "export/export_commands.h"
#include "export/interchange.h"
#include "export/tidy_csv.h"
#include "platform/file_write.h"
#include "power/displ_plot_pwr.h"
#include "power/power_table.h"
#include "power_fixture.h"
#include "program/menu_items.h"
#include "recording/file_commands.h"
#include "recording/notes.h"
#include "recording/save.h"
#include "reports/open_recording.h"
#include "reports/reading_table.h"
#include "support/disk_faults.h"
#include "support/recording_files.h"

#include <QCryptographicHash>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QByteArray kEarlier = QByteArrayLiteral("\"the earlier file\"\r\n\x1a\x00\xff kept as it is");

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The program state a writer might touch, one entry per item, so that a
// failed write can be shown to change none of it.
QMap<QString, QString> programState(const Program &p)
{
    QMap<QString, QString> s;
    for (const MenuItem &m : p.menu.items()) {
        s[QStringLiteral("menu ") + m.name] =
            QStringLiteral("%1%2%3 %4").arg(m.enabled).arg(m.visible).arg(m.checked).arg(m.caption);
    }
    const Recording &r = p.rec;
    for (int slot = 0; slot < kSlots; ++slot) {
        QStringList cells;
        for (const Cell &c : r.gInfo[slot]) {
            cells << c.text();
        }
        s[QStringLiteral("gInfo %1").arg(slot)] = cells.join(QLatin1Char('|'));
        const auto &v = r.gValues[slot];
        s[QStringLiteral("gValues %1").arg(slot)] = QString::fromLatin1(
            QCryptographicHash::hash(
                QByteArrayView(reinterpret_cast<const char *>(v.data()), static_cast<qsizetype>(sizeof(v))),
                QCryptographicHash::Sha1)
                .toHex());
        s[QStringLiteral("gSite %1").arg(slot)] =
            QStringList(r.gSite[slot].begin(), r.gSite[slot].end()).join('|');
    }
    s[QStringLiteral("gText")] = r.gText;
    s[QStringLiteral("gWorkPath")] = r.gWorkPath;
    s[QStringLiteral("gOutputMode")] = QString::number(static_cast<int>(r.gOutputMode));
    s[QStringLiteral("range")] = QStringLiteral("%1 %2 %3").arg(r.ginx).arg(r.gDatastart).arg(r.gdataend);
    s[QStringLiteral("gTable")] = p.report.gTable;
    s[QStringLiteral("gExportOnePerLine")] = QString::number(p.report.gExportOnePerLine);
    const auto view = [&s](const char *name, const ViewControl &c) {
        s[QStringLiteral("view ") + QLatin1String(name)] = QStringLiteral("%1 %2").arg(c.visible).arg(c.text);
    };
    view("RichTextBox1", p.view.RichTextBox1);
    view("Header1", p.view.Header1);
    view("Label1", p.view.Label1);
    view("Label2", p.view.Label2);
    view("Label3", p.view.Label3);
    s[QStringLiteral("power")] = QString::number(p.power.power.size()) + QLatin1Char(' ') +
                                 QString::number(static_cast<double>(p.power.gPowerFactor));
    return s;
}

class DiskFaultsTest;

struct Writer {
    const char *name;
    const char *target; // the file it writes, in the test folder
    // Sets the program up; `run` then writes the target.
    std::function<void(DiskFaultsTest &)> prepare;
    std::function<void(DiskFaultsTest &)> run;
    // Its failure shows the save error message (else the export's "could not
    // be written", which goes on with CR and the system's reason).
    bool saveMessage;
    // State items the command changes whatever the write's outcome (also
    // when its dialog is cancelled): not a consequence of the failure.
    QStringList changedAnyway;
};

class DiskFaultsTest : public PowerFixture, public ::testing::WithParamInterface<std::tuple<int, DiskFault>> {
protected:
    DiskFaultsTest()
    {
        installFileCommands(p());
        installOpenCommands(p());
        installExportCommands(p());
        p().windows.dataSelect = nullptr;
        tp.settings.store.save("Directory", "default", tp.files.path());
        // The unprivileged writer must still read the settings.
        QFile::setPermissions(tp.settings.dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                          QFile::ReadOther | QFile::ExeOther);
        // Three days and a bit of 15-minute averages, so that every export
        // writes far more than the size limit.
        RecordingFileContent c;
        c.values = countingValues(300, true);
        EXPECT_TRUE(writeRecording(tp.path("feeder.dat"), c));
        EXPECT_TRUE(openRecordingFile(p(), tp.path("feeder.dat")));
        rec().ginx = 0;
        rec().gDatastart = 0;
        rec().gdataend = 299;
        downloadedText = recordingText(c);
    }

public:
    static const std::vector<Writer> &writers();
    QString downloadedText;
    using PowerFixture::p;
    using PowerFixture::rec;
    using PowerFixture::setVolts;
    TestProgram &program() { return tp; }
};

void showPowerTable(DiskFaultsTest &t)
{
    t.setVolts("1000");
    DisplPlotPwr(t.p());
    PowerTableProc(t.p());
}

void pushSaveAnswer(DiskFaultsTest &t, const char *name)
{
    t.program().dialogs.saveAnswers.emplace_back(t.program().path(QString::fromLatin1(name)));
}

const std::vector<Writer> &DiskFaultsTest::writers()
{
    static const std::vector<Writer> table = {
        {"SaveOfAReceivedText",
         "saved.dat",
         [](DiskFaultsTest &t) {
             t.rec().gText = t.downloadedText; // as a download or a recovery leaves it
             t.p().menu.setEnabled(menu::kItemSave, true);
             pushSaveAnswer(t, "saved.dat");
         },
         [](DiskFaultsTest &t) { SaveDialogProc(t.p()); },
         true,
         {}},
        {"SaveAsOfAnOpenRecording",
         "saved.dat",
         [](DiskFaultsTest &t) {
             t.p().menu.setEnabled(menu::kItemSave, true);
             pushSaveAnswer(t, "saved.dat");
         },
         [](DiskFaultsTest &t) { SaveCommand(t.p()); },
         true,
         // The rebuilt text and the hidden text views, as after a cancel.
         {"gText", "view RichTextBox1", "view Header1", "view Label1", "view Label2"}},
        {"NotesFile",
         "feeder.not",
         [](DiskFaultsTest &) {},
         [](DiskFaultsTest &t) {
             // An editor that closes counts as a change: its texts would
             // be lost with it.
             if (editNotesOk(t.p(), editNotesLoad(t.p()),
                             {"12 Main St", "Feeder 4, B", "J. Doe", QString(80, 'x')})) {
                 t.p().rec.gWorkPath += QStringLiteral(" (editor closed)");
             }
         },
         true,
         {}},
        {"DataTableExport",
         "feeder.prn",
         [](DiskFaultsTest &t) { ReadingTableProc(t.p()); },
         [](DiskFaultsTest &t) { ExportDataTableCommand(t.p()); },
         false,
         {"gExportOnePerLine"}},
        {"OneReadingPerLineExport",
         "feeder.prn",
         [](DiskFaultsTest &t) { ReadingTableProc(t.p()); },
         [](DiskFaultsTest &t) { ExportOnePerLineCommand(t.p()); },
         false,
         {}},
        {"PowerCsvExport",
         "Lotusint.csv",
         showPowerTable,
         [](DiskFaultsTest &t) { ExportDataTableCommand(t.p()); },
         false,
         {}},
        {"InterchangeExport",
         "Lotusint.prn",
         [](DiskFaultsTest &t) {
             showPowerTable(t);
             t.program().dialogs.inputAnswers.emplace_back("FEEDER 4");
         },
         [](DiskFaultsTest &t) { InterchangeExport(t.p()); },
         false,
         {}},
        {"TidyCsvExport",
         "feeder.csv",
         [](DiskFaultsTest &t) { pushSaveAnswer(t, "feeder.csv"); },
         [](DiskFaultsTest &t) { TidyCsvCommand(t.p()); },
         false,
         {}},
    };
    return table;
}

TEST_P(DiskFaultsTest, EarlierFileStaysAndOneMessageNamesThePath)
{
    const Writer &w = writers()[static_cast<size_t>(std::get<0>(GetParam()))];
    const DiskFault fault = std::get<1>(GetParam());
    const QString target = tp.path(QString::fromLatin1(w.target));
    {
        QFile f(target);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(kEarlier), kEarlier.size());
    }
    w.prepare(*this);
    tp.dialogs.messages.clear();
    const QStringList entriesBefore = folderEntries(tp.files.path());

    const ChildRun child = runUnderDiskFault(fault, tp.files.path(), [&] {
        const QMap<QString, QString> before = programState(p());
        w.run(*this);
        QStringList lines;
        for (const QString &m : tp.dialogs.messageTexts()) {
            lines << QStringLiteral("message ") + m;
        }
        const QMap<QString, QString> after = programState(p());
        for (auto it = before.cbegin(); it != before.cend(); ++it) {
            if (after.value(it.key()) != it.value() && !w.changedAnyway.contains(it.key())) {
                lines << QStringLiteral("changed ") + it.key() + QStringLiteral(": ") + it.value() +
                             QStringLiteral(" -> ") + after.value(it.key());
            }
        }
        return lines;
    });
    ASSERT_TRUE(child.finished) << child.problem.toStdString();
    const QString failure = w.saveMessage ? saveErrorText(target) : fileNotWrittenText(target);
    const QStringList messages = child.lines.filter(QRegularExpression("^message "));

    EXPECT_EQ(folderEntries(tp.files.path()), entriesBefore) << "no scratch file is left";
    if (fault == DiskFault::None) {
        // The control: the writer really writes the file when nothing fails.
        EXPECT_NE(fileBytes(target), kEarlier);
        EXPECT_GT(fileBytes(target).size(), kDiskFaultSizeLimit);
        for (const QString &m : messages) {
            EXPECT_FALSE(m.contains(failure.section('\r', 0, 0))) << m.toStdString();
        }
        return;
    }
    EXPECT_EQ(fileBytes(target), kEarlier);
    ASSERT_EQ(messages.size(), 1) << child.lines.join('\n').toStdString();
    const QString shown = messages[0].mid(8);
    EXPECT_TRUE(shown == failure || shown.startsWith(failure + '\r')) << shown.toStdString();
    EXPECT_EQ(child.lines.filter(QRegularExpression("^changed ")).join('\n').toStdString(), "");
}

std::vector<std::tuple<int, DiskFault>> allCases()
{
    std::vector<std::tuple<int, DiskFault>> cases;
    for (int i = 0; i < static_cast<int>(DiskFaultsTest::writers().size()); ++i) {
        for (const DiskFault f :
             {DiskFault::None, DiskFault::SizeLimitMidway, DiskFault::FolderNotWritable}) {
            cases.emplace_back(i, f);
        }
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(
    EveryWriter, DiskFaultsTest, ::testing::ValuesIn(allCases()),
    [](const ::testing::TestParamInfo<std::tuple<int, DiskFault>> &testInfo) {
        return std::string(DiskFaultsTest::writers()[static_cast<size_t>(std::get<0>(testInfo.param))].name) +
               "_" + diskFaultName(std::get<1>(testInfo.param));
    });

} // namespace
