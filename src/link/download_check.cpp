#include "link/download_check.h"

#include "platform/dialogs.h"
#include "platform/file_read.h"
#include "program/menu_items.h"
#include "program/program.h"
#include "recording/save.h"

#include <QDir>
#include <QStringList>
#include <array>

namespace {

const QString kCrLf = QStringLiteral("\r\n");
constexpr char16_t kCtrlZ = 26;

// The ten lines of runspec.txt and the flag each one sets.
struct RunSpecLine {
    const char *line;
    bool RunSpecFlags::*flag;
    bool value;
};
// clang-format off
const std::array<RunSpecLine, 10> kRunSpecLines = {{
    {"enableChange999sTo000=False", &RunSpecFlags::enableChange999sTo000, false},
    {"enable999CountReport=True",   &RunSpecFlags::enable999CountReport,  true},
    {"enableErrorReport=False",     &RunSpecFlags::enableErrorReport,     false},
    {"enableAddedReading=True",     &RunSpecFlags::enableAddedReading,    true},
    {"enableMissingReading=True",   &RunSpecFlags::enableMissingReading,  true},
    {"enableChangeTo999=True",      &RunSpecFlags::enableChangeTo999,     true},
    {"enableAddedBadChar=True",     &RunSpecFlags::enableAddedBadChar,    true},
    {"enableReadingOver999=True",   &RunSpecFlags::enableReadingOver999,  true},
    {"enableAddedCtrlZ=True",       &RunSpecFlags::enableAddedCtrlZ,      true},
    {"enableMissingCtrlZ=True",     &RunSpecFlags::enableMissingCtrlZ,    true},
}};
// clang-format on

bool isDigit(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9';
}

// Index of the first "T:" that starts before the last two characters of the
// text (the insertions' search); nullopt when there is none.
std::optional<qsizetype> insertionMarker(const QString &text)
{
    for (qsizetype i = 0; i + 2 < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('T') && text.at(i + 1) == QLatin1Char(':')) {
            return i;
        }
    }
    return std::nullopt;
}

// Insertion k (1..6) at the line end of line k after the marker's ":".
void insertAtLine(QString &text, qsizetype colon, int k)
{
    int line = 1;
    qsizetype start = -1;
    qsizetype end = -1;
    for (qsizetype i = colon; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\n')) {
            if (line == k) {
                const bool reading = start >= 0 && end >= start;
                switch (k) {
                case 1:
                    text.insert(i, QStringLiteral(" 123 "));
                    break;
                case 2:
                    if (reading) {
                        text.remove(start, end - start + 1);
                    }
                    break;
                case 3:
                    if (reading) {
                        text.replace(start, end - start + 1, QStringLiteral(" 999 "));
                    }
                    break;
                case 4:
                    text.insert(i, QLatin1Char('A'));
                    break;
                case 5:
                    if (reading) {
                        text.replace(start, end - start + 1, QStringLiteral(" 1234 "));
                    }
                    break;
                default:
                    text.insert(i, QChar(kCtrlZ));
                    break;
                }
                return;
            }
            ++line;
            start = -1;
            end = -1;
        } else if (start < 0) {
            if (isDigit(c)) {
                start = i;
            }
        } else if (end < 0 && (c == QLatin1Char(' ') || c == QLatin1Char('\r'))) {
            end = i - 1;
        }
    }
}

// Whether the text of a reading (digits, at most one decimal point) is
// above 999.
bool over999(const QChar *first, const QChar *last)
{
    const QChar *p = first;
    while (p < last && p->unicode() == '0') {
        ++p;
    }
    const QChar *intEnd = p;
    while (intEnd < last && isDigit(*intEnd)) {
        ++intEnd;
    }
    const qsizetype intDigits = intEnd - p;
    if (intDigits != 3) {
        return intDigits > 3;
    }
    if (p[0] != QLatin1Char('9') || p[1] != QLatin1Char('9') || p[2] != QLatin1Char('9')) {
        return false;
    }
    // 999 and a fraction above nothing: 999.5 is over 999, 999.0 is not.
    for (const QChar *q = intEnd; q < last; ++q) {
        if (isDigit(*q) && q->unicode() != '0') {
            return true;
        }
    }
    return false;
}

} // namespace

QString reportBullet()
{
    return QStringLiteral("   ") + QChar(0x2022) + QStringLiteral("  ");
}

