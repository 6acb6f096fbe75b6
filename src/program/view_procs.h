// The shared view procedures every command starts with.
#pragma once

class Program;

// Hides the report text: RichTextBox1, Label1, Label2, Header1.
void HideTextViews(Program &p);
// Hides both charts, Label3 and the status panels; disables Scale and
// Annotate; clears the imported chart.
void HideChart(Program &p);
// Shows the recording chart with the status panels ("Status:").
void ShowChart(Program &p);
// Frees every slot and returns the menus to the no-recording state.
void CloseRecordings(Program &p);
// Shows recent-file entry i (1..4) exactly when its stored path is not empty.
void ShowRecentFileEntries(Program &p);
