#include "survey/ui/station_window.h"

#include "program/program.h"
#include "survey/ui/survey_text_view.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

StationWindow::StationWindow(Program &p, QWidget *parent) : QDialog(parent), p_(p)
{
    setWindowTitle(QStringLiteral("Station Peak"));
    setWindowModality(Qt::WindowModal);
    Label1 = new QLabel(this);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    RichTextBox1 = makeSurveyTextView(this);
    Command1 = new QPushButton(QStringLiteral("CLOSE WINDOW"), this);
    Command1->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(RichTextBox1, 1);
    layout->addLayout(buttons);
    resize(560, 260);

    connect(Command1, &QPushButton::clicked, this, [this] { SurveyCloseStation(p_); });
}

void StationWindow::show()
{
    if (!isVisible()) {
        QDialog::show();
    }
    raise();
    activateWindow();
}

void StationWindow::hide()
{
    QDialog::hide();
}

void StationWindow::sync()
{
    const StationState &s = p_.survey.station;
    Label1->setText(s.Label1);
    setSurveyText(RichTextBox1, s.RichTextBox1);
}

void StationWindow::reject()
{
    if (p_.survey.station.visible) {
        SurveyCloseStation(p_);
    }
}
