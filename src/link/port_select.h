// Choosing the serial port: the Com Port Selection command and its window
// PortSel. The chosen port is stored and used by every exchange.
#pragma once

class Program;

void mnuItemPortSelect(Program &p);
// OK with the option button selected (1..8; 0 when none is).
void PortSelOk(Program &p, int selectedButton);
void PortSelCancel(Program &p);
