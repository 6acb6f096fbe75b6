// The recovery on simulated time: the receive rules on streams (header kept
// to 44 characters, the "T" check, the buffer bound), the item count through
// the scratch file, the stop time and the continuous-memory refusal, and the
// whole procedure against the fake port: saved, cancelled, refused, cable
// pulled.
#include "link/download_text.h"
#include "link_test_fixture.h"
#include "program/menu_items.h"
#include "reports/open_recording.h"
#include "setup/recover.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr char kCtrlZ = 26;

// What an instrument sends for a recovery: CR LF, the header line, CR LF,
// "T: " and the values newest first, ten a line, and a Ctrl-Z.
QByteArray stream(const QString &family, const QString &mode, int values, bool marker = true,
                  const QString &vbatt = QStringLiteral("3E8"))
{
    QByteArray out = "\r\n" + headerLine(family, mode, "4711", "03-14-26 09:45", vbatt);
    if (marker) {
        out += "T: ";
    }
    for (int i = 0; i < values; ++i) {
        out += QByteArray::number(100 + i % 50) + ' ';
        if ((i + 1) % 10 == 0) {
            out += "\r\n";
        }
    }
    return out + kCtrlZ;
}

recovery::Receiver::Step feed(recovery::Receiver &rx, const QByteArray &bytes)
{
    auto step = recovery::Receiver::Step::More;
    for (const char c : bytes) {
        step = rx.take(QLatin1Char(c));
        if (step != recovery::Receiver::Step::More) {
            break;
        }
    }
    return step;
}

// ------------------------------------------------------------ receiving

TEST(RecoverReceiver, KeepsTheHeaderTo44CharactersAndItsLineEnd)
{
    recovery::Receiver rx;
    // The first character ends the wait and is not fed.
    const QByteArray s = stream("kQA", "D", 25).mid(1);
    EXPECT_EQ(feed(rx, s), recovery::Receiver::Step::End);
    const QString header = QString::fromLatin1(headerLine("KQA", "D", "4711", "03-14-26 09:45"));
    EXPECT_EQ(rx.text().left(1 + 44 + 2 + 3), "\n" + header.left(44) + "\r\nT: ");
    EXPECT_FALSE(rx.text().contains("Vbatt"));
    // The Ctrl-Z that ended the transfer is the text's end mark.
    EXPECT_EQ(rx.text().count(QChar(kCtrlZ)), 1);
    EXPECT_TRUE(rx.text().endsWith(QChar(kCtrlZ)));
    EXPECT_TRUE(rx.lowBattery());
    EXPECT_EQ(rx.unitsLetter(), "A");
    // A header without the battery field reads the same.
    recovery::Receiver plain;
    EXPECT_EQ(feed(plain, stream("KQA", "D", 25, true, {}).mid(1)), recovery::Receiver::Step::End);
    EXPECT_EQ(plain.text(), rx.text());
    EXPECT_FALSE(plain.lowBattery());
}

TEST(RecoverReceiver, NoTAfterTheHeaderLineAndTheBufferBound)
{
    recovery::Receiver noT;
    EXPECT_EQ(feed(noT, stream("KQA", "D", 25, false).mid(1)), recovery::Receiver::Step::NotValid);
    EXPECT_EQ(noT.counter(), 1 + 46);

    // Without a Ctrl-Z the transfer ends when the buffer is full: the
    // smallest buffer, and the one of the largest memory.
    for (const int32_t capacity : {2091, 42966}) {
        const int size = recovery::bufferSize(capacity);
        recovery::Receiver endless(size);
        QByteArray s = stream("KQA", "d", 0).chopped(1);
        while (s.size() < size + 500) {
            s += "123 ";
        }
        EXPECT_EQ(feed(endless, s), recovery::Receiver::Step::End);
        EXPECT_EQ(endless.counter(), size);
        EXPECT_EQ(endless.text().size(), size);
        EXPECT_EQ(endless.text().count(QChar(kCtrlZ)), 0);
        EXPECT_FALSE(recovery::damageQuestion(endless.text()).isEmpty());
    }
    EXPECT_EQ(recovery::bufferSize(2091), recovery::kBufferSize);
    EXPECT_EQ(recovery::bufferSize(42966), memoryCharacters(42966));
}

// ------------------------------------------------------------ processing

