// The text of a download: processing of the received characters and the
// completion of the header's time fields.
#include "link/download.h"
#include "link/download_check.h"
#include "link/download_text.h"
#include "program/program.h"
#include "support/test_program.h"

#include <QDateTime>
#include <gtest/gtest.h>

namespace {

const QByteArray kCtrlZ(1, 26);

// A header line of 44 characters: family, mode, serial at 8-11, time at 31-44.
QByteArray header44(const QString &family, QChar mode, const QString &time)
{
    return (family + mode + QStringLiteral("   0042")).leftJustified(30, QLatin1Char(' ')).toLatin1() +
           time.toLatin1();
}

// `n` readings of `value`, ten to a line.
QByteArray readings(int n, const QByteArray &value)
{
    QByteArray out;
    for (int i = 1; i <= n; ++i) {
        out += value + ' ';
        if (i % 10 == 0) {
            out += "\r\n";
        }
    }
    return out;
}

int countOf(const QByteArray &text, const QByteArray &what)
{
    return static_cast<int>(text.count(what));
}

struct ProcessCase {
    const char *name;
    QByteArray cells;
    bool trim;
    QByteArray expected;
};

const QByteArray kHeader = header44("KQA", 'a', "12-07-26 10:00");
const QByteArray kLongHeader = kHeader + "   Vbatt 3E8 and more";

std::vector<ProcessCase> processCases()
{
    std::vector<ProcessCase> cases;
    cases.push_back({"header line cut to 44 characters, its line end kept",
                     "\n" + kLongHeader + "\r\nT: 1 2 3\r\n" + kCtrlZ, false,
                     "\n" + kHeader + "\r\nT: 1 2 3\r\n" + kCtrlZ});
    cases.push_back({"at most 44 cells before the header",
                     QByteArray(50, 'x') + kHeader + "\r\nT: 7" + kCtrlZ, false,
                     QByteArray(44, 'x') + kHeader + "\r\nT: 7" + kCtrlZ});
    cases.push_back({"short text without a line end", "\nKQA", false, "\nKQA"});
    cases.push_back({"nothing received", "", false, ""});
    const QByteArray full = "\n" + kHeader + "\r\nT: " + readings(10800, "123") + kCtrlZ;
    cases.push_back({"MQA-S5 readings after its memory dropped", full, true,
                     "\n" + kHeader + "\r\nT: " + readings(10710, "123").chopped(3) + kCtrlZ});
    cases.push_back({"other types keep every reading", full, false, full});
    const QByteArray low = "\n" + kHeader + "\r\nT: " + readings(10720, "11.5") + kCtrlZ;
    cases.push_back({"a low-range reading counts once", low, true,
                     "\n" + kHeader + "\r\nT: " + readings(10710, "11.5").chopped(3) + kCtrlZ});
    const QByteArray exact =
        "\n" + kHeader + "\r\nT: " + readings(10700, "9") + "9 9 9 9 9 9 9 9 9 9" + kCtrlZ;
    cases.push_back({"the Ctrl-Z that ends the last reading", exact, true, exact});
    return cases;
}

class ProcessDownload : public ::testing::TestWithParam<ProcessCase> {};

TEST_P(ProcessDownload, Text)
{
    const ProcessCase &c = GetParam();
    const QByteArray text = processDownload(c.cells, c.trim);
    EXPECT_EQ(text.size(), c.expected.size());
    EXPECT_EQ(text, c.expected);
    EXPECT_LE(countOf(text, kCtrlZ), 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProcessDownload, ::testing::ValuesIn(processCases()),
                         [](const auto &testInfo) {
                             std::string n = testInfo.param.name;
                             for (char &ch : n) {
                                 ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             }
                             return n;
                         });

TEST(ProcessDownload, TrimmedTextHoldsExactlyTheMemory)
{
    const QByteArray cells = "\n" + kHeader + "\r\nT: " + readings(12000, "57") + kCtrlZ;
    const QByteArray text = processDownload(cells, true);
    EXPECT_EQ(countOf(text, "57"), 10710);
    EXPECT_TRUE(text.endsWith("57" + kCtrlZ));
}

TEST(ProcessDownload, DamagedInputNeverBreaksIt)
{
    QByteArray garbage(1 << 20, '\0');
    for (int i = 0; i < garbage.size(); ++i) {
        const auto u = static_cast<unsigned>(i);
        garbage[i] = static_cast<char>((u * 7919U + u / 13U) & 0xFFU);
    }
    for (const QByteArray &cells : {garbage, QByteArray(300, 26), QByteArray("KKKK\r\r\r")}) {
        for (const bool trim : {false, true}) {
            const QByteArray text = processDownload(cells, trim);
            EXPECT_LE(text.size(), cells.size() + 1);
            const auto header = downloadHeaderIndex(QString::fromLatin1(text));
            EXPECT_TRUE(!header || *header < text.size());
        }
    }
}

// ------------------------------------------------------------ header completion

struct HeaderCase {
    const char *name;
    QChar mode;
    QString headerTime;
    bool tLayout;
    int32_t maxSamples;
    QStringList answers; // to the field-initialization question
    bool completes;
    QString timeField; // characters 31-44 afterwards
    QString stopField; // characters 47-60 of the header line afterwards (older layout)
    int32_t capacity;
    int questions;
    int readings = 3; // readings after the header
};

const QDateTime kT0(QDate(2026, 12, 7), QTime(11, 7, 40), Qt::UTC);

std::vector<HeaderCase> headerCases()
{
    return {
        {"T layout: the last whole interval before the download",
         'a',
         "12-07-26 10:00",
         true,
         42966,
         {},
         true,
         "12-07-26 11:00",
         {},
         42966,
         0},
        {"T layout, 1-minute interval: the download's start",
         'c',
         "12-07-26 10:00",
         true,
         42966,
         {},
         true,
         "12-07-26 11:07",
         {},
         42966,
         0},
        {"T layout, header after the download: Int rounds down",
         'b',
         "12-07-26 11:10",
         true,
         42966,
         {},
         true,
         "12-07-26 11:05",
         {},
         42966,
         0},
        {"older layout: the download's start",
         'a',
         "12-07-26 10:00",
         false,
         42966,
         {},
         true,
         "12-07-26 11:07",
         {},
         6531,
         0},
        {"running in a stop-when-full mode: nothing asked",
         'j',
         "12-01-26 08:00",
         false,
         10710,
         {},
         true,
         "12-07-26 11:07",
         {},
         6531,
         0},
        {"stopped T unit, mode J, memory not full: the readings received",
         'J',
         "12-01-26 08:00",
         true,
         10710,
         {},
         true,
         "12-01-26 08:15",
         {},
         10710,
         0},
        {"stopped T unit whose readings reach past the download: the end time",
         'D',
         "12-07-26 10:00",
         true,
         10710,
         {},
         true,
         "12-07-26 11:00",
         {},
         10710,
         0,
         30},
        {"stopped older unit: month 13 asked again, then the stop time",
         'D',
         "12-01-26 08:00",
         false,
         10710,
         {"13-01-26 09:00", "12-01-26 09:00"},
         true,
         "12-07-26 11:07",
         "12-01-26 09:45",
         6531,
         2},
        {"stopped older unit: no answer ends the download",
         'D',
         "12-01-26 08:00",
         false,
         10710,
         {""},
         false,
         {},
         {},
         6531,
         1},
    };
}

class CompleteHeader : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(CompleteHeader, TimeFields)
{
    const HeaderCase &c = GetParam();
    TestProgram tp;
    Program &p = tp.p();
    p.splash.maxSamples = c.maxSamples;
    for (const QString &a : c.answers) {
        tp.dialogs.inputAnswers.push_back(a);
    }
    const QString data =
        (c.tLayout ? QStringLiteral("T: ") : QString()) + QString::fromLatin1(readings(c.readings, "1"));
    const QString original = QStringLiteral("\n") +
                             QString::fromLatin1(header44("kqa", c.mode, c.headerTime)) +
                             QStringLiteral("\r\n") + data + QChar(26);
    QString text = original;
    QString shown;
    EXPECT_EQ(completeDownloadHeader(p, text, 1, kT0, shown), c.completes);
    EXPECT_EQ(static_cast<int>(tp.dialogs.inputs.size()), c.questions);
    EXPECT_EQ(p.link.gSampleCapacity, c.capacity);
    if (!c.completes) {
        return;
    }
    EXPECT_EQ(text.mid(1, 3), "KQA");
    EXPECT_EQ(text.mid(31, 14), c.timeField);
    EXPECT_EQ(shown, headerTimeShown(c.headerTime));
    const QString headerLine = text.mid(1, text.indexOf(QLatin1Char('\r')) - 1);
    if (c.stopField.isEmpty()) {
        EXPECT_EQ(headerLine.size(), 44);
    } else {
        EXPECT_EQ(headerLine.mid(46, 14), c.stopField);
        EXPECT_EQ(headerLine.size(), 60);
    }
    // Everything after the header line is untouched.
    EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n") + data + QChar(26)));
    if (c.mode.isUpper()) {
        EXPECT_EQ(p.rec.gInfo[0][kColMode].text(), QString(c.mode).toLower());
    }
    // The same text from the last answer, without the program.
    const auto answer = c.answers.empty() ? std::nullopt : parseFieldInitialization(c.answers.back());
    const CompletedHeader h = completedDownloadHeader(original, 1, kT0, p.modes, c.maxSamples, answer);
    EXPECT_EQ(h.text, text);
    EXPECT_EQ(h.shownTime, shown);
    EXPECT_FALSE(h.needsFieldInitialization);
}

INSTANTIATE_TEST_SUITE_P(Cases, CompleteHeader, ::testing::ValuesIn(headerCases()));

TEST(CompleteHeader, FieldInitializationAnswers)
{
    EXPECT_TRUE(parseFieldInitialization("12-01-26 09:00"));
    EXPECT_TRUE(parseFieldInitialization("12-01-2609:00"));
    EXPECT_FALSE(parseFieldInitialization("13-01-26 09:00"));
    EXPECT_FALSE(parseFieldInitialization("12-01-26 25:00"));
    EXPECT_FALSE(parseFieldInitialization("12-01-26"));
    EXPECT_FALSE(parseFieldInitialization(""));
}

// ------------------------------------------------------------ limits

// A full memory of the widest readings, as a unit sends it after the first
// character: the header line with its battery field, ten readings a line.
QByteArray widestMemory(int32_t capacity)
{
    return "\n" + kLongHeader + "\r\nT: " + readings(capacity, "999.0") + kCtrlZ;
}

TEST(CharacterLimit, AWholeMemoryOfTheWidestReadingsFits)
{
    // The capacities of the catalogue and of the Custom type.
    for (const int32_t capacity : {294, 2091, 10710, 21462, 42966}) {
        SCOPED_TRACE(capacity);
        const int32_t limit = downloadCharLimit(capacity);
        EXPECT_GE(limit, widestMemory(capacity).size());
        // Never below the limits of old, and short of a flood of 300,000.
        EXPECT_GE(limit, capacity <= kSmallMemory ? kCharLimitSmall : kCharLimitLarge);
        EXPECT_LT(limit, 300000);
        // What the limit keeps holds every reading.
        const QByteArray cells = widestMemory(capacity).left(limit);
        EXPECT_EQ(countReadings(processDownload(cells, capacity == kMqaS5Readings), capacity + 1), capacity);
    }
    EXPECT_EQ(memoryCharacters(1000000), memoryCharacters(42967));
}

} // namespace
