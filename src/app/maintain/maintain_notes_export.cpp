// "Export...": the chosen notes as Markdown files in a folder the user picks.
#include <QDir>
#include <QMessageBox>
#include <QTextDocument>
#include <memory>

#include "app/maintain/maintain_notes.h"
#include "app/maintain/note_export.h"
#include "app/record/note_caption.h"
#include "app/record/note_fields.h"
#include "app/record/note_values.h"
#include "dataset/dbf_table.h"
#include "richtext/rtf_reader.h"

namespace pw {

namespace {

bool IsYes(DbfTable& table, const char* field) {
  return table.GetFieldStr(QString::fromLatin1(field)) == QStringLiteral("Y");
}

std::optional<QDateTime> MomentOf(DbfTable& table, const char* flag, const char* date,
                                  const char* time) {
  if (!IsYes(table, flag)) return std::nullopt;
  const QDate day = DateOfText(table.GetFieldDate(QString::fromLatin1(date)));
  if (!day.isValid()) return std::nullopt;
  return QDateTime(day, TimeOfText(table.GetFieldStr(QString::fromLatin1(time))));
}

ExportedNote NoteOfCurrentRecord(DbfTable& table) {
  ExportedNote note;
  note.reminder =
      MomentOf(table, note_field::kAlarmAct, note_field::kAlarmDate, note_field::kAlarmTime);
  note.expiry =
      MomentOf(table, note_field::kExpires, note_field::kExpireDate, note_field::kExpireTime);
  std::unique_ptr<MemoStream> memo =
      table.CreateBlobStreamByName(QString::fromLatin1(note_field::kMemo), MemoStream::kRead);
  if (memo && memo->isOpen()) {
    note.storedText = memo->readAll();
    memo->Finish();
  }
  QTextDocument document;
  ReadRtf(note.storedText, &document);
  note.caption = ShownCaption(CaptionOfRecord(table, document), document.toPlainText());
  return note;
}

}  // namespace

void NotesManagerWindow::ExportNotes(DbfTable& table, const QList<std::int32_t>& recordNumbers) {
  if (recordNumbers.isEmpty() || table.IsEmpty()) return;
  const QString folder = ChooseExportFolder ? ChooseExportFolder(this) : QString();
  if (folder.isEmpty()) return;
  const std::int32_t current = table.RecNo();
  QSet<QString> taken = NamesInFolder(folder);
  QStringList failures;
  int written = 0;
  for (std::int32_t record : recordNumbers) {
    table.Go(record);
    if (DbfTable::LastError() != 0 || table.Eof() || table.RecNo() != record) continue;
    const ExportedNote note = NoteOfCurrentRecord(table);
    const QString name = UniqueMarkdownName(SafeFileBaseName(note.caption), taken);
    QString error;
    if (WriteMarkdownFile(QDir(folder).filePath(name), NoteMarkdown(note), &error)) {
      ++written;
    } else {
      failures << error;
    }
  }
  if (current > 0) table.Go(current);
  if (!failures.isEmpty()) {
    QMessageBox::warning(this, windowTitle(),
                         QStringLiteral("%1 of %2 notes could not be exported:\n%3")
                             .arg(failures.size())
                             .arg(written + failures.size())
                             .arg(failures.join('\n')),
                         QMessageBox::Ok);
  }
}

}  // namespace pw
