// One entry of a table's field table: the parsed form of a field descriptor,
// and the input of table creation (offsets are ignored there).
#pragma once

#include <cstdint>
#include <string>

namespace pw {

struct FieldDef {
  std::string name;           // upper case, at most 10 characters (11 read)
  char type = 'C';            // C, D, F, L, M, N after open
  std::uint8_t length = 0;    // stored length in bytes
  std::uint8_t decimals = 0;  // N and F only
  std::uint16_t offset = 0;   // within the raw record; 1 for the first field
};

}  // namespace pw
