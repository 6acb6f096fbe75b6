#include "export/expdatacsv.h"
#include "export/export_commands.h"
#include "export/interchange.h"
#include "export/tidy_csv.h"
#include "power/displ_plot_pwr.h"
#include "power/power_table.h"
#include "power_fixture.h"
#include "program/menu_items.h"
#include "reports/reading_table.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace {

const QString kStart = QStringLiteral("10:00  Jan 01, 24");
const QString kCrLf = QStringLiteral("\r\n");
const QString kBlanks157 = QString(157, ' ');

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class ExportTest : public PowerFixture {
protected:
    ExportTest()
    {
        installExportCommands(p());
        tp.settings.store.save("Directory", "default", tp.files.path());
    }
    // A recording in the test folder, its reading table shown.
    void showTable(const QString &letter, const std::vector<int16_t> &values, const QString &range = "LOW")
    {
        openAt(0, letter, values, kStart, range);
        rec().gInfo[0][kColPath] = tp.path("feeder.dat");
        ReadingTableProc(p());
        p().menu.setEnabled({menu::kItemexpdatacsv, menu::kItemexpdata1perLine, menu::kItemexprep}, true);
    }
    // The power table of a recording at 1 kV (kW = amps).
    void showPowerTable(const QString &letter, const std::vector<int16_t> &values,
                        const QString &start = kStart)
    {
        openAt(0, letter, values, start);
        setVolts("1000");
        DisplPlotPwr(p());
        PowerTableProc(p());
    }
    QString prn() const { return tp.path("feeder.prn"); }
};

// Data table and one reading a line -----------------------------------------------

TEST_F(ExportTest, DataTableFileIsTheHeadingAndTheTable)
{
    showTable("a", counting(3));
    p().runCommand(menu::kItemexpdatacsv);
    EXPECT_EQ(readAll(prn()), " Time     Date                            Eight readings of average  \r\n"
                              " 10:00  Jan 01, 24       100.0    101.0    102.0  \r\n"
                              "\r\n");
    EXPECT_EQ(tp.dialogs.messageTexts(), QStringList{QDir::toNativeSeparators(prn()) + " saved OK"});
    EXPECT_EQ(rec().gOutputMode, OutputMode::Nothing);
    EXPECT_FALSE(p().report.gExportOnePerLine);
    // Nothing more until a table is shown again.
    p().runCommand(menu::kItemexpdatacsv);
    EXPECT_EQ(tp.dialogs.messages.size(), 1U);
}

TEST_F(ExportTest, OneReadingPerLineOfAFifteenMinuteTable)
{
    // 9 values: a full line of 8 from 10:00, then one at 12:00 and the empty
    // line a short table line leaves.
    showTable("a", counting(9));
    p().runCommand(menu::kItemexpdata1perLine);
    EXPECT_EQ(readAll(prn()), "yy mm dd hh mm Reading\r\n"
                              "24 01 01 10 00 100.0\r\n"
                              "24 01 01 10 15 101.0\r\n"
                              "24 01 01 10 30 102.0\r\n"
                              "24 01 01 10 45 103.0\r\n"
                              "24 01 01 11 00 104.0\r\n"
                              "24 01 01 11 15 105.0\r\n"
                              "24 01 01 11 30 106.0\r\n"
                              "24 01 01 11 45 107.0\r\n"
                              "24 01 01 12 00 108.0\r\n"
                              "\r\n"
                              "\r\n");
    EXPECT_TRUE(p().report.gExportOnePerLine);
}

TEST_F(ExportTest, OneReadingPerLineOfAMinMaxAvgTable)
{
    // 5-minute min/max/avg: two intervals a table line, 5 minutes apart.
    showTable("h", counting(9), "HIGH");
    p().runCommand(menu::kItemexpdata1perLine);
    EXPECT_EQ(readAll(prn()), "yy mm dd hh mm Avg Max Min\r\n"
                              "24 01 01 10 00 100 101 102\r\n"
                              "24 01 01 10 05 103 104 105\r\n"
                              "24 01 01 10 10 106 107 108\r\n"
                              "\r\n"
                              "\r\n");
}

