// What the main window shows besides its menus: the report labels, the
// rich-text view, the status bar, the charts' visibility and the
// default-directory panel. Commands change this state; the window mirrors it.
#pragma once

#include <QString>
#include <array>
#include <cstdint>

struct ViewControl {
    bool visible = false;
    bool enabled = true;
    QString text;
};

struct MainViewState {
    QString title = QStringLiteral("RDX600");
    ViewControl RichTextBox1; // report and table text (plain text, fixed pitch)
    ViewControl Label1;
    ViewControl Label2;
    ViewControl Label3;
    ViewControl Header1;
    uint32_t label1Background = 0xE0E0E0;    // RGB
    std::array<ViewControl, 3> statusPanels; // panels 1..3 at 0..2
    bool statusBarVisible = false;
    bool chart1Visible = false;
    bool chart2Visible = false;
    bool busy = false;

    // Default-directory panel.
    ViewControl Drive1;
    ViewControl Dir1;
    ViewControl Command1{false, true, QStringLiteral("select drive")};
    ViewControl Command2{false, true, QStringLiteral("select directory and click OK")};
    QString drive1Drive; // drive (root path) chosen in Drive1
    QString dir1Path;    // folder shown and chosen in Dir1
};
