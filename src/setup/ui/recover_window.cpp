#include "setup/ui/recover_window.h"

#include "platform/ui/window_placement.h"
#include "program/program.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

RecoverWindow::RecoverWindow(Program &p, QWidget *parent) : QDialog(parent), p_(p)
{
    setWindowTitle(QStringLiteral("Recover"));
    setModal(false);
    Label1 = new QLabel(QStringLiteral("Ready"), this);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setMinimumHeight(120);
    QFont mono(QStringLiteral("Monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    Label1->setFont(mono);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setTextVisible(false);
    OK = new QPushButton(QStringLiteral("OK"), this);
    OK->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OK);
    buttons->addWidget(CancelButton);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(ProgressBar1);
    layout->addLayout(buttons);
    setMinimumWidth(440);

    connect(OK, &QPushButton::clicked, this, [this] { RecoverOk(p_); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { RecoverCancel(p_); });
}

RecoverWindow::~RecoverWindow()
{
    if (p_.windows.recover == this) {
        p_.windows.recover = nullptr;
    }
}

void RecoverWindow::show()
{
    sync();
    placement::presentOver(*this, OK->isHidden() ? CancelButton : OK);
}

void RecoverWindow::hide()
{
    QDialog::hide();
}

void RecoverWindow::unload()
{
    QDialog::hide();
}

void RecoverWindow::sync()
{
    const RecoverWindowState &w = p_.setup.recover;
    QString text = w.label1;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    Label1->setText(text);
    Label1->setVisible(w.label1Visible);
    OK->setVisible(w.okVisible);
    CancelButton->setVisible(w.cancelVisible);
    ProgressBar1->setVisible(w.progressVisible);
    ProgressBar1->setMaximum(w.progressMax);
    ProgressBar1->setValue(std::min(w.progressValue, w.progressMax));
}

void RecoverWindow::reject()
{
    // Escape acts as Cancel.
    RecoverCancel(p_);
}

void RecoverWindow::closeEvent(QCloseEvent *event)
{
    RecoverCancel(p_);
    // A running recovery closes the window itself when it has stopped.
    if (p_.setup.recover.running) {
        event->ignore();
    } else {
        event->accept();
    }
}
