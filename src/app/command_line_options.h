// The options of the program's command line, one entry each: its name, the
// text it may take, its help line, whether it starts the program when no
// copy runs, when the running copy answers, and what it does there.
#pragma once

#include <QString>
#include <span>

namespace pw {

class NotesController;

struct CommandResult {
  bool ok = true;
  QString text;  // printed by the start that gave the command
};

enum class WithoutRunningCopy {
  StartProgram,  // start the program, then carry the command out
  NothingToDo,   // say that the program does not run, and end
};

enum class AnswerWhen {
  Done,    // after the command ran, with its result
  Opened,  // at once: the command opens a window that waits for the user
};

using CommandAction = CommandResult (*)(NotesController& notesMain, const QString& text);

struct CommandLineOption {
  const char* name;       // without the leading "--"
  const char* valueName;  // "" when the option takes no text; "-" reads it from standard input
  const char* help;
  WithoutRunningCopy withoutRunningCopy;
  AnswerWhen answerWhen;
  CommandAction action;
};

std::span<const CommandLineOption> CommandLineOptions();
// Null when no option has that name.
const CommandLineOption* FindCommandLineOption(const QString& name);

// Writes `text` as the whole text of a new note from template 1.
CommandResult NewNoteWithText(NotesController& notesMain, const QString& text);

// Imports the notes of every path in `text` (joined with kPathSeparator).
CommandResult ImportNotesAt(NotesController& notesMain, const QString& text);

// An option whose action is one command of the controller.
template <void (NotesController::*command)()>
CommandResult Call(NotesController& notesMain, const QString& /*text*/) {
  (notesMain.*command)();
  return {};
}

}  // namespace pw
