#include "platform/textformat.h"
#include "program/menu_items.h"
#include "recording/file_commands.h"
#include "recording/save.h"
#include "reports/open_recording.h"
#include "support/fake_data_select.h"
#include "support/recording_files.h"
#include "support/test_program.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class SaveTest : public ::testing::Test {
protected:
    SaveTest()
    {
        tp.p().windows.dataSelect = &select;
        installFileCommands(tp.p());
        installOpenCommands(tp.p());
    }
    // Opens a recording written from `content` into the next slot.
    void open(const QString &name, const RecordingFileContent &content)
    {
        ASSERT_TRUE(writeRecording(tp.path(name), content));
        ASSERT_TRUE(openRecordingFile(tp.p(), tp.path(name)));
    }
    Recording &rec() { return tp.p().rec; }

    TestProgram tp;
    FakeDataSelect select{tp.p()};
};

RecordingFileContent averageSpec(QStringList values)
{
    RecordingFileContent s;
    s.mode = "a";
    s.stamp = "03-15-26 12:00";
    s.values = std::move(values);
    return s;
}

} // namespace

TEST_F(SaveTest, SaveAsTextOfARangeReadsBackWithItsStartTime)
{
    // 15 values, newest first 15..1: value index i holds i + 1.
    QStringList values;
    for (int v = 15; v >= 1; --v) {
        values << QString::number(v);
    }
    open("src.dat", averageSpec(values));
    ASSERT_EQ(rec().gInfo[0][kColStart].text(), "08:30  Mar 15, 26");
    rec().gDatastart = 0;
    rec().gdataend = 9;
    rec().ginx = 0;
    ASSERT_TRUE(buildSaveAsText(tp.p()));
    const QString header = rec().gInfo[0][kColHeader].text();
    // Index 9 is 9 intervals after the start: 10:45.
    QString expectedHeader = header;
    expectedHeader.replace(30, 14, "03-15-26 10:45");
    EXPECT_EQ(rec().gText, "\r\n\n\n" + expectedHeader + "\r" +
                               "T: " + "  10   9   8   7   6   5   4   3   2   1" + QChar(26));

    tp.dialogs.saveAnswers.push_back(tp.path("range.dat"));
    ASSERT_TRUE(SaveDialogProc(tp.p()));
    const QByteArray bytes = fileBytes(tp.path("range.dat"));
    EXPECT_TRUE(bytes.startsWith("\"\r\n\n\n"));
    EXPECT_TRUE(bytes.endsWith(QByteArray("\x1a\"\r\n")));

    ASSERT_TRUE(openRecordingFile(tp.p(), tp.path("range.dat")));
    EXPECT_EQ(rec().gInfo[1][kColLast].number(), 9);
    EXPECT_EQ(rec().gInfo[1][kColStart].text(), "08:30  Mar 15, 26");
    for (int i = 0; i <= 9; ++i) {
        EXPECT_EQ(rec().gValues[1][i], rec().gValues[0][i]) << i;
    }
}

TEST_F(SaveTest, LowRangeFieldsLineBreaksAndWideValues)
{
    RecordingFileContent s = averageSpec({});
    for (int i = 0; i < 12; ++i) {
        s.values << QString::number(i + 0.5, 'f', 1);
    }
    // Values that fill or overflow their field keep a blank in front.
    s.values[0] = "1234.5";
    s.values[1] = "100.0";
    s.values[2] = "-12.5";
    open("low.dat", s);
    rec().gDatastart = 0;
    rec().gdataend = 11;
    ASSERT_TRUE(buildSaveAsText(tp.p()));
    const QString text = rec().gText;
    const qsizetype valuesAt = text.indexOf("T: ") + 3;
    EXPECT_EQ(text.mid(valuesAt),
              " 1234.5 100.0 -12.5  3.5  4.5  5.5  6.5  7.5  8.5  9.5\n\r 10.5 11.5" + QString(QChar(26)));

    tp.dialogs.saveAnswers.push_back(tp.path("low2.dat"));
    ASSERT_TRUE(SaveDialogProc(tp.p()));
    ASSERT_TRUE(openRecordingFile(tp.p(), tp.path("low2.dat")));
    EXPECT_EQ(rec().gInfo[1][kColLast].number(), 11);
    EXPECT_EQ(rec().gInfo[1][kColRange].text(), "LOW");
    for (int i = 0; i <= 11; ++i) {
        EXPECT_EQ(rec().gValues[1][i], rec().gValues[0][i]) << i;
    }
}

