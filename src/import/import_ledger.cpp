#include "import/import_ledger.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace pw {

ImportLedger::ImportLedger(const QString& dataFolder)
    : path_(QDir(dataFolder).filePath(QStringLiteral("Imported.txt"))) {}

QString ImportLedger::Key(const QString& kind, const QString& id) {
  // Ids hold no line ends or tabs once these are escaped.
  QString escaped = id;
  escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
      .replace(QLatin1Char('\t'), QStringLiteral("\\t"))
      .replace(QLatin1Char('\n'), QStringLiteral("\\n"))
      .replace(QLatin1Char('\r'), QStringLiteral("\\r"));
  return kind + QLatin1Char('\t') + escaped;
}

bool ImportLedger::Load(QString* error) {
  keys_.clear();
  QFile file(path_);
  if (!file.exists()) return true;
  if (!file.open(QIODevice::ReadOnly)) {
    *error = QStringLiteral("%1: cannot be read (%2)")
                 .arg(QDir::toNativeSeparators(path_), file.errorString());
    return false;
  }
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    *error = QStringLiteral("%1: cannot be read (%2)")
                 .arg(QDir::toNativeSeparators(path_), file.errorString());
    return false;
  }
  for (const QByteArray& line : bytes.split('\n')) {
    if (!line.isEmpty()) keys_.insert(QString::fromUtf8(line));
  }
  return true;
}

bool ImportLedger::Contains(const QString& kind, const QString& id) const {
  return keys_.contains(Key(kind, id));
}

void ImportLedger::Add(const QString& kind, const QString& id) {
  keys_.insert(Key(kind, id));
}

bool ImportLedger::Save(QString* error) const {
  QStringList lines(keys_.begin(), keys_.end());
  lines.sort();
  QSaveFile file(path_);
  const QByteArray bytes = lines.join(QLatin1Char('\n')).toUtf8() + '\n';
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    *error = QStringLiteral("%1: cannot be written (%2)")
                 .arg(QDir::toNativeSeparators(path_), file.errorString());
    return false;
  }
  return true;
}

}  // namespace pw
