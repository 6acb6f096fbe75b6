#include "shell/startup.h"

#include "link/serial_link.h"
#include "platform/settings_store.h"
#include "program/menu_items.h"
#include "program/program.h"
#include "program/startup_values.h"
#include "program/view_procs.h"
#include "rdx600_version.h"

#include <cmath>

int twipsToPixels(double twips, double dotsPerInch)
{
    return static_cast<int>(std::lround(twips * dotsPerInch / kTwipsPerInch));
}

double pixelsToTwips(int pixels, double dotsPerInch)
{
    return dotsPerInch > 0 ? pixels * kTwipsPerInch / dotsPerInch : 0.0;
}

SplashLayout splashLayout(double screenW, double screenH, double pictureW, double pictureH, double label1W,
                          double label5W)
{
    // The picture keeps its width; only the centring uses the screen width
    // when the screen is the narrower.
    const double w = screenW < pictureW ? screenW : pictureW;
    SplashLayout l;
    l.pictureLeft = screenW / 2 - w / 2;
    l.pictureTop = screenH / 2 - pictureH / 2;
    l.label1Left = (screenW - label1W) / 2;
    l.label1Top = l.pictureTop + 2880;
    l.label5Left = (screenW - label5W) / 2;
    l.label5Top = l.pictureTop + 3600;
    l.label4Left = l.pictureLeft + 240;
    l.label4Top = l.pictureTop + 5040;
    return l;
}

void loadStartupValues(StartupValues &s, const QString &currentDirectory)
{
    s.versionID = QStringLiteral("Version " RDX600_VERSION);
    s.versionDate = QStringLiteral("Dec 16, 2012");
    s.showStatus = true;
    s.maxSamples = 42966;
    s.portSettings = QStringLiteral("115200,N,8,1");
    s.instSelection = 0;
    s.instAutoCurrent = 8;
    s.maxSamplesCustom = s.maxSamples;
    s.portSettingsCustom = s.portSettings;
    s.gS5FlagCustom = true;
    s.workingDirectory = currentDirectory;
}

void initialiseProgram(Program &p)
{
    for (ViewControl &panel : p.view.statusPanels) {
        panel.visible = false;
    }
    p.view.statusBarVisible = false;
    reloadCommPort(p);
    p.report.gExportOnePerLine = true;
    p.modes.fill();
    p.rec.gDatastart = 1;
    p.power.gPowerFactor = 1.0F;
    p.link.gS5Flag = true;
    p.menu.setEnabled({menu::kItemexprep, menu::kItemexpdatacsv, menu::kItemexpdata1perLine, menu::kView,
                       menu::kZoom, menu::kItemScale, menu::kItemSave, menu::kItemExportType,
                       menu::kItemViewTable, menu::kItemPrintTable, menu::kItemViewPwrTable,
                       menu::kItemPrintPwrTable, menu::kItemAnnot, menu::kItemOnepgPlot},
                      false);
    p.menu.setEnabled(menu::kItemInitialize, true);
    p.view.title = QStringLiteral("RDX600");
    ShowRecentFileEntries(p);
}

void mainWindowLoad(Program &p)
{
    p.menu.setVisible(menu::kItemStatusCheck, p.splash.showStatus);
}

QString splashProductName()
{
    return QStringLiteral("RDX600");
}

QString splashContinuePrompt()
{
    return QStringLiteral("Click or press a key to start");
}
