#include "recording/file_commands.h"

#include "program/menu_items.h"
#include "program/program.h"
#include "recording/notes.h"
#include "recording/save.h"

void installFileCommands(Program &p)
{
    p.addCommand(menu::kItemSave, [&p] { SaveCommand(p); });
    p.addCommand(menu::kItemNotes, [&p] { NotesCommand(p); });
}
