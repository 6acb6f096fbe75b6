// Menu commands of the power view: Power Plot, Power Table, Power Summary
// (view and print), and the power plot behind the chart's redraw.
#pragma once

class Program;

void installPowerCommands(Program &p);

// Installs the power plot as the chart's redraw of the power view.
void providePowerProcedures(Program &p);
