// "Instrument Selection": an option button per offered instrument type, the
// product name, the message label, OK, Cancel and Properties. The choice and
// its settings are the core's (inst_select.h).
#pragma once

#include "link/link_windows.h"

#include <QDialog>
#include <vector>

class Program;
class QButtonGroup;
class QLabel;
class QPushButton;
class QRadioButton;

class InstSelWindow : public QDialog, public InstSelView {
    Q_OBJECT
public:
    explicit InstSelWindow(Program &p, QWidget *parent = nullptr);

    void showModal() override;
    void unload() override;
    void sync() override;

    // Option0..Option14; hidden rows are never shown.
    std::vector<QRadioButton *> Option;
    QLabel *Label1 = nullptr;        // message
    QLabel *Label2 = nullptr;        // product name
    QPushButton *Command1 = nullptr; // OK
    QPushButton *Command2 = nullptr; // Cancel
    QPushButton *Command3 = nullptr; // Properties

private:
    Program &p_;
    QButtonGroup *group_ = nullptr;
};
