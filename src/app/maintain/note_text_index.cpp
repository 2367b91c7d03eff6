#include "app/maintain/note_text_index.h"

#include <QTextDocument>

#include "app/record/note_caption.h"
#include "app/record/note_record.h"
#include "dataset/dataset_error.h"
#include "dataset/dbf_table.h"
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
  DbfTable table;
  table.setObjectName(QStringLiteral("TzNotesSearch"));
  ConfigureNoteTable(table, NoteTableFieldLines());
  table.SetCreateIfNotFound(false);
  try {
    table.SetDbfFileName(path);
    table.Open();
  } catch (const EngineError&) {
    return false;
  }
  for (table.GoTop(); !table.Eof(); table.Skip(1)) {
    QTextDocument document;
    ReadNoteMemo(table, &document);
    notes_.insert(table.RecNo(), {CaptionOfRecord(table, document), document.toPlainText()});
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

std::optional<QString> NoteTextIndex::ShownCaption(std::int32_t recordNumber) const {
  const auto found = notes_.constFind(recordNumber);
  if (found == notes_.constEnd()) return std::nullopt;
  return pw::ShownCaption(found->caption, found->text);
}

}  // namespace pw
