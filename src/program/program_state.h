// Program-wide state of the subsystems, kept with the names the rest of the
// program uses for them.
#pragma once

#include "program/link_window_states.h"
#include "program/setup_window_states.h"
#include "program/survey_state.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class ChartListener;

// Instrument exchanges.
struct LinkState {
    int gCommPort = 1;   // serial port number
    bool gS5Flag = true; // selected type belongs to the S5 family
    int32_t gSampleCapacity = 0;
    int gErrorCallPoint = 0;
    // Windows of the link.
    StatusWindowState status;
    InstSelState instSel;
    InstPropertiesState instProperties;
    PortSelState portSel;
    DownloadWindowState download;
    AbortWindowState abort; // the header exchange window of the initialization
};

// Chart state shared by the plot and the chart interaction.
struct ChartState {
    bool gMarkFlag = false;
    bool gZoomPending = false;
    int32_t gSelStart = 0;
    int32_t gSelEnd = 0;
    QString gSelStartText;
    QString gSelEndText;
    int32_t gPointCount = 0;
    double gYScaleMin = 0;
    bool gAskDisplay = true;
    int gDisplaySel = 1;
    bool gPrintLayout = false;
    bool gPowerShown = false;
    bool gPowerView = false;
    bool gAnnotating = false;
    int32_t gSelMin = 0;
    int32_t gSelMax = 0;
    bool gOnePageFlag = false;
    // The power plot, run by the chart commands when the power view is on;
    // empty while no power plot is installed.
    std::function<void()> powerPlot;
    // The mouse and toolbar handling attached to the recording chart.
    std::shared_ptr<ChartListener> interaction;
};

// Power results.
struct PowerState {
    float gPowerFactor = 1.0F;
    std::vector<float> power; // kW per value index; power[0] is value index `first`
    QString energyText;
    // The span the last power plot computed (value indices) and its combined
    // current extremes in tenths of amps; last < first before any power plot.
    int32_t first = 0;
    int32_t last = -1;
    int32_t minTenths = 0;
    int32_t maxTenths = 0;
};

// Exports and report tables.
struct ReportState {
    bool gExportOnePerLine = true;
    QString gTable;            // the table shown (or exported), lines ended by CR LF
    bool printPreview = false; // printed reports are shown before they go to paper
};
