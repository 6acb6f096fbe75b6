#include "recording/ui/edit_notes_window.h"
#include "support/test_program.h"
#include "ui_test_app.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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
    p.rec.gOutputMode = 1;
    EditNotesWindow w(p);
    w.showNotes();
    EXPECT_EQ(w.windowTitle(), "Note Editor");
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.Label5->text(), tp.path("site.dat"));
    EXPECT_EQ(w.Text1->text(), "Main St");
    EXPECT_EQ(w.Text3->text(), "Jo");
    w.grab().save("/tmp/rdx600_edit_notes.png");

    // Cancel writes nothing.
    w.Text4->setText("changed");
    QTest::mouseClick(w.Command2, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(p.rec.gOutputMode, 0);
    EXPECT_FALSE(QFile::exists(tp.path("site.not")));
    EXPECT_EQ(p.rec.gSite[1][3], "");

    p.rec.gOutputMode = 1;
    w.showNotes();
    EXPECT_EQ(w.Text4->text(), "");
    w.Text4->clear();
    QTest::keyClicks(w.Text4, "pole 17");
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(p.rec.gSite[1][3], "pole 17");
    EXPECT_EQ(p.rec.gOutputMode, 0);
    QFile f(tp.path("site.not"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], "Main St" + QByteArray(59, ' ') + "\r");
    EXPECT_EQ(lines[3], "pole 17" + QByteArray(59, ' ') + "\r");
}
