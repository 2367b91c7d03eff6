#include "app/controller/template_table_store.h"

#include <QTextDocument>
#include <cmath>
#include <memory>

#include "app/note/template_menu.h"
#include "app/record/note_caption.h"
#include "app/record/note_fields.h"
#include "app/record/note_values.h"
#include "dataset/dbf_table.h"
#include "richtext/rtf_reader.h"

namespace pw {

namespace {}  // namespace

void TemplateTableStore::AddMissingTemplates() {
  if (!templates_.Active()) return;
  for (int number = templates_.RecordCount() + 1; number <= kTemplateCount; ++number) {
    templates_.ClearRecord();
    bool appended = false;
    if (SetFields(ResetTemplateValues(number)) && templates_.ALock()) {
      templates_.AppendRec();
      appended = templates_.LastError() == 0;
    }
    templates_.UnLock();
    if (!appended) {
      templates_.Cancel();
      return;
    }
  }
}

QStringList TemplateTableStore::Names() {
  QStringList names;
  if (!templates_.Active()) return names;
  // Record-number order, whatever tag the production index made current.
  const QString savedTag = templates_.CurrentTag();
  templates_.SetOrderTo(0);
  for (templates_.GoTop(); !templates_.Eof(); templates_.Skip(1))
    names << CaptionOfRecord(templates_);
  if (!savedTag.isEmpty()) templates_.SetOrderToTag(savedTag);
  return names;
}

bool TemplateTableStore::GoTemplate(int number) {
  if (!templates_.Active()) return false;
  templates_.Go(number);
  return templates_.LastError() == 0 && !templates_.Eof() && templates_.RecNo() == number;
}

bool TemplateTableStore::Read(int number, TemplateValues* values) {
  if (!GoTemplate(number)) return false;
  values->color = ColorOfWindowsValue(templates_.GetFieldInt(note_field::kColor));
  values->captionFontName = templates_.GetFieldStr(note_field::kCapFontNam).trimmed();
  values->captionFontSize =
      static_cast<int>(std::lrint(templates_.GetFieldFloat(note_field::kCapFontSiz)));
  values->captionFontColor = ColorOfWindowsValue(templates_.GetFieldInt(note_field::kCapFontCol));
  values->height = templates_.GetFieldInt(note_field::kHeight);
  values->width = templates_.GetFieldInt(note_field::kWidth);
  values->place = templates_.GetFieldInt(note_field::kLeft);
  values->text.clear();
  std::unique_ptr<MemoStream> memo =
      templates_.CreateBlobStreamByName(note_field::kMemo, MemoStream::kRead);
  if (memo && memo->isOpen()) {
    values->text = memo->readAll();
    memo->Finish();
  }
  QTextDocument document;
  ReadRtf(values->text, &document);
  values->name = CaptionOfRecord(templates_, document);
  return true;
}

bool TemplateTableStore::SetFields(const TemplateValues& values) {
  // DESC keeps what its code page can spell; the text keeps the exact name.
  templates_.SetFieldStr(note_field::kDesc, values.name);
  const QByteArray text = RichTextKeepingCaption(values.text, values.name);
  templates_.SetFieldStr(note_field::kStayOnTop, QStringLiteral("N"));
  templates_.SetFieldInt(note_field::kColor, WindowsValueOfColor(values.color));
  templates_.SetFieldStr(note_field::kCapFontNam, values.captionFontName);
  templates_.SetFieldFloat(note_field::kCapFontSiz, values.captionFontSize);
  templates_.SetFieldInt(note_field::kCapFontCol, WindowsValueOfColor(values.captionFontColor));
  templates_.SetFieldInt(note_field::kHeight, values.height);
  templates_.SetFieldInt(note_field::kWidth, values.width);
  if (text.isEmpty()) {
    templates_.SetMField(note_field::kMemo, {});
  } else {
    std::unique_ptr<MemoStream> memo =
        templates_.CreateBlobStreamByName(note_field::kMemo, MemoStream::kReadWrite);
    if (!memo || !memo->isOpen()) return false;
    const bool written = memo->write(text) == text.size();
    // A text that could not be written completely keeps the old one.
    if (!memo->Finish() || !written) return false;
  }
  templates_.SetFieldInt(note_field::kLeft, values.place);
  return true;
}

bool TemplateTableStore::Write(int number, const TemplateValues& values) {
  if (!GoTemplate(number)) return false;
  bool written = false;
  if (SetFields(values) && templates_.RLock()) {
    templates_.Post();
    written = templates_.LastError() == 0;
  }
  if (!written) templates_.Cancel();
  templates_.UnLock();
  return written;
}

}  // namespace pw
