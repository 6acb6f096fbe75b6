// The recovery window: the prompt and progress label, OK, Cancel and the
// progress bar. The recovery runs in the core (setup/recover.h); this
// window mirrors its state and forwards OK, Cancel, Escape and closing.
#pragma once

#include "setup/recover.h"

#include <QDialog>

class Program;
class QLabel;
class QProgressBar;
class QPushButton;

class RecoverWindow : public QDialog, public RecoverView {
    Q_OBJECT
public:
    explicit RecoverWindow(Program &p, QWidget *parent = nullptr);
    ~RecoverWindow() override;

    void show() override;
    void hide() override;
    void unload() override;
    void sync() override;

    QLabel *Label1 = nullptr;
    QPushButton *OK = nullptr;
    QPushButton *CancelButton = nullptr;
    QProgressBar *ProgressBar1 = nullptr;

public Q_SLOTS:
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    Program &p_;
};
