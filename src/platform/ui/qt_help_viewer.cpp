#include "platform/ui/qt_help_viewer.h"

#include "platform/ui/help_window.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

QtHelpViewer::QtHelpViewer() = default;

QtHelpViewer::~QtHelpViewer()
{
    delete window_.data();
}

HelpWindow *QtHelpViewer::window() const
{
    return window_.data();
}

bool QtHelpViewer::open(const QString &helpFile)
{
    const QFileInfo file(helpFile);
    if (!file.isFile()) {
        return false;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath()));
}

bool QtHelpViewer::openManual()
{
    if (window_.isNull()) {
        const QString index = manualIndexFile();
        if (index.isEmpty()) {
            return false;
        }
        auto *w = new HelpWindow;
        if (!w->load(index)) {
            delete w;
            return false;
        }
        window_ = w;
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
    return true;
}
