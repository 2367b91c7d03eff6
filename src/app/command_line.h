// The program's command line: what it asks for, read with QCommandLineParser
// against the option table, the help text, and the command as it travels
// to the running copy ({} for none, {name} or {name, text}).
#pragma once

#include <QString>
#include <QStringList>

#include "desktop/instance_wire.h"

namespace pw {

struct CommandLineOption;

inline constexpr char kPathSeparator = '\n';

struct CommandLine {
  enum class Kind { Run, Help, Error };
  Kind kind = Kind::Run;
  const CommandLineOption* option = nullptr;  // null: start, or bring the running copy forward
  // Null when the option was given none. The paths of a "PATH..." option
  // are made absolute and joined with kPathSeparator.
  QString text;
  QString error;

  // Whether this start becomes the running program when no copy runs.
  bool StartsProgram() const;
  QStringList Command() const;
};

// `arguments` with the program's name first, as argv holds them.
CommandLine ParseCommandLine(const QStringList& arguments);
QString HelpText(const QString& programName);

// Replaces a text of "-" with standard input (its final line ends dropped);
// false with `error` set when it cannot be read.
bool ReadTextFromStandardInput(CommandLine& commandLine, QString* error);

// Printing for the start that ends at once; each returns its exit code.
int PrintHelpOrError(const CommandLine& commandLine);
int PrintAnswer(const InstanceAnswer& answer);
int PrintNotRunning();
QStringList ArgumentsOf(int argc, char** argv);

// The command a request carries, looked up in the option table; Kind::Error
// for one this program does not know.
CommandLine CommandLineOfRequest(const QStringList& command);

}  // namespace pw