TEST(RecoverProcessing, ValuesCountedThroughAScratchFileThatIsRemoved)
{
    QTemporaryDir tmp;
    const QByteArray before = qgetenv("TMPDIR");
    qputenv("TMPDIR", tmp.path().toLocal8Bit());
    recovery::Receiver rx;
    feed(rx, stream("KQA", "J", 1234).mid(1));
    const auto n = recovery::countValuesThroughScratchFile(rx.text());
    EXPECT_TRUE(QDir(tmp.path()).isEmpty());
    qputenv("TMPDIR", before);
    ASSERT_TRUE(n);
    EXPECT_EQ(*n, 1234);
    // The header's own items and the marker are no values; the count stops
    // at the capacity of the largest memory.
    EXPECT_EQ(recovery::countValues("\"\r\nKQAd   1234  01-02-26 10:00\r\n1 2, 3\r\n4\x1a\""), 4);
    EXPECT_EQ(recovery::countValues("\"x\r\nMQAd\r\nT: 5 6\""), 2);
    QByteArray many = "KQAd\r\nT: ";
    for (int i = 0; i < 43000; ++i) {
        many += "1 ";
    }
    EXPECT_EQ(recovery::countValues(many), recovery::kMaxItems);

    const auto h = recovery::findHeader(rx.text());
    ASSERT_TRUE(h);
    EXPECT_EQ(h->p, 2);
    EXPECT_EQ(h->mode, "J");
    EXPECT_EQ(h->initTime, "03-14-26 09:45");
    EXPECT_TRUE(h->marker);
    EXPECT_FALSE(recovery::findHeader("\r\n123 456"));
}

struct StopCase {
    const char *mode;
    int count;
    int32_t capacity;
    bool refused;
    const char *stop;
};

class RecoverStopTime : public ::testing::TestWithParam<StopCase> {};

