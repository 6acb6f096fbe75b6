// The splash window frmSplash: the program's picture with its name, version
// and the prompt to start. Its load step fixes the start-up values; a key
// press or a click runs the continue step.
#pragma once

#include <QWidget>
#include <functional>

class Program;
class QLabel;

class frmSplash : public QWidget {
    Q_OBJECT
public:
    // Runs the load step: the start-up values go into p.splash.
    explicit frmSplash(Program &p, QWidget *parent = nullptr);

    // Called by the continue step to load and show the main window.
    void setContinueHandler(std::function<void()> handler) { onContinue_ = std::move(handler); }
    // The continue step: hide, initialise the program, open the main
    // window, unload this window. Runs once.
    void continueStep();

    QLabel *Image1 = nullptr;
    QLabel *Label1 = nullptr; // "RDX600"
    QLabel *Label2 = nullptr; // what the program is for
    QLabel *Label4 = nullptr; // "Click or press a key to start"
    QLabel *Label5 = nullptr; // version

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void placeControls();

    Program &p_;
    std::function<void()> onContinue_;
    bool continued_ = false;
};

// The picture of the splash window, drawn for a size in pixels.
QPixmap drawSplashPicture(const QSize &size);
