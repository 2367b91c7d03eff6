#include "app/command_line.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <vector>

#include "app/command_line_options.h"

namespace pw {

namespace {

constexpr char kStandardInput[] = "-";
constexpr int kHelpColumn = 18;
constexpr int kUsageError = 2;

void Print(std::FILE* stream, const QString& text) {
  if (text.isEmpty()) return;
  const QByteArray bytes = text.toLocal8Bit();
  std::fputs(bytes.constData(), stream);
  if (!bytes.endsWith('\n')) std::fputc('\n', stream);
}

CommandLine Failure(const QString& error) {
  CommandLine commandLine;
  commandLine.kind = CommandLine::Kind::Error;
  commandLine.error = error;
  return commandLine;
}

QString OptionSpelling(const CommandLineOption& option) {
  QString spelling = QStringLiteral("--") + QLatin1String(option.name);
  if (option.valueName[0] != '\0') spelling += QStringLiteral(" [%1]").arg(option.valueName);
  return spelling;
}

// The arguments without the options QApplication takes for itself, with one
// dash or two ("-style fusion", "--platform=xcb"): those that take a value
// and those that stand alone. After "--" nothing is an option.
QStringList WithoutQtOptions(const QStringList& arguments) {
  static const QStringList kWithValue = {
      "platform",     "platformpluginpath", "platformtheme", "plugin",     "qwindowgeometry",
      "qwindowicon",  "qwindowtitle",       "style",         "stylesheet", "session",
      "display",      "geometry",           "name",          "title",      "visual",
      "qmljsdebugger"};
  static const QStringList kAlone = {"reverse", "widgetcount", "nograb", "dograb", "sync"};
  QStringList kept;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (argument == QStringLiteral("--")) {
      kept << arguments.mid(i);
      break;
    }
    if (i == 0 || !argument.startsWith(u'-') || argument == QLatin1String(kStandardInput)) {
      kept << argument;
      continue;
    }
    const QString spelt = argument.mid(argument.startsWith(QStringLiteral("--")) ? 2 : 1);
    const qsizetype equals = spelt.indexOf(u'=');
    const QString name = equals < 0 ? spelt : spelt.left(equals);
    if (kWithValue.contains(name)) {
      if (equals < 0) ++i;  // the value is the next argument
    } else if (!kAlone.contains(name) || equals >= 0) {
      kept << argument;
    }
  }
  return kept;
}

}  // namespace

bool CommandLine::StartsProgram() const {
  return option == nullptr || option->withoutRunningCopy == WithoutRunningCopy::StartProgram;
}

QStringList CommandLine::Command() const {
  if (option == nullptr) return {};
  QStringList command{QLatin1String(option->name)};
  if (!text.isNull()) command << text;
  return command;
}

CommandLine ParseCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
  parser.addOption(help);
  std::vector<const CommandLineOption*> options;
  for (const CommandLineOption& option : CommandLineOptions()) {
    parser.addOption(QCommandLineOption(QLatin1String(option.name), QString()));
  }
  if (!parser.parse(WithoutQtOptions(arguments))) return Failure(parser.errorText());
  if (parser.isSet(help)) {
    CommandLine commandLine;
    commandLine.kind = CommandLine::Kind::Help;
    return commandLine;
  }
  for (const CommandLineOption& option : CommandLineOptions()) {
    if (parser.isSet(QLatin1String(option.name))) options.push_back(&option);
  }
  if (options.size() > 1) return Failure(QStringLiteral("Give one option at a time."));
  CommandLine commandLine;
  if (!options.empty()) commandLine.option = options.front();
  const QStringList texts = parser.positionalArguments();
  if (texts.isEmpty()) return commandLine;
  const bool takesText = commandLine.option != nullptr && commandLine.option->valueName[0] != '\0';
  const bool takesMany = takesText && QByteArrayView(commandLine.option->valueName).endsWith("...");
  if (!takesText || (texts.size() > 1 && !takesMany)) {
    return Failure(QStringLiteral("Unexpected argument: %1").arg(texts.value(takesText ? 1 : 0)));
  }
  if (!QByteArrayView(commandLine.option->valueName).startsWith("PATH")) {
    commandLine.text = texts.front();
    return commandLine;
  }
  // The running copy has a working folder of its own.
  QStringList paths;
  for (const QString& path : texts) {
    if (path.contains(QLatin1Char(kPathSeparator))) {
      return Failure(QStringLiteral("A path holding a line break cannot be given: %1").arg(path));
    }
    paths << QFileInfo(path).absoluteFilePath();
  }
  commandLine.text = paths.join(QLatin1Char(kPathSeparator));
  return commandLine;
}

QString HelpText(const QString& programName) {
  QString help = QStringLiteral(
                     "Usage: %1 [OPTION]\n"
                     "Sticky notes on the desktop. Without an option Paperwisp starts, or brings "
                     "the running copy forward;\nwith one, the running copy carries it out.\n\n"
                     "Options:\n")
                     .arg(programName);
  const auto line = [&help](const QString& spelling, const QString& text) {
    help += QStringLiteral("  ") + spelling.leftJustified(kHelpColumn - 1) + QLatin1Char(' ') +
            text + QLatin1Char('\n');
  };
  line(QStringLiteral("-h, --help"), QStringLiteral("Lists these options."));
  for (const CommandLineOption& option : CommandLineOptions()) {
    line(OptionSpelling(option), QLatin1String(option.help));
  }
  return help;
}

bool ReadTextFromStandardInput(CommandLine& commandLine, QString* error) {
  if (commandLine.text != QLatin1String(kStandardInput)) return true;
  QFile input;
  if (!input.open(stdin, QIODevice::ReadOnly)) {
    *error = QStringLiteral("Cannot read standard input: %1").arg(input.errorString());
    return false;
  }
  QByteArray bytes = input.readAll();
  if (input.error() != QFileDevice::NoError) {
    *error = QStringLiteral("Cannot read standard input: %1").arg(input.errorString());
    return false;
  }
  while (bytes.endsWith('\n') || bytes.endsWith('\r')) bytes.chop(1);
  commandLine.text = QString::fromLocal8Bit(bytes);
  return true;
}

int PrintHelpOrError(const CommandLine& commandLine) {
  if (commandLine.kind == CommandLine::Kind::Help) {
    Print(stdout, HelpText(QStringLiteral("paperwisp")));
    return 0;
  }
  Print(stderr, commandLine.error + QStringLiteral("\nTry 'paperwisp --help'."));
  return kUsageError;
}

int PrintAnswer(const InstanceAnswer& answer) {
  Print(answer.exitCode == 0 ? stdout : stderr, answer.text);
  return answer.exitCode;
}

int PrintNotRunning() {
  Print(stdout, QStringLiteral("Paperwisp is not running; there is nothing to do."));
  return 0;
}

QStringList ArgumentsOf(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  return arguments;
}

CommandLine CommandLineOfRequest(const QStringList& command) {
  CommandLine commandLine;
  if (command.isEmpty()) return commandLine;
  commandLine.option = FindCommandLineOption(command.front());
  if (commandLine.option == nullptr || command.size() > 2) {
    return Failure(QStringLiteral("This copy of Paperwisp does not know the command %1.")
                       .arg(command.join(QLatin1Char(' '))));
  }
  if (command.size() == 2) commandLine.text = command.at(1);
  return commandLine;
}

}  // namespace pw
