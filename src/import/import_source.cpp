#include "import/import_source.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include "import/source_file.h"
#include "import/source_readers.h"

namespace pw {

namespace {

constexpr qint64 kSniffBytes = 64;

bool IsPlainFile(const QFileInfo& file) {
  const QString suffix = file.suffix().toLower();
  return suffix == QLatin1String("txt") || suffix == QLatin1String("md") ||
         suffix == QLatin1String("rtf");
}

bool IsMaildir(const QDir& dir) {
  return dir.exists(QStringLiteral("cur")) && dir.exists(QStringLiteral("new"));
}

// Which of the two JSON notes files `path` is: GNOME's has "notes" (or is a
// single note with a "uuid"), Mint's is an object of groups.
ImportSource KindOfJson(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return ImportSource::kUnknown;
  const QJsonObject root = QJsonDocument::fromJson(file.read(kMaxSourceFileBytes)).object();
  if (root.contains(QLatin1String("notes")) || root.contains(QLatin1String("uuid"))) {
    return ImportSource::kGnomeSticky;
  }
  // A file too large to sniff, or damaged, goes to Mint's reader, which
  // refuses it with the reason.
  return ImportSource::kMintSticky;
}

ImportSource KindOfFile(const QFileInfo& file) {
  const QString suffix = file.suffix().toLower();
  const QString name = file.fileName().toLower();
  if (suffix == QLatin1String("ics")) return ImportSource::kKNotesCalendar;
  if (suffix == QLatin1String("dbf")) return ImportSource::kNotesTable;
  if (suffix == QLatin1String("json")) return KindOfJson(file.filePath());
  if (name == QLatin1String("plum.sqlite")) return ImportSource::kWindowsSticky;
  QFile bytes(file.filePath());
  if (bytes.open(QIODevice::ReadOnly) && bytes.read(kSniffBytes).startsWith("SQLite format 3")) {
    return ImportSource::kWindowsSticky;
  }
  return ImportSource::kUnknown;
}

}  // namespace

DetectedSource DetectImportSource(const QString& path) {
  const QFileInfo given(path);
  const QString absolute = given.absoluteFilePath();
  if (given.isDir()) {
    const QDir dir(absolute);
    if (IsMaildir(dir)) return {ImportSource::kKNotesMaildir, absolute};
    if (!dir.entryList({QStringLiteral("info-*")}, QDir::Files).isEmpty()) {
      return {ImportSource::kXpad, absolute};
    }
    for (const QFileInfo& file : dir.entryInfoList(QDir::Files)) {
      if (IsPlainFile(file)) return {ImportSource::kPlainFiles, absolute};
    }
    return {ImportSource::kUnknown, absolute};
  }
  if (!given.isFile()) return {ImportSource::kUnknown, absolute};
  const QDir parent = given.dir();
  const QString name = given.fileName();
  if (name.startsWith(QLatin1String("info-")) || name.startsWith(QLatin1String("content-"))) {
    return {ImportSource::kXpad, parent.absolutePath()};
  }
  if (QDir grand = parent;
      (parent.dirName() == QLatin1String("cur") || parent.dirName() == QLatin1String("new")) &&
      grand.cdUp() && IsMaildir(grand)) {
    return {ImportSource::kKNotesMaildir, grand.absolutePath()};
  }
  if (IsPlainFile(given)) return {ImportSource::kPlainFiles, absolute};
  return {KindOfFile(given), absolute};
}

ImportRead ReadImportSource(const DetectedSource& source) {
  switch (source.kind) {
    case ImportSource::kPlainFiles:
      return ReadPlainFiles(source.path);
    case ImportSource::kXpad:
      return ReadXpadFolder(source.path);
    case ImportSource::kKNotesCalendar:
      return ReadKNotesCalendar(source.path);
    case ImportSource::kKNotesMaildir:
      return ReadKNotesMaildir(source.path);
    case ImportSource::kMintSticky:
      return ReadMintSticky(source.path);
    case ImportSource::kGnomeSticky:
      return ReadGnomeSticky(source.path);
    case ImportSource::kWindowsSticky:
      return ReadWindowsSticky(source.path);
    case ImportSource::kNotesTable:
      return ReadNotesTable(source.path);
    case ImportSource::kUnknown:
      break;
  }
  if (!QFileInfo::exists(source.path))
    return Refused(source.path, QStringLiteral("does not exist"));
  return Refused(source.path, QStringLiteral("is no notes file or folder this program can import"));
}

}  // namespace pw
