#include "small_table_test.h"

#include <cstring>

#include "engine/table/field_info.h"
#include "engine/table/use.h"
#include "engine/table/work_areas.h"

namespace pw::testing {

void SmallTableTest::Open(const std::vector<std::string>& records, const std::string& options) {
  path_ = Path("t.dbf");
  WriteBytes(path_, DbfBytes(0x03, {{"TEXT", 'C', 3}}, records));
  ASSERT_TRUE(Use(path_ + options)) << Detail();
}

std::string SmallTableTest::RawText() {
  const WorkArea& area = CurrentArea();
  return std::string(area.raw.begin(), area.raw.end());
}

std::string SmallTableTest::ImageText() {
  const unsigned char* slot = FieldAddress(1);
  return std::string(reinterpret_cast<const char*>(slot) + 1, slot[0]);
}

void SmallTableTest::SetImageText(const std::string& text) {
  unsigned char* slot = FieldAddress(1);
  slot[0] = 3;
  std::memcpy(slot + 1, text.data(), 3);
}

std::string SmallTableTest::Stored(int n) const {
  const Bytes bytes = ReadBytes(path_);
  const std::size_t at = Le16(bytes, 8) + (n - 1) * kRecordLength;
  if (at + kRecordLength > bytes.size()) return {};
  return std::string(bytes.begin() + at, bytes.begin() + at + kRecordLength);
}

std::string SmallTableTest::TableName() {
  return CurrentArea().fileName;
}

}  // namespace pw::testing
