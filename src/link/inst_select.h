// Choosing the instrument type: the selection window InstSel, its entries
// from the Instrument and Options menus, and the properties window
// InstProperties (view for catalogue types, edit for Custom).
#pragma once

class Program;
struct InstPropertiesChoice;

// Options > Instrument Selection.
void mnuItemInstSelect(Program &p);
// Opening the Instrument menu: with no type selected yet the selection
// window comes first.
void instrumentMenuOpened(Program &p);
// The main window's public operation: the same as opening the Instrument menu.
void DoMnuInstrumentClick(Program &p);
// Opening the Options menu prepares the selection window for use from it.
void optionsMenuOpened(Program &p);

// Shows InstSel modally with the current type selected.
void ShowInstSel(Program &p);

// InstSel events.
void InstSelOptionClick(Program &p, int button);
void InstSelOk(Program &p);
void InstSelCancel(Program &p);
void InstSelProperties(Program &p);
// The selected offered button becomes instSelection and its settings apply.
void ApplyInstSelection(Program &p);

// InstProperties events.
void loadInstProperties(Program &p);
void InstPropertiesOk(Program &p, const InstPropertiesChoice &choice);
void InstPropertiesCancel(Program &p);
