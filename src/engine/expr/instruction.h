// One instruction of a compiled expression. The code is a list of them in
// postfix order: operands first, then the operation that pops them. Each
// instruction carries the handler that runs it, chosen at compile time.
#pragma once

#include <cstdint>

namespace pw {

class Machine;
struct Instruction;

using Handler = void (*)(Machine& machine, const Instruction& instruction);

struct Instruction {
  Handler run = nullptr;
  double number = 0;               // N constant; L constant as 0 or 1
  std::uint32_t textOffset = 0;    // C constant: its place in the literal area
  std::uint32_t textLength = 0;    // C constant: its length
  std::uint16_t field = 0;         // field fetch: index in the field table, from 0
  std::uint8_t area = 0;           // field fetch: work area 1-32, or 0 for the current one
  std::uint8_t argumentCount = 0;  // STR: 1 to 3
};

}  // namespace pw
