// "Com Port Selection": eight option buttons in the "ComPort" frame, OK and
// Cancel. The core (port_select.h) probes and stores the choice.
#pragma once

#include "link/link_windows.h"

#include <QDialog>
#include <array>

class Program;
class QButtonGroup;
class QLabel;
class QPushButton;
class QRadioButton;

class PortSelWindow : public QDialog, public PortSelView {
    Q_OBJECT
public:
    explicit PortSelWindow(Program &p, QWidget *parent = nullptr);

    void showModal() override;
    void unload() override;
    // Selects the button of the state without running modally (tests, screenshots).
    void prepare();

    std::array<QRadioButton *, kPortButtons> Option{};
    // The device each port number stands for ("/dev/ttyUSB0", "COM1").
    std::array<QLabel *, kPortButtons> Device{};
    QPushButton *Command1 = nullptr; // OK
    QPushButton *Command2 = nullptr; // Cancel

private:
    int selectedButton() const;
    Program &p_;
    QButtonGroup *group_ = nullptr;
};
