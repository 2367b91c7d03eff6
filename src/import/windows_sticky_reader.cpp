// Windows Sticky Notes (3.0 and later) keeps its notes in plum.sqlite, an
// SQLite database whose Note table holds one row per note: Id, Text (each
// paragraph prefixed with "\id=<paragraph id> "), WindowPosition
// ("...;Position=x,y;Size=w,h"), IsOpen, IsAlwaysOnTop, Theme ("Yellow",
// "Green", ...), CreatedAt (.NET ticks, 100 ns since 0001-01-01) and
// DeletedAt (set for a note in the bin). The database, its -wal and -shm
// files are copied to a temporary folder and read there, so that SQLite's
// recovery of the write-ahead log never changes the user's files.
#include <sqlite3.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <memory>

#include "import/note_palette.h"
#include "import/note_text.h"
#include "import/source_file.h"
#include "import/source_readers.h"

namespace pw {

namespace {

struct DatabaseClose {
  void operator()(sqlite3* database) const { sqlite3_close(database); }
};
struct StatementFinalize {
  void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Database = std::unique_ptr<sqlite3, DatabaseClose>;
using Statement = std::unique_ptr<sqlite3_stmt, StatementFinalize>;

constexpr qint64 kTicksPerSecond = 10'000'000;
constexpr qint64 kUnixEpochSeconds = 62'135'596'800;  // 0001-01-01 to 1970-01-01

QColor ColorOfTheme(const QString& theme) {
  static const std::pair<const char*, QRgb> kThemes[] = {
      {"Yellow", 0xFFF7D1}, {"Green", 0xE4F9E0}, {"Pink", 0xFFE4F1},     {"Purple", 0xF2E6FF},
      {"Blue", 0xE2F1FF},   {"Gray", 0xF3F2F1},  {"Charcoal", 0x696969},
  };
  for (const auto& [name, rgb] : kThemes) {
    if (theme == QLatin1String(name)) return QColor(rgb);
  }
  return {};
}

QString PlainTextOf(const QString& text) {
  static const QRegularExpression paragraphId(QStringLiteral(R"(^\\id=[0-9A-Za-z-]+ ?)"),
                                              QRegularExpression::MultilineOption);
  return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).remove(paragraphId);
}

QString Column(sqlite3_stmt* statement, int column) {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
  return text == nullptr ? QString() : QString::fromUtf8(text);
}

// Copies the database and its companions; false with `error` set.
bool CopyDatabase(const QString& path, const QString& folder, QString* copy, QString* error) {
  *copy = QDir(folder).filePath(QStringLiteral("plum.sqlite"));
  for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")}) {
    const QFileInfo from(path + suffix);
    if (!from.exists() && !suffix.isEmpty()) continue;
    if (from.size() > kMaxSourceFileBytes) {
      *error = QStringLiteral("%1: is larger than %2 MiB, which no notes file is")
                   .arg(QDir::toNativeSeparators(from.filePath()))
                   .arg(kMaxSourceFileBytes / (1024 * 1024));
      return false;
    }
    if (!QFile::copy(from.filePath(), *copy + suffix)) {
      *error = QStringLiteral("%1: cannot be read").arg(QDir::toNativeSeparators(from.filePath()));
      return false;
    }
  }
  return true;
}

}  // namespace

