// Writes the seed corpora of the fuzz targets into OUT/<target>/: small
// recordings of both layouts, kinds and ranges, notes files and instrument
// headers, all made with the test suite's own writers.
#include "fuzz_entries.h"
#include "platform/chart_file.h"
#include "recording/notes.h"
#include "support/recording_files.h"

#include <QDir>
#include <QFile>
#include <cmath>
#include <cstdio>

namespace {

bool put(const QString &dir, const QString &name, const QByteArray &bytes)
{
    QDir().mkpath(dir);
    QFile f(dir + QLatin1Char('/') + name);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds OUT\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    bool ok = QDir().mkpath(out);

    // Recordings: "T:" and older layout, average and min/max/avg, high and low range.
    int n = 0;
    for (const bool tMarker : {true, false}) {
        for (const char *mode : {"a", "g", "d"}) {
            for (const bool low : {false, true}) {
                RecordingFileContent c;
                c.mode = QString::fromLatin1(mode);
                c.tMarker = tMarker;
                c.values = countingValues(37, low);
                const QString scratch = out + QStringLiteral("/scratch.dat");
                ok = writeRecording(scratch, c) && ok;
                const QByteArray bytes = fileBytes(scratch);
                const QString name = QStringLiteral("rec%1.dat").arg(n++);
                ok = put(out + QStringLiteral("/recording"), name, bytes) && ok;
                ok = put(out + QStringLiteral("/survey"), name, bytes) && ok;
                // The instrument's header line, as the status check receives it.
                ok = put(out + QStringLiteral("/status_header"), name, headerLine(c).toLatin1()) && ok;
                // The text of a download: the recording without its quotes.
                const QByteArray text = recordingText(c).toLatin1();
                ok = put(out + QStringLiteral("/download_check"), name, text) && ok;
                ok = put(out + QStringLiteral("/instrument_info"), name, text) && ok;
                ok = put(out + QStringLiteral("/recovery"), name, text) && ok;
                ok = put(out + QStringLiteral("/read_back"), name, headerLine(c).toLatin1()) && ok;
                QFile::remove(scratch);
            }
        }
    }
    // Notes.
    const QString notes = out + QStringLiteral("/scratch.not");
    ok = writeNotesFile(notes,
                        SiteNotes{QStringLiteral("Main St substation"), QStringLiteral("Feeder 12, red"),
                                  QStringLiteral("J. Smith"), QStringLiteral("cable, clamp 2")}) &&
         ok;
    ok = put(out + QStringLiteral("/notes"), QStringLiteral("notes.not"), fileBytes(notes)) && ok;
    QFile::remove(notes);

    // A runspec.txt with every flag line and one unknown line.
    ok = put(out + QStringLiteral("/runspec"), QStringLiteral("runspec.txt"),
             "enableChange999sTo000=False\r\nenable999CountReport=True\r\nenableErrorReport=False\r\n"
             "enableAddedReading=True\r\nenableMissingReading=True\r\nenableChangeTo999=True\r\n"
             "enableAddedBadChar=True\r\nenableReadingOver999=True\r\nenableAddedCtrlZ=True\r\n"
             "enableMissingCtrlZ=True\r\nsomething else\r\n") &&
         ok;

    // Chart files: an empty chart, and one with every kind of content.
    ok = put(out + QStringLiteral("/chart_file"), QStringLiteral("empty.chd"),
             chartFileBytes(ChartContent{})) &&
         ok;
    ChartContent chart;
    chart.points = 5;
    chart.values = {{1.5, 2, std::nan(""), 4, 5}, {0, -1, 2, 3, 1e6}};
    chart.legends = {QStringLiteral("Phase A"), QStringLiteral("Phase B")};
    chart.valueTitle = QStringLiteral("Amps");
    chart.labels = {{0, QStringLiteral("00:00\nDEC 01")}, {2, QStringLiteral("12:00")}};
    chart.bands = {ChartBand{1, 3, ChartColor{255, 255, 0}}};
    ChartBox box;
    box.text = QStringLiteral("Selected:\nfrom 00:15");
    box.framed = true;
    chart.boxes = {box};
    chart.typeFlags = 3;
    chart.styleFlags = 5;
    ok = put(out + QStringLiteral("/chart_file"), QStringLiteral("full.chd"), chartFileBytes(chart)) && ok;

    // Every target has a folder, also those without seeds of their own.
    for (const fuzzentry::Target &t : fuzzentry::targets()) {
        QDir().mkpath(out + QLatin1Char('/') + QString::fromLatin1(t.name));
    }
    return ok ? 0 : 1;
}
