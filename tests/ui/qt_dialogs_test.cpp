#include "platform/ui/qt_dialogs.h"
#include "platform/ui/qt_help_viewer.h"
#include "platform/ui/qt_printer_device.h"
#include "ui_test_app.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Acts on the modal dialog as soon as it is up.
void whenModal(std::function<void(QWidget *)> act)
{
    QTimer::singleShot(0, [act] {
        QWidget *w = QApplication::activeModalWidget();
        ASSERT_NE(w, nullptr);
        act(w);
    });
}

class QtDialogsTest : public ::testing::Test {
protected:
    QtDialogsTest() { ensureUiTestApp(); }
    Dialogs &base() { return dialogs; } // with the interface's default arguments
    QtDialogs dialogs;
};

} // namespace

TEST(QtDialogsText, FilterInQtForm)
{
    using qtdialogs::qtFilter;
    EXPECT_EQ(qtFilter("data files (*.dat) | *.dat"), "data files (*.dat)");
    EXPECT_EQ(qtFilter("chart files (*.chd) | *.chd"), "chart files (*.chd)");
    EXPECT_EQ(qtFilter("Recordings|*.dat|All files|*.*"), "Recordings (*.dat);;All files (*.*)");
    EXPECT_EQ(qtFilter("Text|*.txt;*.prn"), "Text (*.txt *.prn)");
    EXPECT_EQ(qtFilter("|*.dat"), "*.dat (*.dat)");
    EXPECT_EQ(qtFilter("Anything|"), "Anything (*)");
    EXPECT_EQ(qtFilter(""), "");
    EXPECT_EQ(qtFilter("odd part"), ""); // a text without its pattern is left out
}

// A name typed without a suffix gets the filter's; any other name is kept.
TEST_F(QtDialogsTest, SaveDialogAddsTheFiltersSuffixToANameWithoutOne)
{
    QTemporaryDir dir;
    struct Case {
        const char *filter;
        const char *typed;
        const char *saved;
    };
    const Case cases[] = {
        {"data files (*.dat) | *.dat", "unit0042", "unit0042.dat"},
        {"data files (*.dat) | *.dat", "unit0042.dat", "unit0042.dat"},
        {"data files (*.dat) | *.dat", "unit0042.txt", "unit0042.txt"},
        {"data files (*.dat) | *.dat", "feeder.north", "feeder.north"},
        {"CSV files (*.csv)|*.csv", "tidy", "tidy.csv"},
        {"chart files (*.chd) | *.chd", "plot", "plot.chd"},
        {"All files|*", "notes", "notes"},
    };
    for (const Case &c : cases) {
        whenModal([&](QWidget *w) {
            auto *dialog = qobject_cast<QFileDialog *>(w);
            ASSERT_NE(dialog, nullptr);
            dialog->selectFile(QString::fromLatin1(c.typed));
            QMetaObject::invokeMethod(dialog, "accept");
        });
        const std::optional<QString> path = base().saveFile(dir.path(), QString::fromLatin1(c.filter), true);
        ASSERT_TRUE(path.has_value()) << c.typed;
        EXPECT_EQ(*path, dir.filePath(QString::fromLatin1(c.saved))) << c.filter << " " << c.typed;
        // The same rule for a path that comes back from another dialog.
        EXPECT_EQ(qtdialogs::withDefaultSuffix(dir.filePath(QString::fromLatin1(c.typed)),
                                               qtdialogs::defaultSuffix(QString::fromLatin1(c.filter))),
                  *path);
    }
}

TEST(QtDialogsText, LineEndsAndTitle)
{
    EXPECT_EQ(qtdialogs::displayText("a\r\nb\rc\n"), "a\nb\nc\n");
    EXPECT_EQ(qtdialogs::windowTitle(""), "RDX600");
    EXPECT_EQ(qtdialogs::windowTitle("WARNING"), "WARNING");
}

TEST_F(QtDialogsTest, MessageBoxShowsTextTitleIconAndButtons)
{
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    whenModal([&](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        ASSERT_NE(box, nullptr);
        text = box->text();
        title = box->windowTitle();
        icon = box->icon();
        buttons = static_cast<int>(box->buttons().size());
        box->button(QMessageBox::Cancel)->click();
    });
    const MsgResult r = base().message("Status Check OK but...\r\n\r\n    LOW INSTRUMENT BATTERY    ",
                                       "WARNING", MsgButtons::OkCancel, MsgIcon::Exclamation);
    EXPECT_EQ(r, MsgResult::Cancel);
    EXPECT_EQ(text, "Status Check OK but...\n\n    LOW INSTRUMENT BATTERY    ");
    EXPECT_EQ(title, "WARNING");
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(buttons, 2);
}

