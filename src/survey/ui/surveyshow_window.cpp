#include "survey/ui/surveyshow_window.h"

#include "program/program.h"
#include "survey/ui/survey_text_view.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

SurveyshowWindow::SurveyshowWindow(Program &p, QWidget *parent) : QDialog(parent), p_(p)
{
    setWindowTitle(QStringLiteral("RESULT"));
    setWindowModality(Qt::WindowModal);
    Label2 = new QLabel(QStringLiteral("NORTHGRID STATION FEEDER REPORT"), this);
    QFont bold = Label2->font();
    bold.setBold(true);
    Label2->setFont(bold);
    Label2->setAlignment(Qt::AlignCenter);
    Label3 = new QLabel(this);
    Label1 = new QLabel(this);
    feederID = new QLabel(this);
    feederID->setFont(bold);
    RichTextBox1 = makeSurveyTextView(this);
    Command2 = new QPushButton(QStringLiteral("NEXT FEEDER"), this);
    Command2->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command2);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label2);
    layout->addWidget(Label3);
    layout->addWidget(Label1);
    layout->addWidget(feederID);
    layout->addWidget(RichTextBox1, 1);
    layout->addLayout(buttons);
    resize(540, 260);

    connect(Command2, &QPushButton::clicked, this, [this] { SurveyNextFeeder(p_); });
}

void SurveyshowWindow::show()
{
    if (!isVisible()) {
        QDialog::show();
    }
    raise();
    activateWindow();
}

void SurveyshowWindow::hide()
{
    QDialog::hide();
}

void SurveyshowWindow::sync()
{
    const SurveyshowState &s = p_.survey.surveyshow;
    Label3->setText(s.Label3);
    Label1->setText(s.Label1);
    feederID->setText(s.feederID);
    setSurveyText(RichTextBox1, s.RichTextBox1);
}

void SurveyshowWindow::reject()
{
    // Escape and the close button act as NEXT FEEDER.
    if (p_.survey.surveyshow.visible) {
        SurveyNextFeeder(p_);
    }
}