TEST_P(RecoverStopTime, FromTheInitializationTimeAndTheCount)
{
    const StopCase c = GetParam();
    const QString mode = QString::fromLatin1(c.mode);
    EXPECT_EQ(recovery::continuousAndFull(mode, c.count, c.capacity), c.refused);
    if (!c.refused) {
        EXPECT_EQ(recovery::stopTime(mode, "03-14-26 09:45", recovery::readingsHeld(c.count, c.capacity)),
                  QString::fromLatin1(c.stop));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecoverStopTime,
    ::testing::Values(StopCase{"D", 500, 42966, false, "03-19-26 14:45"},   // 500 x 15 min
                      StopCase{"J", 300, 10710, false, "03-15-26 10:45"},   // 100 intervals of 15 min
                      StopCase{"l", 7, 10710, false, "03-14-26 09:47"},     // Int(7 / 3) minutes
                      StopCase{"d", 10710, 10710, true, ""},                // "d" as sent: not stopped
                      StopCase{"D", 10710, 10710, false, "07-03-26 23:15"}, // full, stop when full
                      StopCase{"D", 11500, 10710, false, "07-03-26 23:15"}, // older readings after its own
                      StopCase{"L", 42966, 42966, false, "03-24-26 08:27"},
                      StopCase{"A", 42966, 42966, true, ""}, StopCase{"G", 10711, 10710, true, ""},
                      StopCase{"A", 42965, 42966, false, "06-04-27 23:00"}));

TEST(RecoverProcessing, StopTimeOverTheHeaderTime)
{
    const QString text = "\n" + QString::fromLatin1(headerLine("KQA", "D")).left(44) + "\r\nT: 1 2";
    const QString out = recovery::withStopTime(text, 2, "03-19-26 14:45");
    EXPECT_EQ(out.mid(1 + 30, 14), "03-19-26 14:45");
    EXPECT_EQ(out.size(), text.size());
    EXPECT_EQ(out.left(31), text.left(31));
    EXPECT_FALSE(recovery::stopTime("D", "not a date", 5));
    EXPECT_FALSE(recovery::stopTime("q", "03-14-26 09:45", 5));
}

// ------------------------------------------------------------ whole procedure

class FakeRecoverView : public RecoverView {
public:
    void show() override { ++shows; }
    void hide() override {}
    void unload() override { ++unloads; }
    void sync() override {}
    int shows = 0, unloads = 0;
};

class Recovery : public LinkTest {
protected:
    Recovery()
    {
        p().windows.recover = &view;
        p().modes.fill();
        installRecoverCommand(p());
        p().procs.Showinfodb = [this, shown = p().procs.Showinfodb] {
            ++infos;
            Program::run(shown);
        };
        // Caution, OK to remove the cable, PROCEED.
        tp.dialogs.messageAnswers = {};
        tp.dialogs.saveAnswers = {out};
        select(8);
    }
    // The command, then OK in the window.
    void run()
    {
        ASSERT_TRUE(p().runCommand(menu::kItemRecover));
        if (p().setup.recover.loaded) {
            RecoverOk(p());
        }
    }
    void expectEndedCleanly()
    {
        EXPECT_FALSE(port.portOpen());
        EXPECT_FALSE(p().setup.recover.loaded);
        EXPECT_FALSE(p().setup.recover.cancelled);
        EXPECT_FALSE(tp.dialogs.busy_);
    }

    FakeRecoverView view;
    QString out = tp.path("rescued.dat");
    int infos = 0;
};

TEST_F(Recovery, PartialMemoryIsSavedWithItsStopTime)
{
    port.answerWhenAwake({}, stream("KQA", "D", 500), 100);
    run();
    const QStringList texts = tp.dialogs.messageTexts();
    ASSERT_EQ(texts.size(), 3) << texts.join("|").toStdString();
    EXPECT_EQ(texts[0], recovery::cautionText());
    EXPECT_EQ(texts[1], recovery::removeCableText());
    EXPECT_EQ(texts[2], " PROCEED");
    EXPECT_EQ(infos, 1);
    EXPECT_TRUE(p().view.Label1.text.contains("Start Time 09:45  Mar 14, 26  Downloaded (stopped):  "
                                              "14:45  Mar 19, 26  Readings: 500  "))
        << p().view.Label1.text.toStdString();
    EXPECT_EQ(p().link.gSampleCapacity, 500);
    EXPECT_EQ(p().rec.gInfo[0][kColStart].text(), "09:45  Mar 14, 26");
    EXPECT_EQ(p().rec.gInfo[0][kColMode].text(), "d");
    EXPECT_TRUE(p().setup.recover.saved);
    EXPECT_EQ(view.shows, 1);
    expectEndedCleanly();

    // The file reads back with the stop time and every value.
    ASSERT_TRUE(openRecordingFile(p(), out));
    EXPECT_EQ(p().rec.gInfo[0][kColEnd].text(), "14:45  Mar 19, 26");
    EXPECT_EQ(p().rec.gInfo[0][kColLast].number(), 499);
}

TEST_F(Recovery, RefusalsAndTheLowBatteryWarning)
{
    // A full memory of a continuous unit, its family letter in lower case.
    p().splash.maxSamples = 300;
    port.answerWhenAwake({}, stream("kQA", "A", 300), 100);
    run();
    QStringList texts = tp.dialogs.messageTexts();
    ASSERT_EQ(texts.size(), 4) << texts.join("|").toStdString();
    EXPECT_EQ(texts[2], recovery::continuousText());
    EXPECT_EQ(texts[3], "    LOW INSTRUMENT BATTERY    ");
    EXPECT_EQ(tp.dialogs.messages[3].title, "WARNING");
    EXPECT_EQ(infos, 0);
    EXPECT_FALSE(QFile::exists(out));
    expectEndedCleanly();

    // No "T" after the header line: refused while receiving.
    tp.dialogs.messages.clear();
    port.forgetResponders();
    port.answerWhenAwake({}, stream("KQA", "D", 30, false), 100);
    run();
    texts = tp.dialogs.messageTexts();
    ASSERT_EQ(texts.size(), 2);
    EXPECT_EQ(texts[1], recovery::notValidText(true));
    EXPECT_FALSE(QFile::exists(out));
    expectEndedCleanly();

    // Automatic detection is refused before anything is shown.
    tp.dialogs.messages.clear();
    select(11);
    const int opens = port.opens;
    p().runCommand(menu::kItemRecover);
    EXPECT_EQ(tp.dialogs.messageTexts(),
              QStringList({recovery::autoSelectRefusalText("MQA-S5", "MQA-S5-MH")}));
    EXPECT_TRUE(tp.dialogs.lastMessage().contains("It will most likely be MQA-S5 or MQA-S5-MH.)"));
    EXPECT_EQ(port.opens, opens);
}

TEST_F(Recovery, FullStopWhenFullMemory)
{
    p().splash.maxSamples = 600;
    port.answerWhenAwake({}, stream("KQA", "J", 600), 100);
    run();
    EXPECT_TRUE(p().setup.recover.saved);
    EXPECT_EQ(p().rec.gText.mid(1 + 30, 14), "03-16-26 11:45"); // 200 intervals of 15 min
}

TEST_F(Recovery, CancelAndCablePulledSaveNothing)
{
    struct Case {
        const char *name;
        bool silent;
        std::function<void()> act;
        int messages;
    };
    const std::vector<Case> cases{
        {"cancel before anything arrived", true, [this] { RecoverCancel(p()); }, 1},
        {"cancel while receiving", false, [this] { RecoverCancel(p()); }, 1},
        {"cable pulled", false, [this] { port.hangUp(); }, 2},
    };
    bool streaming = false; // the unit transmits from the first case that is not silent on
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        tp.dialogs.messages.clear();
        p().menu.setEnabled(menu::kItemSave, true);
        if (!c.silent && !streaming) {
            streaming = true;
            port.answerWhenAwake({}, stream("KQA", "D", 2000), 100);
        }
        at(tp.clock.elapsedMs() + 300, c.act);
        run();
        EXPECT_EQ(tp.dialogs.messages.size(), static_cast<size_t>(c.messages))
            << tp.dialogs.messageTexts().join("|").toStdString();
        if (c.messages == 2) {
            EXPECT_EQ(tp.dialogs.lastMessage(),
                      "Error  8010:  " + SerialError::text(8010) + "\r\n\r\nNothing was recovered.");
        }
        EXPECT_FALSE(p().menu.enabled(menu::kItemSave));
        EXPECT_FALSE(QFile::exists(out));
        EXPECT_EQ(infos, 0);
        expectEndedCleanly();
    }
}

} // namespace
