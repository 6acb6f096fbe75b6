#include "setup/ui/init_inst_window.h"

#include "platform/ui/window_placement.h"
#include "program/program.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QGroupBox *frame(QWidget *parent, const QString &caption, std::initializer_list<QRadioButton *> buttons)
{
    // The option buttons of one frame exclude each other (they share the
    // frame as their parent).
    auto *box = new QGroupBox(caption, parent);
    box->setLayout(new QVBoxLayout);
    for (QRadioButton *b : buttons) {
        box->layout()->addWidget(b);
    }
    return box;
}

} // namespace

InitInstWindow::InitInstWindow(Program &p, QWidget *parent) : QDialog(parent), p_(p)
{
    setWindowTitle(QStringLiteral("Initialization Options"));
    setModal(true);
    Option1 = new QRadioButton(QStringLiteral("15 minutes"));
    Option2 = new QRadioButton(QStringLiteral("5 minutes"));
    Option3 = new QRadioButton(QStringLiteral("1 minute"));
    Option4 = new QRadioButton(QStringLiteral("Average"));
    Option5 = new QRadioButton(QStringLiteral("Min/Max/Avg"));
    Option6 = new QRadioButton(QStringLiteral("Continuous Loop"));
    Option7 = new QRadioButton(QStringLiteral("Stop when memory full"));
    Frame1 = frame(this, QStringLiteral("Select Time"), {Option1, Option2, Option3});
    Frame2 = frame(this, QStringLiteral("Average or Min/Max/Avg"), {Option4, Option5});
    Frame3 = frame(this, QStringLiteral("Continuous or Stop"), {Option6, Option7});
    Command1 = new QPushButton(QStringLiteral("Proceed"), this);
    Command2 = new QPushButton(QStringLiteral("Cancel"), this);

    auto *frames = new QHBoxLayout;
    frames->addWidget(Frame1);
    frames->addWidget(Frame2);
    frames->addWidget(Frame3);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(frames);
    layout->addLayout(buttons);

    connect(Command1, &QPushButton::clicked, this, &InitInstWindow::onProceed);
    connect(Command2, &QPushButton::clicked, this, &InitInstWindow::reject);
}

InitInstWindow::~InitInstWindow()
{
    if (p_.windows.initInst == this) {
        p_.windows.initInst = nullptr;
    }
}

void InitInstWindow::showModal()
{
    const InitInstState &o = p_.setup.initInst;
    QRadioButton *const time[] = {Option1, Option2, Option3};
    time[std::clamp(o.timeOption, 1, 3) - 1]->setChecked(true);
    (o.kindOption == 5 ? Option5 : Option4)->setChecked(true);
    (o.memoryOption == 7 ? Option7 : Option6)->setChecked(true);
    Command1->setVisible(o.buttonsVisible);
    Command2->setVisible(o.buttonsVisible);
    placement::placeOver(*this);
    if (o.proceedDefault) {
        placement::makeDefault(Command1);
    } else {
        Command1->setDefault(false);
        Command1->setFocus();
    }
    exec();
}

void InitInstWindow::unload()
{
    if (isVisible()) {
        done(QDialog::Accepted);
    }
}

void InitInstWindow::onProceed()
{
    InitInstState &o = p_.setup.initInst;
    o.timeOption = Option2->isChecked() ? 2 : (Option3->isChecked() ? 3 : 1);
    o.kindOption = Option5->isChecked() ? 5 : 4;
    o.memoryOption = Option7->isChecked() ? 7 : 6;
    InitInstProceed(p_);
}

void InitInstWindow::reject()
{
    if (p_.setup.initInst.loaded) {
        InitInstCancel(p_);
    }
    QDialog::reject();
}
