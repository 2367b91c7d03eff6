#include "settings/shipped_sounds.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "settings/data_folder.h"
#include "settings/shipped_file.h"

namespace pw {

QStringList ShippedSoundNames() {
  return {QStringLiteral("Reminder.wav"), QStringLiteral("Collapse.wav"),
          QStringLiteral("Expand.wav")};
}

QStringList CopyMissingSounds(const QString& dataFolder, const QString& executableFolder) {
  QStringList failures;
  for (const QString& name : ShippedSoundNames()) {
    if (QFileInfo::exists(DataFilePath(dataFolder, name))) continue;
    const QString shipped = ShippedFilePath(executableFolder, name);
    if (shipped.isEmpty()) continue;
    QFile source(shipped);
    if (!source.copy(QDir(dataFolder).filePath(name))) {
      failures << name + QStringLiteral(": ") + source.errorString();
    }
  }
  return failures;
}

}  // namespace pw
