// The start panel of the empty main window: the recent recordings, Open,
// Status Check and Download, and how to try the program with the simulated
// instrument. The main window shows it while no recording is open and no
// other view is shown.
#pragma once

#include <QWidget>

class Program;
class QLabel;
class QPushButton;
class QVBoxLayout;

class StartPanel : public QWidget {
    Q_OBJECT
public:
    explicit StartPanel(Program &p, QWidget *parent = nullptr);

    // Brings the recent-file buttons and the enabled states up to date.
    void refresh();

    // Whether the panel belongs on screen for the program's state now.
    static bool wanted(const Program &p);

    QPushButton *openButton() const { return open_; }
    QPushButton *statusButton() const { return status_; }
    QPushButton *downloadButton() const { return download_; }
    // The recent-file buttons, entry 1 first (hidden ones included).
    const QList<QPushButton *> &recentButtons() const { return recent_; }

    // How to try the program without an instrument, for a program whose
    // executable lies in `programDir`: the source checkout's script, or the
    // installed simulator.
    static QString simulatorHint(const QString &programDir);

private:
    void run(const QString &menuItem);

    Program &p_;
    QPushButton *open_ = nullptr;
    QPushButton *status_ = nullptr;
    QPushButton *download_ = nullptr;
    QLabel *recentTitle_ = nullptr;
    QList<QPushButton *> recent_;
};
