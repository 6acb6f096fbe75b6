// rdx600-cli: the exchanges with an instrument (status, download). They run
// the menu commands' own procedures on the real serial port; the answers a
// person would give come from the options.
#include "cli/cli.h"
#include "cli/cli_commands.h"
#include "cli/cli_program.h"
#include "link/download.h"
#include "link/download_text.h"
#include "link/instrument_catalogue.h"
#include "link/status_check.h"
#include "platform/qt_serial_port.h"
#include "shell/startup.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

namespace {

// Without a person to press Cancel, a download that hears nothing for this
// long (a silent unit, a transfer that stopped early) is cancelled.
constexpr int kSilenceLimitMs = 60000;
constexpr int kWatchMs = 1000;

struct LinkOptions {
    int port = 1;
    std::optional<int> type;
    std::optional<QString> fieldInit;
    bool saveDamaged = false;
    QStringList positional;
};

std::optional<LinkOptions> parseLinkOptions(const QStringList &args, bool download)
{
    QCommandLineParser parser;
    const QCommandLineOption port(QStringLiteral("port"), QString(), QStringLiteral("N"));
    const QCommandLineOption type(QStringLiteral("type"), QString(), QStringLiteral("T"));
    const QCommandLineOption fieldInit(QStringLiteral("field-init"), QString(), QStringLiteral("TIME"));
    const QCommandLineOption saveDamaged(QStringLiteral("save-damaged"), QString());
    parser.addOption(port);
    parser.addOption(type);
    if (download) {
        parser.addOption(fieldInit);
        parser.addOption(saveDamaged);
    }
    if (!parser.parse(QStringList{QStringLiteral("rdx600-cli")} + args) || !parser.isSet(port)) {
        return std::nullopt;
    }
    LinkOptions o;
    bool ok = false;
    o.port = parser.value(port).toInt(&ok);
    if (!ok) {
        return std::nullopt;
    }
    if (parser.isSet(type)) {
        const int t = parser.value(type).toInt(&ok);
        if (!ok || t < 0 || t > InstType::kLast) {
            return std::nullopt;
        }
        o.type = t;
    }
    if (download) {
        if (parser.isSet(fieldInit)) {
            o.fieldInit = parser.value(fieldInit);
        }
        o.saveDamaged = parser.isSet(saveDamaged);
    }
    o.positional = parser.positionalArguments();
    if (o.positional.size() != (download ? 1 : 0)) {
        return std::nullopt;
    }
    return o;
}

// The program's start-up values, the port and the instrument type.
void prepareLink(Program &p, SerialPort &port, const LinkOptions &o)
{
    loadStartupValues(p.splash, QDir::currentPath());
    p.io.port = &port;
    p.link.gCommPort = o.port;
    if (o.type) {
        p.splash.instSelection = *o.type;
        applyTypeSettings(p, *o.type);
    }
}

} // namespace

int cliStatus(const QStringList &args, QTextStream &out, QTextStream &err)
{
    const auto o = parseLinkOptions(args, false);
    if (!o) {
        return usageError(err);
    }
    CliProgram cli(err);
    Program &p = *cli.program;
    QtSerialPort port;
    prepareLink(p, port, *o);
    // OK to the prompt, No to "Do you want to do another?".
    bool complete = false;
    cli.dialogs.answer = [&complete](const QString &text, MsgButtons buttons) {
        if (buttons == MsgButtons::YesNo) {
            complete = complete || text.contains(QLatin1String("Status check complete."));
            return MsgResult::No;
        }
        return MsgResult::Ok;
    };
    mnuItemStatusCheck(p);
    if (!complete) {
        return 1;
    }
    out << unixLines(p.link.status.label2);
    return 0;
}

int cliDownload(const QStringList &args, QTextStream &out, QTextStream &err)
{
    const auto o = parseLinkOptions(args, true);
    if (!o) {
        return usageError(err);
    }
    if (o->fieldInit && !parseFieldInitialization(*o->fieldInit)) {
        err << "rdx600-cli: --field-init wants the time as \"mm-dd-yy hh:mm\"\n";
        return usageError(err);
    }
    CliProgram cli(err);
    Program &p = *cli.program;
    QtSerialPort port;
    prepareLink(p, port, *o);
    cli.dialogs.saveAnswer = QFileInfo(o->positional.first()).absoluteFilePath();
    cli.dialogs.inputAnswer = o->fieldInit;
    // OK to the prompts, the caution and the messages; "save anyway?" as
    // --save-damaged says.
    const bool saveDamaged = o->saveDamaged;
    cli.dialogs.answer = [saveDamaged](const QString &, MsgButtons buttons) {
        if (buttons == MsgButtons::YesNo) {
            return saveDamaged ? MsgResult::Yes : MsgResult::No;
        }
        return MsgResult::Ok;
    };

    mnuItemDownload(p);
    if (!p.link.download.loaded) {
        return 1;
    }
    // Cancels a download that hears nothing for a minute.
    int32_t lastCount = -1;
    qint64 quietSince = p.clock().elapsedMs();
    bool cancelledBySilence = false;
    const auto watch = p.clock().createTimer([&] {
        const DownloadWindowState &s = p.link.download;
        const qint64 now = p.clock().elapsedMs();
        if (s.charsReceived != lastCount) {
            lastCount = s.charsReceived;
            quietSince = now;
        } else if (now - quietSince >= static_cast<qint64>(kSilenceLimitMs * cli.clock.timeScale()) &&
                   s.downloadActive && !s.cancelRequested) {
            cancelledBySilence = true;
            DownloadCancel(p);
        }
    });
    watch->start(kWatchMs);
    DownloadOK(p);
    watch->stop();

    if (cancelledBySilence) {
        err << "rdx600-cli: nothing arrived from the instrument for " << kSilenceLimitMs / 1000
            << " seconds; the download was cancelled\n";
    }
    if (!p.link.download.textReady && cli.dialogs.inputBoxes > 0 && !o->fieldInit) {
        err << "rdx600-cli: the unit has stopped; give the time of its field initialization with "
               "--field-init \"mm-dd-yy hh:mm\"\n";
    }
    if (p.link.download.textReady && !p.view.Label1.text.isEmpty()) {
        out << unixLines(p.view.Label1.text) << '\n';
    }
    return p.link.download.saved ? 0 : 1;
}