QString findRunSpecFile(const QString &folder)
{
    const QDir dir(folder.isEmpty() ? QDir::currentPath() : folder);
    const QString exact = QStringLiteral("runspec.txt");
    QString found;
    const QStringList names = dir.entryList(QDir::Files | QDir::System | QDir::Hidden, QDir::Name);
    for (const QString &name : names) {
        if (name.toUpper() == QLatin1String("RUNSPEC.TXT") && (found.isEmpty() || name == exact)) {
            found = name;
        }
    }
    return found.isEmpty() ? QString() : dir.filePath(found);
}

QString applyRunSpecLines(const QString &text, RunSpecFlags &flags)
{
    QString log;
    const qsizetype eof = text.indexOf(QChar(kCtrlZ));
    const QString body = eof < 0 ? text : text.left(eof);
    for (QString line : body.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
        for (const RunSpecLine &known : kRunSpecLines) {
            if (line == QLatin1String(known.line)) {
                flags.*known.flag = known.value;
                log += reportBullet() + line + kCrLf;
            }
        }
    }
    return log;
}

QString runSpecMessage(const QString &log)
{
    if (!log.isEmpty()) {
        return QStringLiteral("Flag settings per 'runspec.txt' file:") + kCrLf + log;
    }
    return QStringLiteral("No valid run specs found in 'runspec.txt'.") + kCrLf +
           QStringLiteral("  - To avoid getting this message either fix file 'runspec.txt'") + kCrLf +
           QStringLiteral("    or delete it.");
}

bool HandleRunspec(Program &p)
{
    RunSpecFlags &flags = p.link.download.runSpec;
    flags = RunSpecFlags{};
    const QString path = findRunSpecFile(p.splash.workingDirectory);
    if (path.isEmpty()) {
        return true;
    }
    const auto bytes = readRegularFile(path);
    if (!bytes) {
        return false;
    }
    const QString log = applyRunSpecLines(QString::fromLatin1(*bytes), flags);
    p.dialogs().message(runSpecMessage(log));
    return true;
}

QString insertErrorsNoMarkerText()
{
    return QStringLiteral("InsertErrors(): Couldn't find 'T:' in gText$");
}

bool insertErrors(QString &text, const RunSpecFlags &flags)
{
    const std::array<bool, 6> atLine = {flags.enableAddedReading,   flags.enableMissingReading,
                                        flags.enableChangeTo999,    flags.enableAddedBadChar,
                                        flags.enableReadingOver999, flags.enableAddedCtrlZ};
    bool any = flags.enableMissingCtrlZ;
    for (const bool on : atLine) {
        any = any || on;
    }
    if (!any) {
        return true;
    }
    const auto marker = insertionMarker(text);
    if (!marker) {
        return false;
    }
    const qsizetype colon = *marker + 1;
    for (int k = 1; k <= 6; ++k) {
        if (atLine[k - 1]) {
            insertAtLine(text, colon, k);
        }
    }
    if (flags.enableMissingCtrlZ) {
        const qsizetype z = text.indexOf(QChar(kCtrlZ), colon + 1);
        if (z >= 0) {
            text[z] = QLatin1Char(' ');
        }
    }
    return true;
}

void InsertErrors(Program &p)
{
    if (!insertErrors(p.rec.gText, p.link.download.runSpec)) {
        p.dialogs().message(insertErrorsNoMarkerText());
    }
}

std::optional<qsizetype> downloadHeaderIndex(const QString &text)
{
    const qsizetype n = std::min<qsizetype>(text.size(), 32767);
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c == 'M' || c == 'm' || c == 'K' || c == 'k') {
            return i;
        }
    }
    return std::nullopt;
}

bool hasTLayoutMarker(const QString &text)
{
    const auto header = downloadHeaderIndex(text);
    return header && *header + 46 < text.size() && text.at(*header + 46) == QLatin1Char('T');
}

