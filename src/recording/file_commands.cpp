#include "recording/file_commands.h"

#include "recording/fileopen.h"
#include "recording/notes.h"
#include "recording/save.h"
#include "reports/print_table.h"
#include "reports/printinfo.h"
#include "shell/program.h"

void installFileCommands(Program &p)
{
    p.addCommand(QStringLiteral("mnuItemOpen"), [&p] { OpenCommand(p); });
    for (int i = 1; i <= 4; ++i) {
        p.addCommand(MenuModel::mru(i), [&p, i] { OpenRecentFile(p, i); });
    }
    p.addCommand(QStringLiteral("mnuItemSave"), [&p] { SaveCommand(p); });
    p.addCommand(QStringLiteral("mnuItemNotes"), [&p] { NotesCommand(p); });
    p.addCommand(QStringLiteral("mnuItemViewsummary"), [&p] { SummaryViewCommand(p); });
    p.addCommand(QStringLiteral("mnuItemPrintSum"), [&p] { PrintSummaryCommand(p); });
    p.addCommand(QStringLiteral("mnuItemPrintTable"), [&p] { PrintShownTableCommand(p); });
    p.addCommand(QStringLiteral("mnuItemPrintPwrTable"), [&p] { PrintShownTableCommand(p); });
}
