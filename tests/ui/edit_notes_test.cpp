#include "program/menu_items.h"
#include "recording/file_commands.h"
#include "recording/ui/edit_notes_window.h"
#include "recording/ui/file_windows.h"
#include "reports/open_recording.h"
#include "shell/shell_commands.h"
#include "support/recording_files.h"
#include "support/test_program.h"
#include "ui_test_app.h"
#include "window_picture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <gtest/gtest.h>

TEST(EditNotesWindow, ShowsEditsAndWritesTheNotes)
{
    ensureUiTestApp();
    TestProgram tp;
    Program &p = tp.p();
    p.rec.gInfo[1][kColPath] = tp.path("site.dat");
    p.rec.gSite[1] = {"Main St", "Feeder 4", "Jo", ""};
    p.rec.ginx = 1;
    p.rec.gOutputMode = OutputMode::CancelOrUserScaleMin;
    EditNotesWindow w(p);
    w.showNotes();
    EXPECT_EQ(w.windowTitle(), "Note Editor");
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.Label5->text(), tp.path("site.dat"));
    EXPECT_EQ(w.Text1->text(), "Main St");
    EXPECT_EQ(w.Text3->text(), "Jo");
    EXPECT_TRUE(drawnWhole(w));

    // Cancel writes nothing.
    w.Text4->setText("changed");
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(p.rec.gOutputMode, OutputMode::Nothing);
    EXPECT_FALSE(QFile::exists(tp.path("site.not")));
    EXPECT_EQ(p.rec.gSite[1][3], "");

    p.rec.gOutputMode = OutputMode::CancelOrUserScaleMin;
    w.showNotes();
    EXPECT_EQ(w.Text4->text(), "");
    w.Text4->clear();
    QTest::keyClicks(w.Text4, "pole 17");
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(p.rec.gSite[1][3], "pole 17");
    EXPECT_EQ(p.rec.gOutputMode, OutputMode::Nothing);
    QFile f(tp.path("site.not"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], "Main St" + QByteArray(59, ' ') + "\r");
    EXPECT_EQ(lines[3], "pole 17" + QByteArray(59, ' ') + "\r");
}

// The editor is not modal: its recording can be closed or replaced, and a
// note can hold characters the Latin-1 notes file cannot keep.
TEST(EditNotesWindow, OkNeverWritesForAnotherRecordingNorLosesCharacters)
{
    ensureUiTestApp();
    TestProgram tp;
    Program &p = tp.p();
    installFileCommands(p);
    installOpenCommands(p);
    installShellCommands(p);
    EditNotesWindow w(p);
    p.windows.editNotes = &w;
    const auto openFile = [&](const QString &name, const QString &site) {
        RecordingFileContent c;
        c.values = {"1", "2"};
        ASSERT_TRUE(writeRecording(tp.path(name), c));
        tp.dialogs.openAnswers.push_back(tp.path(name));
        p.runCommand(menu::kItemOpen);
        p.rec.gSite[0][0] = site;
    };
    // Notes written for no recording would land in the working folder as
    // "not": the test works in its own folder to look for them there.
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(tp.files.path()));
    const auto restore = qScopeGuard([&] { QDir::setCurrent(before); });
    const QString cwdNotes = QDir::current().filePath("not");

    // A.dat, Notes, Close, OK: nothing written anywhere.
    openFile("A.dat", "A site");
    p.runCommand(menu::kItemNotes);
    ASSERT_TRUE(w.isVisible());
    p.runCommand(menu::kItemClose);
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(QFile::exists(cwdNotes));
    EXPECT_FALSE(QFile::exists(tp.path("A.not")));
    EXPECT_TRUE(tp.dialogs.lastMessage().contains("A.dat is no longer open"))
        << tp.dialogs.lastMessage().toStdString();

    // A.dat, Notes, Close, B.dat in the same slot, OK: B's notes untouched.
    openFile("A.dat", "A site");
    p.runCommand(menu::kItemNotes);
    p.runCommand(menu::kItemClose);
    openFile("B.dat", "B site");
    ASSERT_TRUE(writeNotesFile(tp.path("B.not"), {"B site", "", "", ""}));
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_EQ(readNotesFile(tp.path("B.not"))->at(0), "B site");
    EXPECT_EQ(p.rec.gSite[0][0], "B site");

    // Characters outside Latin-1 are refused by name; the editor stays open
    // and nothing is written until they are changed.
    p.runCommand(menu::kItemNotes);
    w.Text1->setText(QStringLiteral("Łódź €"));
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(tp.dialogs.lastMessage().contains(QStringLiteral("Ł ź €")))
        << tp.dialogs.lastMessage().toStdString();
    EXPECT_EQ(readNotesFile(tp.path("B.not"))->at(0), "B site");
    w.Text1->setText(QStringLiteral("Lodz ó"));
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(readNotesFile(tp.path("B.not"))->at(0), QStringLiteral("Lodz ó"));
}

TEST(CommandLineFiles, OpenWithTheirFullPaths)
{
    ensureUiTestApp();
    TestProgram tp;
    RecordingFileContent c;
    c.values = {"1", "2"};
    ASSERT_TRUE(writeRecording(tp.path("rel.dat"), c));
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(tp.files.path()));
    openCommandLineFiles(tp.p(), {"rel.dat"});
    QDir::setCurrent(before);
    const QString full = QFileInfo(tp.path("rel.dat")).absoluteFilePath();
    EXPECT_EQ(tp.p().rec.gInfo[0][kColPath].text(), full);
    EXPECT_EQ(tp.settings.store.get("Settings", "mrufile1"), full);
}
