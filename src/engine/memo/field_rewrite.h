// One memo field that a memo pack points at its entry's new block.
#pragma once

#include <cstdint>

namespace pw {

struct FieldRewrite {
  std::uint32_t record = 0;
  std::uint16_t field = 0;  // from 1
  std::uint32_t block = 0;
};

}  // namespace pw
