// The engine-wide state of the last locate, shared by all work areas: what
// was searched for, how, and in which field, so that Continue can search on.
#pragma once

#include <cstdint>
#include <string>

namespace pw {

struct LocateState {
  // The value searched for, in the stored form of the field.
  std::string searchText;
  bool caseSensitive = true;  // false with the option NOCASE
  bool exact = false;         // true with the option EXACT
  // The field of the last locate that found a record; 0 when there is none
  // and after a search that found nothing.
  std::uint8_t field = 0;
};

}  // namespace pw
