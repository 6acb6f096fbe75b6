// rdx600-cli initialize and recover: the menu's Initialize and Recover
// commands on a serial port, with the options given on the command line in
// place of the windows.
#include "cli/cli.h"
#include "cli/cli_commands.h"
#include "cli/cli_program.h"
#include "link/instrument_catalogue.h"
#include "link/serial_link.h"
#include "platform/qt_serial_port.h"
#include "platform/settings_store.h"
#include "setup/initialize.h"
#include "setup/recover.h"
#include "shell/startup.h"

#include <QDir>
#include <QFileInfo>
#include <map>

namespace {

// The options of an instrument subcommand: "--name value" pairs and the
// remaining words. nullopt on a malformed command line.
struct InstrumentArgs {
    std::map<QString, QString> values;
    QStringList words;
};

std::optional<InstrumentArgs> parseArgs(const QStringList &args, const QStringList &names)
{
    InstrumentArgs a;
    for (int i = 0; i < args.size(); ++i) {
        const QString &w = args.at(i);
        if (w.startsWith(QLatin1String("--"))) {
            const QString name = w.mid(2);
            if (!names.contains(name) || i + 1 >= args.size() || a.values.count(name) != 0) {
                return std::nullopt;
            }
            a.values[name] = args.at(++i);
        } else {
            a.words << w;
        }
    }
    return a;
}

// The program with a real serial port on port `port`, type `type` selected
// (none: the start-up selection) and the prompts answered OK.
class InstrumentProgram {
public:
    InstrumentProgram(QTextStream &err, int port, std::optional<int> type) : cli(err)
    {
        Program &p = *cli.program;
        p.io.port = &serial;
        loadStartupValues(p.splash, QDir::currentPath());
        initialiseProgram(p);
        // The port named on the command line is the saved port the
        // instrument commands read.
        p.settings().save(QStringLiteral("Comm"), QStringLiteral("RDX.MSComm1.CommPort"), QString::number(port));
        reloadCommPort(p);
        if (type) {
            p.splash.instSelection = *type;
            applyTypeSettings(p, *type);
        }
        cli.dialogs.answerOk = true;
        installInitializeCommand(p);
        installRecoverCommand(p);
    }
    Program &p() { return *cli.program; }

    CliProgram cli;
    QtSerialPort serial;
};

std::optional<int> portNumber(const InstrumentArgs &a)
{
    const auto it = a.values.find(QStringLiteral("port"));
    if (it == a.values.end()) {
        return std::nullopt;
    }
    const std::optional<int> n = toIndex(it->second);
    return n && *n >= 1 ? n : std::nullopt;
}

// --type: a catalogue number 0-14; absent: nothing; anything else: -1.
std::optional<int> typeNumber(const InstrumentArgs &a)
{
    const auto it = a.values.find(QStringLiteral("type"));
    if (it == a.values.end()) {
        return std::nullopt;
    }
    const std::optional<int> n = toIndex(it->second);
    return n && *n >= 0 && *n <= 14 ? *n : -1;
}

// InitInst as the command line fills it: Proceed at once.
class CliInitInst : public InitInstView {
public:
    explicit CliInitInst(Program &p) : p_(p) {}
    void showModal() override { InitInstProceed(p_); }
    void unload() override {}

private:
    Program &p_;
};

// The instrument information the recovery showed in the main window.
QString recoveredInformation(const Program &p)
{
    return p.view.Label1.text + QLatin1Char('\n');
}

} // namespace

int cliInitialize(const QStringList &args, QTextStream &out, QTextStream &err)
{
    const auto a = parseArgs(args, {QStringLiteral("port"), QStringLiteral("type"), QStringLiteral("interval"),
                                    QStringLiteral("kind"), QStringLiteral("memory")});
    if (!a || !a->words.isEmpty()) {
        return usageError(err);
    }
    const std::optional<int> port = portNumber(*a);
    const std::optional<int> type = typeNumber(*a);
    const std::map<QString, int> times{{QStringLiteral("15"), 1}, {QStringLiteral("5"), 2}, {QStringLiteral("1"), 3}};
    const std::map<QString, int> kinds{{QStringLiteral("average"), 4}, {QStringLiteral("minmaxavg"), 5}};
    const std::map<QString, int> memories{{QStringLiteral("continuous"), 6}, {QStringLiteral("stop"), 7}};
    const auto option = [&a](const char *name, const std::map<QString, int> &choices) -> int {
        const auto it = a->values.find(QLatin1String(name));
        if (it == a->values.end()) {
            return 0;
        }
        const auto c = choices.find(it->second);
        return c == choices.end() ? 0 : c->second;
    };
    const int time = option("interval", times);
    const int kind = option("kind", kinds);
    const int memory = option("memory", memories);
    if (!port || (type && *type < 0) || time == 0 || kind == 0 || memory == 0) {
        return usageError(err);
    }

    InstrumentProgram ip(err, *port, type);
    Program &p = ip.p();
    CliInitInst view(p);
    p.windows.initInst = &view;
    InitInstState &o = p.setup.initInst;
    o.timeOption = time;
    o.kindOption = kind;
    o.memoryOption = memory;
    p.runCommand(QStringLiteral("mnuItemInitialize"));
    p.windows.initInst = nullptr;
    if (o.readBack.isEmpty()) {
        return 1;
    }
    out << unixLines(o.readBack);
    return 0;
}

int cliRecover(const QStringList &args, QTextStream &out, QTextStream &err)
{
    const auto a = parseArgs(args, {QStringLiteral("port"), QStringLiteral("type")});
    if (!a || a->words.size() != 1) {
        return usageError(err);
    }
    const std::optional<int> port = portNumber(*a);
    const std::optional<int> type = typeNumber(*a);
    if (!port || !type || *type < 0) {
        return usageError(err);
    }
    InstrumentProgram ip(err, *port, type);
    Program &p = ip.p();
    ip.cli.dialogs.saveAnswer = QFileInfo(a->words.first()).absoluteFilePath();
    p.runCommand(QStringLiteral("mnuItemRecover"));
    // The window's OK, as the user presses it after the cable prompt.
    if (p.setup.recover.loaded) {
        RecoverOk(p);
    }
    if (!p.setup.recover.saved) {
        return 1;
    }
    out << unixLines(recoveredInformation(p));
    return 0;
}
