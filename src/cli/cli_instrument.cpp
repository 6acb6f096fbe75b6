// rdx600-cli initialize and recover: the menu's Initialize and Recover
// commands on a serial port, with the options given on the command line in
// place of the windows.
#include "cli/cli.h"
#include "cli/cli_commands.h"
#include "cli/cli_program.h"
#include "link/header_exchange.h"
#include "link/instrument_catalogue.h"
#include "link/serial_link.h"
#include "platform/qt_serial_port.h"
#include "platform/settings_store.h"
#include "program/menu_items.h"
#include "setup/initialize.h"
#include "setup/recover.h"
#include "shell/startup.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <functional>
#include <map>

namespace {

// The options of an instrument subcommand: "--name value" pairs, "--flag"
// switches and the remaining words. nullopt on a malformed command line.
struct InstrumentArgs {
    std::map<QString, QString> values;
    QStringList flags;
    QStringList words;
};

std::optional<InstrumentArgs> parseArgs(const QStringList &args, const QStringList &names,
                                        const QStringList &flags = {})
{
    InstrumentArgs a;
    for (int i = 0; i < args.size(); ++i) {
        const QString &w = args.at(i);
        if (w.startsWith(QLatin1String("--"))) {
            const QString name = w.mid(2);
            if (flags.contains(name) && !a.flags.contains(name)) {
                a.flags << name;
                continue;
            }
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

// Without a person to press Cancel, an exchange that hears nothing from the
// unit for this long (a silent unit, a transfer that stopped) is cancelled.
constexpr int kSilenceLimitMs = 60000;
constexpr int kWatchMs = 1000;

// The real serial port, counting the bytes the exchange takes from it.
class WatchedPort : public SerialPort {
public:
    int setCommPort(int n) override { return port_.setCommPort(n); }
    int commPort() const override { return port_.commPort(); }
    int setSettings(const QString &settings) override { return port_.setSettings(settings); }
    QString settings() const override { return port_.settings(); }
    int setPortOpen(bool open) override { return port_.setPortOpen(open); }
    bool portOpen() const override { return port_.portOpen(); }
    void setInputLen(int n) override { port_.setInputLen(n); }
    int inputLen() const override { return port_.inputLen(); }
    QByteArray input() override
    {
        QByteArray bytes = port_.input();
        received += bytes.size();
        return bytes;
    }
    int inBufferCount() const override { return port_.inBufferCount(); }
    int output(const QByteArray &bytes) override { return port_.output(bytes); }
    void setDTREnable(bool on) override { port_.setDTREnable(on); }
    bool dtrEnable() const override { return port_.dtrEnable(); }
    void setEOFEnable(bool on) override { port_.setEOFEnable(on); }
    bool eofEnable() const override { return port_.eofEnable(); }
    int lastError() const override { return port_.lastError(); }
    QString errorText(int error) const override { return port_.errorText(error); }

    qint64 received = 0;

private:
    QtSerialPort port_;
};

// The program with a real serial port on port `port`, type `type` selected
// (none: the start-up selection) and the prompts answered OK.
class InstrumentProgram {
public:
    InstrumentProgram(QTextStream &err, int port, std::optional<int> type) : cli(err), err_(err)
    {
        Program &p = *cli.program;
        p.io.port = &serial;
        loadStartupValues(p.splash, QDir::currentPath());
        initialiseProgram(p);
        // The port named on the command line is the saved port the
        // instrument commands read.
        p.settings().save(QStringLiteral("Comm"), QStringLiteral("RDX.MSComm1.CommPort"),
                          QString::number(port));
        reloadCommPort(p);
        if (type) {
            p.splash.instSelection = *type;
            applyTypeSettings(p, *type);
        }
        // OK to the prompts (until the exchange is given up); No to "Do
        // you want to do another?" and, unless told otherwise, to saving
        // readings with bad characters.
        cli.dialogs.answer = [this](const QString &, MsgButtons buttons) {
            if (buttons == MsgButtons::OkCancel) {
                return answerOk_ ? MsgResult::Ok : MsgResult::Cancel;
            }
            if (buttons == MsgButtons::YesNo) {
                return saveDamaged ? MsgResult::Yes : MsgResult::No;
            }
            return MsgResult::Ok;
        };
        installInitializeCommand(p);
        installRecoverCommand(p);
    }
    Program &p() { return *cli.program; }

    // Cancels the exchange, as the person would, once the port has been
    // open for kSilenceLimitMs without a byte; later prompts are answered
    // Cancel.
    void cancelWhenSilent(const std::function<void()> &cancel)
    {
        QObject::connect(&watch_, &QTimer::timeout, [this, cancel] {
            if (!serial.portOpen() || serial.received != lastReceived_) {
                lastReceived_ = serial.received;
                silentMs_ = 0;
                return;
            }
            silentMs_ += kWatchMs;
            if (silentMs_ >= kSilenceLimitMs) {
                err_ << "rdx600-cli: nothing received for " << kSilenceLimitMs / 1000 << " s; cancelled\n";
                err_.flush();
                answerOk_ = false;
                silentMs_ = 0;
                cancel();
            }
        });
        watch_.start(kWatchMs);
    }

    CliProgram cli;
    WatchedPort serial;
    // Yes to "Do you want to save this file anyway?" (recover --save-damaged).
    bool saveDamaged = false;

private:
    QTextStream &err_;
    bool answerOk_ = true;
    QTimer watch_;
    qint64 lastReceived_ = 0;
    int silentMs_ = 0;
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
    const auto a =
        parseArgs(args, {QStringLiteral("port"), QStringLiteral("type"), QStringLiteral("interval"),
                         QStringLiteral("kind"), QStringLiteral("memory")});
    if (!a || !a->words.isEmpty()) {
        return usageError(err);
    }
    const std::optional<int> port = portNumber(*a);
    const std::optional<int> type = typeNumber(*a);
    const std::map<QString, int> times{
        {QStringLiteral("15"), 1}, {QStringLiteral("5"), 2}, {QStringLiteral("1"), 3}};
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
    ip.cancelWhenSilent([&p] { AbortCancel(p); });
    InitInstState &o = p.setup.initInst;
    o.timeOption = time;
    o.kindOption = kind;
    o.memoryOption = memory;
    p.runCommand(menu::kItemInitialize);
    p.windows.initInst = nullptr;
    if (o.readBack.isEmpty()) {
        return 1;
    }
    out << unixLines(o.readBack);
    return 0;
}

int cliRecover(const QStringList &args, QTextStream &out, QTextStream &err)
{
    const auto a =
        parseArgs(args, {QStringLiteral("port"), QStringLiteral("type")}, {QStringLiteral("save-damaged")});
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
    ip.saveDamaged = a->flags.contains(QStringLiteral("save-damaged"));
    ip.cli.dialogs.saveAnswer = QFileInfo(a->words.first()).absoluteFilePath();
    ip.cancelWhenSilent([&p] { RecoverCancel(p); });
    p.runCommand(menu::kItemRecover);
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
