// The Download window (Dwnloaditem): the prompt and status label, the
// progress text, the debug log, the progress bar, OK and Cancel. The
// download runs in the core (download.h); this window mirrors its state and
// forwards OK, Cancel, the Escape key and closing.
#pragma once

#include "link/link_windows.h"

#include <QDialog>

class Program;
class QLabel;
class QProgressBar;
class QPushButton;

class DownloadWindow : public QDialog, public DownloadView {
    Q_OBJECT
public:
    explicit DownloadWindow(Program &p, QWidget *parent = nullptr);

    void show() override;
    void hide() override;
    void unload() override;
    void sync() override;

    QLabel *Label1 = nullptr; // instructions and status
    QLabel *Label2 = nullptr; // progress text
    QLabel *Label3 = nullptr; // debug log
    QProgressBar *ProgressBar1 = nullptr;
    QPushButton *OK = nullptr;
    QPushButton *CancelButton = nullptr;

public Q_SLOTS:
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    Program &p_;
};
