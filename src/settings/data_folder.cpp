#include "settings/data_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "platform/file_lookup.h"
#include "settings/config_keys.h"

namespace pw {

QString DataFilePath(const QString& folder, const QString& name) {
  const std::string path = QFile::encodeName(QDir(folder).filePath(name)).toStdString();
  return QFile::decodeName(QByteArray::fromStdString(platform::ResolvePathNoCase(path)));
}

QString DataFolderFor(const QString& executableFolder) {
  for (const QString& name : {QString::fromLatin1(kConfigFileName), QStringLiteral("notes.dbf")}) {
    const QString path = DataFilePath(executableFolder, name);
    if (platform::FileExists(QFile::encodeName(path).toStdString())) return executableFolder;
  }
  return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
      .filePath(QStringLiteral("Paperwisp"));
}

bool EnsureDataFolder(const QString& folder, QString* error) {
  if (QDir().mkpath(folder)) return true;
  *error = QFileInfo(folder).exists() ? QStringLiteral("%1 is not a folder").arg(folder)
                                      : QStringLiteral("Cannot create the folder %1").arg(folder);
  return false;
}

}  // namespace pw
