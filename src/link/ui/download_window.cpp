#include "link/ui/download_window.h"

#include "link/download.h"
#include "platform/ui/window_placement.h"
#include "program/program.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// The core's texts end their lines in CR or CR LF.
QString shownLines(const QString &text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    while (t.endsWith(QLatin1Char('\n'))) {
        t.chop(1);
    }
    return t;
}

} // namespace

DownloadWindow::DownloadWindow(Program &p, QWidget *parent) : QDialog(parent), p_(p)
{
    setWindowTitle(QStringLiteral("Download"));
    setObjectName(QStringLiteral("Dwnloaditem"));
    setModal(false);
    QFont mono(QStringLiteral("Monospace"));
    mono.setStyleHint(QFont::TypeWriter);

    Label1 = new QLabel(QStringLiteral("Ready"), this);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setFont(mono);
    Label1->setMinimumHeight(60);
    Label2 = new QLabel(this);
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setMinimumHeight(36);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setRange(0, 20000);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->hide();
    Label3 = new QLabel(this);
    Label3->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label3->setWordWrap(true);
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    Label3->setFont(small);
    QPalette grey = Label3->palette();
    grey.setColor(QPalette::WindowText, QColor(96, 96, 96));
    Label3->setPalette(grey);

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
    layout->addWidget(Label2);
    layout->addWidget(ProgressBar1);
    layout->addLayout(buttons);
    layout->addWidget(Label3, 1);
    setMinimumWidth(480);

    connect(OK, &QPushButton::clicked, this, [this] { DownloadOK(p_); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { DownloadCancel(p_); });
}

void DownloadWindow::show()
{
    sync();
    // OK is the button Enter presses each time the window opens (the
    // download before left the focus on Cancel).
    placement::presentOver(*this, OK);
}

void DownloadWindow::hide()
{
    QDialog::hide();
}

void DownloadWindow::unload()
{
    QDialog::hide();
}

void DownloadWindow::sync()
{
    const DownloadWindowState &s = p_.link.download;
    Label1->setText(shownLines(s.wait.label1));
    Label2->setText(shownLines(s.label2));
    Label3->setText(shownLines(s.wait.debugLog));
    ProgressBar1->setMaximum(s.progressMax);
    ProgressBar1->setValue(std::clamp(s.progressShown, 0, s.progressMax));
    ProgressBar1->setVisible(s.progressVisible);
    OK->setVisible(s.okVisible);
    CancelButton->setVisible(s.cancelVisible);
}

void DownloadWindow::reject()
{
    // Escape and closing act as Cancel.
    DownloadCancel(p_);
}

void DownloadWindow::closeEvent(QCloseEvent *event)
{
    if (p_.link.download.loaded) {
        DownloadCancel(p_);
    }
    event->accept();
}
