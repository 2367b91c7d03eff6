#include "app/controller/note_record.h"

#include <memory>

#include "dataset/tz_dbf.h"

namespace pw {

namespace {

struct FieldLine {
  const char* name;
  char type;
  int width;
  int decimals;
};

// Record length 481: the deleted flag plus these widths (D fields take 8).
constexpr FieldLine kNoteFields[] = {
    {"desc", 'C', 50, 0},       {"memo", 'M', 10, 0},       {"color", 'N', 10, 0},
    {"left", 'N', 10, 0},       {"top", 'N', 10, 0},        {"width", 'N', 10, 0},
    {"height", 'N', 10, 0},     {"minimized", 'C', 1, 0},   {"showing", 'C', 1, 0},
    {"datecreate", 'D', 10, 0}, {"noteboard", 'C', 50, 0},  {"alarmact", 'C', 1, 0},
    {"alarmtype", 'N', 1, 0},   {"alarmdate", 'D', 10, 0},  {"alarmtime", 'C', 12, 0},
    {"stayontop", 'C', 1, 0},   {"handle", 'N', 10, 0},     {"read", 'C', 1, 0},
    {"char1", 'C', 40, 0},      {"char2", 'C', 40, 0},      {"char3", 'C', 20, 0},
    {"char4", 'C', 10, 0},      {"num1", 'N', 10, 0},       {"num2", 'N', 10, 0},
    {"num3", 'N', 15, 2},       {"num4", 'N', 15, 2},       {"expires", 'C', 1, 0},
    {"expiredate", 'D', 10, 0}, {"expiretime", 'C', 12, 0}, {"expiretype", 'N', 1, 0},
    {"expiretrsh", 'C', 1, 0},  {"capfontnam", 'C', 50, 0}, {"capfontsiz", 'N', 5, 2},
    {"capfontcol", 'N', 10, 0}, {"datealmact", 'D', 10, 0}, {"date1", 'D', 10, 0},
    {"timealmact", 'C', 12, 0}};

QStringList FieldLines(const QString& separator, bool templateDates) {
  QStringList lines;
  for (const FieldLine& field : kNoteFields) {
    const QString name = QString::fromLatin1(field.name);
    const bool shortDate = templateDates && (name == "datealmact" || name == "date1");
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
  return {"BOARD,F,F,upper(Noteboard)",
          "",
          "HANDLE,F,F,handle",
          "",
          "SHOWING,F,F,showing",
          "",
          "ALARMACT,F,F,upper(alarmact)",
          "",
          "EXPIREACT,F,F,upper(expires)",
          ""};
}

void ConfigureNoteTable(TTzDbf& table, const QStringList& fieldLines) {
  table.SetHideDeletedRecs(true);
  table.SetShowProgress(false);
  table.SetTableLanguage(TTzTableLanguage::tlOem);
  table.SetReadOnly(false);
  table.SetCreateIndex(TCreateIndexType::ciNotFound);
  table.SetExclusive(false);
  table.SetCreateIfNotFound(true);
  table.SetAutoFixRecCount(false);
  table.SetDbfFields(fieldLines);
  table.SetIndexList(NoteIndexLines());
}

void CopyNoteRecord(TTzDbf& source, TTzDbf& target) {
  const auto text = [&](const char* name) { target.SetFieldStr(name, source.GetFieldStr(name)); };
  const auto integer = [&](const char* name) {
    target.SetFieldInt(name, source.GetFieldInt(name));
  };
  const auto real = [&](const char* name) {
    target.SetFieldFloat(name, source.GetFieldFloat(name));
  };
  const auto date = [&](const char* name) { target.SetFieldDate(name, source.GetFieldDate(name)); };

  target.ClearRecord();
  text("SHOWING");
  for (const char* name : {"LEFT", "TOP", "WIDTH", "HEIGHT"}) integer(name);
  for (const char* name : {"STAYONTOP", "MINIMIZED", "READ", "ALARMACT"}) text(name);
  date("DATECREATE");
  text("NOTEBOARD");
  integer("HANDLE");
  integer("COLOR");
  text("DESC");
  text("CAPFONTNAM");
  real("CAPFONTSIZ");
  integer("CAPFONTCOL");
  for (const char* name : {"CHAR1", "CHAR2", "CHAR3", "CHAR4"}) text(name);
  integer("NUM1");
  integer("NUM2");
  real("NUM3");
  real("NUM4");
  text("EXPIRES");
  date("EXPIREDATE");
  integer("EXPIRETYPE");
  text("EXPIRETRSH");
  text("EXPIRETIME");
  integer("ALARMTYPE");
  for (const char* name : {"ALARMDATE", "DATEALMACT", "DATE1"}) date(name);

  if (std::unique_ptr<TTzBlobStream> in =
          source.CreateBlobStreamByName("MEMO", TTzBlobStream::kRead);
      in && in->isOpen()) {
    const QByteArray memo = in->readAll();
    in->Finish();
    if (std::unique_ptr<TTzBlobStream> out =
            target.CreateBlobStreamByName("MEMO", TTzBlobStream::kWrite);
        out && out->isOpen()) {
      out->write(memo);
      out->Finish();
    }
  }
  text("ALARMTIME");
  text("TIMEALMACT");
}

}  // namespace pw
