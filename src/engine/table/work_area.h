// A work area: one of the engine's 33 numbered slots and the table open in it
// (file, prolog image, field table, current record, position, locks, and the
// per-table state of the memo, index and expression units).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/table/engine_hooks.h"
#include "engine/table/field_def.h"
#include "engine/table/record_cache.h"
#include "platform/file.h"

namespace pw {

enum class HeaderState : std::uint8_t { Closed = 0, Clean = 1, Dirty = 2, Appended = 3 };
enum class LockState : std::uint8_t { None = 0, Appended = 2, Records = 3 };

// Applied to the record bytes after the deletion flag: after the OEM
// translation before a write, and before the ANSI translation after a read.
using RecordTranslation = void (*)(unsigned char* bytes, std::size_t count);

struct WorkArea {
  bool occupied = false;
  std::string fileName;  // full path, upper case, with extension
  std::array<unsigned char, 32> prolog{};
  bool hasMemo = false;
  bool hideDeleted = false;
  std::uint16_t headerLength = 0;
  std::uint16_t recordLength = 0;
  std::vector<FieldDef> fields;
  HeaderState headerState = HeaderState::Closed;
  std::vector<unsigned char> raw;         // current record, ANSI text
  std::vector<unsigned char> diskRecord;  // scratch: the raw record as it goes to disk
  std::int32_t recordCount = 0;
  std::int32_t recordNumber = 0;
  bool eof = true;
  bool bof = true;
  platform::Access access = platform::Access::ReadWrite;
  platform::Sharing sharing = platform::Sharing::Shared;
  bool oem = true;
  RecordTranslation writeTranslation = nullptr;
  RecordTranslation readTranslation = nullptr;
  platform::File file;
  RecordCache records;  // used while the table is open exclusively

  // Record image: owned, or supplied by the caller with exactly imageSize bytes.
  unsigned char* image = nullptr;
  std::uint16_t imageSize = 0;
  std::vector<unsigned char> ownedImage;
  std::vector<unsigned char> swap;  // old image while keys are updated on replace

  std::unique_ptr<UnitState> filter;
  std::string alias;  // upper case, unique among occupied work areas
  std::unique_ptr<UnitState> memo;
  LockState lockState = LockState::None;
  std::vector<std::int32_t> recordLocks;  // locked records, oldest first
  bool exclusive = false;
  std::unique_ptr<UnitState> index;

  // The prolog's version byte (offset 0).
  unsigned char Version() const { return prolog[0]; }
};

}  // namespace pw