TEST_F(QtDialogsTest, MessageBoxAnswers)
{
    whenModal([](QWidget *w) { qobject_cast<QMessageBox *>(w)->button(QMessageBox::No)->click(); });
    EXPECT_EQ(base().message("Again?", {}, MsgButtons::YesNo, MsgIcon::Question), MsgResult::No);
    whenModal([](QWidget *w) { qobject_cast<QMessageBox *>(w)->button(QMessageBox::Ok)->click(); });
    EXPECT_EQ(base().message("Done"), MsgResult::Ok);
    QString title;
    whenModal([&title](QWidget *w) {
        title = w->windowTitle();
        qobject_cast<QMessageBox *>(w)->button(QMessageBox::Retry)->click();
    });
    EXPECT_EQ(base().message("Retry?", {}, MsgButtons::RetryCancel), MsgResult::Retry);
    EXPECT_EQ(title, "RDX600");
}

TEST_F(QtDialogsTest, EnterPressesTheChosenDefaultButton)
{
    for (const auto &[which, expected] :
         {std::pair{MsgDefault::First, MsgResult::Yes}, std::pair{MsgDefault::Second, MsgResult::No}}) {
        whenModal([](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            box->defaultButton()->click();
        });
        EXPECT_EQ(base().message("Keep it?", {}, MsgButtons::YesNo, MsgIcon::Question, which), expected);
    }
}

TEST_F(QtDialogsTest, InputBoxReturnsTheAnswerOrEmptyOnCancel)
{
    QString label;
    QString shownDefault;
    whenModal([&](QWidget *w) {
        auto *input = qobject_cast<QInputDialog *>(w);
        ASSERT_NE(input, nullptr);
        label = input->labelText();
        shownDefault = input->textValue();
        input->setTextValue("0.85");
        input->accept();
    });
    EXPECT_EQ(base().inputBox("Enter Power Factor to be used must be 1 or less\r", {}, "1"), "0.85");
    EXPECT_EQ(label, "Enter Power Factor to be used must be 1 or less\n");
    EXPECT_EQ(shownDefault, "1");

    whenModal([](QWidget *w) { qobject_cast<QInputDialog *>(w)->reject(); });
    EXPECT_EQ(base().inputBox("Enter user name below\r", {}, "kept"), "");
}

TEST_F(QtDialogsTest, BusyPointerIsSetOnceAndRestored)
{
    ASSERT_EQ(QApplication::overrideCursor(), nullptr);
    dialogs.setBusy(true);
    dialogs.setBusy(true);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    dialogs.setBusy(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    dialogs.setBusy(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(QtDialogsTest, MessageShowsTheNormalPointerAndRestoresTheBusyOne)
{
    dialogs.setBusy(true);
    bool busyWhileShown = true;
    whenModal([&busyWhileShown](QWidget *w) {
        busyWhileShown = QApplication::overrideCursor() != nullptr;
        qobject_cast<QMessageBox *>(w)->button(QMessageBox::Ok)->click();
    });
    base().message("Bad data");
    EXPECT_FALSE(busyWhileShown);
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    dialogs.setBusy(false);
}

TEST(QtHelpViewerTest, MissingFileIsNotOpened)
{
    QTemporaryDir dir;
    QtHelpViewer help;
    EXPECT_FALSE(help.open(dir.filePath("RDX600Help.chm")));
    EXPECT_FALSE(help.open(dir.path())); // a folder is no help file
}

// With preview on, a report asks for no printer before its preview; the
// preview's Print button asks once, and a cancelled printer dialog prints
// nothing and leaves the preview open. A PDF printer is asked nothing.
TEST_F(QtDialogsTest, PreviewAsksForThePrinterOnceFromItsPrintButton)
{
    qunsetenv("RDX600_PRINT_PDF");
    QTemporaryDir dir;
    for (const bool toPdf : {false, true}) {
        SCOPED_TRACE(toPdf ? "PDF printer" : "system printer");
        const QString pdf = dir.filePath(toPdf ? "preview.pdf" : "unused.pdf");
        std::unique_ptr<QtPrinterDevice> printer =
            toPdf ? std::make_unique<QtPrinterDevice>(pdf) : std::make_unique<QtPrinterDevice>();
        dialogs.setPrinter(printer.get());
        printer->setPreview(true);
        // Every printer dialog that comes up is counted and cancelled.
        int printDialogs = 0;
        QTimer watcher;
        QObject::connect(&watcher, &QTimer::timeout, [&printDialogs] {
            if (auto *d = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget())) {
                ++printDialogs;
                d->reject();
            }
        });
        watcher.start(10);

        EXPECT_TRUE(dialogs.printerDialog());
        EXPECT_EQ(printDialogs, 0) << "no printer dialog before the preview";

        bool stillOpen = false;
        printer->onPreviewShown = [&](QWidget *preview) {
            QAction *print = nullptr;
            for (QAction *a : preview->findChildren<QAction *>()) {
                print = a->text() == "Print" ? a : print;
            }
            ASSERT_NE(print, nullptr);
            print->trigger();
            stillOpen = preview->isVisible();
            preview->close();
        };
        printer->setFont("Arial", 10);
        printer->printLine("previewed");
        EXPECT_TRUE(printer->endDoc());
        EXPECT_EQ(printDialogs, toPdf ? 0 : 1);
        EXPECT_EQ(stillOpen, !toPdf) << "a cancelled printer dialog leaves the preview open";
        EXPECT_EQ(QFile::exists(pdf), toPdf);
        dialogs.setPrinter(nullptr);
    }
}
