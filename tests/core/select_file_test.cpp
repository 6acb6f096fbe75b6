#include "program/menu_items.h"
#include "recording/data_select.h"
#include "recording/file_commands.h"
#include "recording/notes.h"
#include "recording/select_file.h"
#include "reports/open_recording.h"
#include "support/fake_data_select.h"
#include "support/test_program.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

class CountingNotesView : public EditNotesView {
public:
    void showNotes() override { ++shown; }
    int shown = 0;
};

class SelectFileTest : public ::testing::Test {
protected:
    SelectFileTest()
    {
        tp.p().windows.dataSelect = &select;
        tp.p().windows.editNotes = &notes;
        installFileCommands(tp.p());
        installOpenCommands(tp.p());
    }
    void openSlots(int n)
    {
        for (int s = 0; s < n; ++s) {
            auto &i = rec().gInfo[s];
            i[kColPath] = tp.path(QStringLiteral("rec%1.dat").arg(s));
            i[kColMode] = "a";
            i[kColStart] = "10:00  Mar 15, 26";
            i[kColEnd] = "10:00  Mar 15, 26";
            i[kColLast] = 0;
        }
    }
    Recording &rec() { return tp.p().rec; }

    TestProgram tp;
    FakeDataSelect select{tp.p()};
    CountingNotesView notes;
};

} // namespace

TEST_F(SelectFileTest, NoneOrOneRecordingNeedsNoWindow)
{
    SelectFile(tp.p());
    EXPECT_EQ(rec().ginx, -1);
    openSlots(1);
    rec().ginx = 2;
    SelectFile(tp.p());
    EXPECT_EQ(rec().ginx, 0);
    EXPECT_EQ(select.shown, 0);
}

TEST_F(SelectFileTest, TwoOrThreeRecordingsAskTheUser)
{
    openSlots(2);
    tp.p().view.Label1.visible = true;
    select.clicks = {1};
    SelectFile(tp.p());
    EXPECT_EQ(select.shown, 1);
    EXPECT_EQ(select.lastLines, QStringList({tp.path("rec0.dat"), tp.path("rec1.dat"), ""}));
    EXPECT_EQ(rec().ginx, 1);
    EXPECT_EQ(rec().gOutputMode, OutputMode::FileSelection);
    EXPECT_FALSE(tp.p().view.Label1.visible);

    openSlots(3);
    select.clicks = {0, 2}; // the last click counts
    SelectFile(tp.p());
    EXPECT_EQ(rec().ginx, 2);

    select.pressOk = false;
    SelectFile(tp.p());
    EXPECT_EQ(rec().ginx, -2);
}

TEST_F(SelectFileTest, ClickOnAnEmptySlotLeavesOkDisabled)
{
    openSlots(2);
    select.clicks = {2};
    SelectFile(tp.p());
    ASSERT_EQ(tp.dialogs.messages.size(), 1U);
    const auto &m = tp.dialogs.messages[0];
    EXPECT_EQ(m.text, "No Selection Made\r  Click on filename");
    EXPECT_EQ(m.title, "Error");
    EXPECT_EQ(m.buttons, MsgButtons::Ok);
    EXPECT_FALSE(select.okWasEnabled);
    EXPECT_EQ(rec().ginx, -2);
}

