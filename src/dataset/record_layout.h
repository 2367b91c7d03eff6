// The record set's record buffer: one table record in typed form, laid out
// when the table is opened. The layout, in bytes:
//
//   0           deletion mark: '*' marked deleted, ' ' not
//   per field   in table order:
//                 C      1 + width   length byte (the width), then the text
//                                    padded with blanks
//                 D      8           double: days since 30 December 1899,
//                                    0 = blank
//                 N, F   8 or 4      double with decimals, int32 without
//                 L      2           the logical character ('T' or 'F'),
//                                    then 0
//                 M      4           int32 memo block
//   info        5           record number (int32), bookmark flag (1 byte)
//   bookmark    4           the record number again
//
// Bookmarks compare as record numbers. The engine's record image
// (engine/table/record_image.h) differs in D (date text) and L (0 or 1)
// slots; this unit converts between the two.
#pragma once

#include <QDate>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "dataset/dbf_table.h"

namespace pw {

using RecordBuffer = std::vector<unsigned char>;

// Where each field lies in the record buffer and in the engine's image.
class RecordLayout {
 public:
  struct Slot {
    std::size_t buffer = 0;  // offset in the record buffer
    std::size_t image = 0;   // offset in the engine's record image
    std::size_t size = 0;    // bytes in the record buffer
  };

  RecordLayout() = default;
  explicit RecordLayout(const DbfFieldProperties& fields);

  const DbfFieldProperties& Fields() const { return fields_; }
  const Slot& SlotOf(int field) const { return slots_[static_cast<std::size_t>(field)]; }
  std::size_t BufferSize() const { return infoOffset_ + kInfoSize + kBookmarkSize; }
  RecordBuffer NewBuffer() const;

  // Engine record image -> record buffer, and back.
  void FromImage(const unsigned char* image, RecordBuffer& buffer) const;
  void ToImage(const RecordBuffer& buffer, unsigned char* image) const;

  std::int32_t RecordNumber(const RecordBuffer& buffer) const;
  void SetRecordNumber(RecordBuffer& buffer, std::int32_t recordNumber) const;
  static bool Deleted(const RecordBuffer& buffer) { return !buffer.empty() && buffer[0] == '*'; }

  static constexpr std::size_t kInfoSize = 5;
  static constexpr std::size_t kBookmarkSize = 4;

 private:
  DbfFieldProperties fields_;
  std::vector<Slot> slots_;
  std::size_t infoOffset_ = 1;
};

// Date values of D slots: days since 30 December 1899 (0 = blank).
double DateToBufferValue(const QDate& date);
QDate BufferValueToDate(double value);
// The engine's date text of the current format, and back; a blank or
// unreadable text is the blank value 0.
double DateTextToBufferValue(const std::string& text);
// The date text in the process-wide short date format; the engine's
// blank-date text for 0. A text that is no valid date of the engine's format
// shows "        Invalid date       " and gives the blank-date text.
std::string BufferValueToDateText(double value);

}  // namespace pw
