#include "program/menu_model.h"

#include "program/menu_items.h"

#include <stdexcept>

MenuModel::MenuModel()
{
    build();
}

namespace {
const char kMruPrefix[] = "mnuMRU(";
}

QString MenuModel::mru(int i)
{
    return QLatin1String(kMruPrefix) + QString::number(i) + QLatin1Char(')');
}

bool MenuModel::isMru(const QString &name)
{
    return name.startsWith(QLatin1String(kMruPrefix));
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
    add(menu::kFile, "&File", none);
    add(menu::kItemOpen, "&Open", menu::kFile);
    add(menu::kItemClose, "&Close", menu::kFile);
    add(menu::kItemSave, "Save &As...", menu::kFile);
    add(menu::kItemPrint, "&Print", menu::kFile);
    add(menu::kItemPrintSum, "Data&Summary", menu::kItemPrint);
    add(menu::kItemPrintpwrSum, "Power Summary", menu::kItemPrint);
    add(menu::kItemPrintTable, "Data&Table", menu::kItemPrint);
    add(menu::kItemPrintPwrTable, "Power Table", menu::kItemPrint);
    add(menu::kItemImport, "Import", menu::kFile);
    add(menu::kItemExportType, "&Export", menu::kFile);
    add(menu::kItemexprep, "Metering Data Report", menu::kItemExportType);
    add(menu::kItemexpdatacsv, "Data: Table", menu::kItemExportType);
    add(menu::kItemexpdata1perLine, "Data: 1 Rdg per Line", menu::kItemExportType);
    add(menu::kItemExpTidy, "Tidy CSV\u2026", menu::kItemExportType, false);
    add(mru(0), "mnuMRU", menu::kFile, true, false);
    item(mru(0)).separatorBefore = true;
    for (int i = 1; i <= 4; ++i) {
        add(mru(i), QString(), menu::kFile, true, false);
    }
    add(menu::kItemExit, "E&xit", menu::kFile);
    item(menu::kItemExit).separatorBefore = true;

    add(menu::kSurvey, "Load Survey", none);
    add(menu::kItemsurvfil, "Open File", menu::kSurvey);

    add(menu::kEdit, "E&dit", none);
    add(menu::kItemNotes, "&Notes", menu::kEdit);
    add(menu::kItemForceRdg, "&Force Zoomed Readings", menu::kEdit);

    add(menu::kView, "Data &View", none);
    add(menu::kItemViewPlot, "&Plot", menu::kView);
    add(menu::kItemViewTable, "&Table", menu::kView);
    add(menu::kItemRefresh, "&Refresh Graph", menu::kView);
    add(menu::kItemViewsummary, "&Summary", menu::kView);

    add(menu::kPwrview, "Power View", none, false);
    add(menu::kItemViewPower, "Power Plot", menu::kPwrview, false);
    add(menu::kItemViewPwrTable, "Power Table", menu::kPwrview, false);
    add(menu::kItemViewpwrsummry, "Power Summary", menu::kPwrview, false);

    add(menu::kZoom, "&Zoom", none);

    add(menu::kInstrument, "&Instrument", none);
    add(menu::kItemDownload, "&DownLoad", menu::kInstrument);
    add(menu::kItemInitialize, "&Initialize", menu::kInstrument);
    add(menu::kItemRecover, "&Recover", menu::kInstrument);
    add(menu::kItemStatusCheck, "&Status Check", menu::kInstrument);

    add(menu::kOptions, "&Options", none);
    add(menu::kSpecialTest, "Special Test", menu::kOptions);
    add(menu::kItemDefaultDir, "&Default Dir", menu::kOptions);
    add(menu::kItemPortSelect, "&Com Port Selection", menu::kOptions);
    add(menu::kItemInstSelect, "&Instrument Selection", menu::kOptions);
    add(menu::kItemUserID, "&User Name", menu::kOptions);
    add(menu::kItemScale, "&Scale", menu::kOptions);
    add(menu::kItemAnnot, "&Annotate", menu::kOptions);
    add(menu::kItemadd, "Add &Note", menu::kItemAnnot);
    add(menu::kItemClearNote, "&Clear Notes", menu::kItemAnnot);
    add(menu::kItemPF, "&Power Factor", menu::kOptions);
    add(menu::kItemOnepgPlot, "&One-page Plot", menu::kOptions);
    add(menu::kItemPrintPreview, "Print Pre&view", menu::kOptions);

    add(menu::kHelp, "&Help", none);
    add(menu::kItemHelp, "&Help", menu::kHelp);
    add(menu::kItemAbout, "&About", menu::kHelp);
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