// A blank-separated reader (a spreadsheet's import of the ".prn") sees one
// number per value, negative ones included, in every layout, and every
// column stays where it is for positive values.
TEST_F(ExportTest, DataTableFieldsKeepTheirSignsAndColumns)
{
    const auto values = series(3 * 12, [](int i) { return (i % 2 == 0 ? -1 : 1) * (i * 613 % 12000); });
    std::vector<int16_t> magnitudes(values.size());
    std::transform(values.begin(), values.end(), magnitudes.begin(), [](int16_t v) { return std::abs(v); });
    for (const char *letter : {"a", "b", "c", "g"}) {
        for (const char *range : {"LOW", "HIGH"}) {
            const QString where = QString("%1 %2").arg(letter, range);
            showTable(letter, magnitudes, range);
            const QStringList positive = p().report.gTable.split(kCrLf);
            CloseRecordings(p());
            showTable(letter, values, range);
            p().runCommand(menu::kItemexpdatacsv);
            QStringList lines = QString::fromLatin1(readAll(prn())).split(kCrLf);
            lines.removeFirst(); // the heading
            std::vector<double> read;
            for (int k = 0; k < lines.size(); ++k) {
                if (lines[k].size() > 18) {
                    EXPECT_EQ(lines[k].size(), positive.value(k).size()) << where.toStdString();
                }
                for (const QString &field : lines[k].mid(18).split(' ', Qt::SkipEmptyParts)) {
                    bool ok = false;
                    read.push_back(field.toDouble(&ok));
                    EXPECT_TRUE(ok) << where.toStdString() << ": " << lines[k].toStdString();
                }
            }
            ASSERT_EQ(read.size(), values.size()) << where.toStdString();
            const bool high = QString(range) == "HIGH";
            for (size_t i = 0; i < values.size(); ++i) {
                // Stored as average, maximum, minimum; the table shows them as stored.
                const double stored = values[i] / 10.0;
                EXPECT_NEAR(read[i], high ? std::round(stored) : stored, 1e-9) << where.toStdString();
            }
            CloseRecordings(p());
        }
    }
}

struct RoundTripCase {
    const char *name;
    const char *letter;
    const char *range;
    int minutes;
    int width; // values per interval
};

class OnePerLineRoundTrip : public ExportTest, public ::testing::WithParamInterface<RoundTripCase> {};

TEST_P(OnePerLineRoundTrip, ReadBackGivesTheTablesValuesAndTimes)
{
    const RoundTripCase &c = GetParam();
    const bool high = QString(c.range) == "HIGH";
    // Uneven values, negative ones among them, and a short last line.
    const auto values = series(3 * 37, [](int i) { return (i * 7919) % 4001 - 600; });
    showTable(c.letter, values, c.range);
    p().runCommand(menu::kItemexpdata1perLine);
    QStringList lines = QString::fromLatin1(readAll(prn())).split(kCrLf);
    lines.removeFirst(); // header
    QDateTime expected(QDate(2024, 1, 1), QTime(10, 0), Qt::UTC);
    size_t index = 0;
    for (const QString &line : lines) {
        if (line.isEmpty()) {
            continue;
        }
        const QStringList f = line.split(' ');
        ASSERT_EQ(f.size(), 5 + c.width) << line.toStdString();
        EXPECT_EQ(f.mid(0, 5).join(' '), expected.toString("yy MM dd HH mm"));
        for (int k = 0; k < c.width; ++k, ++index) {
            const double stored = values[index] / 10.0;
            const double shown = high ? std::round(stored) : stored;
            EXPECT_NEAR(f[5 + k].toDouble(), shown, 1e-9) << line.toStdString();
        }
        expected = expected.addSecs(c.minutes * 60);
    }
    EXPECT_EQ(index, values.size());
}

