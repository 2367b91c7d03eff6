#include "app/command_line_options.h"

#include <QTextCursor>

#include "app/command_line.h"
#include "app/controller/notes_main.h"
#include "app/note/note_window.h"
#include "app/sync/notes_sync.h"
#include "richtext/note_editor.h"

namespace pw {

namespace {

using enum WithoutRunningCopy;
using enum AnswerWhen;

constexpr CommandLineOption kOptions[] = {
    {"new", "TEXT",
     "Makes a new note from template 1; TEXT, or with - standard input, is its text.", StartProgram,
     Done, NewNoteWithText},
    {"show-all", "", "Shows every note, the hidden ones too.", StartProgram, Done,
     Call<&NotesController::ShowAllNotes>},
    {"hide-all", "", "Hides every note, as \"Hide All Notes\" does.", NothingToDo, Done,
     Call<&NotesController::onHideAllNotes>},
    {"configure", "", "Opens \"Configure Paperwisp\".", StartProgram, Opened,
     Call<&NotesController::onConfigure>},
    {"notes", "", "Opens the \"Notes & Reminders\" window.", StartProgram, Opened,
     Call<&NotesController::onNotesAndReminders>},
    {"import", "PATH...",
     "Imports the notes of xpad, KNotes, Sticky, Sticky Notes, plain files or a notes table at "
     "each PATH.",
     StartProgram, Done, ImportNotesAt},
    {"sync", "", "Syncs the notes with the CalDAV server of the \"Sync\" page now.", StartProgram,
     Done, SyncNotesCommand},
    {"quit", "", "Saves the notes and ends Paperwisp, as \"Shutdown Paperwisp\" does.", NothingToDo,
     Done, Call<&NotesController::FormCloseQuery>},
};

}  // namespace

std::span<const CommandLineOption> CommandLineOptions() {
  return kOptions;
}

const CommandLineOption* FindCommandLineOption(const QString& name) {
  for (const CommandLineOption& option : kOptions) {
    if (name == QLatin1String(option.name)) return &option;
  }
  return nullptr;
}

CommandResult ImportNotesAt(NotesController& notesMain, const QString& text) {
  if (text.isEmpty()) return {false, QStringLiteral("Name the files or folders to import.")};
  const ImportSummary summary = notesMain.ImportNotes(text.split(QLatin1Char(kPathSeparator)));
  return {summary.ok, summary.text};
}

CommandResult NewNoteWithText(NotesController& notesMain, const QString& text) {
  NoteWindow* note = notesMain.NewNoteFromTemplate(1);
  if (note == nullptr) {
    return {false, QStringLiteral("No new note could be made: the notes table is not open or "
                                  "is locked by another program.")};
  }
  if (!text.isNull()) {
    // In the template's character format, which the cursor keeps.
    QTextCursor cursor(note->Editor()->document());
    cursor.select(QTextCursor::Document);
    cursor.insertText(text);
  }
  note->SaveRecordNow();
  return {};
}

}  // namespace pw
