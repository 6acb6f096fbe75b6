#include "link/ui/inst_sel_window.h"

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
#include <algorithm>

InstSelWindow::InstSelWindow(Program &p, QWidget *parent) : QDialog(parent), p_(p)
{
    setWindowTitle(QStringLiteral("Instrument Selection"));
    setModal(true);
    Label2 = new QLabel(QStringLiteral("RDX600"), this);
    QFont big = Label2->font();
    big.setPointSize(16);
    big.setBold(true);
    Label2->setFont(big);
    Label2->setAlignment(Qt::AlignCenter);
    Label1 = new QLabel(this);
    Label1->setWordWrap(true);

    // The offered types in two columns, so that the window fits a small
    // screen at a large scale.
    auto *frame = new QGroupBox(this);
    auto *options = new QGridLayout(frame);
    group_ = new QButtonGroup(this);
    const auto &types = instrumentCatalogue();
    const auto offered =
        std::count_if(types.begin(), types.end(), [](const InstrumentType &t) { return t.offered; });
    const int rows = static_cast<int>((offered + 1) / 2);
    int shown = 0;
    for (const InstrumentType &t : types) {
        auto *button = new QRadioButton(t.caption, frame);
        group_->addButton(button, t.number);
        if (t.offered) {
            options->addWidget(button, shown % rows, shown / rows);
            ++shown;
        } else {
            button->hide();
        }
        Option.push_back(button);
    }

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setDefault(true);
    Command2 = new QPushButton(QStringLiteral("Cancel"), this);
    Command3 = new QPushButton(QStringLiteral("Properties"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Command3);
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label2);
    layout->addWidget(Label1);
    layout->addWidget(frame);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(group_, &QButtonGroup::idClicked, this, [this](int id) { InstSelOptionClick(p_, id); });
    connect(Command1, &QPushButton::clicked, this, [this] { InstSelOk(p_); });
    connect(Command2, &QPushButton::clicked, this, [this] { InstSelCancel(p_); });
    connect(Command3, &QPushButton::clicked, this, [this] { InstSelProperties(p_); });
}

void InstSelWindow::sync()
{
    const InstSelState &s = p_.link.instSel;
    Label1->setText(s.label1);
    const int selected = s.selected;
    if (selected >= 0 && selected < static_cast<int>(Option.size())) {
        // Checking the hidden Option0 clears the visible buttons.
        Option[static_cast<size_t>(selected)]->setChecked(true);
    }
    Command1->setEnabled(s.okEnabled);
    Command3->setEnabled(s.propertiesEnabled);
    Command2->setEnabled(s.cancelEnabled);
    Command2->setVisible(s.cancelVisible);
}

void InstSelWindow::showModal()
{
    sync();
    placement::placeOver(*this);
    exec();
}

void InstSelWindow::unload()
{
    done(QDialog::Accepted);
}
