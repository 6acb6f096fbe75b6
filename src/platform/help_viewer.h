// Opens the program's help file at its default topic.
#pragma once

#include <QString>

class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    // False when the file cannot be shown.
    virtual bool open(const QString &helpFile) = 0;
};