TEST(DataSelect, ScrollingOfLongPaths)
{
    TestProgram tp;
    tp.p().rec.gOutputMode = OutputMode::FileSelection;
    DataSelect d(tp.p());
    const QString longPath = QString(70, QLatin1Char('x')) + "/feed1.dat"; // 80 characters
    const QString shortPath = "C:/data/twenty__.dat";                      // 20 characters
    ASSERT_EQ(longPath.size(), 80);
    ASSERT_EQ(shortPath.size(), 20);
    d.activate({longPath, shortPath, ""}, {800, 200, 0}, 300);
    EXPECT_FALSE(d.okEnabled());
    EXPECT_EQ(d.Chosen, -2);
    EXPECT_EQ(d.LastIndex, 2);
    EXPECT_EQ(d.WidestName, 800);
    EXPECT_EQ(d.LongestName, 80);
    EXPECT_EQ(d.scrollMinimum(), 1);
    EXPECT_EQ(d.scrollMaximum(), 80);
    EXPECT_EQ(d.largeChange(), 80);
    EXPECT_TRUE(d.scrollEnabled());
    d.scroll(30);
    const QStringList shown = d.shownLines();
    EXPECT_EQ(shown[0], longPath.mid(29));
    EXPECT_EQ(shown[0].size(), 51);
    EXPECT_EQ(shown[1], "");
    EXPECT_EQ(shown[2], "");
    d.scroll(500);
    EXPECT_EQ(d.ScrollIndex, 80);
    EXPECT_EQ(d.scrollDataText(80, 1, 300),
              "scrollindex=80\r\nscroll value = 80\r\nsmallChange=1\r\nwidthlongest=800\r\nlist1.Width=300");

    // Short paths that fit in 0.9 of the list: no scrolling.
    d.activate({"a.dat", "b.dat", "c.dat"}, {50, 50, 270}, 300);
    EXPECT_FALSE(d.scrollEnabled());
    d.activate({"a.dat"}, {271}, 300);
    EXPECT_TRUE(d.scrollEnabled());
    d.activate({}, {}, 300);
    EXPECT_EQ(d.WidestName, 1);
    EXPECT_EQ(d.LongestName, 1);
}

TEST_F(SelectFileTest, OkActsOnTheOutputMode)
{
    openSlots(2);
    DataSelect d(tp.p());
    rec().gOutputMode = OutputMode::Summary;
    d.activate({tp.path("rec0.dat"), tp.path("rec1.dat"), ""}, {1, 1, 1}, 100);
    d.click(1);
    EXPECT_EQ(rec().ginx, 1); // at once outside a file selection
    d.ok();
    EXPECT_TRUE(tp.p().view.Label1.text.contains("rec1.dat"));

    rec().gOutputMode = OutputMode::CancelOrUserScaleMin;
    d.ok();
    EXPECT_EQ(notes.shown, 1);

    d.cancel();
    EXPECT_EQ(rec().ginx, 1); // only a file selection is cancelled
}

TEST_F(SelectFileTest, NotesCommandEditsTheChosenRecording)
{
    Program &p = tp.p();
    // Nothing open and no valid recording: the impossible case.
    rec().ginx = -1;
    p.runCommand(menu::kItemNotes);
    EXPECT_EQ(tp.dialogs.lastMessage(),
              "Software error in mnuItemNotes_Click: \r\n   A case that couldn't happen, happened.");
    EXPECT_EQ(notes.shown, 0);

    openSlots(2);
    select.clicks = {1};
    p.runCommand(menu::kItemNotes);
    EXPECT_EQ(notes.shown, 1);
    EXPECT_EQ(rec().gOutputMode, OutputMode::CancelOrUserScaleMin);
    rec().gSite[1] = {"loc", "circ", "name", "other"};
    const NotesEdit e = editNotesLoad(p);
    EXPECT_EQ(e.slot, 1);
    EXPECT_EQ(e.path, tp.path("rec1.dat"));
    EXPECT_EQ(e.texts[2], "name");

    const QString longNote = QString(70, QLatin1Char('L'));
    EXPECT_TRUE(editNotesOk(p, e, {longNote, "Feeder 7", "", "x"}));
    EXPECT_EQ(rec().gOutputMode, OutputMode::Nothing);
    EXPECT_EQ(rec().gSite[1][0], longNote);
    EXPECT_EQ(rec().gWorkPath, tp.path("rec1.not"));
    QFile f(tp.path("rec1.not"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_EQ(bytes.size(), 4 * 68);
    EXPECT_EQ(bytes.left(68), QByteArray(66, 'L') + "\r\n");
    EXPECT_EQ(bytes.mid(68, 68), "Feeder 7" + QByteArray(58, ' ') + "\r\n");

    // Cancel in the selection: no editor.
    select.pressOk = false;
    p.runCommand(menu::kItemNotes);
    EXPECT_EQ(notes.shown, 1);
}