TEST_F(SaveTest, HighRangeWideValuesAndOlderLayout)
{
    RecordingFileContent s = averageSpec({"3000", "999", "-150", "-2000", "7"});
    s.tMarker = false;
    open("high.dat", s);
    rec().gDatastart = 0;
    rec().gdataend = 4;
    ASSERT_TRUE(buildSaveAsText(tp.p()));
    // No "T: " marker: the values follow the header line's CR.
    EXPECT_TRUE(rec().gText.endsWith("\r 3000 999 -150 -2000   7" + QString(QChar(26))))
        << rec().gText.toStdString();
}

TEST_F(SaveTest, DialogCancelFailureAndSuccess)
{
    Program &p = tp.p();
    tp.settings.store.save("Directory", "default", tp.files.path());
    p.rec.gText = "KLA text";
    p.menu.setEnabled(menu::kItemSave, true);

    EXPECT_FALSE(SaveDialogProc(p));
    EXPECT_EQ(tp.dialogs.lastMessage(), "     Cancelled     ");
    EXPECT_EQ(tp.dialogs.saveFilters.value(0), "data files (*.dat) | *.dat");
    EXPECT_EQ(tp.dialogs.saveDirs.value(0), tp.files.path());
    EXPECT_TRUE(p.menu.enabled(menu::kItemSave));

    tp.dialogs.saveAnswers.push_back(tp.path("no/such/folder/x.dat"));
    EXPECT_FALSE(SaveDialogProc(p));
    EXPECT_EQ(tp.dialogs.lastMessage(),
              "   File save error.  Disk may be write  \r  protected or full.  Correct and retry\r" +
                  QDir::toNativeSeparators(tp.path("no/such/folder/x.dat")));
    EXPECT_TRUE(p.menu.enabled(menu::kItemSave));

    tp.dialogs.saveAnswers.push_back(tp.path("ok.dat"));
    EXPECT_TRUE(SaveDialogProc(p));
    EXPECT_EQ(fileBytes(tp.path("ok.dat")), "\"KLA text\"\r\n");
    EXPECT_FALSE(p.menu.enabled(menu::kItemSave));
}

TEST_F(SaveTest, FailedWriteLeavesTheOldFileIntact)
{
    const QString dir = tp.path("locked");
    ASSERT_TRUE(QDir().mkpath(dir));
    const QString target = dir + "/old.dat";
    {
        QFile f(target);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\"old contents\"\r\n");
    }
    ASSERT_TRUE(QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                               QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup));
    ASSERT_TRUE(QFile::setPermissions(tp.files.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                           QFile::ExeOwner | QFile::ExeOther |
                                                           QFile::ExeGroup));
    // The write runs in a child process; as root it gives up its rights so
    // that the folder is really read-only to it.
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        if (geteuid() == 0 && setuid(65534) != 0) {
            _exit(3);
        }
        tp.p().rec.gText = "new contents";
        tp.dialogs.saveAnswers.push_back(target);
        const bool saved = SaveDialogProc(tp.p());
        const bool told = tp.dialogs.lastMessage().startsWith("   File save error.");
        _exit(!saved && told ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(fileBytes(target), "\"old contents\"\r\n");
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(SaveTest, SaveCommandAsksWhichRecordingAndCancelWritesNothing)
{
    open("a.dat", averageSpec({"1", "2", "3"}));
    open("b.dat", averageSpec({"4", "5", "6", "7"}));
    rec().gDatastart = 0;
    rec().gdataend = 100; // beyond recording 1: kept within it
    select.clicks = {1};
    tp.dialogs.saveAnswers.push_back(tp.path("c.dat"));
    tp.p().menu.setEnabled(menu::kItemSave, true);
    ASSERT_TRUE(tp.p().runCommand(menu::kItemSave));
    EXPECT_EQ(select.shown, 1);
    EXPECT_EQ(rec().gdataend, 3);
    EXPECT_TRUE(fileBytes(tp.path("c.dat")).contains("   4   5   6   7\x1a"));
    EXPECT_FALSE(tp.p().menu.enabled(menu::kItemSave));

    tp.p().menu.setEnabled(menu::kItemSave, true);
    select.pressOk = false;
    ASSERT_TRUE(tp.p().runCommand(menu::kItemSave));
    EXPECT_EQ(tp.dialogs.saveFilters.size(), 1);
    EXPECT_TRUE(tp.dialogs.messages.empty());
}

TEST(SaveValueField, MatchesThePictureFormatsForEveryValue)
{
    for (int t = -32768; t <= 32767; ++t) {
        const auto tenths = static_cast<int16_t>(t);
        for (const bool low : {true, false}) {
            const int width = low ? 5 : 4;
            const QString pic = textformat::picture(t / 10.0, low ? "##0.0" : "###0");
            const QString expected = pic.size() >= width ? " " + pic : textformat::fixedRight(pic, width);
            ASSERT_EQ(saveValueField(tenths, low), expected) << t << " low=" << low;
        }
    }
}
