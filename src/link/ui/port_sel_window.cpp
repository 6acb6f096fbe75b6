#include "link/ui/port_sel_window.h"

#include "link/port_select.h"
#include "platform/qt_serial_port.h"
#include "program/program.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
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
        const auto k = static_cast<size_t>(i);
        Option[k] = new QRadioButton(portSelCaption(i + 1), frame);
        group_->addButton(Option[k], i + 1);
        // Beside each number the device it stands for, as the port opens it
        // (the simulated instrument's terminal when RDX600_COM<n> names one).
        Device[k] = new QLabel(frame);
        Device[k]->setEnabled(false);
        Device[k]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(Option[k], i % 4, 2 * (i / 4));
        grid->addWidget(Device[k], i % 4, 2 * (i / 4) + 1);
    }
    grid->setHorizontalSpacing(12);
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
        // Named afresh at each opening: a USB adapter may have come or gone.
        Device[static_cast<size_t>(i)]->setText(portDeviceName(i + 1));
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
