#pragma once

#include "platform/help_viewer.h"

#include <QStringList>

class FakeHelpViewer : public HelpViewer {
public:
    bool open(const QString &helpFile) override
    {
        opened << helpFile;
        return result;
    }
    QStringList opened;
    bool result = true;
};
