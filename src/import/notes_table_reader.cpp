// Another notes table: a notes.dbf of this program from a backup or another
// machine, or any dBASE table with a DESC and a MEMO field. The table and
// its memo file are copied to a temporary folder and opened there read-only
// and without an index, so that nothing of the source is touched (no index
// is built beside it, no lock file made). Deleted records stay behind. A
// record has no id of its own; a digest of its caption, creation date and
// text stands for one, so a second import of the same table adds nothing.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <memory>

#include "dataset/dataset_error.h"
#include "dataset/dbf_table.h"
#include "dataset/memo_stream.h"
#include "import/note_palette.h"
#include "import/source_file.h"
#include "import/source_readers.h"
#include "richtext/rtf_reader.h"

namespace pw {

namespace {

// The memo file beside `table` whose name matches in any case; empty when
// there is none.
QString MemoFileOf(const QFileInfo& table) {
  const QString wanted = table.completeBaseName() + QStringLiteral(".dbt");
  for (const QFileInfo& file : table.dir().entryInfoList(QDir::Files)) {
    if (file.fileName().compare(wanted, Qt::CaseInsensitive) == 0) return file.filePath();
  }
  return {};
}

bool CopyWithin(const QString& from, const QString& to, QString* error) {
  if (QFileInfo(from).size() > kMaxSourceFileBytes) {
    *error = QStringLiteral("%1: is larger than %2 MiB, which no notes file is")
                 .arg(QDir::toNativeSeparators(from))
                 .arg(kMaxSourceFileBytes / (1024 * 1024));
    return false;
  }
  if (QFile::copy(from, to)) return true;
  *error = QStringLiteral("%1: cannot be read").arg(QDir::toNativeSeparators(from));
  return false;
}

QByteArray MemoOf(DbfTable& table) {
  std::unique_ptr<MemoStream> memo =
      table.CreateBlobStreamByName(QStringLiteral("MEMO"), MemoStream::kRead);
  if (!memo || !memo->isOpen()) return {};
  QByteArray bytes = memo->readAll();
  memo->Finish();
  return bytes;
}

bool HasField(DbfTable& table, const char* name, char type) {
  const int index = table.FieldIndex(QLatin1String(name));
  return index >= 0 && table.FieldProps()[static_cast<std::size_t>(index)].type == type;
}

}  // namespace

ImportRead ReadNotesTable(const QString& path) {
  const QFileInfo source(path);
  QTemporaryDir folder;
  if (!folder.isValid()) return Refused(path, QStringLiteral("no temporary folder to read it in"));
  const QString copy = QDir(folder.path()).filePath(QStringLiteral("notes.dbf"));
  QString error;
  if (!CopyWithin(path, copy, &error)) return {false, error, {}};
  if (const QString memo = MemoFileOf(source); !memo.isEmpty()) {
    if (!CopyWithin(memo, QDir(folder.path()).filePath(QStringLiteral("notes.dbt")), &error)) {
      return {false, error, {}};
    }
  }

  DbfTable table;
  table.SetReadOnly(true);
  table.SetCreateIfNotFound(false);
  table.SetCreateIndex(IndexCreation::kNever);
  table.SetHideDeletedRecs(true);
  ImportBatch batch;
  batch.sourceKind = QStringLiteral("Notes table");
  try {
    table.SetDbfFileName(copy);
    table.Open();
    if (!table.Active() || DbfTable::LastError() != 0) {
      return Refused(path, QStringLiteral("is not a dBASE table this program can open"));
    }
    if (!HasField(table, "DESC", 'C') || !HasField(table, "MEMO", 'M')) {
      return Refused(path, QStringLiteral("is no notes table: it lacks a DESC or MEMO field"));
    }
    const bool noteLayout = table.FieldIndex(QStringLiteral("COLOR")) >= 0 &&
                            table.FieldIndex(QStringLiteral("WIDTH")) >= 0;
    for (table.GoTop(); !table.Eof(); table.Skip(1)) {
      if (DbfTable::LastError() != 0) break;
      if (batch.notes.size() == kMaxImportedNotes) return TooManyNotes(path);
      ImportedNote note;
      note.caption = table.GetFieldStr(QStringLiteral("DESC")).trimmed();
      const QByteArray memo = MemoOf(table);
      if (DbfTable::LastError() != 0) break;
      note.rtf = memo;
      if (noteLayout) {
        // A note table's colour is already a note colour.
        note.color = table.GetFieldInt(QStringLiteral("COLOR"));
        note.place = QPoint(table.GetFieldInt(QStringLiteral("LEFT")),
                            table.GetFieldInt(QStringLiteral("TOP")));
        note.size = QSize(table.GetFieldInt(QStringLiteral("WIDTH")),
                          table.GetFieldInt(QStringLiteral("HEIGHT")));
        note.showing = table.GetFieldStr(QStringLiteral("SHOWING")) == QLatin1String("Y");
        note.stayOnTop = table.GetFieldStr(QStringLiteral("STAYONTOP")) == QLatin1String("Y");
        note.board = table.GetFieldStr(QStringLiteral("NOTEBOARD")).trimmed();
        note.created = table.FieldValue(QStringLiteral("DATECREATE")).toDate();
      } else {
        note.color = NearestNoteColor({});
      }
      note.sourceId =
          DigestId({note.caption, note.created.toString(Qt::ISODate), QString::fromLatin1(memo)});
      batch.notes.push_back(std::move(note));
    }
    if (DbfTable::LastError() != 0) {
      return Refused(
          path, QStringLiteral("is a damaged table (engine error %1)").arg(DbfTable::LastError()));
    }
    table.Close();
  } catch (const EngineError& error) {
    return Refused(path,
                   QStringLiteral("cannot be read: %1").arg(QString::fromLocal8Bit(error.what())));
  }
  batch.notCarried << QStringLiteral(
      "Reminders, expiry settings and caption fonts: the notes "
      "take those of template 1.");
  return Accepted(path, std::move(batch));
}

}  // namespace pw