DownloadErrorCounts countDownloadErrors(QString &text, bool change999To000)
{
    DownloadErrorCounts counts;
    const qsizetype n = text.size();
    qsizetype i = 0;
    // The data section starts after the first "T" directly followed by ":".
    while (i + 1 < n && !(text.at(i) == QLatin1Char('T') && text.at(i + 1) == QLatin1Char(':'))) {
        ++i;
    }
    if (i + 1 >= n) {
        return counts; // no data section: no Ctrl-Z either, which the result reports
    }
    i += 2;
    const QChar *d = text.constData(); // detached only when a '999' is overwritten
    bool inProgress = false;           // cleared by a blank or a line end only
    bool hasPoint = false;
    qsizetype start = -1;
    qsizetype end = -1;
    int lineReadings = 0;
    const auto markEnd = [&](qsizetype at) {
        if (start >= 0 && end < 0) {
            end = at;
        }
    };
    const auto bad = [&](char16_t c) {
        if (counts.badCharacters++ == 0) {
            counts.firstBadCharacter = c;
        }
    };
    for (; i < n; ++i) {
        const char16_t c = d[i].unicode();
        if (c >= '0' && c <= '9') {
            if (!inProgress) {
                inProgress = true;
                hasPoint = false;
                start = i;
                end = -1;
                ++lineReadings;
            }
            continue; // a digit never ends a reading
        }
        switch (c) {
        case ' ':
        case '\r':
            markEnd(i - 1);
            inProgress = false;
            break;
        case '\n':
            markEnd(i - 1);
            inProgress = false;
            if (lineReadings != 10) {
                ++counts.incorrectLines;
            }
            lineReadings = 0;
            break;
        case kCtrlZ:
            if (++counts.ctrlZ > 1) {
                bad(c);
            }
            markEnd(i - 1);
            break;
        case '.':
            // A decimal point between two digits of a reading is part of it.
            if (start >= 0 && end < 0 && !hasPoint && i + 1 < n && isDigit(d[i + 1])) {
                hasPoint = true;
                continue;
            }
            bad(c);
            markEnd(i - 1);
            break;
        default:
            bad(c);
            markEnd(i - 1);
            break;
        }
        if (start >= 0 && end >= 0) {
            const qsizetype length = end - start + 1;
            if (length == 3 && d[start] == QLatin1Char('9') && d[start + 1] == QLatin1Char('9') &&
                d[start + 2] == QLatin1Char('9')) {
                ++counts.readings999;
                if (change999To000) {
                    QChar *w = text.data();
                    w[start] = w[start + 1] = w[start + 2] = QLatin1Char('0');
                    d = w;
                }
            } else if (over999(d + start, d + end + 1)) {
                ++counts.readingsOver999;
            }
            start = -1;
            end = -1;
        }
    }
    return counts;
}

QString downloadErrorResult(const DownloadErrorCounts &counts)
{
    if (counts.clean()) {
        return {};
    }
    QStringList pieces;
    for (const int v : {counts.incorrectLines, counts.badCharacters, counts.firstBadCharacter,
                        counts.readings999, counts.readingsOver999, counts.ctrlZ}) {
        pieces << QLatin1Char(' ') + QString::number(v);
    }
    return pieces.join(QLatin1Char(' '));
}

std::optional<DownloadErrorCounts> parseDownloadErrorResult(const QString &result)
{
    const QStringList pieces = result.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (pieces.size() != 6) {
        return std::nullopt;
    }
    std::array<int, 6> v{};
    for (int k = 0; k < 6; ++k) {
        bool ok = false;
        v[k] = pieces[k].toInt(&ok);
        if (!ok) {
            return std::nullopt;
        }
    }
    return DownloadErrorCounts{v[0], v[1], v[2], v[3], v[4], v[5]};
}

QString CountDownloadErrors(Program &p)
{
    if (!hasTLayoutMarker(p.rec.gText)) {
        return {};
    }
    return downloadErrorResult(
        countDownloadErrors(p.rec.gText, p.link.download.runSpec.enableChange999sTo000));
}

QString unknownModeProblem(const QString &text, const ModeTable &modes)
{
    const auto m = downloadHeaderIndex(text);
    if (!m || *m + 3 >= text.size()) {
        return {};
    }
    const QChar c = text.at(*m + 3);
    const QString letter = c == QLatin1Char(' ') ? QStringLiteral("a") : QString(c).toLower();
    if (modes.interval(letter)) {
        return {};
    }
    const QString shown = c.unicode() < 32 ? QStringLiteral("code ") + QString::number(c.unicode())
                                           : QLatin1Char('\'') + QString(c) + QLatin1Char('\'');
    return QStringLiteral("unknown mode letter ") + shown +
           QStringLiteral(" in the header (the file will not open)");
}

