// The main window's own commands (close, exit, default directory, user name,
// power factor, help, about) and its menu-opening rules.
#pragma once

#include <QString>

class Program;

void installShellCommands(Program &p);

// The default-directory panel's buttons: Command1 ("select drive") and
// Command2 ("select directory and click OK"). The window puts the chosen
// drive in view.drive1Drive and the chosen folder in view.dir1Path first.
void DefaultDirSelectDrive(Program &p);
void DefaultDirSelectDirectory(Program &p);

// The About box text.
QString aboutText(const Program &p);

// The help file, in the current directory.
QString helpFilePath();

// Menu-opening rules, also run by the window before a menu shows.
void FileMenuOpened(Program &p);
void EditMenuOpened(Program &p);
