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
    bool openManual() override
    {
        ++manualOpened;
        return manualResult;
    }
    QStringList opened;
    bool result = true;
    int manualOpened = 0;
    bool manualResult = false;
};
