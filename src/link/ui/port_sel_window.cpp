#include "link/ui/port_sel_window.h"

#include "link/port_select.h"
#include "program/program.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

PortSelWindow::PortSelWindow(Program &p, QWidget *parent) : QDialog(parent), p_(p)
{
    setWindowTitle(QStringLiteral("Com Port Selection"));
    setModal(true);
    auto *frame = new QGroupBox(QStringLiteral("ComPort"), this);
    auto *grid = new QGridLayout(frame);
    group_ = new QButtonGroup(this);
    for (int i = 0; i < kPortButtons; ++i) {
        Option[static_cast<size_t>(i)] = new QRadioButton(portSelCaption(i + 1), frame);
        group_->addButton(Option[static_cast<size_t>(i)], i + 1);
        grid->addWidget(Option[static_cast<size_t>(i)], i % 4, i / 4);
    }
    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setDefault(true);
    Command2 = new QPushButton(QStringLiteral("Cancel"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Command1, &QPushButton::clicked, this, [this] { PortSelOk(p_, selectedButton()); });
    connect(Command2, &QPushButton::clicked, this, [this] { PortSelCancel(p_); });
}

void PortSelWindow::prepare()
{
    const int selected = p_.link.portSel.selected;
    group_->setExclusive(false);
    for (int i = 0; i < kPortButtons; ++i) {
        Option[static_cast<size_t>(i)]->setChecked(i + 1 == selected);
    }
    group_->setExclusive(true);
}

void PortSelWindow::showModal()
{
    prepare();
    exec();
}

void PortSelWindow::unload()
{
    done(QDialog::Accepted);
}

int PortSelWindow::selectedButton() const
{
    const int id = group_->checkedId();
    return id < 0 ? 0 : id;
}
