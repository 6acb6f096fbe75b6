#include "program/view_procs.h"

#include "platform/chart_device.h"
#include "platform/dialogs.h"
#include "platform/file_read.h"
#include "platform/settings_store.h"

#include "program/menu_items.h"
#include "program/program.h"
#include <QStringList>

namespace {

constexpr ChartColor kToolbarGrey{210, 210, 210};
constexpr uint32_t kLabel1Grey = 0xE0E0E0; // (224, 224, 224)
constexpr int kToolbarButtons = 8;         // buttons 0..7

void setStatusPanelsVisible(Program &p, bool visible)
{
    for (ViewControl &panel : p.view.statusPanels) {
        panel.visible = visible;
    }
    p.view.statusBarVisible = visible;
}

} // namespace

void HideTextViews(Program &p)
{
    p.view.RichTextBox1.visible = false;
    p.view.Label1.visible = false;
    p.view.Label2.visible = false;
    p.view.Header1.visible = false;
}

void HideChart(Program &p)
{
    p.view.chart2Visible = false;
    p.view.Label3.visible = false;
    p.view.chart1Visible = false;
    if (p.io.chart2 != nullptr) {
        p.io.chart2->setVisible(false);
    }
    if (p.io.chart1 != nullptr) {
        p.io.chart1->setVisible(false);
    }
    setStatusPanelsVisible(p, false);
    p.menu.setEnabled({menu::kItemScale, menu::kItemAnnot}, false);
    if (p.io.chart2 != nullptr) {
        p.io.chart2->clearData();
    }
}

void ShowChart(Program &p)
{
    p.view.statusPanels[0].text = QStringLiteral("Status:");
    p.view.statusPanels[1].text.clear();
    p.view.statusPanels[2].text.clear();
    setStatusPanelsVisible(p, true);
    p.menu.setEnabled({menu::kItemScale, menu::kItemAnnot}, true);
    p.chart.gAnnotating = false;
    if (p.io.chart1 != nullptr) {
        p.io.chart1->setAnnotationEditing(false);
        p.io.chart1->setToolbarColor(kToolbarGrey);
        p.io.chart1->setVisible(true);
    }
    p.view.chart1Visible = true;
}

void CloseRecordings(Program &p)
{
    // Files are opened and closed by the procedure that reads them, so there
    // is no open file left to close here.
    Recording &r = p.rec;
    for (int slot = 0; slot < kSlots; ++slot) {
        r.gInfo[slot][kColPath] = QString();
        r.gSite[slot].fill(QString(52, QLatin1Char(' ')));
    }
    HideChart(p);
    HideTextViews(p);
    p.menu.setEnabled(menu::kItemOpen, true);
    p.menu.setEnabled({menu::kItemClose, menu::kItemViewTable, menu::kItemPrintTable, menu::kItemViewPlot,
                       menu::kView, menu::kItemExportType, menu::kZoom, menu::kPwrview, menu::kItemViewPower,
                       menu::kItemViewPwrTable, menu::kItemViewpwrsummry, menu::kItemSave},
                      false);
    r.gZoomFlag = false;
    r.gSelectFlag = false;
    p.chart.gYScaleMin = 0;
    p.view.busy = false;
    if (p.io.dialogs != nullptr) {
        p.io.dialogs->setBusy(false);
    }
    p.power.energyText.clear();
    if (p.io.chart1 != nullptr) {
        for (int button = 0; button < kToolbarButtons; ++button) {
            p.io.chart1->setToolbarButtonVisible(button, true);
        }
        p.io.chart1->setToolbarButtonCommand(7, ChartDevice::kStandardPrintCommand);
    }
    p.chart.gPrintLayout = false;
    p.view.label1Background = kLabel1Grey;
    ShowRecentFileEntries(p);
}

void ShowRecentFileEntries(Program &p)
{
    // A list stored by an earlier version may name one file twice (under the
    // same or another spelling): it is shown, and kept, once, the entries
    // below moving up. A list without repeats is shown as it is stored.
    QStringList paths;
    QStringList identities;
    bool merged = false;
    for (int i = 1; i <= 4; ++i) {
        const QString path = p.settings().get(QStringLiteral("Settings"), QStringLiteral("mrufile%1").arg(i));
        const QString identity = fileIdentity(path);
        if (!path.isEmpty() && identities.contains(identity)) {
            merged = true;
            paths << QString();
            continue;
        }
        identities << (path.isEmpty() ? QString() : identity);
        paths << path;
    }
    if (merged) {
        paths.removeAll(QString());
    }
    for (int i = 1; i <= 4; ++i) {
        const QString path = paths.value(i - 1);
        if (merged) {
            p.settings().save(QStringLiteral("Settings"), QStringLiteral("mrufile%1").arg(i), path);
        }
        const QString entry = MenuModel::mru(i);
        if (!path.isEmpty()) {
            p.menu.setCaption(entry, path);
        }
        p.menu.setVisible(entry, !path.isEmpty());
    }
}
