// "display Selection": which part of the min/max/avg intervals to plot when
// several such recordings are open. "Proceed" hands the choice to the core.
#pragma once

#include "chart/displ_plot.h"

#include <QDialog>

class Program;
class QPushButton;
class QRadioButton;

class DisplaySelWindow : public QDialog, public DisplaySelView {
    Q_OBJECT
public:
    explicit DisplaySelWindow(Program &p, QWidget *parent = nullptr);
    ~DisplaySelWindow() override;

    // Sets the options from the present choice and runs the window modally.
    void showModal() override;
    // Sets the options without running modally (tests, screenshots).
    void prepare();

    QRadioButton *Option1 = nullptr; // Average
    QRadioButton *Option4 = nullptr; // Maximum
    QRadioButton *Option2 = nullptr; // Minimum
    QPushButton *Command1 = nullptr; // Proceed

private:
    void onProceed();

    Program &p_;
};

// Makes the window (owned by `parent`, or by the caller when null) and hands
// it to the program.
DisplaySelWindow *attachDisplaySelWindow(Program &p, QWidget *parent);
