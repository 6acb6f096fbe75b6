#include "platform/ui/qt_help_viewer.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

bool QtHelpViewer::open(const QString &helpFile)
{
    const QFileInfo file(helpFile);
    if (!file.isFile()) {
        return false;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath()));
}
