#include "shell/ui/app_wiring.h"

#include "chart/ui/chart_wiring.h"
#include "chart/ui/display_sel_window.h"
#include "link/ui/link_windows_ui.h"
#include "setup/ui/force_rdgs_window.h"
#include "setup/ui/setup_windows.h"
#include "shell/commands.h"
#include "shell/startup.h"
#include "shell/ui/main_window.h"
#include "shell/ui/splash_window.h"
#include "survey/ui/survey_windows.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QPixmap>
#include <QScreen>

App::App(const QString &settingsFile)
    : settings_(settingsFile.isEmpty() ? std::make_unique<QtSettingsStore>()
                                       : std::make_unique<QtSettingsStore>(settingsFile))
{
    Services s;
    s.dialogs = &dialogs_;
    s.settings = settings_.get();
    s.clock = &clock_;
    s.help = &help_;
    s.printer = &printer_;
    s.port = &port_;
    dialogs_.setPrinter(&printer_);
    // Every window's title bar shows the program's own icon.
    QApplication::setWindowIcon(programIcon());
    program_ = std::make_unique<Program>(s);
    installCommands(*program_);
}

App::~App()
{
    delete splash_.data();
    surveyWindows_.reset();
    setupWindows_.reset();
    linkWindows_.reset();
    forceRdgs_.reset();
    displaySel_.reset();
    main_.reset();
}

frmSplash *App::showSplash()
{
    auto *splash = new frmSplash(*program_);
    splash_ = splash;
    splash->setContinueHandler([this] { openMainWindow(); });
    // Without a window manager "maximised" means nothing: cover the screen too.
    if (const QScreen *screen = splash->screen()) {
        splash->setGeometry(screen->availableGeometry());
    }
    splash->showMaximized();
    splash->activateWindow();
    splash->setFocus();
    return splash;
}

RDX *App::startWithoutSplash()
{
    loadStartupValues(program_->splash, QDir::currentPath());
    initialiseProgram(*program_);
    return openMainWindow();
}

RDX *App::openMainWindow()
{
    if (!main_) {
        main_ = std::make_unique<RDX>(*program_);
        dialogs_.setParentWidget(main_.get());
        wireCharts(*program_, main_->chartArea1(), main_->chartArea2());
        if (installWindows_) {
            // A run without a person plots several min/max/avg recordings
            // without asking which values to show.
            if (!nonInteractive_) {
                displaySel_.reset(attachDisplaySelWindow(*program_, main_.get()));
            }
            forceRdgs_.reset(attachForceRdgsWindow(*program_, main_.get()));
            linkWindows_ = installLinkWindows(*program_, main_.get());
            setupWindows_ = installSetupWindows(*program_, main_.get());
            surveyWindows_ = installSurveyWindows(*program_, main_.get());
        }
    }
    main_->show();
    return main_.get();
}

QIcon programIcon()
{
    return QIcon(QStringLiteral(":/rdx600.svg"));
}

bool saveScreenshot(QWidget &window, const QSize &size, const QString &path)
{
    window.resize(size);
    window.show();
    QApplication::processEvents();
    const QPixmap shot = window.grab();
    return !shot.isNull() && shot.save(path, "PNG");
}
