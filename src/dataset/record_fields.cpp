#include "dataset/record_fields.h"
#include "dataset/slot_bytes.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "common/date_settings.h"
#include "common/date_text.h"
#include "common/error_state.h"
#include "dataset/engine_text.h"
#include "dataset/record_set.h"
#include "dataset/record_slot.h"

namespace pw {
namespace {

QString RightTrimmed(const QString& text) {
  qsizetype end = text.size();
  while (end > 0 && text.at(end - 1).isSpace()) --end;
  return text.left(end);
}

}  // namespace

RecordField::RecordField(RecordSet& dataSet, int fieldNo)
    : dataSet_(dataSet), fieldNo_(fieldNo), size_(0) {
  if (DataType() == 'C') size_ = Prop().width;
}

const DbfFieldProperty& RecordField::Prop() const {
  return dataSet_.Layout().Fields()[static_cast<std::size_t>(fieldNo_)];
}

const RecordBuffer& RecordField::ActiveBuffer() const {
  return dataSet_.ActiveBuffer();
}

const unsigned char* RecordField::SlotIn(const RecordBuffer& buffer) const {
  return buffer.data() + dataSet_.Layout().SlotOf(fieldNo_).buffer;
}

unsigned char* RecordField::SlotForWrite() {
  return dataSet_.BufferForChange(*this).data() + dataSet_.Layout().SlotOf(fieldNo_).buffer;
}

void RecordField::Changed() {
  dataSet_.FieldChangedInBuffer(*this);
}

void RecordField::SetSizeChecked(int size, int limit) {
  if (size < 0 || size > limit) RaiseEngineError("Invalid field size");
  size_ = size;
}

QString RecordField::TextIn(const RecordBuffer& buffer) const {
  return IsNullIn(buffer) ? QString() : ValueIn(buffer).toString();
}

void RecordField::SetAsString(const QString& text) {
  SetValue(text);
}

QVariant TextField::ValueIn(const RecordBuffer& buffer) const {
  const unsigned char* slot = SlotIn(buffer);
  const std::string_view text(reinterpret_cast<const char*>(slot + 1), slot[0]);
  return RightTrimmed(FromEngineText(text));
}

void TextField::SetValue(const QVariant& value) {
  unsigned char* slot = SlotForWrite();
  const std::size_t width = static_cast<std::size_t>(Prop().width);
  const std::string text = ToEngineText(value.toString());
  slot[0] = static_cast<unsigned char>(width);
  std::memset(slot + 1, ' ', width);
  std::memcpy(slot + 1, text.data(), std::min(width, text.size()));
  Changed();
}

bool DateField::IsNullIn(const RecordBuffer& buffer) const {
  return LoadSlot<double>(SlotIn(buffer)) == 0.0;
}

QVariant DateField::ValueIn(const RecordBuffer& buffer) const {
  if (IsNullIn(buffer)) return {};
  return BufferValueToDate(LoadSlot<double>(SlotIn(buffer)));
}

void DateField::SetValue(const QVariant& value) {
  unsigned char* slot = SlotForWrite();
  StoreSlot(slot, value.isValid() ? DateToBufferValue(value.toDate()) : 0.0);
  Changed();
}

QString DateField::TextIn(const RecordBuffer& buffer) const {
  if (IsNullIn(buffer)) return {};
  const QString pattern = QString::fromStdString(CurrentDateSettings().shortDatePattern);
  const QString text = ValueIn(buffer).toDate().toString(pattern);
  std::string cut = text.left(10).toStdString();
  return ValidateDateText(cut) ? text.left(10) : text;
}

void DateField::SetAsString(const QString& text) {
  const std::string blank = BlankDateText(CurrentDateSettings().formatCode);
  if (RightTrimmed(text) == RightTrimmed(QString::fromStdString(blank))) {
    SetValue(QVariant());
    return;
  }
  std::string dateText = RightTrimmed(text).toStdString();
  const double value = ValidateDateText(dateText) ? DateTextToBufferValue(dateText) : 0.0;
  if (value == 0.0) RaiseEngineError("'" + ToEngineText(text) + "' is not a valid date");
  SetValue(BufferValueToDate(value));
}

FloatField::FloatField(RecordSet& dataSet, int fieldNo) : RecordField(dataSet, fieldNo) {
  SetSize(std::min(Prop().width, 20));
}

QVariant FloatField::ValueIn(const RecordBuffer& buffer) const {
  return LoadSlot<double>(SlotIn(buffer));
}

void FloatField::SetValue(const QVariant& value) {
  bool ok = !value.isValid();
  const double number = value.isValid() ? value.toDouble(&ok) : 0.0;
  if (!ok || !std::isfinite(number)) {
    RaiseEngineError("'" + ToEngineText(value.toString()) +
                     "' is not a valid floating point value");
  }
  StoreSlot(SlotForWrite(), number);
  Changed();
}

IntegerField::IntegerField(RecordSet& dataSet, int fieldNo) : RecordField(dataSet, fieldNo) {
  SetSize(std::min(Prop().width, 20));
}

QVariant IntegerField::ValueIn(const RecordBuffer& buffer) const {
  if (HasWideWholeSlot(Prop()))
    return static_cast<qlonglong>(LoadSlot<std::int64_t>(SlotIn(buffer)));
  return LoadSlot<std::int32_t>(SlotIn(buffer));
}

void IntegerField::SetValue(const QVariant& value) {
  bool ok = !value.isValid();
  const qlonglong number = value.isValid() ? value.toLongLong(&ok) : 0;
  const bool wide = HasWideWholeSlot(Prop());
  if (!ok || (!wide && (number < std::numeric_limits<std::int32_t>::min() ||
                        number > std::numeric_limits<std::int32_t>::max()))) {
    RaiseEngineError("'" + ToEngineText(value.toString()) + "' is not a valid integer value");
  }
  if (wide) {
    StoreSlot(SlotForWrite(), static_cast<std::int64_t>(number));
  } else {
    StoreSlot(SlotForWrite(), static_cast<std::int32_t>(number));
  }
  Changed();
}

QVariant BooleanField::ValueIn(const RecordBuffer& buffer) const {
  return SlotIn(buffer)[0] == 'T';
}

void BooleanField::SetValue(const QVariant& value) {
  unsigned char* slot = SlotForWrite();
  slot[0] = value.toBool() ? 'T' : 'F';
  slot[1] = 0;
  Changed();
}

QString BooleanField::TextIn(const RecordBuffer& buffer) const {
  return ValueIn(buffer).toBool() ? QStringLiteral("True") : QStringLiteral("False");
}

QVariant MemoField::ValueIn(const RecordBuffer& buffer) const {
  return LoadSlot<std::int32_t>(SlotIn(buffer));
}

void MemoField::SetValue(const QVariant& value) {
  StoreSlot(SlotForWrite(), static_cast<std::int32_t>(value.toInt()));
  Changed();
}

std::unique_ptr<RecordField> MakeTzField(RecordSet& dataSet, int fieldNo) {
  const DbfFieldProperty& prop = dataSet.Layout().Fields()[static_cast<std::size_t>(fieldNo)];
  switch (prop.type) {
    case 'D':
      return std::make_unique<DateField>(dataSet, fieldNo);
    case 'N':
    case 'F':
      if (prop.decimals > 0) return std::make_unique<FloatField>(dataSet, fieldNo);
      return std::make_unique<IntegerField>(dataSet, fieldNo);
    case 'L':
      return std::make_unique<BooleanField>(dataSet, fieldNo);
    case 'M':
      return std::make_unique<MemoField>(dataSet, fieldNo);
    default:
      return std::make_unique<TextField>(dataSet, fieldNo);
  }
}

}  // namespace pw
