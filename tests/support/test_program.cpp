#include "test_program.h"

#include "reports/report_commands.h"
#include "setup/instrument_info.h"

TestProgram::TestProgram()
{
    Services s;
    s.dialogs = &dialogs;
    s.settings = &settings.store;
    s.clock = &clock;
    s.help = &help;
    program = std::make_unique<Program>(s);
    program->modes.fill();
    provideReportProcedures(*program);
    provideSetupProcedures(*program);
}
