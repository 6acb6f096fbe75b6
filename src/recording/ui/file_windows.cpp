#include "recording/ui/file_windows.h"

#include "program/program.h"
#include "recording/fileopen.h"
#include "recording/ui/data_select_window.h"
#include "recording/ui/edit_notes_window.h"

#include <QFileInfo>
#include <QTimer>

void attachFileWindows(Program &p, QWidget *parent)
{
    p.windows.dataSelect = new DataSelectWindow(p, parent);
    p.windows.editNotes = new EditNotesWindow(p, parent);
}

void openCommandLineFiles(Program &p, const QStringList &files)
{
    for (const QString &file : files) {
        // Full paths, as the Open dialog gives them: the recent-file list and
        // the caption must still lead to the file from another folder.
        openRecordingFile(p, file.isEmpty() ? file : QFileInfo(file).absoluteFilePath());
    }
    p.sync();
}

void startFileWindows(Program &p, const std::function<QWidget *()> &mainWindow, const QStringList &files)
{
    if (QWidget *main = mainWindow()) {
        attachFileWindows(p, main);
        openCommandLineFiles(p, files);
        return;
    }
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [&p, mainWindow, files, timer] {
        if (QWidget *main = mainWindow()) {
            timer->stop();
            timer->deleteLater();
            attachFileWindows(p, main);
            openCommandLineFiles(p, files);
        }
    });
    timer->start(20);
}
