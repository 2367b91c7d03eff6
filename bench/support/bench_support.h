// What the benchmarks share: a scratch folder for their tables, a check that
// stops a run with the engine's error text, and field definitions.
#pragma once

#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "common/error_state.h"
#include "engine/table/field_def.h"

namespace pw::bench {

// A folder in the temporary folder, removed with its contents at the end.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "pwbenchXXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::string Table() const { return path_ + "/notes.dbf"; }

 private:
  std::string path_;
};

inline void Check(bool ok, const char* what) {
  if (!ok) throw std::runtime_error(std::string(what) + ": " + ErrorMessage());
}

inline FieldDef Def(const char* name, char type, std::uint8_t length, std::uint8_t decimals = 0) {
  FieldDef field;
  field.name = name;
  field.type = type;
  field.length = length;
  field.decimals = decimals;
  return field;
}

}  // namespace pw::bench
