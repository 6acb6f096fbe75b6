// The one object that owns the program-wide state and the adapters to the
// outside world. main() creates it and hands it by reference to windows and
// procedures; tests create a fresh one per test with fakes.
#pragma once

#include "program/main_view_state.h"
#include "program/menu_model.h"
#include "program/program_state.h"
#include "program/startup_values.h"
#include "recording/recording.h"

#include <QString>
#include <functional>
#include <map>
#include <vector>

class ChartDevice;
class DisplaySelView;
class ForceRdgsView;
class AbortView;
class DataSelectView;
class DownloadView;
class EditNotesView;
class Clock;
class Dialogs;
class HelpViewer;
class InitInstView;
class InstPropertiesView;
class InstSelView;
class PortSelView;
class PrinterDevice;
class RecoverView;
class SerialPort;
class SettingsStore;
class StatusView;
class SurveyWindowView;

// The outside services. Every pointer is owned elsewhere (by main() or a test).
struct Services {
    Dialogs *dialogs = nullptr;
    SettingsStore *settings = nullptr;
    Clock *clock = nullptr;
    HelpViewer *help = nullptr;
    PrinterDevice *printer = nullptr;
    SerialPort *port = nullptr;
    ChartDevice *chart1 = nullptr; // recording and power plots
    ChartDevice *chart2 = nullptr; // imported chart files
};

// The main window as the core sees it.
class MainView {
public:
    virtual ~MainView() = default;
    // Mirrors the menu model and the view state on screen.
    virtual void sync() = 0;
    // Ends the program at once.
    virtual void quit() = 0;
};

// Windows the core opens, each through a small interface of its own
// subsystem. Null members are windows this run (or this test) does not have.
struct Windows {
    MainView *main = nullptr;
    StatusView *status = nullptr;
    DownloadView *download = nullptr; // Dwnloaditem
    InstSelView *instSel = nullptr;
    InstPropertiesView *instProperties = nullptr;
    PortSelView *portSel = nullptr;
    DataSelectView *dataSelect = nullptr; // "Select Data"
    EditNotesView *editNotes = nullptr;   // "Note Editor"
    DisplaySelView *displaySel = nullptr; // "display Selection"
    ForceRdgsView *forceRdgs = nullptr;   // "Force Readings"
    AbortView *abort = nullptr;           // header exchange of the initialization
    InitInstView *initInst = nullptr;     // "Initialization Options"
    RecoverView *recover = nullptr;       // the recovery window

    SurveyWindowView *loadsurv = nullptr;   // the load-survey window
    SurveyWindowView *surveyshow = nullptr; // "RESULT" of a feeder
    SurveyWindowView *station = nullptr;    // the station peak
};

// Procedures of a higher subsystem that a lower one ends with: a recording
// chosen in the Select Data window (recording/) shows its summary report
// (reports/). One function, provideProcedures (shell/), fills every entry,
// so the includes still run downward only. An empty entry does nothing.
struct Procedures {
    std::function<void()> Printinfo;
    // Instrument information after a download or a recovery (setup/).
    std::function<void()> Showinfo;
    std::function<void()> Showinfodb;
};

class Program {
public:
    explicit Program(const Services &services);

    Services io;

    Recording rec;
    ModeTable modes;
    StartupValues splash; // frmSplash's start-up values
    LinkState link;
    ChartState chart;
    PowerState power;
    ReportState report;
    SurveyState survey;
    SetupState setup; // initialization options and recovery windows

    MenuModel menu;
    MainViewState view;
    Windows windows;
    Procedures procs;

    Dialogs &dialogs() const { return *io.dialogs; }
    SettingsStore &settings() const { return *io.settings; }
    Clock &clock() const { return *io.clock; }

    // Menu commands by menu item name.
    using Command = std::function<void()>;
    void addCommand(const QString &menuItem, Command command);
    bool hasCommand(const QString &menuItem) const { return commands_.count(menuItem) != 0; }
    // Runs the command of a menu item (a disabled or invisible item runs
    // nothing), then mirrors the state on screen. False when nothing ran.
    bool runCommand(const QString &menuItem);

    // Rules run when a top-level menu is opened.
    void addMenuOpenRule(const QString &menu, Command rule);
    void menuOpened(const QString &menu);

    // Mirrors the state on screen now (during long exchanges).
    void sync() const;

    // Runs a procedure of a higher subsystem when one is provided.
    static void run(const std::function<void()> &procedure)
    {
        if (procedure) {
            procedure();
        }
    }

private:
    std::map<QString, Command> commands_;
    std::map<QString, std::vector<Command>> menuOpenRules_;
};
