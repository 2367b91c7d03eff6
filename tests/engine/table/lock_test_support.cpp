#include "lock_test_support.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "common/error_state.h"
#include "engine/table/close_work_area.h"
#include "engine/table/create_dbf.h"
#include "engine/table/use.h"
#include "engine/table/work_areas.h"

namespace pw::testing {

std::optional<HeldRange> LockHeldOn(const std::string& path, std::uint64_t offset,
                                    std::uint64_t length) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) {
    ADD_FAILURE() << "cannot open " << path;
    return std::nullopt;
  }
  struct flock probe {};
  probe.l_type = F_WRLCK;
  probe.l_whence = SEEK_SET;
  probe.l_start = static_cast<off_t>(offset);
  probe.l_len = static_cast<off_t>(length);
  const int result = ::fcntl(fd, F_OFD_GETLK, &probe);
  ::close(fd);
  if (result != 0) {
    ADD_FAILURE() << "F_OFD_GETLK failed on " << path;
    return std::nullopt;
  }
  if (probe.l_type == F_UNLCK) return std::nullopt;
  return HeldRange{static_cast<std::uint64_t>(probe.l_start),
                   static_cast<std::uint64_t>(probe.l_len)};
}

std::vector<FieldDef> NoteSizedFields() {
  // 32-byte prolog + 37 descriptors of 32 bytes + terminator = 1217;
  // deletion flag + 36 * 13 + 12 = 481.
  std::vector<FieldDef> fields;
  for (int i = 0; i < 37; ++i) {
    FieldDef field;
    field.name = "F" + std::to_string(i + 1);
    field.type = 'C';
    field.length = i == 36 ? 12 : 13;
    fields.push_back(field);
  }
  return fields;
}

void LockTableTest::SetUp() {
  savedSettings_ = Settings();
  savedAutoDispatch_ = SetAutoDispatch(false);
  std::string pattern = (std::filesystem::temp_directory_path() / "pwlockXXXXXX").string();
  ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
  folder_ = pattern;
  FieldDef name;
  name.name = "NAME";
  name.type = 'C';
  name.length = 10;
  tablePath_ = CreateTable("locks.dbf", {name});
}

void LockTableTest::TearDown() {
  CloseAll();
  ClearEngineError();
  TakeDetailText();
  Settings() = savedSettings_;
  SetAutoDispatch(savedAutoDispatch_);
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

std::string LockTableTest::CreateTable(const std::string& name,
                                       const std::vector<FieldDef>& fields) {
  const std::string path = folder_ + "/" + name;
  EXPECT_TRUE(CreateDBF(path, static_cast<int>(fields.size()), fields))
      << "code " << EngineErrorCode();
  return path;
}

void LockTableTest::Open(const std::string& path, const std::string& options) {
  Use(path + options);
  ASSERT_EQ(EngineErrorCode(), 0) << TakeDetailText();
}

void LockTableTest::MoveTo(std::int32_t recordNumber) {
  CurrentArea().recordNumber = recordNumber;
}

}  // namespace pw::testing