ImportRead ReadWindowsSticky(const QString& path) {
  QTemporaryDir folder;
  QString copy;
  QString error;
  if (!folder.isValid()) return Refused(path, QStringLiteral("no temporary folder to read it in"));
  if (!CopyDatabase(path, folder.path(), &copy, &error)) return {false, error, {}};
  sqlite3* opened = nullptr;
  const int openResult =
      sqlite3_open_v2(QFile::encodeName(copy).constData(), &opened, SQLITE_OPEN_READWRITE, nullptr);
  const Database database(opened);
  if (openResult != SQLITE_OK) {
    return Refused(path, QStringLiteral("is not an SQLite database (%1)")
                             .arg(QString::fromUtf8(sqlite3_errstr(openResult))));
  }
  // A damaged page would otherwise surface only as missing notes.
  sqlite3_stmt* prepared = nullptr;
  sqlite3_prepare_v2(database.get(), "PRAGMA quick_check", -1, &prepared, nullptr);
  Statement check(prepared);
  if (!check || sqlite3_step(check.get()) != SQLITE_ROW || Column(check.get(), 0) != "ok") {
    return Refused(path, QStringLiteral("is a damaged SQLite database (%1)")
                             .arg(QString::fromUtf8(sqlite3_errmsg(database.get()))));
  }
  QSet<QString> columns;
  sqlite3_prepare_v2(database.get(), "PRAGMA table_info(Note)", -1, &prepared, nullptr);
  const Statement info(prepared);
  while (info && sqlite3_step(info.get()) == SQLITE_ROW) columns.insert(Column(info.get(), 1));
  if (!columns.contains(QStringLiteral("Id")) || !columns.contains(QStringLiteral("Text"))) {
    return Refused(path, QStringLiteral("has no Note table with Id and Text"));
  }
  QStringList select;
  for (const char* name : {"Id", "Text", "WindowPosition", "IsOpen", "IsAlwaysOnTop", "Theme",
                           "CreatedAt", "DeletedAt"}) {
    select << (columns.contains(QLatin1String(name)) ? QLatin1String(name) : QLatin1String("NULL"));
  }
  const QByteArray query = "SELECT " + select.join(QLatin1Char(',')).toLatin1() + " FROM Note";
  sqlite3_prepare_v2(database.get(), query.constData(), -1, &prepared, nullptr);
  const Statement rows(prepared);
  if (!rows) {
    return Refused(path, QString::fromUtf8(sqlite3_errmsg(database.get())));
  }
  ImportBatch batch;
  batch.sourceKind = QStringLiteral("Sticky Notes (Windows)");
  int binned = 0;
  int step = SQLITE_ROW;
  while ((step = sqlite3_step(rows.get())) == SQLITE_ROW) {
    if (sqlite3_column_type(rows.get(), 7) != SQLITE_NULL) {
      ++binned;
      continue;
    }
    if (batch.notes.size() == kMaxImportedNotes) return TooManyNotes(path);
    const QString text = PlainTextOf(Column(rows.get(), 1));
    ImportedNote note;
    note.sourceId = Column(rows.get(), 0);
    if (note.sourceId.isEmpty()) return Refused(path, QStringLiteral("holds a note without an Id"));
    note.caption = CaptionOfText(text);
    note.rtf = RtfOfPlainText(text);
    static const QRegularExpression position(QStringLiteral(R"(Position=(-?\d+),(-?\d+))"));
    static const QRegularExpression size(QStringLiteral(R"(Size=(\d+),(\d+))"));
    const QString window = Column(rows.get(), 2);
    if (const QRegularExpressionMatch at = position.match(window); at.hasMatch()) {
      note.place = QPoint(at.captured(1).toInt(), at.captured(2).toInt());
    }
    if (const QRegularExpressionMatch extent = size.match(window); extent.hasMatch()) {
      note.size = QSize(extent.captured(1).toInt(), extent.captured(2).toInt());
    }
    note.showing =
        sqlite3_column_type(rows.get(), 3) == SQLITE_NULL || sqlite3_column_int(rows.get(), 3) != 0;
    note.stayOnTop = sqlite3_column_int(rows.get(), 4) != 0;
    note.color = NearestNoteColor(ColorOfTheme(Column(rows.get(), 5)));
    const qint64 ticks = sqlite3_column_int64(rows.get(), 6);
    if (ticks > 0) {
      note.created =
          QDateTime::fromSecsSinceEpoch(ticks / kTicksPerSecond - kUnixEpochSeconds).date();
    }
    batch.notes.push_back(std::move(note));
  }
  if (step != SQLITE_DONE) {
    return Refused(path, QStringLiteral("cannot be read to its end (%1)")
                             .arg(QString::fromUtf8(sqlite3_errmsg(database.get()))));
  }
  batch.notCarried << QStringLiteral(
      "Bold, italic, lists and pictures: the notes come over as "
      "plain text.");
  if (binned > 0) {
    batch.notCarried << QStringLiteral("%1 deleted notes of Sticky Notes' bin.").arg(binned);
  }
  return Accepted(path, std::move(batch));
}

}  // namespace pw
