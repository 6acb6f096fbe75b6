#include "recording/file_commands.h"

#include "program/program.h"
#include "recording/notes.h"
#include "recording/save.h"

void installFileCommands(Program &p)
{
    p.addCommand(QStringLiteral("mnuItemSave"), [&p] { SaveCommand(p); });
    p.addCommand(QStringLiteral("mnuItemNotes"), [&p] { NotesCommand(p); });
}
