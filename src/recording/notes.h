// Site notes of a recording: the notes file beside each recording file, the
// Notes command and the core of the note editor window.
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>

class Program;

using SiteNotes = std::array<QString, 4>; // location, circuit, name, other

constexpr int kNoteWidth = 66;

// The notes file of a recording file: its last three characters become "not".
// Empty for an empty recording path.
QString notesPath(const QString &recordingPath);

// Reads the four notes (one per line, trailing blanks dropped). nullopt when
// the file is missing or unreadable.
std::optional<SiteNotes> readNotesFile(const QString &path);
// The file text: each note cut or padded to 66 characters, then CR LF.
QByteArray notesFileText(const SiteNotes &notes);
// Writes the notes file whole (the old file stays when writing fails).
bool writeNotesFile(const QString &path, const SiteNotes &notes);

// The note editor window as the core sees it.
class EditNotesView {
public:
    virtual ~EditNotesView() = default;
    // Shows the editor (not modal) for recording ginx.
    virtual void showNotes() = 0;
};

// The Notes command (mnuItemNotes).
void NotesCommand(Program &p);

// What the editor shows when it loads: the slot it edits, its path (Label5)
// and the four texts.
struct NotesEdit {
    int slot = -1;
    QString path;
    SiteNotes texts;
};
NotesEdit editNotesLoad(const Program &p);
// OK for the notes loaded as `loaded`: stores the texts in the slot and
// writes the notes file. Refused with a message, nothing stored or written,
// when a text holds characters the notes file cannot keep (it is Latin-1) or
// when the recording the editor was loaded with is no longer in its slot
// (closed or replaced while the editor stayed open). A notes file that cannot
// be written is reported by path and changes nothing (the editor stays open).
// True when the editor may close: the notes were stored, or there is nothing
// left to store them to.
bool editNotesOk(Program &p, const NotesEdit &loaded, const SiteNotes &texts);
// The characters of `texts` outside Latin-1, each once, in order.
QString charactersOutsideLatin1(const SiteNotes &texts);
// Cancel: nothing is written.
void editNotesCancel(Program &p);
