#include "app/maintain/note_text_index.h"

#include <QTextDocument>
#include <memory>

#include "app/record/note_fields.h"
#include "app/record/note_record.h"
#include "dataset/dataset_error.h"
#include "dataset/tz_dbf.h"
#include "richtext/rtf_reader.h"

namespace pw {

QString PlainTextOfNote(const QByteArray& storedText) {
  if (storedText.isEmpty()) return {};
  QTextDocument document;
  ReadRtf(storedText, &document);
  return document.toPlainText();
}

void NoteTextIndex::Forget() {
  notes_.clear();
  read_ = false;
}

bool NoteTextIndex::Read(const QString& path) {
  Forget();
  TTzDbf table;
  table.setObjectName(QStringLiteral("TzNotesSearch"));
  ConfigureNoteTable(table, NoteTableFieldLines());
  table.SetCreateIfNotFound(false);
  try {
    table.SetDbfFileName(path);
    table.Open();
  } catch (const VEdeveZuzaz&) {
    return false;
  }
  for (table.GoTop(); !table.Eof(); table.Skip(1)) {
    NoteText note{table.GetFieldStr(note_field::kDesc).trimmed(), QString()};
    std::unique_ptr<TTzBlobStream> memo =
        table.CreateBlobStreamByName(note_field::kMemo, TTzBlobStream::kRead);
    if (memo && memo->isOpen()) {
      note.text = PlainTextOfNote(memo->readAll());
      memo->Finish();
    }
    notes_.insert(table.RecNo(), std::move(note));
  }
  table.Close();
  read_ = true;
  return true;
}

bool NoteTextIndex::Matches(std::int32_t recordNumber, const QString& needle) const {
  const auto found = notes_.constFind(recordNumber);
  if (found == notes_.constEnd()) return false;
  return found->caption.contains(needle, Qt::CaseInsensitive) ||
         found->text.contains(needle, Qt::CaseInsensitive);
}

}  // namespace pw
