#include "survey/ui/loadsurv_window.h"

#include "program/program.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

void mirror(QWidget *w, const ViewControl &c)
{
    w->setVisible(c.visible);
    w->setEnabled(c.enabled);
}

} // namespace

LoadsurvWindow::LoadsurvWindow(Program &p, QWidget *parent) : QDialog(parent), p_(p)
{
    setWindowTitle(QStringLiteral("Load Survey"));
    setModal(false);

    Label1 = new QLabel(QStringLiteral("Station Name"), this);
    QFont big = Label1->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    Label1->setFont(big);
    Label1->setAlignment(Qt::AlignCenter);

    auto *feederBox = new QGroupBox(QStringLiteral("Feeder"), this);
    auto *options = new QButtonGroup(this);
    auto *optionRow = new QHBoxLayout;
    for (int i = 0; i < 4; ++i) {
        Option[i] = new QRadioButton(QStringLiteral("Feeder%1").arg(i + 1), feederBox);
        options->addButton(Option[i], i);
        optionRow->addWidget(Option[i]);
    }
    optionRow->addStretch();
    Label2 = new QLabel(QStringLiteral("EnterFeeder Name or use default"), feederBox);
    Text4 = new QLineEdit(feederBox);
    Command1 = new QPushButton(QStringLiteral("PROCEED"), feederBox);
    Command1->setDefault(true);
    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(Text4, 1);
    nameRow->addWidget(Command1);
    auto *feederLayout = new QVBoxLayout(feederBox);
    feederLayout->addLayout(optionRow);
    feederLayout->addWidget(Label2);
    feederLayout->addLayout(nameRow);

    red = new QPushButton(QStringLiteral("Red  Phase"), this);
    white = new QPushButton(QStringLiteral("WhitePhase"), this);
    blue = new QPushButton(QStringLiteral("Blue Phase"), this);
    Text1 = new QLineEdit(this);
    Text2 = new QLineEdit(this);
    Text3 = new QLineEdit(this);
    auto *phases = new QGridLayout;
    const std::array<QPushButton *, 3> buttons{red, white, blue};
    const std::array<QLineEdit *, 3> boxes{Text1, Text2, Text3};
    for (int i = 0; i < 3; ++i) {
        boxes[i]->setReadOnly(true);
        buttons[i]->setMinimumWidth(110);
        phases->addWidget(buttons[i], i, 0);
        phases->addWidget(boxes[i], i, 1);
        connect(buttons[i], &QPushButton::clicked, this, [this, i] { SurveyPhase(p_, i); });
    }

    Command2 = new QPushButton(QStringLiteral("Show Result"), this);
    Command3 = new QPushButton(QStringLiteral("Show Station Peak"), this);
    Command4 = new QPushButton(QStringLiteral("PRINT ALL FEEDER RESULTS"), this);
    Command5 = new QPushButton(QStringLiteral("PRINT STATION PEAK"), this);
    Cancel = new QPushButton(QStringLiteral("cancel"), this);
    auto *results = new QGridLayout;
    results->addWidget(Command2, 0, 0);
    results->addWidget(Command3, 0, 1);
    results->addWidget(Command4, 1, 0);
    results->addWidget(Command5, 1, 1);
    auto *cancelRow = new QHBoxLayout;
    cancelRow->addStretch();
    cancelRow->addWidget(Cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(feederBox);
    layout->addLayout(phases);
    layout->addSpacing(6);
    layout->addLayout(results);
    layout->addLayout(cancelRow);
    layout->addStretch(1); // a larger window keeps the controls together at the top
    setMinimumWidth(460);

    connect(options, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on && !syncing_) {
            SurveySelectFeeder(p_, id);
        }
    });
    connect(Text4, &QLineEdit::textEdited, this, [this](const QString &t) { SurveySetFeederName(p_, t); });
    connect(Command1, &QPushButton::clicked, this, [this] { SurveyProceed(p_); });
    connect(Command2, &QPushButton::clicked, this, [this] { SurveyShowResult(p_); });
    connect(Command3, &QPushButton::clicked, this, [this] { SurveyShowStationPeak(p_); });
    connect(Command4, &QPushButton::clicked, this, [this] { SurveyPrintAll(p_); });
    connect(Command5, &QPushButton::clicked, this, [this] { SurveyPrintStation(p_); });
    connect(Cancel, &QPushButton::clicked, this, [this] { SurveyCancel(p_); });
}

void LoadsurvWindow::show()
{
    if (!isVisible()) {
        QDialog::show();
    }
    raise();
    activateWindow();
}

void LoadsurvWindow::hide()
{
    QDialog::hide();
}

void LoadsurvWindow::sync()
{
    const LoadsurvState &s = p_.survey.loadsurv;
    syncing_ = true;
    Label1->setText(s.Label1);
    for (int i = 0; i < 4; ++i) {
        Option[i]->setEnabled(s.optionEnabled[i]);
        Option[i]->setChecked(i == s.selectedOption);
    }
    if (Text4->text() != s.Text4.text) {
        Text4->setText(s.Text4.text);
    }
    Command1->setEnabled(s.Command1.enabled);
    const std::array<QPushButton *, 3> buttons{red, white, blue};
    const std::array<QLineEdit *, 3> boxes{Text1, Text2, Text3};
    for (int i = 0; i < 3; ++i) {
        mirror(buttons[i], s.phaseButtons[i]);
        boxes[i]->setVisible(s.phaseButtons[i].visible);
        boxes[i]->setText(s.phaseBoxes[i]);
    }
    Command2->setEnabled(s.Command2.enabled);
    Command3->setEnabled(s.Command3.enabled);
    Command4->setEnabled(s.Command4.enabled);
    Command5->setEnabled(s.Command5.enabled);
    Cancel->setVisible(s.Cancel.visible);
    syncing_ = false;
}

void LoadsurvWindow::reject()
{
    SurveyCancel(p_);
}

void LoadsurvWindow::closeEvent(QCloseEvent *event)
{
    if (p_.survey.loadsurv.visible) {
        SurveyCancel(p_);
    }
    event->accept();
}
