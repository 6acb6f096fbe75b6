// Names of the main window's menu items. Every name is written here once;
// the menu table, the commands and the windows refer to the items through
// these constants, so a misspelt name fails to compile.
#pragma once

namespace menu {

inline constexpr char kFile[] = "mnuFile";
inline constexpr char kItemOpen[] = "mnuItemOpen";
inline constexpr char kItemClose[] = "mnuItemClose";
inline constexpr char kItemSave[] = "mnuItemSave";
inline constexpr char kItemPrint[] = "mnuItemPrint";
inline constexpr char kItemPrintSum[] = "mnuItemPrintSum";
inline constexpr char kItemPrintpwrSum[] = "mnuItemPrintpwrSum";
inline constexpr char kItemPrintTable[] = "mnuItemPrintTable";
inline constexpr char kItemPrintPwrTable[] = "mnuItemPrintPwrTable";
inline constexpr char kItemImport[] = "mnuItemImport";
inline constexpr char kItemExportType[] = "mnuItemExportType";
inline constexpr char kItemexprep[] = "mnuitemexprep";
inline constexpr char kItemexpdatacsv[] = "MnuItemexpdatacsv";
inline constexpr char kItemexpdata1perLine[] = "mnuItemexpdata1perLine";
inline constexpr char kItemExpTidy[] = "mnuItemExpTidy";
inline constexpr char kItemExit[] = "mnuItemExit";
inline constexpr char kSurvey[] = "mnusurvey";
inline constexpr char kItemsurvfil[] = "mnuitemsurvfil";
inline constexpr char kEdit[] = "mnuEdit";
inline constexpr char kItemNotes[] = "mnuItemNotes";
inline constexpr char kItemForceRdg[] = "mnuItemForceRdg";
inline constexpr char kView[] = "mnuView";
inline constexpr char kItemViewPlot[] = "mnuItemViewPlot";
inline constexpr char kItemViewTable[] = "mnuItemViewTable";
inline constexpr char kItemRefresh[] = "mnuItemRefresh";
inline constexpr char kItemViewsummary[] = "mnuItemViewsummary";
inline constexpr char kPwrview[] = "pwrview";
inline constexpr char kItemViewPower[] = "mnuItemViewPower";
inline constexpr char kItemViewPwrTable[] = "mnuItemViewPwrTable";
inline constexpr char kItemViewpwrsummry[] = "mnuItemViewpwrsummry";
inline constexpr char kZoom[] = "mnuZoom";
inline constexpr char kInstrument[] = "mnuInstrument";
inline constexpr char kItemDownload[] = "mnuItemDownload";
inline constexpr char kItemInitialize[] = "mnuItemInitialize";
inline constexpr char kItemRecover[] = "mnuItemRecover";
inline constexpr char kItemStatusCheck[] = "mnuItemStatusCheck";
inline constexpr char kOptions[] = "mnuOptions";
inline constexpr char kSpecialTest[] = "SpecialTest";
inline constexpr char kItemDefaultDir[] = "mnuItemDefaultDir";
inline constexpr char kItemPortSelect[] = "mnuItemPortSelect";
inline constexpr char kItemInstSelect[] = "mnuItemInstSelect";
inline constexpr char kItemUserID[] = "mnuItemUserID";
inline constexpr char kItemScale[] = "mnuItemScale";
inline constexpr char kItemAnnot[] = "mnuItemAnnot";
inline constexpr char kItemadd[] = "mnuItemadd";
inline constexpr char kItemClearNote[] = "mnuItemClearNote";
inline constexpr char kItemPF[] = "mnuItemPF";
inline constexpr char kItemOnepgPlot[] = "mnuItemOnepgPlot";
inline constexpr char kItemPrintPreview[] = "mnuItemPrintPreview";
inline constexpr char kHelp[] = "mnuHelp";
inline constexpr char kItemHelp[] = "mnuItemHelp";
inline constexpr char kItemAbout[] = "mnuItemAbout";

} // namespace menu
