// The header exchange window of the initialization: its progress label,
// a log label and CANCEL. The exchange runs in the core
// (link/header_exchange.h); this window mirrors its state and forwards
// CANCEL, the Escape key and closing.
#pragma once

#include "link/header_exchange.h"

#include <QDialog>

class Program;
class QLabel;
class QPushButton;

class AbortWindow : public QDialog, public AbortView {
    Q_OBJECT
public:
    explicit AbortWindow(Program &p, QWidget *parent = nullptr);
    ~AbortWindow() override;

    void show() override;
    void unload() override;
    void sync() override;

    QLabel *Label1 = nullptr;
    QLabel *logLabel = nullptr;
    QPushButton *Command1 = nullptr; // "CANCEL"

public Q_SLOTS:
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    Program &p_;
};
