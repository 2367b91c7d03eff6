#include "app/command_runner.h"

#include <QPointer>
#include <QTimer>
#include <cstdio>

#include "app/command_line.h"
#include "app/command_line_options.h"
#include "app/controller/notes_main.h"
#include "desktop/instance_request.h"

namespace pw {

namespace {

constexpr int kCommandFailed = 1;
constexpr int kUnknownCommand = 2;

}  // namespace

CommandRunner::CommandRunner(NotesController& notesMain, QObject* parent)
    : QObject(parent), notesMain_(notesMain) {
  connect(&notesMain_, &NotesController::startupFinished, this, &CommandRunner::RunWaiting);
  connect(&notesMain_, &NotesController::programEndRequested, this, &CommandRunner::RefuseWaiting);
}

void CommandRunner::Carry(InstanceRequest* request) {
  const QPointer<InstanceRequest> asked(request);
  Run(request->Arguments(), [asked](int exitCode, const QString& text) {
    if (asked) asked->Answer(exitCode, text);
  });
}

void CommandRunner::CarryOwn(const QStringList& command) {
  // A plain start has nothing to carry out.
  if (command.isEmpty()) return;
  Run(command, [](int exitCode, const QString& text) {
    if (exitCode != 0) std::fprintf(stderr, "%s\n", qPrintable(text));
  });
}

void CommandRunner::Run(const QStringList& command, const Answer& answer) {
  if (notesMain_.ShuttingDown()) {
    answer(kCommandFailed, QStringLiteral("Paperwisp is shutting down."));
  } else if (notesMain_.Started()) {
    RunNow(command, answer);
  } else {
    waiting_.emplace_back(command, answer);
  }
}

void CommandRunner::RunWaiting() {
  // A command may run the event loop, and more may come meanwhile.
  while (!waiting_.empty() && !notesMain_.ShuttingDown()) {
    const auto [command, answer] = waiting_.front();
    waiting_.erase(waiting_.begin());
    RunNow(command, answer);
  }
  RefuseWaiting();
}

void CommandRunner::RefuseWaiting() {
  const auto refused = std::move(waiting_);
  waiting_.clear();
  for (const auto& [command, answer] : refused) {
    answer(kCommandFailed, QStringLiteral("Paperwisp could not carry the command out: it ended."));
  }
}

void CommandRunner::RunNow(const QStringList& command, const Answer& answer) {
  const CommandLine commandLine = CommandLineOfRequest(command);
  if (commandLine.kind == CommandLine::Kind::Error) {
    answer(kUnknownCommand, commandLine.error);
    return;
  }
  if (commandLine.option == nullptr) {
    notesMain_.SecondStart();
    answer(0, QString());
    return;
  }
  const CommandLineOption& option = *commandLine.option;
  if (option.answerWhen == AnswerWhen::Opened) {
    answer(0, QString());
    QTimer::singleShot(0, &notesMain_, [this, action = option.action, text = commandLine.text] {
      action(notesMain_, text);
    });
    return;
  }
  const CommandResult result = option.action(notesMain_, commandLine.text);
  answer(result.ok ? 0 : kCommandFailed, result.text);
}

}  // namespace pw
