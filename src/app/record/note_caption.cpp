#include "app/record/note_caption.h"

#include <QTextDocument>
#include <memory>

#include "app/record/note_fields.h"
#include "dataset/dbf_table.h"
#include "dataset/engine_text.h"
#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"

namespace pw {

namespace {

// What DESC holds of `caption`: its code page's spelling, cut to the width.
QString SpeltCaption(const QString& caption) {
  return FromEngineText(ToEngineText(caption)).left(note_field::kDescWidth);
}

}  // namespace

QString TitleToKeep(const QString& caption) {
  return SpeltCaption(caption) == caption ? QString() : caption;
}

QByteArray RichTextKeepingCaption(const QByteArray& rtf, const QString& caption) {
  const QString title = TitleToKeep(caption);
  QTextDocument document;
  ReadRtf(rtf, &document);
  if (document.metaInformation(QTextDocument::DocumentTitle) == title) return rtf;
  document.setMetaInformation(QTextDocument::DocumentTitle, title);
  return WriteRtf(document);
}

QString CaptionOfRecord(DbfTable& table, const QTextDocument& document) {
  const QString stored = table.GetFieldStr(note_field::kDesc).trimmed();
  const QString exact = document.metaInformation(QTextDocument::DocumentTitle);
  if (exact.isEmpty()) return stored;
  return SpeltCaption(exact).trimmed() == stored ? exact : stored;
}

void ReadNoteMemo(DbfTable& table, QTextDocument* document) {
  std::unique_ptr<MemoStream> memo =
      table.CreateBlobStreamByName(note_field::kMemo, MemoStream::kRead);
  if (!memo || !memo->isOpen()) return;
  ReadRtf(memo->readAll(), document);
  memo->Finish();
}

QString CaptionOfRecord(DbfTable& table) {
  QTextDocument document;
  ReadNoteMemo(table, &document);
  return CaptionOfRecord(table, document);
}

QString ShownCaption(const QString& caption, const QString& plainText) {
  QString shown = caption.trimmed();
  if (shown.isEmpty()) {
    shown = plainText.trimmed().section(QChar::LineFeed, 0, 0);
    // Paragraph and line separators of the document end the line too.
    shown = shown.section(QChar::ParagraphSeparator, 0, 0).section(QChar::LineSeparator, 0, 0);
  }
  return shown.trimmed();
}

}  // namespace pw
