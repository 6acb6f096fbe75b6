#include "linked_program.h"

#include "link/instrument_catalogue.h"
#include "link/link_commands.h"
#include "platform/qt_clock.h"
#include "platform/qt_serial_port.h"
#include "setup/recover.h"
#include "shell/commands.h"

LinkedProgram::LinkedProgram()
{
    ensureCoreApplication();
    qputenv("RDX600_TIME_SCALE", QByteArray::number(kTimeScale));
    clock = std::make_unique<QtClock>(kTimeScale);
    port = std::make_unique<QtSerialPort>();
    Services s;
    s.dialogs = &dialogs;
    s.settings = &settings.store;
    s.clock = clock.get();
    s.port = port.get();
    program_ = std::make_unique<Program>(s);
    Program &p = *program_;
    p.modes.fill();
    provideProcedures(p);
    p.splash.portSettings = kSettings115200;
    p.splash.maxSamples = 42966;
    p.splash.instAutoCurrent = 8;
    p.splash.portSettingsCustom = kSettings115200;
    p.splash.maxSamplesCustom = 42966;
    p.link.gCommPort = 1;
    installLinkCommands(p);
    installInitializeCommand(p);
    installRecoverCommand(p);
    initInst.program = &p;
    p.windows.initInst = &initInst;
}

LinkedProgram::~LinkedProgram()
{
    qunsetenv("RDX600_TIME_SCALE");
}

void LinkedProgram::select(int type)
{
    program_->splash.instSelection = type;
    applyTypeSettings(*program_, type);
}

bool LinkedProgram::allClosed(const SimHarness &sim) const
{
    if (port->portOpen()) {
        return false;
    }
    const QString log = sim.log();
    if (log.contains(QStringLiteral("unplugged (fault)")) || log.contains(QStringLiteral("] exit ("))) {
        return true; // the simulator ended with its terminal
    }
    return sim.waitForLog(QStringLiteral("closed"), 3000, sim.countInLog(QStringLiteral("opened"))) &&
           sim.countInLog(QStringLiteral("closed")) == sim.countInLog(QStringLiteral("opened"));
}
