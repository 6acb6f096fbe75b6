// "Initialization Options": three frames of option buttons (time, average
// or min/max/avg, continuous or stop) with Proceed and Cancel. Proceed
// stores the options and runs the initialization in the core
// (setup/initialize.h).
#pragma once

#include "setup/initialize.h"

#include <QDialog>

class Program;
class QGroupBox;
class QPushButton;
class QRadioButton;

class InitInstWindow : public QDialog, public InitInstView {
    Q_OBJECT
public:
    explicit InitInstWindow(Program &p, QWidget *parent = nullptr);
    ~InitInstWindow() override;

    void showModal() override;
    void unload() override;

    QGroupBox *Frame1 = nullptr;
    QGroupBox *Frame2 = nullptr;
    QGroupBox *Frame3 = nullptr;
    QRadioButton *Option1 = nullptr; // "15 minutes"
    QRadioButton *Option2 = nullptr; // "5 minutes"
    QRadioButton *Option3 = nullptr; // "1 minute"
    QRadioButton *Option4 = nullptr; // "Average"
    QRadioButton *Option5 = nullptr; // "Min/Max/Avg"
    QRadioButton *Option6 = nullptr; // "Continuous Loop"
    QRadioButton *Option7 = nullptr; // "Stop when memory full"
    QPushButton *Command1 = nullptr; // "Proceed"
    QPushButton *Command2 = nullptr; // "Cancel"

public Q_SLOTS:
    void reject() override;

private:
    void onProceed();
    Program &p_;
};
