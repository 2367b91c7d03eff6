#include "dataset/record_layout.h"
#include "dataset/slot_bytes.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "common/century_rule.h"
#include "common/date_settings.h"
#include "common/date_text.h"
#include "dataset/dataset_ui.h"
#include "dataset/record_slot.h"

namespace pw {
namespace {

const QDate kDateBase(1899, 12, 30);

bool HasDecimals(const DbfFieldProperty& field) {
  return field.decimals > 0;
}

std::size_t BufferSlotSize(const DbfFieldProperty& field) {
  switch (field.type) {
    case 'C':
      return 1 + static_cast<std::size_t>(field.width);
    case 'D':
      return 8;
    case 'N':
    case 'F':
      return HasDecimals(field) || HasWideWholeSlot(field) ? 8 : 4;
    case 'L':
      return 2;
    default:
      return 4;
  }
}

}  // namespace

RecordLayout::RecordLayout(const DbfFieldProperties& fields) : fields_(fields) {
  std::size_t at = 1;
  for (const DbfFieldProperty& field : fields_) {
    const std::size_t size = BufferSlotSize(field);
    slots_.push_back({at, static_cast<std::size_t>(field.offset), size});
    at += size;
  }
  infoOffset_ = at;
}

RecordBuffer RecordLayout::NewBuffer() const {
  RecordBuffer buffer(BufferSize(), 0);
  buffer[0] = ' ';
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    if (fields_[i].type != 'C') continue;
    buffer[slots_[i].buffer] = static_cast<unsigned char>(fields_[i].width);
    std::fill_n(buffer.begin() + static_cast<std::ptrdiff_t>(slots_[i].buffer + 1),
                fields_[i].width, ' ');
  }
  return buffer;
}

void RecordLayout::FromImage(const unsigned char* image, RecordBuffer& buffer) const {
  buffer[0] = image[0] != 0 ? '*' : ' ';
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    const DbfFieldProperty& field = fields_[i];
    unsigned char* to = buffer.data() + slots_[i].buffer;
    const unsigned char* from = image + slots_[i].image;
    switch (field.type) {
      case 'D': {
        const std::string text(reinterpret_cast<const char*>(from + 1), from[0]);
        StoreSlot(to, DateTextToBufferValue(text));
        break;
      }
      case 'L':
        to[0] = from[0] != 0 ? 'T' : 'F';
        to[1] = 0;
        break;
      default:  // C, N, F and M slots have the same bytes in both forms
        std::memcpy(to, from, slots_[i].size);
    }
  }
}

void RecordLayout::ToImage(const RecordBuffer& buffer, unsigned char* image) const {
  image[0] = buffer[0] == '*' ? 1 : 0;
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    const DbfFieldProperty& field = fields_[i];
    const unsigned char* from = buffer.data() + slots_[i].buffer;
    unsigned char* to = image + slots_[i].image;
    switch (field.type) {
      case 'D': {
        const std::string text = BufferValueToDateText(LoadSlot<double>(from));
        const std::size_t length = std::min<std::size_t>(text.size(), field.slotSize - 1);
        to[0] = static_cast<unsigned char>(length);
        std::memcpy(to + 1, text.data(), length);
        break;
      }
      case 'L':
        to[0] = from[0] == 'T' ? 1 : 0;
        break;
      default:
        std::memcpy(to, from, slots_[i].size);
    }
  }
}

std::int32_t RecordLayout::RecordNumber(const RecordBuffer& buffer) const {
  return LoadSlot<std::int32_t>(buffer.data() + infoOffset_ + kInfoSize);
}

void RecordLayout::SetRecordNumber(RecordBuffer& buffer, std::int32_t recordNumber) const {
  StoreSlot(buffer.data() + infoOffset_, recordNumber);
  buffer[infoOffset_ + 4] = 0;
  StoreSlot(buffer.data() + infoOffset_ + kInfoSize, recordNumber);
}

double DateToBufferValue(const QDate& date) {
  return date.isValid() ? static_cast<double>(kDateBase.daysTo(date)) : 0.0;
}

QDate BufferValueToDate(double value) {
  if (value == 0.0 || !std::isfinite(value)) return {};
  return kDateBase.addDays(static_cast<qint64>(std::floor(value)));
}

double DateTextToBufferValue(const std::string& text) {
  // MM/DD/YY or MM/DD/YYYY
  const std::string american = ToAmericanDate(text);
  if (american.size() < 8 || american == BlankDateText(0)) return 0.0;
  const int month = std::atoi(american.substr(0, 2).c_str());
  const int day = std::atoi(american.substr(3, 2).c_str());
  const QDate date(CompleteYear(american.substr(6)), month, day);
  return DateToBufferValue(date);
}

std::string BufferValueToDateText(double value) {
  const int code = CurrentDateSettings().formatCode;
  const QDate date = BufferValueToDate(value);
  if (!date.isValid()) return BlankDateText(code);
  std::string text =
      date.toString(QString::fromStdString(CurrentDateSettings().shortDatePattern)).toStdString();
  if (!ValidateDateText(text)) {
    CurrentDatasetUi().Warning(QStringLiteral("        Invalid date       "));
    return BlankDateText(code);
  }
  return text;
}

}  // namespace pw
