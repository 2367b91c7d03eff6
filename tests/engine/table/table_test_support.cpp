#include "table_test_support.h"

#include <fstream>
#include <iterator>

#include "common/error_state.h"
#include "engine/table/close_work_area.h"
#include "engine/table/create_dbf.h"

namespace pw::testing {
namespace {

void Put16(Bytes& bytes, std::size_t at, std::uint32_t value) {
  bytes[at] = static_cast<unsigned char>(value);
  bytes[at + 1] = static_cast<unsigned char>(value >> 8);
}

void Put32(Bytes& bytes, std::size_t at, std::uint32_t value) {
  Put16(bytes, at, value);
  Put16(bytes, at + 2, value >> 16);
}

std::uint32_t RecordLength(const std::vector<RawField>& fields) {
  std::uint32_t length = 1;
  for (const RawField& field : fields) length += field.length;
  return length;
}

void AppendRecords(Bytes& bytes, const std::vector<std::string>& records) {
  for (const std::string& record : records) bytes.insert(bytes.end(), record.begin(), record.end());
  bytes.push_back(0x1A);
}

// Descriptors of `size` bytes: name at 0, type, length and decimals at the given offsets.
Bytes Descriptors(const std::vector<RawField>& fields, std::size_t size, std::size_t type,
                  std::size_t length, std::size_t decimals) {
  Bytes out(fields.size() * size, 0);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    unsigned char* d = &out[i * size];
    std::copy(fields[i].name.begin(), fields[i].name.end(), d);
    d[type] = static_cast<unsigned char>(fields[i].type);
    d[length] = fields[i].length;
    d[decimals] = fields[i].decimals;
  }
  return out;
}

}  // namespace

FieldDef Field(const std::string& name, char type, std::uint8_t length, std::uint8_t decimals) {
  FieldDef field;
  field.name = name;
  field.type = type;
  field.length = length;
  field.decimals = decimals;
  return field;
}

Bytes DbfBytes(unsigned char version, const std::vector<RawField>& fields,
               const std::vector<std::string>& records, int extraHeaderBytes) {
  Bytes bytes(32, 0);
  bytes[0] = version;
  Put32(bytes, 4, static_cast<std::uint32_t>(records.size()));
  Put16(bytes, 8, static_cast<std::uint32_t>(32 + 32 * fields.size() + 1 + extraHeaderBytes));
  Put16(bytes, 10, RecordLength(fields));
  const Bytes descriptors = Descriptors(fields, 32, 11, 16, 17);
  bytes.insert(bytes.end(), descriptors.begin(), descriptors.end());
  bytes.push_back(0x0D);
  bytes.insert(bytes.end(), static_cast<std::size_t>(extraHeaderBytes), 0);
  AppendRecords(bytes, records);
  return bytes;
}

Bytes Level7Bytes(unsigned char version, const std::vector<RawField>& fields,
                  const std::vector<std::string>& records) {
  Bytes bytes(32 + 36, 0);
  bytes[0] = version;
  Put32(bytes, 4, static_cast<std::uint32_t>(records.size()));
  Put16(bytes, 8, static_cast<std::uint32_t>(68 + 48 * fields.size() + 1));
  Put16(bytes, 10, RecordLength(fields));
  const Bytes descriptors = Descriptors(fields, 48, 32, 33, 34);
  bytes.insert(bytes.end(), descriptors.begin(), descriptors.end());
  bytes.push_back(0x0D);
  AppendRecords(bytes, records);
  return bytes;
}

Bytes Dbase2Bytes(const std::vector<RawField>& fields, const std::vector<std::string>& records,
                  bool terminated) {
  Bytes bytes(521, 0);
  bytes[0] = 0x02;
  Put16(bytes, 1, static_cast<std::uint32_t>(records.size()));
  Put16(bytes, 6, RecordLength(fields));
  const Bytes descriptors = Descriptors(fields, 16, 11, 12, 15);
  std::copy(descriptors.begin(), descriptors.end(), bytes.begin() + 8);
  if (terminated) bytes[8 + descriptors.size()] = 0x0D;
  AppendRecords(bytes, records);
  return bytes;
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(out.good()) << path;
}

Bytes ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t Le32(const Bytes& bytes, std::size_t at) {
  return Le16(bytes, at) | (static_cast<std::uint32_t>(Le16(bytes, at + 2)) << 16);
}

std::uint16_t Le16(const Bytes& bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes.at(at) | (bytes.at(at + 1) << 8));
}

void TableTest::SetUp() {
  savedSettings_ = Settings();
  savedDates_ = CurrentDateSettings();
  savedAutoDispatch_ = SetAutoDispatch(false);
  CloseAll();
  ClearEngineError();
  TakeDetailText();
}

void TableTest::TearDown() {
  CloseAll();
  ClearEngineError();
  TakeDetailText();
  Settings() = savedSettings_;
  CurrentDateSettings() = savedDates_;
  SetAutoDispatch(savedAutoDispatch_);
}

std::string TableTest::Create(const std::string& name, const std::vector<FieldDef>& fields) {
  EXPECT_TRUE(CreateDBF(Path(name), static_cast<int>(fields.size()), fields)) << Detail();
  return Path(name.find('.') == std::string::npos ? name + ".dbf" : name);
}

std::string TableTest::Detail() {
  return TakeDetailText();
}

}  // namespace pw::testing
