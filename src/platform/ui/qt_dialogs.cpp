#include "platform/ui/qt_dialogs.h"

#include <cstdio>

#include "platform/ui/qt_printer_device.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>

namespace qtdialogs {

QString qtFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    static const QRegularExpression ownPatterns(QStringLiteral(R"(\s*\([^()]*\)\s*$)"));
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString text = parts[i].trimmed();
        text.remove(ownPatterns);
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString &pattern : patterns) {
            pattern = pattern.trimmed();
        }
        patterns.removeAll(QString());
        if (patterns.isEmpty()) {
            patterns << QStringLiteral("*");
        }
        if (text.isEmpty()) {
            text = patterns.join(QLatin1Char(' '));
        }
        out << text + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return out.join(QStringLiteral(";;"));
}

QString defaultSuffix(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    if (parts.size() < 2) {
        return {};
    }
    const QString first = parts[1].split(QLatin1Char(';')).constFirst().trimmed();
    static const QRegularExpression simple(QStringLiteral(R"(^\*\.([A-Za-z0-9]+)$)"));
    const QRegularExpressionMatch m = simple.match(first);
    return m.hasMatch() ? m.captured(1) : QString();
}

QString withDefaultSuffix(const QString &path, const QString &suffix)
{
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    if (suffix.isEmpty() || name.isEmpty() || name.contains(QLatin1Char('.'))) {
        return path;
    }
    return path + QLatin1Char('.') + suffix;
}

QString displayText(const QString &text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

QString windowTitle(const QString &title)
{
    return title.isEmpty() ? QStringLiteral("RDX600") : title;
}

} // namespace qtdialogs

namespace {

QMessageBox::StandardButtons qtButtons(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::Ok:
        return QMessageBox::Ok;
    case MsgButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgButtons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon qtIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::None:
        return QMessageBox::NoIcon;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Exclamation:
    case MsgIcon::Warning:
        return QMessageBox::Warning;
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// The answer of a box closed without a button (Escape or the title bar).
// The first button of a set, the default unless MsgDefault::Second asks for
// the second one.
QMessageBox::StandardButton firstButton(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel:
        return QMessageBox::Yes;
    case MsgButtons::RetryCancel:
        return QMessageBox::Retry;
    default:
        return QMessageBox::Ok;
    }
}

// The second button of a set.
QMessageBox::StandardButton secondButton(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel:
        return QMessageBox::No;
    case MsgButtons::OkCancel:
    case MsgButtons::RetryCancel:
        return QMessageBox::Cancel;
    default:
        return QMessageBox::Ok;
    }
}

MsgResult closedAnswer(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::Ok:
        return MsgResult::Ok;
    case MsgButtons::YesNo:
        return MsgResult::No;
    default:
        return MsgResult::Cancel;
    }
}

} // namespace

QtDialogs::QtDialogs() = default;

QWidget *QtDialogs::questionOwner() const
{
    // The window of an exchange the user is looking at (the status or
    // download window, say) keeps its question over it; otherwise the main
    // window owns it. Either way it lies over the main window.
    QWidget *active = QApplication::activeWindow();
    if (active == nullptr || parent_.isNull() || !active->isVisible()) {
        return parent_;
    }
    for (const QWidget *w = active->parentWidget(); w != nullptr; w = w->parentWidget()) {
        if (w == parent_) {
            return active;
        }
    }
    return parent_;
}
QtDialogs::~QtDialogs()
{
    setBusy(false);
}

MsgResult QtDialogs::message(const QString &text, const QString &title, MsgButtons buttons, MsgIcon icon,
                             MsgDefault defaultButton)
{
    if (nonInteractive_) {
        std::fprintf(stderr, "rdx600: %s\n", qPrintable(qtdialogs::displayText(text)));
        return closedAnswer(buttons);
    }
    QMessageBox box(qtIcon(icon), qtdialogs::windowTitle(title), qtdialogs::displayText(text),
                    qtButtons(buttons), questionOwner());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(defaultButton == MsgDefault::Second ? secondButton(buttons) : firstButton(buttons));
    // A message always gets the normal pointer while it waits.
    const bool wasBusy = busy_;
    setBusy(false);
    const int answer = box.exec();
    setBusy(wasBusy);
    switch (answer) {
    case QMessageBox::Ok:
        return MsgResult::Ok;
    case QMessageBox::Cancel:
        return MsgResult::Cancel;
    case QMessageBox::Yes:
        return MsgResult::Yes;
    case QMessageBox::No:
        return MsgResult::No;
    case QMessageBox::Retry:
        return MsgResult::Retry;
    default:
        return closedAnswer(buttons);
    }
}

QString QtDialogs::inputBox(const QString &prompt, const QString &title, const QString &defaultText)
{
    if (nonInteractive_) {
        return answers_.isEmpty() ? QString() : answers_.takeFirst();
    }
    QInputDialog dialog(questionOwner());
    dialog.setWindowTitle(qtdialogs::windowTitle(title));
    dialog.setLabelText(qtdialogs::displayText(prompt));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextValue(defaultText);
    const bool wasBusy = busy_;
    setBusy(false);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    setBusy(wasBusy);
    return accepted ? dialog.textValue() : QString();
}

std::optional<QString> QtDialogs::openFile(const QString &initialDir, const QString &filter)
{
    if (nonInteractive_) {
        return std::nullopt;
    }
    QFileDialog dialog(parent_, QStringLiteral("Open"), initialDir, qtdialogs::qtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtDialogs::saveFile(const QString &initialDir, const QString &filter,
                                           bool confirmOverwrite)
{
    if (nonInteractive_) {
        return std::nullopt;
    }
    QFileDialog dialog(parent_, QStringLiteral("Save As"), initialDir, qtdialogs::qtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !confirmOverwrite);
    // A name typed without a suffix gets the filter's, so that the file is
    // found again through the same filter; the dialog then also asks before
    // replacing a file of that full name. A dialog of the desktop that
    // ignores the default suffix gets it added here.
    const QString suffix = qtdialogs::defaultSuffix(filter);
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return qtdialogs::withDefaultSuffix(dialog.selectedFiles().constFirst(), suffix);
}

bool QtDialogs::printerDialog()
{
    if (nonInteractive_) {
        return false;
    }
    if (printer_ != nullptr) {
        // With preview on, the report is shown first and the printer dialog
        // comes once, from the preview's Print button.
        return printer_->previewOn() || printer_->showPrintDialog(parent_);
    }
    if (!ownPrinter_) {
        ownPrinter_ = std::make_unique<QPrinter>();
    }
    QPrintDialog dialog(ownPrinter_.get(), parent_);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    return dialog.exec() == QDialog::Accepted;
}

void QtDialogs::setBusy(bool busy)
{
    busy_ = busy;
    const bool canShow = qobject_cast<QApplication *>(QCoreApplication::instance()) != nullptr;
    if (busy && canShow && !cursorSet_) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        cursorSet_ = true;
    } else if (!busy && cursorSet_) {
        QApplication::restoreOverrideCursor();
        cursorSet_ = false;
    }
}
