#include "link/ui/status_window.h"

#include "link/status_check.h"
#include "platform/ui/window_placement.h"
#include "program/program.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QColor kLabel2Back(255, 255, 225);
const QColor kLabel2Fore(0, 0, 128);

void setColours(QLabel *label, const QColor &back, const QColor &fore)
{
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, back);
    pal.setColor(QPalette::WindowText, fore);
    label->setPalette(pal);
    label->setAutoFillBackground(true);
}

} // namespace

StatusWindow::StatusWindow(Program &p, QWidget *parent) : QDialog(parent), p_(p)
{
    setWindowTitle(QStringLiteral("status"));
    setModal(false);
    Label1 = new QLabel(this);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);
    Label1->setMinimumHeight(60);
    Label2 = new QLabel(this);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Label2->setMargin(8);
    Label2->setMinimumHeight(90);
    setColours(Label2, kLabel2Back, kLabel2Fore);
    QFont mono(QStringLiteral("Monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    Label2->setFont(mono);
    Command1 = new QPushButton(QStringLiteral("PROCEED"), this);
    Command1->hide();
    Command2 = new QPushButton(QStringLiteral("Cancel"), this);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addLayout(buttons);
    setMinimumWidth(520);

    connect(Command2, &QPushButton::clicked, this, [this] { StatusCancel(p_); });
}

void StatusWindow::show()
{
    sync();
    placement::presentOver(*this, Command2);
}

void StatusWindow::hide()
{
    QDialog::hide();
}

void StatusWindow::unload()
{
    QDialog::hide();
}

void StatusWindow::sync()
{
    const StatusWindowState &s = p_.link.status;
    Label1->setText(s.wait.label1);
    QFont f = Label1->font();
    f.setPointSize(s.label1FontSize);
    f.setBold(s.label1FontSize > 10);
    Label1->setFont(f);
    if (s.label1ColoursFromLabel2) {
        setColours(Label1, kLabel2Back, kLabel2Fore);
    } else {
        Label1->setAutoFillBackground(false);
        Label1->setPalette(palette());
    }
    Label1->setVisible(s.label1Visible);
    // The result lines end in CR.
    QString result = s.label2;
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    while (result.endsWith(QLatin1Char('\n'))) {
        result.chop(1);
    }
    Label2->setText(result);
    Label2->setVisible(s.label2Visible);
    Command1->setVisible(s.command1Visible);
}

void StatusWindow::reject()
{
    // Escape and closing act as Cancel.
    StatusCancel(p_);
}

void StatusWindow::closeEvent(QCloseEvent *event)
{
    if (p_.link.status.loaded) {
        StatusCancel(p_);
    }
    event->accept();
}
