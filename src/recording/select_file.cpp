#include "recording/select_file.h"

#include "platform/dialogs.h"
#include "program/program.h"
#include "program/view_procs.h"
#include "recording/data_select.h"

#include <QStringList>

void SelectFile(Program &p)
{
    Recording &r = p.rec;
    if (!r.slotInUse(0)) {
        r.ginx = -1;
        return;
    }
    if (!r.slotInUse(1)) {
        r.ginx = 0;
        return;
    }
    HideTextViews(p);
    QStringList lines;
    for (int slot = 0; slot < kSlots; ++slot) {
        lines << r.gInfo[slot][kColPath].text();
    }
    r.ginx = 0;
    r.gOutputMode = OutputMode::FileSelection;
    if (p.windows.dataSelect != nullptr) {
        p.windows.dataSelect->showModal(lines);
    } else {
        r.ginx = -2; // nobody to ask
    }
    p.dialogs().setBusy(false);
}

bool SelectRecording(Program &p, const QString &noFileMessage)
{
    SelectFile(p);
    if (p.rec.ginx == -2) {
        return false;
    }
    if (p.rec.ginx < 0) {
        p.dialogs().message(noFileMessage);
        return false;
    }
    return true;
}
