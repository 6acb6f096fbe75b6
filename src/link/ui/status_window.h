// The status window: the message label, the result label and Cancel. The
// check itself runs in the core (status_check.h); this window mirrors its
// state and forwards Cancel, the Escape key and closing.
#pragma once

#include "link/link_windows.h"

#include <QDialog>

class Program;
class QLabel;
class QPushButton;

class StatusWindow : public QDialog, public StatusView {
    Q_OBJECT
public:
    explicit StatusWindow(Program &p, QWidget *parent = nullptr);

    void show() override;
    void hide() override;
    void unload() override;
    void sync() override;

    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QPushButton *Command1 = nullptr; // "PROCEED"
    QPushButton *Command2 = nullptr; // "Cancel"

public Q_SLOTS:
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    Program &p_;
};
