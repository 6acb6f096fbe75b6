#include "test_program.h"
#include "shell/commands.h"

TestProgram::TestProgram()
{
    Services s;
    s.dialogs = &dialogs;
    s.settings = &settings.store;
    s.clock = &clock;
    s.help = &help;
    program = std::make_unique<Program>(s);
    program->modes.fill();
    provideProcedures(*program);
}
