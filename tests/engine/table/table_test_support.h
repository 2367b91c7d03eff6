// Shared set-up of the table engine tests: a scratch folder, engine and date
// settings restored after each test, all work areas closed, and builders for
// record files written byte by byte.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/date_settings.h"
#include "engine/table/engine_settings.h"
#include "engine/table/field_def.h"
#include "support/temp_dir.h"

namespace pw::testing {

using Bytes = std::vector<unsigned char>;

struct RawField {
  std::string name;
  char type;
  std::uint8_t length;
  std::uint8_t decimals = 0;
};

FieldDef Field(const std::string& name, char type, std::uint8_t length, std::uint8_t decimals = 0);

// A record file with 32-byte descriptors: prolog (version, record count,
// lengths), descriptors, terminator, `extraHeaderBytes` zero bytes counted in
// the header length, then the records (deletion flag included) and 0x1A.
Bytes DbfBytes(unsigned char version, const std::vector<RawField>& fields,
               const std::vector<std::string>& records = {}, int extraHeaderBytes = 0);
// The same with the 36-byte extension and 48-byte descriptors of level 7.
Bytes Level7Bytes(unsigned char version, const std::vector<RawField>& fields,
                  const std::vector<std::string>& records = {});
// A dBASE II file: 521-byte header, then the records. `terminated` false
// leaves out the 0x0D after the last descriptor.
Bytes Dbase2Bytes(const std::vector<RawField>& fields, const std::vector<std::string>& records,
                  bool terminated = true);

void WriteBytes(const std::string& path, const Bytes& bytes);
Bytes ReadBytes(const std::string& path);
std::uint32_t Le32(const Bytes& bytes, std::size_t at);
std::uint16_t Le16(const Bytes& bytes, std::size_t at);

class TableTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::string Path(const std::string& name) const { return dir_.file(name); }
  // Creates a table of `fields` in the scratch folder; returns its file's path.
  std::string Create(const std::string& name, const std::vector<FieldDef>& fields);
  // The engine's detail text of the last error (taken).
  std::string Detail();

  test::TempDir dir_;

 private:
  EngineSettings savedSettings_;
  DateSettings savedDates_;
  bool savedAutoDispatch_ = true;
};

}  // namespace pw::testing
