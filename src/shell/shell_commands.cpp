#include "shell/shell_commands.h"

#include "platform/chart_device.h"
#include "platform/dialogs.h"
#include "platform/help_viewer.h"
#include "platform/settings_store.h"
#include "platform/textformat.h"
#include "program/menu_items.h"
#include "program/program.h"
#include "program/view_procs.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <cmath>

namespace {

const QString kCR = QStringLiteral("\r");
const QString kDirectory = QStringLiteral("Directory");
const QString kDefault = QStringLiteral("default");

void Close(Program &p)
{
    p.chart.gOnePageFlag = false;
    CloseRecordings(p);
    ShowRecentFileEntries(p);
    p.menu.setEnabled(menu::kItemOnepgPlot, false);
    p.menu.setChecked(menu::kItemOnepgPlot, false);
}

void Exit(Program &p)
{
    if (p.windows.main != nullptr) {
        p.windows.main->quit();
    }
}

// The root of the drive that holds `path` ("/" on Unix, "C:/" on Windows).
QString driveOf(const QString &path)
{
    QDir dir(QFileInfo(path).absoluteFilePath());
    while (dir.cdUp()) {
    }
    return dir.absolutePath();
}

void DefaultDir(Program &p)
{
    MainViewState &v = p.view;
    v.Drive1.visible = true;
    v.Drive1.enabled = true;
    // The drive list starts on the drive of the stored folder, or of the
    // current one when none is stored.
    const QString stored = p.settings().get(kDirectory, kDefault);
    v.drive1Drive = driveOf(stored.isEmpty() ? QDir::currentPath() : stored);
    v.Command1.visible = true;
    v.Command1.enabled = true;
}

void hidePanelControl(ViewControl &c)
{
    c.visible = false;
    c.enabled = false;
}

void UserName(Program &p)
{
    HideTextViews(p);
    const QString stored = p.settings().get(QStringLiteral("Security"), QStringLiteral("userid"));
    const QString answer =
        p.dialogs().inputBox(QStringLiteral("Enter user name below") + kCR, QString(), stored);
    if (!answer.isEmpty()) {
        p.settings().save(QStringLiteral("Security"), QStringLiteral("userid"), answer);
    }
}

// A power factor typed by the user: a plain number with "." (or the
// user's own decimal separator); nullopt for anything else.
std::optional<float> powerFactorAnswer(const QString &answer)
{
    const QString t = answer.trimmed();
    bool ok = false;
    float v = t.toFloat(&ok);
    if (!ok) {
        v = QLocale::system().toFloat(t, &ok);
    }
    if (!ok || !std::isfinite(v)) {
        return std::nullopt;
    }
    return v;
}

void PowerFactor(Program &p)
{
    float &pf = p.power.gPowerFactor;
    if (pf == 0.0F) {
        pf = 1.0F;
    }
    const QString prompt =
        QStringLiteral("Enter Power Factor to be used ") + QStringLiteral("must be 1 or less") + kCR;
    const QString answer = p.dialogs().inputBox(prompt, QString(), textformat::numberText(pf));
    if (answer.isEmpty()) {
        return;
    }
    // Lasts for the run only; no range test. Text that is no number keeps
    // the previous value.
    if (const auto v = powerFactorAnswer(answer)) {
        pf = *v;
    }
}

void Help(Program &p)
{
    // The compiled help file where the system has one (Windows), else the
    // manual installed with the program.
    const QString file = helpFilePath();
    if (p.io.help == nullptr || !(p.io.help->open(file) || p.io.help->openManual())) {
        p.dialogs().message(QStringLiteral("The help file could not be opened:") + kCR +
                            QDir::toNativeSeparators(file));
    }
}

void About(Program &p)
{
    p.dialogs().message(aboutText(p));
}

bool editedFlag(const Recording &r, int slot)
{
    return r.gInfo[slot][kColEdited].number() == 1.0;
}

} // namespace

