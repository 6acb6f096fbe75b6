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

#include <QPointer>
#include <QSize>
#include <QString>
#include <memory>

class RDX;
class frmSplash;

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
    // No dialog waits for a person (see QtDialogs::setNonInteractive).
    // `answers` go, in order, to the input boxes the run meets.
    void setNonInteractive(const QStringList &answers = {})
    {
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
};

// Renders a window at `size` into a PNG file; false when it cannot be written.
bool saveScreenshot(QWidget &window, const QSize &size, const QString &path);
