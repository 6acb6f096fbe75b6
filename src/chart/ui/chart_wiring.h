// The two chart controls of the main window.
#pragma once

class Program;
class QcpChartDevice;
class QWidget;

struct ChartWidgets {
    QcpChartDevice *chart1 = nullptr; // recording and power plots
    QcpChartDevice *chart2 = nullptr; // imported chart files
};

// Makes the two charts inside the main window's chart areas (each area has a
// layout; the area owns its chart) and hands them to the program: p.io.chart1
// and p.io.chart2, the chart mouse and toolbar handling on chart 1, and the
// printer and dialogs for the charts' own print buttons. When an area goes,
// its chart pointer in the program is cleared.
ChartWidgets wireCharts(Program &p, QWidget *area1, QWidget *area2);
