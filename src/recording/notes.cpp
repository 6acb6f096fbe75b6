#include "recording/notes.h"

#include "platform/dialogs.h"
#include "platform/file_read.h"
#include "platform/file_write.h"
#include "platform/textformat.h"
#include "program/program.h"
#include "program/view_procs.h"
#include "recording/save.h"
#include "recording/select_file.h"

QString notesPath(const QString &recordingPath)
{
    // No recording, no notes file (a bare "not" would land in the current folder).
    if (recordingPath.isEmpty()) {
        return {};
    }
    return recordingPath.left(recordingPath.size() - 3) + QStringLiteral("not");
}

std::optional<SiteNotes> readNotesFile(const QString &path)
{
    const std::optional<QByteArray> read = readRegularFile(path);
    if (!read) {
        return std::nullopt;
    }
    const QByteArray &bytes = *read;
    SiteNotes notes;
    qsizetype pos = 0;
    // One note per line; the writer pads with blanks, which are dropped
    // again. A note written in quotes loses its quotes.
    for (QString &note : notes) {
        if (pos >= bytes.size()) {
            break;
        }
        qsizetype end = pos;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n' && bytes[end] != 26) {
            ++end;
        }
        QString line = QString::fromLatin1(bytes.mid(pos, end - pos)).trimmed();
        if (line.size() >= 2 && line.startsWith(QLatin1Char('"')) && line.endsWith(QLatin1Char('"'))) {
            line = line.mid(1, line.size() - 2);
        }
        note = line;
        if (end < bytes.size() && bytes[end] == 26) {
            break;
        }
        pos = end;
        if (pos < bytes.size() && bytes[pos] == '\r') {
            ++pos;
        }
        if (pos < bytes.size() && bytes[pos] == '\n') {
            ++pos;
        }
    }
    return notes;
}

QByteArray notesFileText(const SiteNotes &notes)
{
    QByteArray out;
    out.reserve(static_cast<qsizetype>(4) * (kNoteWidth + 2));
    for (const QString &note : notes) {
        out += textformat::fixedLeft(note, kNoteWidth).toLatin1();
        out += "\r\n";
    }
    return out;
}

bool writeNotesFile(const QString &path, const SiteNotes &notes)
{
    return writeWholeFile(path, notesFileText(notes));
}

void NotesCommand(Program &p)
{
    Recording &r = p.rec;
    HideTextViews(p);
    if (!r.slotInUse(0)) {
        // Nothing is open: there are no notes to edit, unless the working
        // slot is already known to be invalid.
        if (r.ginx >= 0) {
            return;
        }
    } else {
        SelectFile(p);
    }
    if (r.ginx == -2) {
        return;
    }
    if (r.ginx < 0) {
        p.dialogs().message(QStringLiteral("Software error in mnuItemNotes_Click: ") +
                            QStringLiteral("\r\n") +
                            QStringLiteral("   A case that couldn't happen, happened."));
        return;
    }
    r.gOutputMode = OutputMode::CancelOrUserScaleMin;
    p.dialogs().setBusy(false);
    if (p.windows.editNotes != nullptr) {
        p.windows.editNotes->showNotes();
    }
}

NotesEdit editNotesLoad(const Program &p)
{
    NotesEdit e;
    const Recording &r = p.rec;
    if (r.ginx < 0 || r.ginx >= kSlots) {
        return e;
    }
    e.slot = r.ginx;
    e.path = r.gInfo[r.ginx][kColPath].text();
    e.texts = r.gSite[r.ginx];
    return e;
}

QString charactersOutsideLatin1(const SiteNotes &texts)
{
    QString found;
    for (const QString &text : texts) {
        for (const QChar c : text) {
            if (c.unicode() > 0xFF && !found.contains(c)) {
                found += c;
            }
        }
    }
    return found;
}

bool editNotesOk(Program &p, const NotesEdit &loaded, const SiteNotes &texts)
{
    Recording &r = p.rec;
    const QString foreign = charactersOutsideLatin1(texts);
    if (!foreign.isEmpty()) {
        // The notes file keeps Latin-1 only: rather than storing "?" for
        // these, the user is told which characters to change.
        QString listed;
        for (const QChar c : foreign) {
            listed += (listed.isEmpty() ? QString() : QStringLiteral(" ")) + c;
        }
        p.dialogs().message(QStringLiteral("The notes cannot hold these characters: ") + listed +
                            QStringLiteral("\r\nPlease change them; nothing was saved."));
        return false;
    }
    const int slot = loaded.slot;
    if (slot < 0 || slot >= kSlots || loaded.path.isEmpty() ||
        r.gInfo[slot][kColPath].text() != loaded.path) {
        // The recording was closed (or another one took its slot) while the
        // editor stayed open: its notes have nowhere to go.
        r.gOutputMode = OutputMode::Nothing;
        if (!loaded.path.isEmpty()) {
            p.dialogs().message(QStringLiteral("The notes were not saved: ") + loaded.path +
                                QStringLiteral(" is no longer open."));
        }
        return true;
    }
    const QString path = notesPath(loaded.path);
    if (!writeNotesFile(path, texts)) {
        // Not silent: the user would believe the notes were kept. The notes
        // in memory stay as they were and the editor stays open with the new
        // texts, to be tried again or cancelled.
        p.dialogs().message(saveErrorText(path));
        return false;
    }
    r.gOutputMode = OutputMode::Nothing;
    r.gSite[slot] = texts;
    r.gWorkPath = path;
    return true;
}

void editNotesCancel(Program &p)
{
    p.rec.gOutputMode = OutputMode::Nothing;
}
