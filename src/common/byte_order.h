// Integers in file images: little-endian (record files, dBASE memo files,
// index files) and big-endian (FoxPro memo files).
#pragma once

#include <cstdint>

namespace pw {

inline std::uint16_t GetLe16(const unsigned char* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::uint32_t GetLe32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

inline void PutLe16(unsigned char* p, std::uint32_t value) {
  p[0] = static_cast<unsigned char>(value);
  p[1] = static_cast<unsigned char>(value >> 8);
}

inline void PutLe32(unsigned char* p, std::uint32_t value) {
  PutLe16(p, value);
  PutLe16(p + 2, value >> 16);
}

inline std::uint16_t GetBe16(const unsigned char* p) {
  return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
}

inline std::uint32_t GetBe32(const unsigned char* p) {
  return (static_cast<std::uint32_t>(GetBe16(p)) << 16) | GetBe16(p + 2);
}

inline void PutBe16(unsigned char* p, std::uint32_t value) {
  p[0] = static_cast<unsigned char>(value >> 8);
  p[1] = static_cast<unsigned char>(value);
}

inline void PutBe32(unsigned char* p, std::uint32_t value) {
  PutBe16(p, value >> 16);
  PutBe16(p + 2, value);
}

}  // namespace pw
