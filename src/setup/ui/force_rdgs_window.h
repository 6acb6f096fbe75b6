// "Force Readings": the value and how many readings of the shown range to
// set to it. OK hands both to the core, which checks, stores and redraws.
#pragma once

#include "setup/force_readings.h"

#include <QDialog>

class Program;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class ForceRdgsWindow : public QDialog, public ForceRdgsView {
    Q_OBJECT
public:
    explicit ForceRdgsWindow(Program &p, QWidget *parent = nullptr);
    ~ForceRdgsWindow() override;

    // Resets the controls ("0", "All") and runs the window modally.
    void showModal() override;
    // Resets the controls without running modally (tests, screenshots).
    void prepare();

    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *Text1 = nullptr;
    QLabel *Label3 = nullptr;
    QRadioButton *Option1 = nullptr; // All
    QRadioButton *Option2 = nullptr; // Leftmost Reading
    QRadioButton *Option3 = nullptr; // Rightmost Reading
    QPushButton *Command1 = nullptr; // OK
    QPushButton *Command2 = nullptr; // Cancel

private:
    void onOk();

    Program &p_;
};

// Makes the window (owned by `parent`, or by the caller when null) and hands
// it to the program.
ForceRdgsWindow *attachForceRdgsWindow(Program &p, QWidget *parent);