DownloadReports downloadReports(const QString &result, const RunSpecFlags &flags,
                                const QString &headerProblem)
{
    DownloadReports reports;
    const auto parsed = parseDownloadErrorResult(result);
    if (!parsed && headerProblem.isEmpty()) {
        return reports;
    }
    DownloadErrorCounts clean;
    clean.ctrlZ = 1;
    const DownloadErrorCounts *counts = parsed ? &*parsed : &clean;
    if (flags.enable999CountReport && counts->readings999 > 0) {
        reports.count999 =
            QStringLiteral("Download had ") + QString::number(counts->readings999) +
            QStringLiteral(" '999' reading(s)") + kCrLf +
            (flags.enableChange999sTo000 ? QStringLiteral("(which was/were converted to '000')")
                                         : QStringLiteral("(which was/were left as is)"));
    }
    const bool damaged = counts->badCharacters != 0 || counts->incorrectLines != 0 ||
                         counts->readingsOver999 != 0 || counts->ctrlZ != 1 || !headerProblem.isEmpty();
    if (flags.enableErrorReport && damaged) {
        const QString bullet = reportBullet();
        QString t = QStringLiteral("Downloaded data has the following error(s):") + kCrLf;
        if (!headerProblem.isEmpty()) {
            t += bullet + headerProblem + kCrLf;
        }
        if (counts->incorrectLines != 0) {
            t += bullet + QString::number(counts->incorrectLines) +
                 QStringLiteral(" line(s) with an incorrect number of readings") + kCrLf;
        }
        if (counts->readingsOver999 != 0) {
            t += bullet + QString::number(counts->readingsOver999) + QStringLiteral(" reading(s) over 999") +
                 kCrLf;
        }
        if (counts->ctrlZ != 1) {
            t += bullet + QString::number(counts->ctrlZ) +
                 QStringLiteral(" terminating ctrl/z characters found (should be exactly 1)") + kCrLf;
        }
        if (counts->badCharacters != 0) {
            t +=
                bullet + QString::number(counts->badCharacters) + QStringLiteral(" bad character(s)") + kCrLf;
        }
        if (counts->firstBadCharacter != 0) {
            t += QString(7, QLatin1Char(' ')) + QStringLiteral("(ASCII value of first bad character = ") +
                 QString::number(counts->firstBadCharacter) + QStringLiteral(")") + kCrLf;
        }
        t += kCrLf + QStringLiteral("Do you want to save this file anyway?") + kCrLf +
             QStringLiteral(" (If you click 'No' you can try another Download.)");
        reports.errors = t;
    }
    return reports;
}

bool DownloadReportAndSave(Program &p)
{
    InsertErrors(p);
    const QString result = CountDownloadErrors(p);
    const QString modeProblem = unknownModeProblem(p.rec.gText, p.modes);
    if (!result.isEmpty() || !modeProblem.isEmpty()) {
        const DownloadReports reports = downloadReports(result, p.link.download.runSpec, modeProblem);
        if (!reports.count999.isEmpty()) {
            p.dialogs().message(reports.count999);
        }
        if (!reports.errors.isEmpty() &&
            p.dialogs().message(reports.errors, {}, MsgButtons::YesNo) != MsgResult::Yes) {
            return false; // gText stays unsaved; another download may follow
        }
    }
    return SaveDialogProc(p);
}

QString specialTestText(const Program &p)
{
    const Recording &r = p.rec;
    const auto quoted = [](const QString &name, const QString &value) {
        return name + QStringLiteral("='") + value + QLatin1Char('\'');
    };
    QStringList lines;
    lines << quoted(QStringLiteral("gDatastart"), QString::number(r.gDatastart)) + QStringLiteral("  ") +
                 quoted(QStringLiteral("gdataend"), QString::number(r.gdataend));
    lines << quoted(QStringLiteral("gtext$"), r.gText.left(100));
    lines << quoted(QStringLiteral("gDateX"), QString::number(r.gDateX));
    lines << quoted(QStringLiteral("gDateX"), QString::number(r.gDateX));
    lines << quoted(QStringLiteral("gZoomFlag"), r.gZoomFlag ? QStringLiteral("-1") : QStringLiteral("0"));
    lines << quoted(QStringLiteral("ginx"), QString::number(r.ginx));
    for (int slot = 0; slot < kSlots; ++slot) {
        lines << QStringLiteral("gInfo(%1,7)='").arg(slot) + r.gInfo[slot][kColPath].text();
    }
    return lines.join(kCrLf);
}

void SpecialTest(Program &p)
{
    // The splash window is already hidden once the main window takes commands.
    p.rec.gText = QStringLiteral("This is a test saved by 'Save'.") + kCrLf;
    p.dialogs().message(specialTestText(p));
}

void installDownloadCheckCommands(Program &p)
{
    p.addCommand(menu::kSpecialTest, [&p] { SpecialTest(p); });
}
