#include "reports/open_recording.h"

#include "program/menu_items.h"
#include "program/program.h"
#include "reports/printinfo.h"

#include <QFileInfo>

FileopenResult openAndShowSummary(Program &p)
{
    const FileopenResult result = Fileopen(p);
    if (result == FileopenResult::Opened) {
        Printinfo(p);
    }
    return result;
}

bool openRecordingFile(Program &p, const QString &path)
{
    return startOpeningFile(p, path) && finishOpeningFile(p, openAndShowSummary(p));
}

void openCommandLineFiles(Program &p, const QStringList &files)
{
    for (const QString &file : files) {
        openRecordingFile(p, file.isEmpty() ? file : QFileInfo(file).absoluteFilePath());
    }
    p.sync();
}

void OpenCommand(Program &p)
{
    if (chooseRecordingFile(p)) {
        finishOpeningFile(p, openAndShowSummary(p));
    }
}

void OpenRecentFile(Program &p, int entry)
{
    if (startOpeningRecentFile(p, entry)) {
        openAndShowSummary(p);
        finishOpeningRecentFile(p);
    }
}

void installOpenCommands(Program &p)
{
    p.addCommand(menu::kItemOpen, [&p] { OpenCommand(p); });
    for (int i = 1; i <= 4; ++i) {
        p.addCommand(MenuModel::mru(i), [&p, i] { OpenRecentFile(p, i); });
    }
}
