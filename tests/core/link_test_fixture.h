// A program on simulated time with a fake serial port and fake link windows,
// for the tests of the status check, the flip, the catalogue and the port
// selection.
#pragma once

#include "link/instrument_catalogue.h"
#include "link/link_commands.h"
#include "link/link_windows.h"
#include "support/fake_serial_port.h"
#include "support/test_program.h"

#include <QString>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

// Records what the status window showed at each sync.
class FakeStatusView : public StatusView {
public:
    explicit FakeStatusView(Program &p) : p_(p) {}
    struct Shot {
        QString label1;
        bool label1Visible;
        int fontSize;
        QString label2;
        bool label2Visible;
        bool visible;
    };
    void show() override { ++shows; }
    void hide() override { ++hides; }
    void unload() override { ++unloads; }
    void sync() override
    {
        const StatusWindowState &s = p_.link.status;
        shots.push_back(
            Shot{s.wait.label1, s.label1Visible, s.label1FontSize, s.label2, s.label2Visible, s.visible});
    }
    bool showed(const QString &label1) const
    {
        for (const Shot &s : shots) {
            if (s.label1 == label1 && s.label1Visible) {
                return true;
            }
        }
        return false;
    }
    std::vector<Shot> shots;
    int shows = 0, hides = 0, unloads = 0;

private:
    Program &p_;
};

// A modal window whose user acts through a scripted function.
template <class View> class ScriptedModal : public View {
public:
    std::function<void()> user; // runs while the window is shown
    int showCount = 0;
    int unloads = 0;
    void showModal() override
    {
        ++showCount;
        if (user) {
            user();
        }
    }
    void unload() override { ++unloads; }
};

class FakeInstSelView : public ScriptedModal<InstSelView> {
public:
    void sync() override { ++syncs; }
    int syncs = 0;
};
using FakeInstPropertiesView = ScriptedModal<InstPropertiesView>;
using FakePortSelView = ScriptedModal<PortSelView>;

class LinkTest : public ::testing::Test {
protected:
    LinkTest() : port(tp.clock), statusView(tp.p())
    {
        Program &pr = tp.p();
        pr.io.port = &port;
        pr.windows.status = &statusView;
        pr.windows.instSel = &instSelView;
        pr.windows.instProperties = &propertiesView;
        pr.windows.portSel = &portSelView;
        // The splash window's start-up values.
        pr.splash.portSettings = kSettings115200;
        pr.splash.maxSamples = 42966;
        pr.splash.instSelection = 0;
        pr.splash.instAutoCurrent = 8;
        pr.splash.maxSamplesCustom = 42966;
        pr.splash.portSettingsCustom = kSettings115200;
        pr.splash.gS5FlagCustom = true;
        pr.link.gS5Flag = true;
        pr.link.gCommPort = 1;
        installLinkCommands(pr);
    }

    Program &p() { return tp.p(); }
    void select(int type)
    {
        p().splash.instSelection = type;
        applyTypeSettings(p(), type);
    }
    // Runs `action` at the first "let events run" at or after `atMs`.
    void at(qint64 atMs, std::function<void()> action)
    {
        auto done = std::make_shared<bool>(false);
        auto previous = tp.clock.onProcessEvents;
        tp.clock.onProcessEvents = [=](qint64 now) {
            if (previous) {
                previous(now);
            }
            if (!*done && now >= atMs) {
                *done = true;
                action();
            }
        };
    }

    TestProgram tp;
    FakeSerialPort port;
    FakeStatusView statusView;
    FakeInstSelView instSelView;
    FakeInstPropertiesView propertiesView;
    FakePortSelView portSelView;
};

// A header line as the instruments send it: family code, mode letter,
// serial number at 8-11, start time at 31-44, and optionally the battery
// reading at 48-56; ends with CR.
inline QByteArray headerLine(const QString &family, const QString &mode,
                             const QString &serial = QStringLiteral("1234"),
                             const QString &time = QStringLiteral("12-07-26 09:30"),
                             const QString &vbattHex = QStringLiteral("3E8"))
{
    QString s = family + mode + QStringLiteral("   ") + serial; // 1-11
    s = s.leftJustified(30, QLatin1Char(' ')) + time;           // 31-44
    if (!vbattHex.isEmpty()) {
        s += QStringLiteral("   Vbatt ") + vbattHex; // 48-52, 54-56
    }
    return (s + QStringLiteral("\r\n")).toLatin1();
}
