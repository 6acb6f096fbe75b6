#include "export/tidy_csv.h"

#include "export/export_file.h"
#include "platform/dialogs.h"
#include "platform/settings_store.h"
#include "platform/textformat.h"
#include "program/program.h"
#include "recording/recording.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <map>
#include <vector>

namespace {

// One column: a part of one recording's intervals.
struct Column {
    int slot = 0;
    int part = 0; // 0 the value (average), 1 maximum, 2 minimum of min/max/avg
    QString title;
};

// Tenths as a decimal: 1234 -> "123.4", -5 -> "-0.5".
QString tenthsText(int tenths)
{
    const int magnitude = tenths < 0 ? -tenths : tenths;
    return (tenths < 0 ? QStringLiteral("-") : QString()) + QString::number(magnitude / 10) +
           QLatin1Char('.') + QString::number(magnitude % 10);
}

} // namespace

QStringList recordingNames(const QStringList &paths)
{
    // The path's parts, last first; "/" and "\\" both separate them.
    std::vector<QStringList> parts;
    for (const QString &path : paths) {
        QStringList p = QString(path)
                            .replace(QLatin1Char('\\'), QLatin1Char('/'))
                            .split(QLatin1Char('/'), Qt::SkipEmptyParts);
        std::reverse(p.begin(), p.end());
        parts.push_back(p);
    }
    const auto n = static_cast<qsizetype>(paths.size());
    std::vector<qsizetype> depth(static_cast<size_t>(n), 1);
    const auto name = [&](qsizetype i) {
        const QStringList &p = parts[static_cast<size_t>(i)];
        QStringList shown = p.mid(0, depth[static_cast<size_t>(i)]);
        std::reverse(shown.begin(), shown.end());
        return shown.join(QLatin1Char('/'));
    };
    // Names of different files that clash take one more folder each, until
    // they differ or a path has no folder left.
    for (bool grown = true; grown;) {
        grown = false;
        for (qsizetype i = 0; i < n; ++i) {
            for (qsizetype j = i + 1; j < n; ++j) {
                if (name(i) != name(j) || parts[static_cast<size_t>(i)] == parts[static_cast<size_t>(j)]) {
                    continue;
                }
                for (const qsizetype k : {i, j}) {
                    if (depth[static_cast<size_t>(k)] < parts[static_cast<size_t>(k)].size()) {
                        ++depth[static_cast<size_t>(k)];
                        grown = true;
                    }
                }
            }
        }
    }
    // The same file twice: the later ones are numbered in their order.
    QStringList bases;
    QStringList names;
    for (qsizetype i = 0; i < n; ++i) {
        bases << name(i);
        const auto earlier = bases.count(bases.back()) - 1;
        names << (earlier == 0 ? bases.back()
                               : bases.back() + QStringLiteral(" #") + QString::number(earlier + 1));
    }
    return names;
}

QString csvField(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n'))) {
        return text;
    }
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

std::optional<QByteArray> tidyCsv(const Program &p)
{
    const Recording &r = p.rec;
    std::vector<Column> columns;
    // Time of each row -> one cell per column.
    std::map<QDateTime, std::vector<QString>> rows;
    QStringList paths;
    for (int slot = 0; slot < kSlots; ++slot) {
        if (r.slotInUse(slot)) {
            paths << r.gInfo[slot][kColPath].text();
        }
    }
    const QStringList names = recordingNames(paths);
    qsizetype named = 0;
    for (int slot = 0; slot < kSlots; ++slot) {
        if (!r.slotInUse(slot)) {
            continue;
        }
        const QString letter = r.gInfo[slot][kColMode].text();
        const auto interval = p.modes.interval(letter);
        const auto start = textformat::parseDate(r.gInfo[slot][kColStart].text());
        if (!interval || !start) {
            return std::nullopt;
        }
        const QString &name = names[named++];
        const QString units =
            r.gInfo[slot][kColUnits].text() == QLatin1String("V") ? QStringLiteral("V") : QStringLiteral("A");
        const bool mma = isMinMaxAvg(letter);
        const int first = static_cast<int>(columns.size());
        if (mma) {
            for (const auto &[part, word] :
                 {std::pair{0, "average"}, std::pair{1, "maximum"}, std::pair{2, "minimum"}}) {
                columns.push_back({slot, part,
                                   name + QLatin1Char(' ') + QLatin1String(word) + QStringLiteral(" (") +
                                       units + QLatin1Char(')')});
            }
        } else {
            columns.push_back({slot, 0, name + QStringLiteral(" (") + units + QLatin1Char(')')});
        }
        const int last = std::min(r.gInfo[slot][kColLast].toInt(), kLastValueIndex);
        const int perInterval = mma ? 3 : 1;
        const int intervals = (last + 1) / perInterval;
        for (int j = 0; j < intervals; ++j) {
            const QDateTime t = start->addSecs(static_cast<qint64>(*interval) * 60 * j);
            std::vector<QString> &cells = rows[t];
            for (int c = first; c < static_cast<int>(columns.size()); ++c) {
                if (cells.size() < columns.size()) {
                    cells.resize(columns.size());
                }
                const int index = j * perInterval + columns[static_cast<size_t>(c)].part;
                cells[static_cast<size_t>(c)] =
                    tenthsText(r.gValues[static_cast<size_t>(slot)][static_cast<size_t>(index)]);
            }
        }
    }
    if (columns.empty()) {
        return std::nullopt;
    }
    QString text = QStringLiteral("time");
    for (const Column &c : columns) {
        text += QLatin1Char(',') + csvField(c.title);
    }
    text += QStringLiteral("\r\n");
    for (auto &[time, cells] : rows) {
        cells.resize(columns.size());
        text += time.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
        for (const QString &cell : cells) {
            text += QLatin1Char(',') + cell;
        }
        text += QStringLiteral("\r\n");
    }
    return text.toUtf8();
}

void TidyCsvCommand(Program &p)
{
    const Recording &r = p.rec;
    if (!r.slotInUse(0)) {
        return;
    }
    const std::optional<QByteArray> table = tidyCsv(p);
    if (!table) {
        p.dialogs().message(QStringLiteral("The times of the open recordings cannot be computed."));
        return;
    }
    const QString first = QFileInfo(r.gInfo[0][kColPath].text()).completeBaseName();
    const QString dir = p.settings().get(QStringLiteral("Directory"), QStringLiteral("default"));
    const QString suggested =
        QDir(dir.isEmpty() ? QFileInfo(r.gInfo[0][kColPath].text()).absolutePath() : dir)
            .filePath(first + QStringLiteral(".csv"));
    const auto path = p.dialogs().saveFile(suggested, QStringLiteral("CSV files (*.csv)|*.csv"), true);
    if (!path || path->isEmpty()) {
        return;
    }
    writeExportBytes(p, *path, *table);
}
