#include "app/record/note_record.h"

#include <memory>
#include <string_view>

#include "app/record/note_fields.h"
#include "dataset/dbf_table.h"

namespace pw {

namespace {

struct FieldLine {
  const char* name;
  char type;
  int width;
  int decimals;
};

// Record length 481: the deleted flag plus these widths (D fields take 8).
constexpr FieldLine kNoteFields[] = {{note_field::kDesc, 'C', note_field::kDescWidth, 0},
                                     {note_field::kMemo, 'M', 10, 0},
                                     {note_field::kColor, 'N', 10, 0},
                                     {note_field::kLeft, 'N', 10, 0},
                                     {note_field::kTop, 'N', 10, 0},
                                     {note_field::kWidth, 'N', 10, 0},
                                     {note_field::kHeight, 'N', 10, 0},
                                     {note_field::kMinimized, 'C', 1, 0},
                                     {note_field::kShowing, 'C', 1, 0},
                                     {note_field::kDateCreate, 'D', 10, 0},
                                     {note_field::kNoteBoard, 'C', 50, 0},
                                     {note_field::kAlarmAct, 'C', 1, 0},
                                     {note_field::kAlarmType, 'N', 1, 0},
                                     {note_field::kAlarmDate, 'D', 10, 0},
                                     {note_field::kAlarmTime, 'C', 12, 0},
                                     {note_field::kStayOnTop, 'C', 1, 0},
                                     {note_field::kHandle, 'N', 10, 0},
                                     {note_field::kRead, 'C', 1, 0},
                                     {note_field::kChar1, 'C', 40, 0},
                                     {note_field::kChar2, 'C', 40, 0},
                                     {note_field::kChar3, 'C', 20, 0},
                                     {note_field::kChar4, 'C', 10, 0},
                                     {note_field::kNum1, 'N', 10, 0},
                                     {note_field::kNum2, 'N', 10, 0},
                                     {note_field::kNum3, 'N', 15, 2},
                                     {note_field::kNum4, 'N', 15, 2},
                                     {note_field::kExpires, 'C', 1, 0},
                                     {note_field::kExpireDate, 'D', 10, 0},
                                     {note_field::kExpireTime, 'C', 12, 0},
                                     {note_field::kExpireType, 'N', 1, 0},
                                     {note_field::kExpireTrsh, 'C', 1, 0},
                                     {note_field::kCapFontNam, 'C', 50, 0},
                                     {note_field::kCapFontSiz, 'N', 5, 2},
                                     {note_field::kCapFontCol, 'N', 10, 0},
                                     {note_field::kDateAlmAct, 'D', 10, 0},
                                     {note_field::kDate1, 'D', 10, 0},
                                     {note_field::kTimeAlmAct, 'C', 12, 0}};

QStringList FieldLines(const QString& separator, bool templateDates) {
  QStringList lines;
  for (const FieldLine& field : kNoteFields) {
    const QString name = QString::fromLatin1(field.name).toLower();
    const bool shortDate =
        templateDates && (field.name == std::string_view(note_field::kDateAlmAct) ||
                          field.name == std::string_view(note_field::kDate1));
    lines << QStringList{name, QString(QChar(field.type)),
                         QString::number(shortDate ? 8 : field.width),
                         QString::number(field.decimals)}
                 .join(separator);
  }
  return lines;
}

}  // namespace

QStringList NoteTableFieldLines() {
  return FieldLines(", ", false);
}

QStringList TemplateTableFieldLines() {
  return FieldLines(",", true);
}

QStringList NoteIndexLines() {
  // Each tag: "name,unique,descending,key", then its FOR condition.
  const auto tag = [](const char* name, const char* key) {
    return QString::fromLatin1(name) + QStringLiteral(",F,F,") + QString::fromLatin1(key);
  };
  return {tag(note_tag::kBoard, "upper(Noteboard)"),
          "",
          tag(note_tag::kHandle, "handle"),
          "",
          tag(note_tag::kShowing, "showing"),
          "",
          tag(note_tag::kAlarmAct, "upper(alarmact)"),
          "",
          tag(note_tag::kExpireAct, "upper(expires)"),
          ""};
}

void ConfigureNoteTable(DbfTable& table, const QStringList& fieldLines) {
  table.SetHideDeletedRecs(true);
  table.SetShowProgress(false);
  table.SetTableLanguage(TableCharset::kOem);
  table.SetReadOnly(false);
  table.SetCreateIndex(IndexCreation::kWhenMissing);
  table.SetExclusive(false);
  table.SetCreateIfNotFound(true);
  table.SetAutoFixRecCount(false);
  table.SetDbfFields(fieldLines);
  table.SetIndexList(NoteIndexLines());
}

void CopyNoteRecord(DbfTable& source, DbfTable& target) {
  const auto text = [&](const char* name) { target.SetFieldStr(name, source.GetFieldStr(name)); };
  const auto integer = [&](const char* name) {
    target.SetFieldInt(name, source.GetFieldInt(name));
  };
  const auto real = [&](const char* name) {
    target.SetFieldFloat(name, source.GetFieldFloat(name));
  };
  const auto date = [&](const char* name) { target.SetFieldDate(name, source.GetFieldDate(name)); };

  target.ClearRecord();
  text(note_field::kShowing);
  for (const char* name :
       {note_field::kLeft, note_field::kTop, note_field::kWidth, note_field::kHeight})
    integer(name);
  for (const char* name :
       {note_field::kStayOnTop, note_field::kMinimized, note_field::kRead, note_field::kAlarmAct})
    text(name);
  date(note_field::kDateCreate);
  text(note_field::kNoteBoard);
  integer(note_field::kHandle);
  integer(note_field::kColor);
  text(note_field::kDesc);
  text(note_field::kCapFontNam);
  real(note_field::kCapFontSiz);
  integer(note_field::kCapFontCol);
  for (const char* name :
       {note_field::kChar1, note_field::kChar2, note_field::kChar3, note_field::kChar4})
    text(name);
  integer(note_field::kNum1);
  integer(note_field::kNum2);
  real(note_field::kNum3);
  real(note_field::kNum4);
  text(note_field::kExpires);
  date(note_field::kExpireDate);
  integer(note_field::kExpireType);
  text(note_field::kExpireTrsh);
  text(note_field::kExpireTime);
  integer(note_field::kAlarmType);
  for (const char* name : {note_field::kAlarmDate, note_field::kDateAlmAct, note_field::kDate1})
    date(name);

  if (std::unique_ptr<MemoStream> in =
          source.CreateBlobStreamByName(note_field::kMemo, MemoStream::kRead);
      in && in->isOpen()) {
    const QByteArray memo = in->readAll();
    in->Finish();
    if (std::unique_ptr<MemoStream> out =
            target.CreateBlobStreamByName(note_field::kMemo, MemoStream::kWrite);
        out && out->isOpen()) {
      out->write(memo);
      out->Finish();
    }
  }
  text(note_field::kAlarmTime);
  text(note_field::kTimeAlmAct);
}

bool AppendUnderLock(DbfTable& table) {
  bool appended = false;
  if (table.ALock()) {
    table.AppendRec();
    appended = DbfTable::LastError() == 0;
  }
  table.UnLock();
  if (!appended) table.Cancel();
  return appended;
}

}  // namespace pw
