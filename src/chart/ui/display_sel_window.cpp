#include "chart/ui/display_sel_window.h"

#include "program/program.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

DisplaySelWindow::DisplaySelWindow(Program &p, QWidget *parent) : QDialog(parent), p_(p)
{
    setWindowTitle(QStringLiteral("display Selection"));
    setModal(true);
    Option1 = new QRadioButton(QStringLiteral("Average"), this);
    Option4 = new QRadioButton(QStringLiteral("Maximum"), this);
    Option2 = new QRadioButton(QStringLiteral("Minimum"), this);
    Command1 = new QPushButton(QStringLiteral("Proceed"), this);
    Command1->setDefault(true);
    auto *group = new QButtonGroup(this);
    group->addButton(Option1);
    group->addButton(Option4);
    group->addButton(Option2);

    auto *options = new QVBoxLayout;
    options->addWidget(Option1);
    options->addWidget(Option4);
    options->addWidget(Option2);
    auto *row = new QHBoxLayout;
    row->addLayout(options);
    row->addSpacing(24);
    row->addWidget(Command1, 0, Qt::AlignVCenter);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Command1, &QPushButton::clicked, this, &DisplaySelWindow::onProceed);
}

DisplaySelWindow::~DisplaySelWindow()
{
    if (p_.windows.displaySel == this) {
        p_.windows.displaySel = nullptr;
    }
}

DisplaySelWindow *attachDisplaySelWindow(Program &p, QWidget *parent)
{
    auto *window = new DisplaySelWindow(p, parent);
    p.windows.displaySel = window;
    return window;
}

void DisplaySelWindow::prepare()
{
    switch (p_.chart.gDisplaySel) {
    case 2:
        Option4->setChecked(true);
        break;
    case 3:
        Option2->setChecked(true);
        break;
    default:
        Option1->setChecked(true);
        break;
    }
}

void DisplaySelWindow::showModal()
{
    prepare();
    exec();
}

void DisplaySelWindow::onProceed()
{
    DisplaySelProceed(p_, Option1->isChecked(), Option4->isChecked(), Option2->isChecked());
    accept();
    if (parentWidget() != nullptr) {
        parentWidget()->window()->raise();
        parentWidget()->window()->activateWindow();
    }
}
