// Values in record buffers, which sit at any byte offset: copied, never
// read through a cast pointer.
#pragma once

#include <cstring>

namespace pw {

template <typename T>
T LoadSlot(const unsigned char* at) {
  T value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

template <typename T>
void StoreSlot(unsigned char* at, T value) {
  std::memcpy(at, &value, sizeof value);
}

}  // namespace pw
