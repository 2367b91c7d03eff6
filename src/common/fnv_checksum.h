// The FNV-1a checksum (32-bit) that the engine's journals end their records
// with, so that a record a crash tore is told from a complete one.
#pragma once

#include <cstddef>
#include <cstdint>

namespace pw {

inline constexpr std::uint32_t kFnvBasis = 2166136261u;

// Continues `hash` over `count` bytes.
inline std::uint32_t Fnv(std::uint32_t hash, const char* bytes, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    hash = (hash ^ static_cast<unsigned char>(bytes[i])) * 16777619u;
  }
  return hash;
}

}  // namespace pw
