#include "sim_options.h"

#include "unit_types.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>

namespace {

bool parseFaults(const QStringList &values, Faults &f, QString &error)
{
    for (const QString &value : values) {
        for (const QString &raw : value.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const QString name = raw.trimmed();
            if (name == QLatin1String("silence")) {
                f.silence = true;
            } else if (name == QLatin1String("bad-chars")) {
                f.badChars = true;
            } else if (name == QLatin1String("no-ctrlz")) {
                f.noCtrlZ = true;
            } else if (name == QLatin1String("double-ctrlz")) {
                f.doubleCtrlZ = true;
            } else if (name == QLatin1String("low-battery")) {
                f.lowBattery = true;
            } else if (name == QLatin1String("wrong-family")) {
                f.wrongFamily = true;
            } else if (name == QLatin1String("no-t")) {
                f.noTMarker = true;
            } else if (name == QLatin1String("short-line")) {
                f.shortLine = true;
            } else if (name == QLatin1String("flood")) {
                f.flood = true;
            } else if (name.startsWith(QLatin1String("unplug-after="))) {
                bool ok = false;
                f.unplugAfter = name.mid(13).toLong(&ok);
                if (!ok || f.unplugAfter < 0) {
                    error = QStringLiteral("bad byte count in '%1'").arg(name);
                    return false;
                }
            } else if (name.startsWith(QLatin1String("stop-after="))) {
                bool ok = false;
                f.stopAfter = name.mid(11).toLong(&ok);
                if (!ok || f.stopAfter < 0) {
                    error = QStringLiteral("bad byte count in '%1'").arg(name);
                    return false;
                }
            } else {
                error = QStringLiteral("unknown fault '%1'").arg(name);
                return false;
            }
        }
    }
    return true;
}

} // namespace

std::optional<QDateTime> parseHeaderTime(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("^(\\d\\d)-(\\d\\d)-(\\d\\d) (\\d\\d):(\\d\\d)$"));
    const auto m = re.match(text.trimmed());
    if (!m.hasMatch()) {
        return std::nullopt;
    }
    const QDate d(2000 + m.captured(3).toInt(), m.captured(1).toInt(), m.captured(2).toInt());
    const QTime t(m.captured(4).toInt(), m.captured(5).toInt());
    if (!d.isValid() || !t.isValid()) {
        return std::nullopt;
    }
    return QDateTime(d, t);
}

