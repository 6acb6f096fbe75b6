// "Note Editor": the four site notes of one recording.
#pragma once

#include "recording/notes.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

class EditNotesWindow : public QWidget, public EditNotesView {
    Q_OBJECT
public:
    explicit EditNotesWindow(Program &p, QWidget *parent = nullptr);

    // Loads the notes of ginx and shows the window (not modal).
    void showNotes() override;

    QLineEdit *Text1 = nullptr;      // location
    QLineEdit *Text2 = nullptr;      // circuit
    QLineEdit *Text3 = nullptr;      // name
    QLineEdit *Text4 = nullptr;      // other
    QLabel *Label5 = nullptr;        // the recording's path
    QPushButton *Command1 = nullptr; // OK
    QPushButton *Command2 = nullptr; // cancel

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void onOk();
    void onCancel();

    Program &p_;
    NotesEdit loaded_; // the slot and recording the editor was loaded with
};