QString helpFilePath()
{
    return QDir::current().filePath(QStringLiteral("RDX600Help.chm"));
}

QString aboutText(const Program &p)
{
    const QString user = p.settings().get(QStringLiteral("Security"), QStringLiteral("userid"));
    return QStringLiteral("RDX600  ") + p.splash.versionID + kCR + p.splash.versionDate + kCR +
           QStringLiteral("User Name   ") + user + kCR + kCR +
           QStringLiteral("Copyright (c) 2026 the RDX600 developers") + kCR +
           QStringLiteral("       https://rdx600.example.org");
}

void DefaultDirSelectDrive(Program &p)
{
    MainViewState &v = p.view;
    const QFileInfo drive(v.drive1Drive);
    if (v.drive1Drive.isEmpty() || !drive.exists() || !drive.isDir() || !drive.isReadable() ||
        !QDir(v.drive1Drive).isReadable()) {
        hidePanelControl(v.Dir1);
        hidePanelControl(v.Drive1);
        hidePanelControl(v.Command1);
        hidePanelControl(v.Command2);
        p.dialogs().message(QStringLiteral("Insert disk and repeat"));
        return;
    }
    v.Dir1.visible = true;
    v.Dir1.enabled = true;
    v.dir1Path = QDir(v.drive1Drive).absolutePath();
    v.Drive1.visible = false;
    hidePanelControl(v.Command1);
    v.Command2.visible = true;
    v.Command2.enabled = true;
    p.settings().save(kDirectory, kDefault, v.dir1Path);
}

void DefaultDirSelectDirectory(Program &p)
{
    MainViewState &v = p.view;
    hidePanelControl(v.Dir1);
    v.Drive1.visible = false;
    v.Command1.visible = false;
    p.settings().save(kDirectory, kDefault, v.dir1Path);
    hidePanelControl(v.Command2);
}

void FileMenuOpened(Program &p)
{
    const Recording &r = p.rec;
    if (!r.slotInUse(0)) {
        p.menu.setEnabled({menu::kItemClose, menu::kItemPrint}, false);
    }
    const bool chart2Shown = p.view.chart2Visible || (p.io.chart2 != nullptr && p.io.chart2->isVisible());
    if (chart2Shown) {
        p.menu.setEnabled(menu::kItemClose, true);
    }
    for (int i = 1; i <= 4; ++i) {
        const QString path = p.settings().get(QStringLiteral("Settings"), QStringLiteral("mrufile%1").arg(i));
        if (!path.isEmpty()) {
            p.menu.setCaption(MenuModel::mru(i), path);
        }
    }
    if (r.slotInUse(0)) {
        const bool saveable = r.gZoomFlag || editedFlag(r, 0) || (r.slotInUse(1) && editedFlag(r, 1)) ||
                              (r.slotInUse(2) && editedFlag(r, 2));
        p.menu.setEnabled(menu::kItemSave, saveable);
    }
}

void EditMenuOpened(Program &p)
{
    HideTextViews(p);
    p.menu.setEnabled(menu::kItemNotes, p.rec.slotInUse(0));
    p.menu.setEnabled(menu::kItemForceRdg, p.rec.gZoomFlag);
}

void installShellCommands(Program &p)
{
    p.addCommand(menu::kItemClose, [&p] { Close(p); });
    p.addCommand(menu::kItemExit, [&p] { Exit(p); });
    p.addCommand(menu::kItemDefaultDir, [&p] { DefaultDir(p); });
    p.addCommand(menu::kItemUserID, [&p] { UserName(p); });
    p.addCommand(menu::kItemPF, [&p] { PowerFactor(p); });
    p.addCommand(menu::kItemHelp, [&p] { Help(p); });
    p.addCommand(menu::kItemAbout, [&p] { About(p); });
    p.addMenuOpenRule(menu::kFile, [&p] { FileMenuOpened(p); });
    p.addMenuOpenRule(menu::kEdit, [&p] { EditMenuOpened(p); });
}
