// Start-up: the splash window's start-up values and layout, the
// initialisation of the program-wide state and the main window's load step.
#pragma once

#include <QString>

class Program;
struct StartupValues;

// Lengths of the splash window in twips (1440 to the inch).
constexpr int kTwipsPerInch = 1440;
constexpr int kSplashPictureWidth = 8440;
constexpr int kSplashPictureHeight = 5760;

int twipsToPixels(double twips, double dotsPerInch);
double pixelsToTwips(int pixels, double dotsPerInch);

// Where the splash window places its picture and labels, in twips.
struct SplashLayout {
    double pictureLeft = 0;
    double pictureTop = 0;
    double label1Left = 0; // "RDX600"
    double label1Top = 0;
    double label5Left = 0; // the version line
    double label5Top = 0;
    double label4Left = 0; // "Click or press a key to start"
    double label4Top = 0;
};

// The layout on a screen of screenW x screenH for a picture of pictureW x
// pictureH and labels 1 and 5 of the given widths (all in twips). A screen
// narrower than the picture centres it by the screen width (left edge 0).
SplashLayout splashLayout(double screenW, double screenH, double pictureW, double pictureH, double label1W,
                          double label5W);

// The splash window's load step: the start-up values, in their order.
void loadStartupValues(StartupValues &s, const QString &currentDirectory);

// The initialisation step run when the splash window is dismissed: status
// panels, port number, export layout, mode table, chart start, power
// factor, interface flag, menu states, title and the recent-file entries.
void initialiseProgram(Program &p);

// The main window's load step.
void mainWindowLoad(Program &p);

// The splash texts.
QString splashProductName();    // "RDX600"
QString splashContinuePrompt(); // "Click or press a key to start"
