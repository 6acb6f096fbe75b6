#include "program/menu_model.h"

#include <stdexcept>

MenuModel::MenuModel()
{
    build();
}

QString MenuModel::mru(int i)
{
    return QStringLiteral("mnuMRU(%1)").arg(i);
}

void MenuModel::add(const QString &name, const QString &caption, const QString &parent, bool enabled,
                    bool visible)
{
    index_[name] = items_.size();
    items_.push_back(MenuItem{name, caption, parent, enabled, visible, false, false});
}

void MenuModel::build()
{
    items_.clear();
    index_.clear();
    const QString none;
    add("mnuFile", "&File", none);
    add("mnuItemOpen", "&Open", "mnuFile");
    add("mnuItemClose", "&Close", "mnuFile");
    add("mnuItemSave", "Save &As...", "mnuFile");
    add("mnuItemPrint", "&Print", "mnuFile");
    add("mnuItemPrintSum", "Data&Summary", "mnuItemPrint");
    add("mnuItemPrintpwrSum", "Power Summary", "mnuItemPrint");
    add("mnuItemPrintTable", "Data&Table", "mnuItemPrint");
    add("mnuItemPrintPwrTable", "Power Table", "mnuItemPrint");
    add("mnuItemImport", "Import", "mnuFile");
    add("mnuItemExportType", "&Export", "mnuFile");
    add("mnuitemexprep", "Metering Data Report", "mnuItemExportType");
    add("MnuItemexpdatacsv", "Data: Table", "mnuItemExportType");
    add("mnuItemexpdata1perLine", "Data: 1 Rdg per Line", "mnuItemExportType");
    add("mnuItemExpTidy", "Tidy CSV\u2026", "mnuItemExportType", false);
    add(mru(0), "mnuMRU", "mnuFile", true, false);
    item(mru(0)).separatorBefore = true;
    for (int i = 1; i <= 4; ++i) {
        add(mru(i), QString(), "mnuFile", true, false);
    }
    add("mnuItemExit", "E&xit", "mnuFile");
    item("mnuItemExit").separatorBefore = true;

    add("mnusurvey", "Load Survey", none);
    add("mnuitemsurvfil", "Open File", "mnusurvey");

    add("mnuEdit", "E&dit", none);
    add("mnuItemNotes", "&Notes", "mnuEdit");
    add("mnuItemForceRdg", "&Force Zoomed Readings", "mnuEdit");

    add("mnuView", "Data &View", none);
    add("mnuItemViewPlot", "&Plot", "mnuView");
    add("mnuItemViewTable", "&Table", "mnuView");
    add("mnuItemRefresh", "&Refresh Graph", "mnuView");
    add("mnuItemViewsummary", "&Summary", "mnuView");

    add("pwrview", "Power View", none, false);
    add("mnuItemViewPower", "Power Plot", "pwrview", false);
    add("mnuItemViewPwrTable", "Power Table", "pwrview", false);
    add("mnuItemViewpwrsummry", "Power Summary", "pwrview", false);

    add("mnuZoom", "&Zoom", none);

    add("mnuInstrument", "&Instrument", none);
    add("mnuItemDownload", "&DownLoad", "mnuInstrument");
    add("mnuItemInitialize", "&Initialize", "mnuInstrument");
    add("mnuItemRecover", "&Recover", "mnuInstrument");
    add("mnuItemStatusCheck", "&Status Check", "mnuInstrument");

    add("mnuOptions", "&Options", none);
    add("SpecialTest", "Special Test", "mnuOptions");
    add("mnuItemDefaultDir", "&Default Dir", "mnuOptions");
    add("mnuItemPortSelect", "&Com Port Selection", "mnuOptions");
    add("mnuItemInstSelect", "&Instrument Selection", "mnuOptions");
    add("mnuItemUserID", "&User Name", "mnuOptions");
    add("mnuItemScale", "&Scale", "mnuOptions");
    add("mnuItemAnnot", "&Annotate", "mnuOptions");
    add("mnuItemadd", "Add &Note", "mnuItemAnnot");
    add("mnuItemClearNote", "&Clear Notes", "mnuItemAnnot");
    add("mnuItemPF", "&Power Factor", "mnuOptions");
    add("mnuItemOnepgPlot", "&One-page Plot", "mnuOptions");
    add("mnuItemPrintPreview", "Print Pre&view", "mnuOptions");

    add("mnuHelp", "&Help", none);
    add("mnuItemHelp", "&Help", "mnuHelp");
    add("mnuItemAbout", "&About", "mnuHelp");
}

const MenuItem &MenuModel::item(const QString &name) const
{
    const auto it = index_.find(name);
    if (it == index_.end()) {
        throw std::out_of_range("no menu item " + name.toStdString());
    }
    return items_[it->second];
}

MenuItem &MenuModel::item(const QString &name)
{
    return const_cast<MenuItem &>(static_cast<const MenuModel *>(this)->item(name));
}

void MenuModel::setEnabled(const QStringList &names, bool on)
{
    for (const QString &n : names) {
        setEnabled(n, on);
    }
}

QStringList MenuModel::children(const QString &parent) const
{
    QStringList out;
    for (const MenuItem &m : items_) {
        if (m.parent == parent) {
            out << m.name;
        }
    }
    return out;
}
