// Reading and setting the fields of the component's current record by name,
// the memo access through blob streams, and the field check.
#include <QLocale>
#include <cstring>

#include "common/date_settings.h"
#include "common/decimal_rounding.h"
#include "common/error_codes.h"
#include "common/error_state.h"
#include "dataset/dataset_error.h"
#include "dataset/dataset_ui.h"
#include "dataset/dbf_table.h"
#include "dataset/engine_text.h"
#include "dataset/record_slot.h"
#include "engine/memo/memo_line_writer.h"
#include "engine/table/work_areas.h"

namespace pw {
namespace {

constexpr qsizetype kMaxFieldName = 10;
const char* const kInvalidDate = "        Invalid date       ";

QString ExpectedKind(char expected) {
  switch (expected) {
    case 'C':
      return QStringLiteral("character");
    case 'D':
      return QStringLiteral("date");
    case 'L':
      return QStringLiteral("logical");
    case 'M':
      return QStringLiteral("memo");
    case 'N':
      return QStringLiteral("numeric, without decimals");
    default:
      return QStringLiteral("numeric, with decimals");
  }
}

QString ActualKind(const DbfFieldProperty& field) {
  switch (field.type) {
    case 'C':
      return QStringLiteral("Character");
    case 'D':
      return QStringLiteral("Date");
    case 'L':
      return QStringLiteral("Logical");
    case 'M':
      return QStringLiteral("Memo");
    default:
      return QStringLiteral("Numeric, width: %1 decimals: %2").arg(field.width).arg(field.decimals);
  }
}

bool HasExpectedType(const DbfFieldProperty& field, char expected) {
  if (expected == 'N' || expected == 'F') {
    const bool numeric = field.type == 'N' || field.type == 'F';
    return numeric && (expected == 'F') == (field.decimals > 0);
  }
  return field.type == expected;
}

// Plain number text with the engine's decimal separator.
QString NumberText(const QVariant& value) {
  if (value.typeId() == QMetaType::Double) {
    QString text = QString::number(value.toDouble(), 'g', 15);
    return text.replace(QLatin1Char('.'), QChar(CurrentDateSettings().decimalSeparator));
  }
  return QString::number(value.toLongLong());
}

double NumberOfText(const QString& text) {
  QString plain = text.trimmed();
  plain.replace(QChar(CurrentDateSettings().decimalSeparator), QLatin1Char('.'));
  return plain.toDouble();
}

}  // namespace

int DbfTable::FieldIndex(const QString& name) const {
  const QString wanted = name.trimmed().left(kMaxFieldName);
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    if (fields_[i].name.compare(wanted, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
  }
  return -1;
}

const DbfFieldProperty& DbfTable::FieldByName(const QString& name) const {
  const int index = FieldIndex(name);
  if (index < 0) RaiseDatabaseError(QStringLiteral("Field '%1' not found").arg(name));
  return fields_[static_cast<std::size_t>(index)];
}

QVariant DbfTable::FieldValue(const QString& name) const {
  const DbfFieldProperty& field = FieldByName(name);
  return SlotValue(field, buffer_.data() + field.offset);
}

void DbfTable::SetFieldValue(const QString& name, const QVariant& value) {
  const DbfFieldProperty& field = FieldByName(name);
  if (state_ != RecordSetState::kEdit && state_ != RecordSetState::kInsert) {
    RaiseDatabaseError(QStringLiteral("Dataset not in edit or insert mode"));
  }
  SetFieldSlot(field, value);
}

void DbfTable::SetFieldSlot(const DbfFieldProperty& field, const QVariant& value) {
  unsigned char* slot = buffer_.data() + field.offset;
  if (!StoreSlotValue(field, value, slot)) {
    CurrentDatasetUi().Warning(QString::fromLatin1(kInvalidDate));
  }
  // Field by field into the engine's record image as well.
  if (Active()) {
    pw::WorkArea& area = WorkAreaAt(workArea_);
    if (area.image != nullptr && buffer_.size() == area.imageSize) {
      std::memcpy(area.image + field.offset, slot, static_cast<std::size_t>(field.slotSize));
    }
  }
  emit FieldChanged(this, field.name);
}

QString DbfTable::GetFieldStr(const QString& name) {
  if (!SelectArea("GetFieldStr")) return {};
  const DbfFieldProperty& field = FieldByName(name);
  const QVariant value = SlotValue(field, buffer_.data() + field.offset);
  switch (field.type) {
    case 'N':
    case 'F':
      return NumberText(value).rightJustified(field.width, QLatin1Char(' '));
    case 'L':
      return value.toBool() ? QStringLiteral("T") : QStringLiteral("F");
    case 'D': {
      const QDate date = value.toDate();
      const QString text =
          date.isValid() ? date.toString(FromEngineText(CurrentDateSettings().shortDatePattern))
                         : QString();
      return text.size() == 8 || text.size() == 10 ? text : BlankDateText();
    }
    case 'M': {
      MemoStream stream(*this, FieldIndex(name), MemoStream::kRead);
      return stream.isOpen() ? FromEngineText(stream.readAll().toStdString()) : QString();
    }
    default:
      return value.toString().leftJustified(field.width, QLatin1Char(' '));
  }
}

QString DbfTable::GetFieldDate(const QString& name) {
  return GetFieldStr(name).left(10);
}

std::int32_t DbfTable::GetFieldInt(const QString& name) {
  if (!SelectArea("GetFieldInt")) return 0;
  const DbfFieldProperty& field = FieldByName(name);
  const QVariant value = SlotValue(field, buffer_.data() + field.offset);
  if (value.typeId() == QMetaType::Double) return SaturatedInt32(RoundToWhole(value.toDouble()));
  if (value.typeId() == QMetaType::QString)
    return SaturatedInt32(RoundToWhole(NumberOfText(value.toString())));
  return SaturatedInt32(value.toLongLong());
}

double DbfTable::GetFieldFloat(const QString& name) {
  if (!SelectArea("GetFieldFloat")) return 0;
  const DbfFieldProperty& field = FieldByName(name);
  const QVariant value = SlotValue(field, buffer_.data() + field.offset);
  if (value.typeId() == QMetaType::QString) return NumberOfText(value.toString());
  return value.toDouble();
}

void DbfTable::SetFieldStr(const QString& name, const QString& text) {
  if (!SelectArea("SetFieldStr")) return;
  const DbfFieldProperty& field = FieldByName(name);
  if (field.type == 'M') {
    SetMField(name, QStringList{text});
    return;
  }
  EnterEdit();
  if (field.type == 'N' || field.type == 'F') {
    // A whole number keeps every digit, also beyond what a double holds.
    bool whole = false;
    const qlonglong number = text.trimmed().toLongLong(&whole);
    SetFieldSlot(field, whole ? QVariant(number) : QVariant(NumberOfText(text)));
  } else {
    SetFieldSlot(field, text);
  }
}

void DbfTable::SetFieldDate(const QString& name, const QString& text) {
  SetFieldStr(name, text.left(10));
}

void DbfTable::SetFieldInt(const QString& name, std::int32_t value) {
  if (!SelectArea("SetFieldInt")) return;
  const DbfFieldProperty& field = FieldByName(name);
  EnterEdit();
  SetFieldSlot(field, field.type == 'C' ? QVariant(QString::number(value)) : QVariant(value));
}

void DbfTable::SetFieldFloat(const QString& name, double value) {
  if (!SelectArea("SetFieldFloat")) return;
  const DbfFieldProperty& field = FieldByName(name);
  EnterEdit();
  SetFieldSlot(field, field.type == 'C' ? QVariant(NumberText(value)) : QVariant(value));
}

bool DbfTable::CheckField(const QString& name, char expected, const char* operation) {
  const QString op = QString::fromLatin1(operation);
  const int index = FieldIndex(name);
  if (index < 0) {
    SetError(kInvalidParameter,
             ToEngineText(
                 QStringLiteral("Field \"%1\" not in \"%2\" [%3]").arg(name, dbfFileName_, op)));
    return false;
  }
  const DbfFieldProperty& field = fields_[static_cast<std::size_t>(index)];
  if (!HasExpectedType(field, expected)) {
    SetError(kInvalidParameter,
             ToEngineText(QStringLiteral("\"%1()\" expects field \"%2\" to be of type:\r\n"
                                         "\"%3\".\"%2\" actually is: \"%4\"")
                              .arg(op, name, ExpectedKind(expected), ActualKind(field))));
    return false;
  }
  return true;
}

std::unique_ptr<MemoStream> DbfTable::CreateBlobStreamByName(const QString& name, int mode) {
  if (!SelectArea("CreateBlobStreamByName")) return nullptr;
  if (!CheckField(name, 'M', "CreateBlobStreamByName")) return nullptr;
  return std::make_unique<MemoStream>(*this, FieldIndex(name), mode);
}

void DbfTable::SetMField(const QString& name, const QStringList& lines) {
  if (!SelectArea("SetMField") || !CheckField(name, 'M', "SetMField")) return;
  const DbfFieldProperty& field = fields_[static_cast<std::size_t>(FieldIndex(name))];
  EnterEdit();
  Select(workArea_);
  MemoLineWriter writer;
  if (!writer.EditMemo(SlotValue(field, buffer_.data() + field.offset).toInt())) return;
  for (const QString& line : lines) writer.WriteLine(ToEngineText(line));
  std::int32_t block = 0;
  if (!writer.CloseMemo(&block)) return;
  SetFieldSlot(field, block);
  emit RecordChanged(this);
}

bool DbfTable::SelectForBlob(const char* /*operation*/) {
  if (!Active()) {
    SetError(kInvalidOperation,
             ToEngineText(QStringLiteral("DataSet must be active. ") + ComponentName()));
    return false;
  }
  Select(workArea_);
  CurrentArea().oem = tableLanguage_ == TableCharset::kOem;
  return true;
}

bool DbfTable::BlobTranslates() const {
  return tableLanguage_ == TableCharset::kOem;
}

std::int32_t DbfTable::BlobReference(int field) const {
  // The buffer of an empty table is the blank record: block 0.
  if (field < 0 || static_cast<std::size_t>(field) >= fields_.size()) return 0;
  const DbfFieldProperty& prop = fields_[static_cast<std::size_t>(field)];
  return SlotValue(prop, buffer_.data() + prop.offset).toInt();
}

void DbfTable::BlobWritten(int field, int mode, std::int32_t block) {
  if (field < 0 || static_cast<std::size_t>(field) >= fields_.size()) return;
  const DbfFieldProperty& prop = fields_[static_cast<std::size_t>(field)];
  EnterEdit();
  unsigned char* slot = buffer_.data() + prop.offset;
  StoreSlotValue(prop, block, slot);
  Select(workArea_);
  // Mode 1 hands the whole buffer to the engine so that ReplaceRec or
  // AppendRec can follow; mode 2 leaves that to Post.
  if (mode == MemoStream::kWrite) CopyBufferToEngine();
  emit FieldChanged(this, prop.name);
}

}  // namespace pw
