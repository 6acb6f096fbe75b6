// Opens the help file with the desktop's viewer for its kind of file.
#pragma once

#include "platform/help_viewer.h"

class QtHelpViewer : public HelpViewer {
public:
    // False when the file does not exist or no viewer takes it.
    bool open(const QString &helpFile) override;
};
