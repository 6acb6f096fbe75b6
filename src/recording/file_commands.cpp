#include "recording/file_commands.h"

#include "program/program.h"
#include "recording/fileopen.h"
#include "recording/notes.h"
#include "recording/save.h"

void installFileCommands(Program &p)
{
    p.addCommand(QStringLiteral("mnuItemOpen"), [&p] { OpenCommand(p); });
    for (int i = 1; i <= 4; ++i) {
        p.addCommand(MenuModel::mru(i), [&p, i] { OpenRecentFile(p, i); });
    }
    p.addCommand(QStringLiteral("mnuItemSave"), [&p] { SaveCommand(p); });
    p.addCommand(QStringLiteral("mnuItemNotes"), [&p] { NotesCommand(p); });
}
