#include "shell/commands.h"

#include "shell/program.h"
#include "shell/shell_commands.h"

void installCommands(Program &p)
{
    installShellCommands(p);
}
