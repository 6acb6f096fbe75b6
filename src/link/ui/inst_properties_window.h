// "Instrument Properties": baud rate, maximum samples and interface type of
// the selected type; editable only for the Custom type. The values are the
// core's (inst_select.h).
#pragma once

#include "link/link_windows.h"

#include <QDialog>
#include <map>

class Program;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

class InstPropertiesWindow : public QDialog, public InstPropertiesView {
    Q_OBJECT
public:
    explicit InstPropertiesWindow(Program &p, QWidget *parent = nullptr);

    void showModal() override;
    void unload() override;
    // Mirrors the state without running modally (tests, screenshots).
    void prepare();

    // Option1..Option12 by number.
    std::map<int, QRadioButton *> Option;
    QGroupBox *Frame1 = nullptr;
    QGroupBox *Frame2 = nullptr;
    QGroupBox *Frame3 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QPushButton *Command1 = nullptr; // OK
    QPushButton *Command2 = nullptr; // Cancel

private:
    InstPropertiesChoice choice() const;
    Program &p_;
    QButtonGroup *baud_ = nullptr;
    QButtonGroup *samples_ = nullptr;
    QButtonGroup *interface_ = nullptr;
};
