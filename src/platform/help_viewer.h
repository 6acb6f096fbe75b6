// Opens the program's help: the compiled help file at its default topic
// where there is one, else the program's own manual.
#pragma once

#include <QString>

class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    // False when the file cannot be shown.
    virtual bool open(const QString &helpFile) = 0;
    // Shows the user manual installed with the program; false when there
    // is none.
    virtual bool openManual() = 0;
};
