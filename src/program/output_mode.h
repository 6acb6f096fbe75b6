// What the main window is doing with the open recordings, read by the
// commands that share the report labels, the text view and the printer.
#pragma once

enum class OutputMode {
    Nothing = 0, // nothing shown
    // One value with several uses that may meet in one place: a cancel asked
    // for during an instrument exchange, the plot's use of the user's
    // value-axis minimum, a recording file that could not be read, and the
    // notes window waiting for its recording to be chosen.
    CancelOrUserScaleMin = 1,
    ReadingTable = 2,  // the reading table is shown
    Summary = 3,       // the summary view is shown
    Print = 4,         // the summary goes to the printer
    PowerTable = 5,    // the power table is shown
    FileSelection = 6, // a recording is being chosen
};
