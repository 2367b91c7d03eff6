#include "dataset/record_slot.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "common/date_settings.h"
#include "common/date_text.h"
#include "common/decimal_rounding.h"
#include "dataset/engine_text.h"
#include "dataset/slot_bytes.h"
#include "engine/table/record_date.h"

namespace pw {
namespace {

constexpr std::size_t kStoredDate = kStoredDateLength;

bool NumericWithDecimals(const DbfFieldProperty& field) {
  return field.decimals > 0;
}

// A whole number as the value holds it: exact for whole types, a double
// rounded as every number of the engine is.
qlonglong WholeOf(const QVariant& value) {
  if (value.typeId() == QMetaType::Double) return RoundToWhole(value.toDouble());
  return value.toLongLong();
}

QDate DateOfSlot(const unsigned char* slot) {
  const std::size_t length = std::min<std::size_t>(slot[0], kMaxDateTextLength);
  unsigned char stored[kStoredDate];
  StoredOfDateText({reinterpret_cast<const char*>(slot + 1), length}, stored);
  const QString text = QString::fromLatin1(reinterpret_cast<const char*>(stored), kStoredDate);
  if (text.trimmed().isEmpty()) return {};
  return QDate::fromString(text, QStringLiteral("yyyyMMdd"));
}

void StoreDateText(const std::string& text, unsigned char* slot) {
  const std::size_t length = std::min(text.size(), kMaxDateTextLength);
  slot[0] = static_cast<unsigned char>(length);
  std::memset(slot + 1, ' ', kMaxDateTextLength);
  std::memcpy(slot + 1, text.data(), length);
}

void StoreDate(const QDate& date, unsigned char* slot) {
  const std::string stored = date.isValid()
                                 ? ToEngineText(date.toString(QStringLiteral("yyyyMMdd")))
                                 : std::string(8, ' ');
  char text[kMaxDateTextLength];
  const std::size_t length = DateTextOfStored(stored, text);
  StoreDateText({text, length}, slot);
}

bool StoreDateFromText(const QString& text, unsigned char* slot) {
  if (text.trimmed().isEmpty() || text.trimmed() == BlankDateText().trimmed()) {
    StoreDate({}, slot);
    return true;
  }
  std::string engineText = ToEngineText(text.left(static_cast<qsizetype>(kMaxDateTextLength)));
  if (!ValidateDateText(engineText)) {
    StoreDate({}, slot);
    return false;
  }
  StoreDateText(engineText, slot);
  return true;
}

}  // namespace

bool HasWideWholeSlot(const DbfFieldProperty& field) {
  return (field.type == 'N' || field.type == 'F') && field.decimals == 0 &&
         field.slotSize == static_cast<int>(sizeof(std::int64_t));
}

std::int32_t SaturatedInt32(qlonglong value) {
  return static_cast<std::int32_t>(std::clamp<qlonglong>(
      value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

QString BlankDateText() {
  return FromEngineText(pw::BlankDateText(CurrentDateSettings().formatCode));
}

QVariant SlotValue(const DbfFieldProperty& field, const unsigned char* slot) {
  switch (field.type) {
    case 'N':
    case 'F': {
      if (NumericWithDecimals(field)) {
        return LoadSlot<double>(slot);
      }
      if (HasWideWholeSlot(field)) return static_cast<qlonglong>(LoadSlot<std::int64_t>(slot));
      return LoadSlot<std::int32_t>(slot);
    }
    case 'D':
      return DateOfSlot(slot);
    case 'L':
      return slot[0] != 0;
    case 'M': {
      std::int32_t block = 0;
      std::memcpy(&block, slot, sizeof block);
      return block;
    }
    default: {
      const std::size_t length =
          std::min<std::size_t>(slot[0], static_cast<std::size_t>(field.width));
      std::string_view text(reinterpret_cast<const char*>(slot + 1), length);
      while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
      return FromEngineText(text);
    }
  }
}

bool StoreSlotValue(const DbfFieldProperty& field, const QVariant& value, unsigned char* slot) {
  switch (field.type) {
    case 'N':
    case 'F': {
      if (NumericWithDecimals(field)) {
        StoreSlot(slot, value.toDouble());
      } else if (HasWideWholeSlot(field)) {
        StoreSlot(slot, static_cast<std::int64_t>(WholeOf(value)));
      } else {
        StoreSlot(slot, SaturatedInt32(WholeOf(value)));
      }
      return true;
    }
    case 'D':
      if (value.typeId() == QMetaType::QDate) {
        StoreDate(value.toDate(), slot);
        return true;
      }
      return StoreDateFromText(value.toString(), slot);
    case 'L': {
      bool on = value.toBool();
      if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed().toUpper();
        on = text.startsWith(QLatin1Char('T')) || text.startsWith(QLatin1Char('Y'));
      }
      slot[0] = on ? 1 : 0;
      return true;
    }
    case 'M': {
      const auto block = static_cast<std::int32_t>(value.toLongLong());
      std::memcpy(slot, &block, sizeof block);
      return true;
    }
    default: {
      const std::string text = ToEngineText(value.toString());
      const std::size_t width = static_cast<std::size_t>(field.width);
      slot[0] = static_cast<unsigned char>(width);
      std::memset(slot + 1, ' ', width);
      std::memcpy(slot + 1, text.data(), std::min(text.size(), width));
      return true;
    }
  }
}

}  // namespace pw
