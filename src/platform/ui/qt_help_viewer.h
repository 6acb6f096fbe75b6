// Opens the help file with the desktop's viewer for its kind of file, and
// the program's own manual in a help window.
#pragma once

#include "platform/help_viewer.h"

#include <QPointer>

class HelpWindow;
class QWidget;

class QtHelpViewer : public HelpViewer {
public:
    QtHelpViewer();
    ~QtHelpViewer() override;
    QtHelpViewer(const QtHelpViewer &) = delete;
    QtHelpViewer &operator=(const QtHelpViewer &) = delete;

    // False when the file does not exist or no viewer takes it.
    bool open(const QString &helpFile) override;
    // The manual (see manualIndexFile) in one help window, made once and
    // brought to the front on every later call.
    bool openManual() override;

    HelpWindow *window() const;

private:
    QPointer<HelpWindow> window_;
};
