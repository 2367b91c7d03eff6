#include "dataset/engine_path.h"

#include <QByteArray>
#include <QFile>

namespace pw {

std::string ToEnginePath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

QString FromEnginePath(std::string_view bytes) {
  return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

}  // namespace pw
