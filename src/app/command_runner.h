// Carries out the commands of the command line in the running program: the
// ones later starts hand over, and the one this copy was started with. A
// command that comes before the start-up has shown the notes waits for it;
// one that comes during the shutdown is refused.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <utility>
#include <vector>

namespace pw {

class InstanceRequest;
class NotesController;

class CommandRunner : public QObject {
  Q_OBJECT

 public:
  // Receives the exit code and the text for the start that gave the command.
  using Answer = std::function<void(int exitCode, const QString& text)>;

  explicit CommandRunner(NotesController& notesMain, QObject* parent = nullptr);

  void Carry(InstanceRequest* request);
  // Failures of this copy's own command go to standard error.
  void CarryOwn(const QStringList& command);
  void Run(const QStringList& command, const Answer& answer);

 private:
  void RunNow(const QStringList& command, const Answer& answer);
  void RunWaiting();
  void RefuseWaiting();

  NotesController& notesMain_;
  std::vector<std::pair<QStringList, Answer>> waiting_;
};

}  // namespace pw
