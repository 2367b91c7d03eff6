#include "settings/shipped_file.h"

#include <QDir>
#include <QFileInfo>

namespace pw {

QString ShippedFilePath(const QString& executableFolder, const QString& name) {
  const QDir executableDir(executableFolder);
  for (const QString& candidate :
       {executableDir.filePath(name),
        executableDir.filePath(QString::fromLatin1(kShippedFolderFromExecutable) + '/' + name)}) {
    if (QFileInfo(candidate).isFile()) return QDir::cleanPath(candidate);
  }
  return QString();
}

}  // namespace pw
