#include "link/ui/abort_window.h"

#include "platform/ui/window_placement.h"
#include "program/program.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The core's texts end their lines with CR (or CR LF).
QString screenText(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    while (text.endsWith(QLatin1Char('\n'))) {
        text.chop(1);
    }
    return text;
}

} // namespace

AbortWindow::AbortWindow(Program &p, QWidget *parent) : QDialog(parent), p_(p)
{
    setWindowTitle(QStringLiteral("Initialization"));
    setModal(false);
    Label1 = new QLabel(this);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);
    Label1->setMinimumHeight(90);
    QFont big = Label1->font();
    big.setPointSize(big.pointSize() + 2);
    big.setBold(true);
    Label1->setFont(big);
    logLabel = new QLabel(this);
    logLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    logLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont mono(QStringLiteral("Monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    logLabel->setFont(mono);
    Command1 = new QPushButton(QStringLiteral("CANCEL"), this);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(logLabel);
    layout->addLayout(buttons);
    setMinimumWidth(420);

    connect(Command1, &QPushButton::clicked, this, [this] { AbortCancel(p_); });
}

AbortWindow::~AbortWindow()
{
    if (p_.windows.abort == this) {
        p_.windows.abort = nullptr;
    }
}

void AbortWindow::show()
{
    sync();
    placement::presentOver(*this, Command1);
}

void AbortWindow::unload()
{
    QDialog::hide();
}

void AbortWindow::sync()
{
    const AbortWindowState &a = p_.link.abort;
    Label1->setText(screenText(a.wait.label1));
    logLabel->setText(screenText(a.logLabel));
    logLabel->setVisible(!a.logLabel.isEmpty());
}

void AbortWindow::reject()
{
    // Escape acts as CANCEL; the exchange closes the window when it ends.
    AbortCancel(p_);
}

void AbortWindow::closeEvent(QCloseEvent *event)
{
    AbortCancel(p_);
    // The window stays until the exchange has stopped and unloads it.
    event->ignore();
}
