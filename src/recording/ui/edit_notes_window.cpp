#include "recording/ui/edit_notes_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

EditNotesWindow::EditNotesWindow(Program &p, QWidget *parent) : QWidget(parent, Qt::Window), p_(p)
{
    setWindowTitle(QStringLiteral("Note Editor"));
    auto *grid = new QGridLayout(this);
    Label5 = new QLabel(this);
    grid->addWidget(Label5, 0, 0, 1, 2);
    const QStringList captions{QStringLiteral("Location:"), QStringLiteral("Circuit:"),
                               QStringLiteral("Name:"), QStringLiteral("Other:")};
    QLineEdit **edits[] = {&Text1, &Text2, &Text3, &Text4};
    for (int i = 0; i < 4; ++i) {
        auto *label = new QLabel(captions[i], this);
        *edits[i] = new QLineEdit(this);
        (*edits[i])->setMaxLength(kNoteWidth);
        (*edits[i])->setMinimumWidth(66 * fontMetrics().averageCharWidth());
        grid->addWidget(label, i + 1, 0);
        grid->addWidget(*edits[i], i + 1, 1);
    }
    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command2 = new QPushButton(QStringLiteral("cancel"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    grid->addLayout(buttons, 5, 0, 1, 2);
    connect(Command1, &QPushButton::clicked, this, &EditNotesWindow::onOk);
    connect(Command2, &QPushButton::clicked, this, &EditNotesWindow::onCancel);
}

void EditNotesWindow::showNotes()
{
    const NotesEdit e = editNotesLoad(p_);
    loaded_ = e;
    Label5->setText(e.path);
    Text1->setText(e.texts[0]);
    Text2->setText(e.texts[1]);
    Text3->setText(e.texts[2]);
    Text4->setText(e.texts[3]);
    show();
    raise();
    activateWindow();
}

void EditNotesWindow::onOk()
{
    if (editNotesOk(p_, loaded_, {Text1->text(), Text2->text(), Text3->text(), Text4->text()})) {
        hide();
    }
}

void EditNotesWindow::onCancel()
{
    editNotesCancel(p_);
    hide();
}

void EditNotesWindow::closeEvent(QCloseEvent *event)
{
    editNotesCancel(p_);
    event->accept();
}
