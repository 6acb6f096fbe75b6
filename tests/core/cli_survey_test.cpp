#include "cli_fixture.h"

#include <QDate>

namespace {

class CliSurveyTest : public CliTest {
protected:
    // The three phase files of a feeder (newest value first), 15-minute average.
    QStringList feeder(const QString &name, const std::array<QStringList, 3> &phases)
    {
        QStringList files;
        for (int p = 0; p < 3; ++p) {
            RecordingFileContent c;
            c.family = "MQA";
            c.values = phases[p];
            files << write(QString("%1-%2.dat").arg(name).arg(p), c);
        }
        return QStringList{name} + files;
    }
};

} // namespace

TEST_F(CliSurveyTest, PrintsTheResultWindowsThenTheStationWindow)
{
    const QStringList args = QStringList{"survey", "north"} +
                             feeder("Mill", {{{"5", "9"}, {"4", "6"}, {"8", "1"}}}) +
                             feeder("Town", {{{"2", "3"}, {"7", "1"}, {"1", "1"}}});
    const CliRun r = run(args);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.exitCode, 0);
    const QString head = "NORTHGRID STATION FEEDER REPORT\nSTATION: NORTH\n";
    const QString heading = "FEEDER AMPS DURING FEEDER PEAK (NON-COINCIDENTAL)  \n";
    const QString amps = "\t\t\tAmps          Peak Time;  Date\n";
    const QString expected =
        head + "  F1: Mill\n" + heading + amps + "RED           \t\t0009           09:45      Mar 15, 26\n" +
        "WHITE       \t\t0006           09:45      Mar 15, 26\n" +
        "BLUE         \t\t0008           10:00      Mar 15, 26\n" + head + "  F2: Town\n" + heading + amps +
        "RED           \t\t0003           09:45      Mar 15, 26\n" +
        "WHITE       \t\t0007           10:00      Mar 15, 26\n" +
        "BLUE         \t\t0001           10:00      Mar 15, 26\n" + "Station: NORTH\n" +
        "                      Peak Time         Peak Date\n" + QString(26, ' ') + "10:00" +
        QString(13, ' ') + "Mar 15, 26\n\n" + "\t RED          WHITE      BLUE  \n" +
        "\t 0005           0004         0008\t   F1:  Mill\n" +
        "\t 0002           0007         0001\t   F2:  Town\n";
    EXPECT_EQ(r.out, expected);
}

TEST_F(CliSurveyTest, PrintsTheWholeReportIntoAPdf)
{
    const QString pdf = tp.path("survey.pdf");
    const CliRun r = run(QStringList{"survey", "--pdf", pdf, "depot"} +
                         feeder("Mill Road", {{{"5", "9"}, {"4", "6"}, {"8", "1"}}}));
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith("NORTHGRID STATION FEEDER REPORT\n"));

    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-layout", pdf, "-"});
    ASSERT_TRUE(pdftotext.waitForFinished(30000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    const QString today = QLocale(QLocale::English).toString(QDate::currentDate(), "MMM dd, yyyy");
    QStringList lines = text.split('\n');
    for (QString &l : lines) {
        l = l.simplified();
    }
    lines.removeAll(QString());
    const QStringList expected = {"LOAD SURVEY REPORT " + today,
                                  "STATION NAME: DEPOT",
                                  "Feeder Amperes During Feeder Peak (Non-Coincidental Peak)",
                                  "F1: Mill Road",
                                  "Amps Peak Time; Date",
                                  "RED 0009 09:45 Mar 15, 26",
                                  "WHITE 0006 09:45 Mar 15, 26",
                                  "BLUE 0008 10:00 Mar 15, 26",
                                  "***************",
                                  "Feeder Phase Amps During Station Peak (Coincidental Peak)",
                                  "Peak Time Peak Date",
                                  "10:00 Mar 15, 26",
                                  "RED WHITE BLUE",
                                  "0005 0004 0008 F1: Mill Road"};
    EXPECT_EQ(lines, expected) << text.toStdString();
}

TEST_F(CliSurveyTest, RefusedFilesAndWrongUsage)
{
    const QStringList mill = feeder("Mill", {{{"5"}, {"4"}, {"8"}}});
    QStringList bad = mill;
    bad[2] = tp.path("missing.dat");
    const QString pdf = tp.path("no.pdf");
    CliRun r = run(QStringList{"survey", "--pdf", pdf, "north"} + mill + bad);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Unknown File Error; Check\nrdx600-cli: F2 white phase not read: " + bad[2] + "\n");
    EXPECT_EQ(r.out, "");
    EXPECT_FALSE(QFile::exists(pdf));

    for (const QStringList &args :
         {QStringList{"survey"}, QStringList{"survey", "north"},
          QStringList{"survey", "north", "Mill", mill[1], mill[2]}, QStringList{"survey", "--pdf"} + mill,
          QStringList{"survey", "--colour", "north"} + mill,
          QStringList{"survey", "north"} + mill + mill + mill + mill + mill}) {
        r = run(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains("usage:"));
    }
}
