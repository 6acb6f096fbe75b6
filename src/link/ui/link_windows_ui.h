// Creates the link's windows (status, InstSel, InstProperties, PortSel) as
// children of the main window and hands them to the program.
#pragma once

class Program;
class QWidget;

void installLinkWindows(Program &p, QWidget *parent);
