#include "recording/ui/file_windows.h"

#include "program/program.h"
#include "recording/ui/data_select_window.h"
#include "recording/ui/edit_notes_window.h"

#include <QTimer>

void attachFileWindows(Program &p, QWidget *parent)
{
    p.windows.dataSelect = new DataSelectWindow(p, parent);
    p.windows.editNotes = new EditNotesWindow(p, parent);
}

void startFileWindows(Program &p, const std::function<QWidget *()> &mainWindow,
                      const std::function<void()> &attached)
{
    if (QWidget *main = mainWindow()) {
        attachFileWindows(p, main);
        attached();
        return;
    }
    auto *timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [&p, mainWindow, attached, timer] {
        if (QWidget *main = mainWindow()) {
            timer->stop();
            timer->deleteLater();
            attachFileWindows(p, main);
            attached();
        }
    });
    timer->start(20);
}