INSTANTIATE_TEST_SUITE_P(Export, OnePerLineRoundTrip,
                         ::testing::Values(RoundTripCase{"fifteenMinutes", "a", "LOW", 15, 1},
                                           RoundTripCase{"fiveMinutesHigh", "e", "HIGH", 5, 1},
                                           RoundTripCase{"oneMinute", "c", "LOW", 1, 1},
                                           RoundTripCase{"minMaxAvgFifteen", "j", "LOW", 15, 3},
                                           RoundTripCase{"minMaxAvgOneHigh", "i", "HIGH", 1, 3}),
                         [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST(OnePerLine, AShortTableLineStopsTheExport)
{
    EXPECT_FALSE(onePerLineText(" 10:00  Jan 01, 24       100.0\r\n 10:00  Jan 0\r\n", "a", 15).has_value());
    EXPECT_EQ(prnPath("/data/feeder.dat"), "/data/feeder.prn");
}

TEST_F(ExportTest, ShortLineLeavesTheEarlierFile)
{
    showTable("a", counting(3));
    QFile earlier(prn());
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier");
    earlier.close();
    p().report.gTable = " 10:00  Jan 01, 24       100.0\r\n 10:00\r\n";
    p().runCommand(menu::kItemexpdata1perLine);
    EXPECT_EQ(tp.dialogs.messageTexts(),
              QStringList{"Software Error #2 in Export. Line in gTable$ too short."});
    EXPECT_EQ(readAll(prn()), "earlier");
}

TEST_F(ExportTest, ARecordingNamedPrnIsNotOverwritten)
{
    showTable("a", counting(3));
    rec().gInfo[0][kColPath] = tp.path("feeder.prn");
    p().runCommand(menu::kItemexpdatacsv);
    EXPECT_FALSE(QFile::exists(prn()));
    ASSERT_EQ(tp.dialogs.messages.size(), 1U);
    EXPECT_TRUE(tp.dialogs.lastMessage().contains(QDir::toNativeSeparators(prn())));
}

// Routing ---------------------------------------------------------------------------

TEST_F(ExportTest, OnePerLineWhileThePowerTableIsShownDoesNothing)
{
    showPowerTable("a", counting(3));
    p().menu.setEnabled(menu::kItemexpdata1perLine, true);
    p().runCommand(menu::kItemexpdata1perLine);
    EXPECT_TRUE(tp.dialogs.messages.empty());
    EXPECT_FALSE(QFile::exists(tp.path("Lotusint.csv")));
    EXPECT_FALSE(QFile::exists(tp.path("rec0.prn")));
    // Nothing shown: neither data command does anything.
    rec().gOutputMode = OutputMode::Nothing;
    p().runCommand(menu::kItemexpdatacsv);
    EXPECT_TRUE(tp.dialogs.messages.empty());
}

// Power table as comma-separated lines ------------------------------------------------

TEST_F(ExportTest, PowerTableCsvFile)
{
    showPowerTable("a", counting(10));
    p().runCommand(menu::kItemexpdatacsv);
    const QString path = tp.path("Lotusint.csv");
    const QByteArray expected =
        " 10:00  Jan 01, 24,  100.0,    101.0,    102.0,    103.0,    104.0,    105.0,  "
        "  106.0,    107.0,  \r\n"
        " 12:00  Jan 01, 24,  108.0,    109.0,  \r\n"
        "\r\n";
    EXPECT_EQ(readAll(path), expected);
    EXPECT_EQ(tp.dialogs.messageTexts(), QStringList{QDir::toNativeSeparators(path) + " saved OK "});
    EXPECT_EQ(p().report.gTable.toLatin1() + "\r\n", expected);
    EXPECT_EQ(rec().gOutputMode, OutputMode::Nothing);
    EXPECT_FALSE(p().view.RichTextBox1.visible);
    EXPECT_FALSE(p().view.Header1.visible);

    // A second export overwrites the file without asking.
    showPowerTable("a", {2000, 1000});
    p().runCommand(menu::kItemexpdatacsv);
    EXPECT_EQ(readAll(path), " 10:00  Jan 01, 24,  200.0,    100.0,  \r\n\r\n");
}

TEST_F(ExportTest, PowerTableCsvHighRangeAndRefusedModes)
{
    openAt(0, "d", {482, 1234}, kStart, "HIGH");
    setVolts("1000");
    DisplPlotPwr(p());
    PowerTableProc(p());
    p().runCommand(menu::kItemexpdatacsv);
    EXPECT_EQ(readAll(tp.path("Lotusint.csv")), " 10:00  Jan 01, 24, 0048 ,   0123 ,  \r\n\r\n");

    CloseRecordings(p());
    QFile::remove(tp.path("Lotusint.csv"));
    tp.dialogs.messages.clear();
    showPowerTable("b", counting(3));
    p().menu.setEnabled(menu::kItemexpdatacsv, true);
    p().runCommand(menu::kItemexpdatacsv);
    EXPECT_EQ(tp.dialogs.messageTexts(), QStringList{"only 15 min, avg mode allowed"});
    EXPECT_FALSE(QFile::exists(tp.path("Lotusint.csv")));
    EXPECT_EQ(rec().gOutputMode, OutputMode::Nothing);
}

TEST_F(ExportTest, AFileThatCannotBeWrittenIsReportedOnceByPath)
{
    // "Lotusint.csv" is a folder: the file cannot replace it.
    ASSERT_TRUE(QDir(tp.files.path()).mkdir("Lotusint.csv"));
    showPowerTable("a", counting(3));
    p().runCommand(menu::kItemexpdatacsv);
    ASSERT_EQ(tp.dialogs.messages.size(), 1U);
    EXPECT_TRUE(tp.dialogs.lastMessage().startsWith("The file could not be written:\r" +
                                                    QDir::toNativeSeparators(tp.path("Lotusint.csv"))));
    EXPECT_TRUE(QFileInfo(tp.path("Lotusint.csv")).isDir());

    // A folder that does not exist.
    tp.dialogs.messages.clear();
    showTable("a", counting(3));
    rec().gInfo[0][kColPath] = tp.path("missing/feeder.dat");
    p().runCommand(menu::kItemexpdatacsv);
    ASSERT_EQ(tp.dialogs.messages.size(), 1U);
    EXPECT_TRUE(tp.dialogs.lastMessage().contains(QDir::toNativeSeparators(tp.path("missing/feeder.prn"))));
}

// Interchange -----------------------------------------------------------------------

QString record(const QString &id, const QString &date, const QString &hour, const QString &kw,
               const QString &kvar)
{
    return "\"" + id + "\"," + date + "," + hour + ",60,\"   KW\"," + kw.rightJustified(10) + "," +
           kvar.rightJustified(10) + ",         0,         0" + kBlanks157 + "\r\n";
}

const QString kHeader =
    "\"RECORDER ID\",\" DATE\",\" HOUR\",\" IN\",\" UN\",\"     KW\",\"   KVAR\",\"       \","
    "\"       \"" +
    kBlanks157 + "\r\n";

TEST(Interchange, RecordLayout)
{
    // From 23:00: the first midnight is value 4; 00:00..00:45 average 50 kW,
    // the hour ending 01:00. kvar at power factor 0.9: 50 / 0.9 x 0.43589 = 24.2.
    InterchangeInput in;
    in.kw = {10, 10, 10, 10, 40, 50, 60, 50};
    in.start = QDateTime(QDate(2024, 1, 1), QTime(23, 0), Qt::UTC);
    in.powerFactor = 0.9F;
    in.recorderId = "TEST-ID";
    EXPECT_EQ(interchangeText(in), kHeader + record("TEST-ID       ", "240102", "0100", "50", "24"));

    // Power factor 1: no kvar. A long ID is cut to 14 characters; quotes in it would end the field.
    in.powerFactor = 1.0F;
    in.recorderId = "FEEDER \"7\" NORTH SIDE";
    EXPECT_EQ(interchangeText(in), kHeader + record("FEEDER '7' NOR", "240102", "0100", "50", "0"));

    // Negative power keeps its sign.
    in.kw = {0, 0, 0, 0, -40, -50, -60, -50};
    EXPECT_EQ(interchangeText(in), kHeader + record("FEEDER '7' NOR", "240102", "0100", "-50", "0"));
}

struct DaysCase {
    const char *name;
    QTime start;
    int values;
    int records;
    const char *lastDateHour; // "yymmdd,hhmm" of the last record
};

class InterchangeDays : public ::testing::TestWithParam<DaysCase> {};

TEST_P(InterchangeDays, DayEndsAndTheLastDay)
{
    const DaysCase &c = GetParam();
    InterchangeInput in;
    in.kw.assign(static_cast<size_t>(c.values), 10.0F);
    in.start = QDateTime(QDate(2007, 6, 4), c.start, Qt::UTC);
    in.recorderId = "X";
    QStringList lines = interchangeText(in).split("\r\n");
    lines.removeLast();
    ASSERT_EQ(lines.size(), 1 + c.records);
    if (c.records > 0) {
        EXPECT_EQ(lines.last().mid(17, 11), c.lastDateHour);
    }
}

INSTANTIATE_TEST_SUITE_P(Interchange, InterchangeDays,
                         ::testing::Values(
                             // The hour ending at midnight at the start of 5 June is 070604 2400. After it
                             // only 96 values remain: the export ends with the first day.
                             DaysCase{"twoDaysFromMidnight", QTime(0, 0), 192, 24, "070604,2400"},
                             // 97 values remain: the second day follows.
                             DaysCase{"twoDaysAndOneValue", QTime(0, 0), 193, 48, "070605,2400"},
                             // The first day ends the export when less than a further day remains.
                             DaysCase{"oneDayAndAHalf", QTime(0, 0), 150, 24, "070604,2400"},
                             // Records stop at the last complete hour.
                             DaysCase{"partialDay", QTime(0, 0), 50, 12, "070604,1200"},
                             // From 22:00 the first midnight is value 8; the hour ending 01:00 is on 5 June.
                             DaysCase{"fromTenAtNight", QTime(22, 0), 12, 1, "070605,0100"},
                             // No midnight in the span: the header only.
                             DaysCase{"noMidnight", QTime(10, 0), 40, 0, ""}),
                         [](const auto &testInfo) { return std::string(testInfo.param.name); });

TEST(Interchange, QuarterHourAlignment)
{
    const QDate d(2024, 1, 1);
    EXPECT_EQ(quarterHourAligned(QDateTime(d, QTime(10, 7), Qt::UTC)), QDateTime(d, QTime(10, 15), Qt::UTC));
    EXPECT_EQ(quarterHourAligned(QDateTime(d, QTime(10, 15), Qt::UTC)), QDateTime(d, QTime(10, 15), Qt::UTC));
    EXPECT_EQ(quarterHourAligned(QDateTime(d, QTime(23, 50), Qt::UTC)),
              QDateTime(d.addDays(1), QTime(0, 0), Qt::UTC));
}

TEST_F(ExportTest, MeteringDataReportFile)
{
    // Starting 23:07 is taken as 23:15: values 3..6 are 00:00..00:45.
    // kW = 100 + 0.7 i at 1 kV: (102.1 + 102.8 + 103.5 + 104.2) / 4 = 103.15.
    showPowerTable("a", series(8, [](int i) { return 1000 + 7 * i; }), "23:07  Jan 01, 24");
    p().runCommand(menu::kItemexprep);
    ASSERT_EQ(tp.dialogs.inputs.size(), 1U);
    EXPECT_EQ(
        tp.dialogs.inputs[0].prompt,
        "Enter Recorder ID\rNo More Than 14 Characters\r\rPower Factor In Use 1; Use OPTIONS to Alter \r");
    EXPECT_EQ(tp.dialogs.inputs[0].defaultText, "");
    const QString path = tp.path("Lotusint.prn");
    EXPECT_EQ(QString::fromLatin1(readAll(path)),
              kHeader + record(" N/A          ", "240102", "0100", "103", "0") + "\r\n");
    EXPECT_EQ(tp.dialogs.messageTexts(), QStringList{QDir::toNativeSeparators(path) + "  saved OK  "});
    EXPECT_EQ(rec().gInfo[0][kColStart].text(), "23:07  Jan 01, 24"); // the start text is untouched
    EXPECT_FALSE(p().menu.enabled(menu::kItemexprep));
    EXPECT_EQ(rec().gOutputMode, OutputMode::Nothing);
}

TEST_F(ExportTest, MeteringDataReportRefusesOtherModes)
{
    showPowerTable("b", counting(400));
    p().runCommand(menu::kItemexprep);
    EXPECT_EQ(tp.dialogs.messageTexts(),
              QStringList{"            NOT A VALID MODE    \r   INTERVAL MUST BE 15 MINUTES    \r\r"});
    EXPECT_TRUE(tp.dialogs.inputs.empty());
    EXPECT_FALSE(QFile::exists(tp.path("Lotusint.prn")));
    EXPECT_FALSE(p().menu.enabled(menu::kItemexprep));
}

// Tidy CSV column names ---------------------------------------------------------------

TEST(TidyNames, FilesOfTheSameNameAreToldApartByTheirFolders)
{
    struct Case {
        QStringList paths;
        QStringList names;
    };
    for (const Case &c : {
             Case{{"/d/north.dat", "/d/south.dat"}, {"north.dat", "south.dat"}},
             Case{{"/n/feed.dat", "/s/feed.dat", "/s/other.dat"}, {"n/feed.dat", "s/feed.dat", "other.dat"}},
             Case{{"/x/a/feed.dat", "/y/a/feed.dat"}, {"x/a/feed.dat", "y/a/feed.dat"}},
             Case{{"/d/feed.dat", "/d/old/feed.dat"}, {"d/feed.dat", "old/feed.dat"}},
             Case{{"C:\\rec\\feed.dat", "C:\\old\\feed.dat"}, {"rec/feed.dat", "old/feed.dat"}},
             Case{{"/d/feed.dat", "/d/feed.dat", "/d/feed.dat"}, {"feed.dat", "feed.dat #2", "feed.dat #3"}},
         }) {
        EXPECT_EQ(recordingNames(c.paths), c.names) << c.paths.join(' ').toStdString();
    }
}

} // namespace
