#include "recording/ui/file_windows.h"

#include "platform/ui/qt_printer_device.h"
#include "recording/fileopen.h"
#include "recording/ui/edit_notes_window.h"
#include "shell/program.h"
#include "shell/ui/data_select_window.h"

std::unique_ptr<QtPrinterDevice> makePrinterDevice()
{
    const QString pdf = qEnvironmentVariable("RDX600_PRINT_PDF");
    return pdf.isEmpty() ? std::make_unique<QtPrinterDevice>() : std::make_unique<QtPrinterDevice>(pdf);
}

void attachFileWindows(Program &p, QWidget *parent)
{
    p.windows.dataSelect = new DataSelectWindow(p, parent);
    p.windows.editNotes = new EditNotesWindow(p, parent);
}

void openCommandLineFiles(Program &p, const QStringList &files)
{
    for (const QString &file : files) {
        openRecordingFile(p, file);
    }
    p.sync();
}