std::optional<SimOptions> parseSimOptions(const QStringList &arguments, QString &error)
{
    QCommandLineParser p;
    p.setApplicationDescription(
        QStringLiteral(
            "Simulated RDX600 instrument on a pseudo-terminal.\n"
            "Prints the terminal's device path on its first output line; point the program at it\n"
            "with RDX600_COM1=<path> (port 1). Every time the program opens the port the unit\n"
            "transmits, as a connected instrument does: a leading CR LF, its header line, its readings\n"
            "(10 per line, newest first, after a \"T:\" marker) and a Ctrl-Z. A TAB received from\n"
            "the program starts the initialization exchange: the transmission stops, the unit answers\n"
            "\"INIT\", takes the\n"
            "initialization string (\"mm-dd-yy hh:mm\", blank, mode letter, kind digit, CR), clears its\n"
            "memory, takes the new mode and clock and sends back its header line followed by Ctrl-Z;\n"
            "from then on it records at its new interval (see --speed).\n"
            "When the program's baud rate differs from the unit's, the unit's bytes arrive as garbage:\n"
            "listening slower than the unit, fewer bytes of any value (letters and Ctrl-Z among them,\n"
            "random but the same for the same --seed); listening faster, runs of set high bits and nulls.\n"
            "Ends on SIGTERM or SIGINT (and with --exit-with-parent when its parent ends).\n"
            "RDX600_TIME_SCALE in the environment (e.g. 0.1, as for the program) scales the cable and\n"
            "initialization delays.\n"
            "Types (number or name): ") +
        unitTypeList());
    p.addHelpOption();
    const QCommandLineOption type(QStringLiteral("type"),
                                  QStringLiteral("Catalogue type, number or name (default 8, MQA-S5-MH)."),
                                  QStringLiteral("type"), QStringLiteral("8"));
    const QCommandLineOption family(QStringLiteral("family"),
                                    QStringLiteral("Family code, 3 letters (default: the type's, e.g. KQA)."),
                                    QStringLiteral("code"));
    const QCommandLineOption serial(QStringLiteral("serial"),
                                    QStringLiteral("Serial number, 4 characters (default 1234)."),
                                    QStringLiteral("text"));
    const QCommandLineOption mode(QStringLiteral("mode"),
                                  QStringLiteral("Mode letter a-m (default a); upper case means stopped."),
                                  QStringLiteral("letter"));
    const QCommandLineOption stopped(QStringLiteral("stopped"), QStringLiteral("The recording has stopped."));
    const QCommandLineOption clock(
        QStringLiteral("clock"),
        QStringLiteral("Time the recording started, \"mm-dd-yy hh:mm\" (default: so that "
                       "the newest reading is now)."),
        QStringLiteral("time"));
    const QCommandLineOption battery(QStringLiteral("battery"),
                                     QStringLiteral("Battery reading, 3 hex digits (default 3E8 = 3.806 V)."),
                                     QStringLiteral("hex"));
    const QCommandLineOption noBattery(QStringLiteral("no-battery"),
                                       QStringLiteral("Header without the Vbatt field."));
    const QCommandLineOption rate(QStringLiteral("rate"), QStringLiteral("Baud rate (default: the type's)."),
                                  QStringLiteral("baud"));
    const QCommandLineOption s5(
        QStringLiteral("s5"),
        QStringLiteral("S5 interface: transmits as soon as the port opens (and again at "
                       "every reopen, as after a DTR drop)."));
    const QCommandLineOption nonS5(QStringLiteral("non-s5"),
                                   QStringLiteral("Non-S5 interface: transmits once the cable is in, that is "
                                                  "--cable-delay after every open of the port."));
    const QCommandLineOption readings(
        QStringLiteral("readings"),
        QStringLiteral("Readings in memory (default 960; 3 per interval in min/max/avg "
                       "modes). May exceed the type's capacity, as an MQA-S5 sends readings "
                       "of earlier recordings after its own. A stop-when-full unit (modes d-f, "
                       "j-l) holding its capacity has stopped."),
        QStringLiteral("n"), QStringLiteral("960"));
    const QCommandLineOption full(
        QStringLiteral("full"),
        QStringLiteral("Memory full: as many readings as the type's capacity (with a stop mode "
                       "d-f or j-l the unit has stopped; --mode A gives a stopped continuous unit "
                       "whose memory filled)."));
    const QCommandLineOption blankMode(
        QStringLiteral("blank-mode"),
        QStringLiteral("Header with a blank mode character, as a KPA10/20 (type 1) sends it "
                       "unless --mode is given."));
    const QCommandLineOption speed(
        QStringLiteral("speed"),
        QStringLiteral("After an initialization the unit records one reading per interval "
                       "(three in min/max/avg modes) from its new clock; this many simulated "
                       "seconds pass per real second (default 1, e.g. 900: a 15-minute "
                       "interval per real second)."),
        QStringLiteral("factor"), QStringLiteral("1"));
    const QCommandLineOption answerDelay(
        QStringLiteral("answer-delay"),
        QStringLiteral("Milliseconds from the TAB to the unit's answer (default 200). The "
                       "transmission stops at the TAB; an initialization string that arrives "
                       "before the answer has been sent is ignored."),
        QStringLiteral("ms"), QStringLiteral("200"));
    const QCommandLineOption perLine(
        QStringLiteral("per-line"),
        QStringLiteral("Readings per transmitted line (default 10; a replayed --recording keeps "
                       "the lines of its file)."),
        QStringLiteral("n"), QStringLiteral("10"));
    const QCommandLineOption recording(
        QStringLiteral("recording"),
        QStringLiteral("Replay the readings (and, unless given, family, mode, serial "
                       "and clock) of a recording file."),
        QStringLiteral("file"));
    const QCommandLineOption seed(
        QStringLiteral("seed"),
        QStringLiteral("Seed of the generated load profile's noise and of the garbage sent at a "
                       "wrong rate (default 1); with --clock the readings are the same on every run."),
        QStringLiteral("n"), QStringLiteral("1"));
    const QCommandLineOption layout(
        QStringLiteral("layout"),
        QStringLiteral("\"t\": readings after a \"T:\" marker; \"old\": older layout, no "
                       "marker, time of the newest reading at header characters 47-60 "
                       "(default: old for types 1 and 10, else t)."),
        QStringLiteral("t|old"));
    const QCommandLineOption lowRange(QStringLiteral("low-range"),
                                      QStringLiteral("Readings with one decimal (low range)."));
    const QCommandLineOption peak(QStringLiteral("peak"),
                                  QStringLiteral("Daily peak of the generated load profile (default 200)."),
                                  QStringLiteral("value"), QStringLiteral("200"));
    const QCommandLineOption fault(
        QStringLiteral("fault"),
        QStringLiteral("Faults, comma-separated or repeated: silence, bad-chars (an \"A\" "
                       "in the second data line), short-line (one reading fewer in the second "
                       "data line), no-ctrlz, double-ctrlz, stop-after=N (bytes of each "
                       "transmission, then silent), unplug-after=N (bytes, then the unit closes "
                       "its end of the terminal and the simulator ends: the cable pulled), "
                       "low-battery (lower-case family letter), wrong-family (second letter \"X\"), "
                       "no-t (readings without the \"T:\" marker, which a recovery refuses), "
                       "flood (after the header, 300,000 letters and signs without a Ctrl-Z: "
                       "past every receive limit)."),
        QStringLiteral("list"));
    const QCommandLineOption fullSpeed(
        QStringLiteral("full-speed"),
        QStringLiteral("Send as fast as the terminal takes it instead of at the baud "
                       "rate."));
    const QCommandLineOption cableDelay(
        QStringLiteral("cable-delay"),
        QStringLiteral("Milliseconds from the port opening to the first byte (default "
                       "50 for S5, 500 for non-S5)."),
        QStringLiteral("ms"));
    const QCommandLineOption initDelay(
        QStringLiteral("init-delay"),
        QStringLiteral("Milliseconds the unit takes to initialize (default 1000)."), QStringLiteral("ms"),
        QStringLiteral("1000"));
    const QCommandLineOption pathFile(QStringLiteral("path-file"),
                                      QStringLiteral("Also write the device path to this file."),
                                      QStringLiteral("file"));
    const QCommandLineOption log(QStringLiteral("log"),
                                 QStringLiteral("Write the event log (opened, closed, rate seen, bytes sent, "
                                                "received) to this file instead of standard error."),
                                 QStringLiteral("file"));
    const QCommandLineOption exitWithParent(
        QStringLiteral("exit-with-parent"),
        QStringLiteral("End when the process that started the simulator ends."));
    p.addOptions({type,           family, serial,    mode,      stopped,    clock,     battery,  noBattery,
                  rate,           s5,     nonS5,     readings,  perLine,    recording, seed,     layout,
                  lowRange,       peak,   fault,     fullSpeed, cableDelay, initDelay, pathFile, log,
                  exitWithParent, full,   blankMode, speed,     answerDelay});
    if (!p.parse(arguments)) {
        error = p.errorText();
        return std::nullopt;
    }
    if (p.isSet(QStringLiteral("help"))) {
        p.showHelp(0);
    }
    if (!p.positionalArguments().isEmpty()) {
        error = QStringLiteral("unexpected argument '%1'").arg(p.positionalArguments().first());
        return std::nullopt;
    }

    SimOptions o;
    const auto unit = findUnitType(p.value(type));
    if (!unit) {
        error = QStringLiteral("unknown type '%1'").arg(p.value(type));
        return std::nullopt;
    }
    o.type = unit->number;
    if (p.isSet(family)) {
        const QString f = p.value(family);
        if (f.size() != 3) {
            error = QStringLiteral("the family code has 3 letters");
            return std::nullopt;
        }
        o.family = f;
    }
    if (p.isSet(serial)) {
        o.serial = p.value(serial);
    }
    if (p.isSet(mode)) {
        const QString m = p.value(mode);
        if (m.size() != 1) {
            error = QStringLiteral("the mode is one letter");
            return std::nullopt;
        }
        o.mode = m.at(0);
    }
    o.stopped = p.isSet(stopped);
    if (p.isSet(clock)) {
        o.clock = parseHeaderTime(p.value(clock));
        if (!o.clock) {
            error = QStringLiteral("the clock is written \"mm-dd-yy hh:mm\"");
            return std::nullopt;
        }
    }
    if (p.isSet(battery)) {
        const QString b = p.value(battery).toUpper();
        static const QRegularExpression hex(QStringLiteral("^[0-9A-F]{3}$"));
        if (!hex.match(b).hasMatch()) {
            error = QStringLiteral("the battery reading is 3 hex digits");
            return std::nullopt;
        }
        o.battery = b;
    }
    o.noBattery = p.isSet(noBattery);
    bool ok = true;
    if (p.isSet(rate)) {
        o.rate = p.value(rate).toInt(&ok);
        if (!ok || *o.rate <= 0) {
            error = QStringLiteral("bad baud rate");
            return std::nullopt;
        }
    }
    if (p.isSet(s5) && p.isSet(nonS5)) {
        error = QStringLiteral("--s5 and --non-s5 exclude each other");
        return std::nullopt;
    }
    if (p.isSet(s5) || p.isSet(nonS5)) {
        o.s5 = p.isSet(s5);
    }
    o.readings = p.value(readings).toInt(&ok);
    if (!ok || o.readings < 0) {
        error = QStringLiteral("bad number of readings");
        return std::nullopt;
    }
    o.full = p.isSet(full);
    if (o.full) {
        o.readings = unit->capacity;
    }
    if (p.isSet(blankMode)) {
        o.blankMode = true;
    }
    o.speed = p.value(speed).toDouble(&ok);
    if (!ok || o.speed <= 0) {
        error = QStringLiteral("bad speed");
        return std::nullopt;
    }
    o.answerDelayMs = p.value(answerDelay).toInt(&ok);
    if (!ok || o.answerDelayMs < 0) {
        error = QStringLiteral("bad answer delay");
        return std::nullopt;
    }
    o.perLine = p.value(perLine).toInt(&ok);
    if (!ok || o.perLine < 1) {
        error = QStringLiteral("bad number of readings per line");
        return std::nullopt;
    }
    o.recordingFile = p.value(recording);
    o.seed = p.value(seed).toUInt(&ok);
    if (!ok) {
        error = QStringLiteral("bad seed");
        return std::nullopt;
    }
    if (p.isSet(layout)) {
        const QString l = p.value(layout);
        if (l != QLatin1String("t") && l != QLatin1String("old")) {
            error = QStringLiteral("the layout is \"t\" or \"old\"");
            return std::nullopt;
        }
        o.oldLayout = l == QLatin1String("old");
    }
    o.lowRange = p.isSet(lowRange);
    o.peak = p.value(peak).toDouble(&ok);
    if (!ok || o.peak <= 0) {
        error = QStringLiteral("bad peak value");
        return std::nullopt;
    }
    if (!parseFaults(p.values(fault), o.faults, error)) {
        return std::nullopt;
    }
    o.fullSpeed = p.isSet(fullSpeed);
    if (p.isSet(cableDelay)) {
        o.cableDelayMs = p.value(cableDelay).toInt(&ok);
        if (!ok || *o.cableDelayMs < 0) {
            error = QStringLiteral("bad cable delay");
            return std::nullopt;
        }
    }
    o.initDelayMs = p.value(initDelay).toInt(&ok);
    if (!ok || o.initDelayMs < 0) {
        error = QStringLiteral("bad initialization delay");
        return std::nullopt;
    }
    const double scale = qEnvironmentVariable("RDX600_TIME_SCALE").toDouble(&ok);
    o.timeScale = ok && scale > 0 ? scale : 1.0;
    o.pathFile = p.value(pathFile);
    o.logFile = p.value(log);
    o.exitWithParent = p.isSet(exitWithParent);
    return o;
}
