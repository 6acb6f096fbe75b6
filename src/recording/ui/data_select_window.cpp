#include "recording/ui/data_select_window.h"

#include "platform/dialogs.h"
#include "program/program.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

DataSelectWindow::DataSelectWindow(Program &p, QWidget *parent) : QDialog(parent), p_(p), logic_(p)
{
    setWindowTitle(QStringLiteral("Select Data"));
    setModal(true);
    auto *heading = new QLabel(QStringLiteral("OPEN FILES AVAILABLE:"), this);
    List1 = new QListWidget(this);
    List1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    List1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    List1->setFixedSize(420, 4 * List1->fontMetrics().height() + 8);
    HScroll1 = new QScrollBar(Qt::Horizontal, this);
    HScroll1->setFixedWidth(420);
    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command2 = new QPushButton(QStringLiteral("Cancel"), this);
    Command3 = new QPushButton(QStringLiteral("Show scroll data"), this);
    Command3->hide();
    Command4 = new QPushButton(this);
    Command4->setFixedSize(1, 1);
    Command4->setFlat(true);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    buttons->addWidget(Command3);
    buttons->addWidget(Command4);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(List1);
    layout->addWidget(HScroll1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(HScroll1, &QScrollBar::valueChanged, this, &DataSelectWindow::onScroll);
    connect(List1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { onClick(List1->row(item)); });
    connect(Command1, &QPushButton::clicked, this, &DataSelectWindow::onOk);
    connect(Command2, &QPushButton::clicked, this, &DataSelectWindow::reject);
    connect(Command3, &QPushButton::clicked, this, &DataSelectWindow::onShowScrollData);
}

void DataSelectWindow::prepare(const QStringList &lines)
{
    List1->clear();
    List1->addItems(lines);
    std::vector<int32_t> widths;
    const QFontMetrics fm(List1->font());
    for (const QString &line : lines) {
        widths.push_back(fm.horizontalAdvance(line));
    }
    logic_.activate(lines, widths, List1->viewport()->width());
    const QSignalBlocker block(HScroll1);
    HScroll1->setMinimum(logic_.scrollMinimum());
    HScroll1->setMaximum(logic_.scrollMaximum());
    HScroll1->setPageStep(logic_.largeChange());
    HScroll1->setValue(logic_.scrollMinimum());
    HScroll1->setEnabled(logic_.scrollEnabled());
    Command1->setEnabled(logic_.okEnabled());
    showLines();
}

void DataSelectWindow::showModal(const QStringList &lines)
{
    prepare(lines);
    exec();
}

void DataSelectWindow::showLines()
{
    const QStringList shown = logic_.shownLines();
    for (int i = 0; i < shown.size() && i < List1->count(); ++i) {
        List1->item(i)->setText(shown[i]);
    }
}

void DataSelectWindow::onScroll(int value)
{
    logic_.scroll(value);
    showLines();
    Command4->setFocus();
}

void DataSelectWindow::onClick(int row)
{
    logic_.click(row);
    {
        const QSignalBlocker block(HScroll1);
        HScroll1->setValue(logic_.ScrollIndex);
    }
    showLines();
    Command1->setEnabled(logic_.okEnabled());
}

void DataSelectWindow::onOk()
{
    done(QDialog::Accepted);
    logic_.ok();
}

void DataSelectWindow::reject()
{
    logic_.cancel();
    QDialog::reject();
}

void DataSelectWindow::onShowScrollData()
{
    p_.dialogs().message(
        logic_.scrollDataText(HScroll1->value(), HScroll1->singleStep(), List1->viewport()->width()));
}
