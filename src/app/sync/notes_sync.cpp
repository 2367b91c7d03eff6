#include "app/sync/notes_sync.h"

#include <QDateTime>
#include <QDir>

#include "app/controller/notes_main.h"
#include "app/sync/sync_settings.h"
#include "app/sync/table_note_store.h"
#include "dataset/dataset_error.h"
#include "settings/config_keys.h"
#include "sync/password_store.h"
#include "sync/sync_state.h"

namespace pw {

NotesSync::NotesSync(NotesController& controller) : QObject(&controller), controller_(controller) {
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, [this] { SyncNow(); });
  connect(&controller_, &NotesController::startupFinished, this,
          [this] { Schedule(kFirstSyncDelayMs); });
}

int NotesSync::RetryDelayMs(int failures) {
  qint64 delay = 30000;
  for (int i = 1; i < failures && delay < kIntervalMs; ++i) delay *= 2;
  return static_cast<int>(std::min<qint64>(delay, kIntervalMs));
}

void NotesSync::Schedule(int delayMs) {
  if (!controller_.ShuttingDown()) timer_.start(delayMs);
}

SyncResult NotesSync::SyncNow() {
  SyncResult result;
  if (running_ || !controller_.Started() || controller_.ShuttingDown()) {
    result.message = QStringLiteral("A sync is running already or the program is not ready.");
    return result;
  }
  IniFile config(controller_.DataFolder() + kConfigFileName);
  const SyncSettings settings = ReadSyncSettings(config);
  if (!settings.Configured()) {
    result.message = QStringLiteral("No CalDAV server is set on the \"Sync\" page.");
    return result;
  }
  running_ = true;
  const std::optional<QString> password =
      PasswordStore(controller_.DataFolder()).Load(settings.server, settings.user);
  DavClient client(settings.user, password.value_or(QString()));
  TableNoteStore store(controller_);
  try {
    result =
        SyncEngine(client, store, QDir(controller_.DataFolder()).filePath(SyncState::kFileName))
            .Run(QUrl(settings.collection));
  } catch (const EngineError& error) {
    result.ok = false;
    result.message = QString::fromStdString(error.what());
  }
  running_ = false;
  failures_ = result.ok ? 0 : failures_ + 1;
  const QString line =
      QDateTime::currentDateTime().toString(Qt::ISODate) + " " +
      (result.ok ? result.message : QStringLiteral("Sync failed: ") + result.message);
  WriteLastSyncResult(config, line);
  Schedule(result.ok ? kIntervalMs : RetryDelayMs(failures_));
  emit finished(line);
  return result;
}

CommandResult SyncNotesCommand(NotesController& notesMain, const QString& /*text*/) {
  const SyncResult result = notesMain.Sync().SyncNow();
  return {result.ok, result.message};
}

}  // namespace pw
