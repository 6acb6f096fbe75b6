#include "link/ui/inst_properties_window.h"

#include "link/inst_select.h"
#include "link/instrument_catalogue.h"
#include "platform/ui/window_placement.h"
#include "program/program.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

void checkOnly(QButtonGroup *group, int id)
{
    group->setExclusive(false);
    for (QAbstractButton *b : group->buttons()) {
        b->setChecked(group->id(b) == id);
    }
    group->setExclusive(true);
}

} // namespace

InstPropertiesWindow::InstPropertiesWindow(Program &p, QWidget *parent) : QDialog(parent), p_(p)
{
    setWindowTitle(QStringLiteral("Instrument Properties"));
    setModal(true);

    Frame1 = new QGroupBox(QStringLiteral("Baud Rate"), this);
    auto *f1 = new QVBoxLayout(Frame1);
    baud_ = new QButtonGroup(this);
    for (const BaudChoice &c : baudChoices()) {
        auto *b = new QRadioButton(c.caption, Frame1);
        Option[c.button] = b;
        baud_->addButton(b, c.button);
        f1->addWidget(b);
    }

    Frame2 = new QGroupBox(QStringLiteral("Maximum Samples"), this);
    auto *f2 = new QVBoxLayout(Frame2);
    samples_ = new QButtonGroup(this);
    for (const CapacityChoice &c : capacityChoices()) {
        auto *b = new QRadioButton(c.caption, Frame2);
        Option[c.button] = b;
        samples_->addButton(b, c.button);
        f2->addWidget(b);
    }

    Frame3 = new QGroupBox(QStringLiteral("Interface Type"), this);
    auto *f3 = new QGridLayout(Frame3);
    interface_ = new QButtonGroup(this);
    Option[11] = new QRadioButton(QStringLiteral("S5-Type"), Frame3);
    Option[12] = new QRadioButton(QStringLiteral("Non-S5 Type"), Frame3);
    Label1 = new QLabel(QStringLiteral("(MQA-S5, TL-R90, etc)"), Frame3);
    Label2 = new QLabel(QStringLiteral("(KPA50, KPV500, MQV, TL40 etc)"), Frame3);
    interface_->addButton(Option[11], 11);
    interface_->addButton(Option[12], 12);
    f3->addWidget(Option[11], 0, 0);
    f3->addWidget(Label1, 0, 1);
    f3->addWidget(Option[12], 1, 0);
    f3->addWidget(Label2, 1, 1);

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command2 = new QPushButton(QStringLiteral("Cancel"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);

    auto *frames = new QHBoxLayout;
    frames->addWidget(Frame1);
    frames->addWidget(Frame2);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(frames);
    layout->addWidget(Frame3);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Command1, &QPushButton::clicked, this, [this] { InstPropertiesOk(p_, choice()); });
    connect(Command2, &QPushButton::clicked, this, [this] { InstPropertiesCancel(p_); });
}

void InstPropertiesWindow::prepare()
{
    const InstPropertiesState &s = p_.link.instProperties;
    int baudId = -1;
    for (const BaudChoice &c : baudChoices()) {
        if (c.settings == s.baudSettings) {
            baudId = c.button;
        }
    }
    int samplesId = -1;
    for (const CapacityChoice &c : capacityChoices()) {
        if (c.samples == s.samples) {
            samplesId = c.button;
        }
    }
    checkOnly(baud_, baudId);
    checkOnly(samples_, samplesId);
    checkOnly(interface_, s.interfaceButton);
    for (auto &[number, button] : Option) {
        (void)number;
        button->setEnabled(s.editable);
    }
    Label1->setEnabled(s.editable);
    Label2->setEnabled(s.editable);
    Command1->setEnabled(s.okEnabled);
    Command1->setDefault(s.okDefault);
}

void InstPropertiesWindow::showModal()
{
    prepare();
    placement::placeOver(*this);
    exec();
}

void InstPropertiesWindow::unload()
{
    done(QDialog::Accepted);
}

InstPropertiesChoice InstPropertiesWindow::choice() const
{
    InstPropertiesChoice c;
    for (const BaudChoice &b : baudChoices()) {
        if (baud_->checkedId() == b.button) {
            c.baudSettings = b.settings;
        }
    }
    for (const CapacityChoice &s : capacityChoices()) {
        if (samples_->checkedId() == s.button) {
            c.samples = s.samples;
        }
    }
    c.interfaceButton = interface_->checkedId() < 0 ? 0 : interface_->checkedId();
    return c;
}
