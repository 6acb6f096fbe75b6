// Message boxes, input boxes, file dialogs and the printer dialog with Qt
// widgets, on top of the main window.
#pragma once

#include "platform/dialogs.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <memory>

class QPrinter;
class QtPrinterDevice;

class QtDialogs : public Dialogs {
public:
    QtDialogs();
    ~QtDialogs() override;
    QtDialogs(const QtDialogs &) = delete;
    QtDialogs &operator=(const QtDialogs &) = delete;

    // The window the dialogs belong to (the main window once it exists).
    void setParentWidget(QWidget *parent) { parent_ = parent; }
    // The printer the reports print on; the printer dialog sets it up.
    void setPrinter(QtPrinterDevice *printer) { printer_ = printer; }
    // Without a person to answer (a screenshot run): no dialog is shown.
    // Messages go to standard error, questions are answered Cancel or No,
    // input boxes and file and printer dialogs are cancelled.
    void setNonInteractive(bool on) { nonInteractive_ = on; }
    // Answers for the input boxes of a non-interactive run, taken in order;
    // once they are used up, input boxes are cancelled again.
    void setScriptedAnswers(const QStringList &answers) { answers_ = answers; }

    MsgResult message(const QString &text, const QString &title, MsgButtons buttons, MsgIcon icon,
                      MsgDefault defaultButton) override;
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultText) override;
    std::optional<QString> openFile(const QString &initialDir, const QString &filter) override;
    std::optional<QString> saveFile(const QString &initialDir, const QString &filter,
                                    bool confirmOverwrite) override;
    bool printerDialog() override;
    void setBusy(bool busy) override;
    bool busy() const { return busy_; }

    // The window a message or input box belongs to: the active window of the
    // program when it is one of the main window's own, else the main window.
    QWidget *questionOwner() const;

private:
    QPointer<QWidget> parent_;
    QtPrinterDevice *printer_ = nullptr;
    std::unique_ptr<QPrinter> ownPrinter_;
    bool busy_ = false;
    bool nonInteractive_ = false;
    QStringList answers_;
    bool cursorSet_ = false; // the hourglass is on the override stack
};

namespace qtdialogs {

// "text|pattern|text|pattern" (patterns separated by ";") in Qt's form
// "text (pattern);;text (pattern)". A text that already ends with its own
// "(...)" keeps only the patterns of the pattern part.
QString qtFilter(const QString &filter);
// The suffix a save dialog adds to a name typed without one: that of the
// filter's first pattern when it is "*.ext" ("dat" for "data files (*.dat) |
// *.dat"), else empty.
QString defaultSuffix(const QString &filter);
// `path` with "." + `suffix` added when its file name has no suffix at all
// ("unit0042"); a name with any suffix ("unit0042.txt") is kept as typed.
QString withDefaultSuffix(const QString &path, const QString &suffix);
// The program's line ends (CR, CR LF) as the line feeds Qt shows.
QString displayText(const QString &text);
// The window title of a message: the program's name when none is given.
QString windowTitle(const QString &title);

} // namespace qtdialogs
