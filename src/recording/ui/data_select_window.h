// "Select Data": the list of open recordings with a horizontal scroll bar
// for long paths. The logic lives in DataSelect; this window measures the
// paths, shows what DataSelect computes and forwards the presses.
#pragma once

#include "recording/data_select.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;
class QScrollBar;

class DataSelectWindow : public QDialog, public DataSelectView {
    Q_OBJECT
public:
    explicit DataSelectWindow(Program &p, QWidget *parent = nullptr);

    // Fills List1, activates and runs the window modally.
    void showModal(const QStringList &lines) override;
    // Fills List1 and activates without running modally (tests, screenshots).
    void prepare(const QStringList &lines);

    const DataSelect &logic() const { return logic_; }
    QListWidget *List1 = nullptr;
    QScrollBar *HScroll1 = nullptr;
    QPushButton *Command1 = nullptr; // OK
    QPushButton *Command2 = nullptr; // Cancel
    QPushButton *Command3 = nullptr; // Show scroll data (hidden)
    QPushButton *Command4 = nullptr; // takes the focus after scrolling (invisible)

public Q_SLOTS:
    void reject() override;

private:
    void showLines();
    void onScroll(int value);
    void onClick(int row);
    void onOk();
    void onShowScrollData();

    Program &p_;
    DataSelect logic_;
};
