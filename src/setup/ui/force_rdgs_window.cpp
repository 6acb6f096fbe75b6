#include "setup/ui/force_rdgs_window.h"

#include "program/program.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

ForceRdgsWindow::ForceRdgsWindow(Program &p, QWidget *parent) : QDialog(parent), p_(p)
{
    setWindowTitle(QStringLiteral("Force Readings"));
    setModal(true);
    Label1 =
        new QLabel(QStringLiteral("To force one or all of the readings in the current zoomed range to a "
                                  "particular value, enter the desired new value in the box below, select "
                                  "the number of readings to change and then press OK."),
                   this);
    Label1->setWordWrap(true);
    Label1->setFixedWidth(380);
    Label2 = new QLabel(QStringLiteral("Desired value:"), this);
    Text1 = new QLineEdit(this);
    Text1->setFixedWidth(90);
    Label3 = new QLabel(QStringLiteral("No. of readings to change:"), this);
    Option1 = new QRadioButton(QStringLiteral("All"), this);
    Option2 = new QRadioButton(QStringLiteral("Leftmost Reading"), this);
    Option3 = new QRadioButton(QStringLiteral("Rightmost Reading"), this);
    auto *group = new QButtonGroup(this);
    group->addButton(Option1);
    group->addButton(Option2);
    group->addButton(Option3);
    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command2 = new QPushButton(QStringLiteral("Cancel"), this);
    Command1->setDefault(true);

    auto *grid = new QGridLayout;
    grid->addWidget(Label2, 0, 0);
    grid->addWidget(Text1, 0, 1, Qt::AlignLeft);
    grid->addWidget(Label3, 1, 0, Qt::AlignTop);
    auto *options = new QVBoxLayout;
    options->addWidget(Option1);
    options->addWidget(Option2);
    options->addWidget(Option3);
    grid->addLayout(options, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addSpacing(8);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Command1, &QPushButton::clicked, this, &ForceRdgsWindow::onOk);
    connect(Command2, &QPushButton::clicked, this, &ForceRdgsWindow::reject);
}

ForceRdgsWindow::~ForceRdgsWindow()
{
    if (p_.windows.forceRdgs == this) {
        p_.windows.forceRdgs = nullptr;
    }
}

ForceRdgsWindow *attachForceRdgsWindow(Program &p, QWidget *parent)
{
    auto *window = new ForceRdgsWindow(p, parent);
    p.windows.forceRdgs = window;
    return window;
}

void ForceRdgsWindow::prepare()
{
    Text1->setText(QStringLiteral("0"));
    Option1->setChecked(true);
    Text1->setFocus();
    Text1->selectAll();
}

void ForceRdgsWindow::showModal()
{
    prepare();
    exec();
}

void ForceRdgsWindow::onOk()
{
    ForceScope scope = ForceScope::All;
    if (Option2->isChecked()) {
        scope = ForceScope::Leftmost;
    } else if (Option3->isChecked()) {
        scope = ForceScope::Rightmost;
    }
    ForceRdgsOk(p_, Text1->text(), scope);
    accept();
}
