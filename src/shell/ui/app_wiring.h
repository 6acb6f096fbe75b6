// The program as it runs: the Qt services, the Program, the splash window
// and the main window, wired together. main() only parses its command line
// and hands over to this.
#pragma once

#include "platform/qt_clock.h"
#include "platform/qt_serial_port.h"
#include "platform/qt_settings_store.h"
#include "platform/ui/qt_dialogs.h"
#include "platform/ui/qt_help_viewer.h"
#include "platform/ui/qt_printer_device.h"
#include "program/program.h"

#include <QIcon>
#include <QPointer>
#include <QSize>
#include <QString>
#include <memory>

class RDX;
class frmSplash;
class DisplaySelWindow;
class ForceRdgsWindow;
struct LinkWindowSet;
struct SetupWindowSet;
struct SurveyWindowSet;

class App {
public:
    // `settingsFile` empty: the user's own settings; otherwise that INI file.
    explicit App(const QString &settingsFile = {});
    ~App();
    App(const App &) = delete;
    App &operator=(const App &) = delete;

    Program &program() { return *program_; }

    // Shows the maximised splash window; its continue step opens the main window.
    frmSplash *showSplash();
    // Start-up without the splash window: start-up values, initialisation,
    // main window shown.
    RDX *startWithoutSplash();
    // The main window once it is open; null before.
    RDX *mainWindow() const { return main_.get(); }
    // The program's other windows (instrument, initialization, recovery,
    // load survey, display selection, forced readings) are made when the
    // main window opens, as its own windows: shown over it, never behind it.
    // Call before the main window opens.
    void installWindows() { installWindows_ = true; }
    // No dialog waits for a person (see QtDialogs::setNonInteractive).
    // `answers` go, in order, to the input boxes the run meets.
    void setNonInteractive(const QStringList &answers = {})
    {
        nonInteractive_ = true;
        dialogs_.setNonInteractive(true);
        dialogs_.setScriptedAnswers(answers);
    }

private:
    RDX *openMainWindow();

    QtDialogs dialogs_;
    std::unique_ptr<QtSettingsStore> settings_;
    QtClock clock_;
    QtHelpViewer help_;
    QtPrinterDevice printer_;
    QtSerialPort port_;
    std::unique_ptr<Program> program_;
    std::unique_ptr<RDX> main_;
    QPointer<frmSplash> splash_;
    bool installWindows_ = false;
    bool nonInteractive_ = false;
    // Children of the main window; they go before it does.
    std::unique_ptr<DisplaySelWindow> displaySel_;
    std::unique_ptr<ForceRdgsWindow> forceRdgs_;
    std::unique_ptr<LinkWindowSet> linkWindows_;
    std::unique_ptr<SetupWindowSet> setupWindows_;
    std::unique_ptr<SurveyWindowSet> surveyWindows_;
};

// The program's icon (packaging/rdx600.svg, built into the program).
QIcon programIcon();

// Renders a window at `size` into a PNG file; false when it cannot be written.
bool saveScreenshot(QWidget &window, const QSize &size, const QString &path);
