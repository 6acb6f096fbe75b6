#include "recording/file_commands.h"

#include "program/menu_items.h"
#include "program/program.h"
#include "recording/fileopen.h"
#include "recording/notes.h"
#include "recording/save.h"

void installFileCommands(Program &p)
{
    p.addCommand(menu::kItemOpen, [&p] { OpenCommand(p); });
    for (int i = 1; i <= 4; ++i) {
        p.addCommand(MenuModel::mru(i), [&p, i] { OpenRecentFile(p, i); });
    }
    p.addCommand(menu::kItemSave, [&p] { SaveCommand(p); });
    p.addCommand(menu::kItemNotes, [&p] { NotesCommand(p); });
}
