// Text functions. Positions count from 1; counts, positions and codes are N
// values truncated toward zero. Results longer than 255 characters are cut.
// LEFT, RIGHT, LOWER, UPPER, LTRIM, RTRIM and TRIM change the top entry in
// place.
#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

#include "common/code_page.h"
#include "engine/expr/handlers.h"
#include "engine/expr/machine.h"
#include "engine/expr/whole_number.h"

namespace pw::ops {
namespace {

using CaseTable = std::array<unsigned char, 256>;

CaseTable MakeCaseTable(unsigned char (*map)(unsigned char)) {
  CaseTable table{};
  for (std::size_t c = 0; c < table.size(); ++c) table[c] = map(static_cast<unsigned char>(c));
  return table;
}

// The Windows-1252 case rules, so accented letters change case too.
void MapTopText(Machine& machine, const CaseTable& table) {
  char* text = machine.TopText();
  const std::uint32_t length = machine.TopLength();
  for (std::uint32_t i = 0; i < length; ++i) {
    text[i] = static_cast<char>(table[static_cast<unsigned char>(text[i])]);
  }
}

std::int64_t PopWhole(Machine& machine) {
  return TruncateToWhole(machine.PopNumber());
}

// `count` copies of `piece`, cut at 255 characters.
void PushRepeated(Machine& machine, std::string_view piece, std::int64_t count) {
  char* out = machine.scratch();
  std::size_t length = 0;
  for (std::int64_t i = 0; i < count && length < kMaxResultText && !piece.empty(); ++i) {
    const std::size_t part = std::min(piece.size(), kMaxResultText - length);
    std::memcpy(out + length, piece.data(), part);
    length += part;
  }
  machine.PushText(out, length);
}

// A = 0 B = 1 C = 2 D = 3 E = 0 F = 1 G = 2 H = 0 ... (the letters A to Z).
constexpr std::string_view kSoundexDigits = "01230120022455012623010202";
constexpr std::size_t kSoundexScanned = 100;
constexpr std::size_t kSoundexLength = 4;

char RaisedLetter(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsUpperLetter(char c) {
  return c >= 'A' && c <= 'Z';
}

}  // namespace

// An empty text has no first byte; it gives 0.
void Asc(Machine& machine, const Instruction&) {
  const std::string_view text = machine.PopText();
  machine.PushNumber(text.empty() ? 0 : static_cast<unsigned char>(text.front()));
}

void At(Machine& machine, const Instruction&) {
  const std::string_view text = machine.PopText();
  const std::string_view sought = machine.PopText();
  const std::size_t at = sought.empty() ? std::string_view::npos : text.find(sought);
  machine.PushNumber(at == std::string_view::npos ? 0 : static_cast<double>(at + 1));
}

void Chr(Machine& machine, const Instruction&) {
  const char code = static_cast<char>(PopWhole(machine) & 0xFF);
  machine.PushText(&code, code == '\0' ? 0 : 1);
}

// Both texts have been evaluated; the chosen one moves to the pool cursor.
void Iif(Machine& machine, const Instruction&) {
  const std::string_view whenFalse = machine.PopText();
  const std::string_view whenTrue = machine.PopText();
  const std::string_view chosen = machine.PopLogical() ? whenTrue : whenFalse;
  machine.PushText(chosen.data(), chosen.size());
}

// A negative count, like 0, gives the empty text.
void Left(Machine& machine, const Instruction&) {
  const std::int64_t count = PopWhole(machine);
  if (count <= 0) {
    machine.SetTopLength(0);
  } else if (count < machine.TopLength()) {
    machine.SetTopLength(static_cast<std::uint32_t>(count));
  }
}

void Len(Machine& machine, const Instruction&) {
  machine.PushNumber(static_cast<double>(machine.PopText().size()));
}

void Lower(Machine& machine, const Instruction&) {
  static const CaseTable table = MakeCaseTable(LowerChar);
  MapTopText(machine, table);
}

void Upper(Machine& machine, const Instruction&) {
  static const CaseTable table = MakeCaseTable(UpperChar);
  MapTopText(machine, table);
}

void Ltrim(Machine& machine, const Instruction&) {
  char* text = machine.TopText();
  const std::uint32_t length = machine.TopLength();
  std::uint32_t first = 0;
  while (first < length && text[first] == ' ') ++first;
  std::memmove(text, text + first, length - first);
  machine.SetTopLength(length - first);
}

// RTRIM and TRIM.
void Rtrim(Machine& machine, const Instruction&) {
  const char* text = machine.TopText();
  std::uint32_t length = machine.TopLength();
  while (length > 0 && text[length - 1] == ' ') --length;
  machine.SetTopLength(length);
}

void Replicate(Machine& machine, const Instruction&) {
  const std::int64_t count = PopWhole(machine);
  PushRepeated(machine, machine.PopText(), count);
}

// A negative count, like one at least the length, keeps the text.
void Right(Machine& machine, const Instruction&) {
  const std::int64_t count = PopWhole(machine);
  const std::uint32_t length = machine.TopLength();
  if (count == 0) {
    machine.SetTopLength(0);
  } else if (count > 0 && count < length) {
    char* text = machine.TopText();
    std::memmove(text, text + (length - count), static_cast<std::size_t>(count));
    machine.SetTopLength(static_cast<std::uint32_t>(count));
  }
}

// The first character as it is, then the digits of the further letters A-Z,
// each written unless 0 or equal to the digit before it.
void Soundex(Machine& machine, const Instruction&) {
  std::string_view text = machine.PopText();
  text = text.substr(0, kSoundexScanned);
  char* code = machine.scratch();
  std::memset(code, '0', kSoundexLength);
  std::size_t filled = 0;
  char previous = '0';
  if (!text.empty()) {
    const char first = RaisedLetter(text.front());
    code[filled++] = first;
    if (IsUpperLetter(first)) previous = kSoundexDigits[first - 'A'];
  }
  for (std::size_t i = 1; i < text.size() && filled < kSoundexLength; ++i) {
    const char letter = RaisedLetter(text[i]);
    if (!IsUpperLetter(letter)) continue;
    const char digit = kSoundexDigits[letter - 'A'];
    if (digit != previous && digit != '0') code[filled++] = digit;
    previous = digit;
  }
  machine.PushText(code, kSoundexLength);
}

void Space(Machine& machine, const Instruction&) {
  PushRepeated(machine, " ", PopWhole(machine));
}

// Deletes `count` characters at `start` (none when start <= 0, start is
// beyond the length or count <= 0), then inserts the replacement there (at
// the front for start <= 0, at the end for start beyond the length).
void Stuff(Machine& machine, const Instruction&) {
  const std::string_view replacement = machine.PopText();
  const std::int64_t count = PopWhole(machine);
  const std::int64_t start = PopWhole(machine);
  const std::string_view text = machine.PopText();
  const auto length = static_cast<std::int64_t>(text.size());
  const std::int64_t at = std::clamp<std::int64_t>(start - 1, 0, length);
  std::int64_t deleted = 0;
  if (start >= 1 && start <= length && count > 0) deleted = std::min(count, length - at);
  char* out = machine.scratch();
  std::size_t size = 0;
  auto append = [&](std::string_view piece) {
    const std::size_t part = std::min(piece.size(), kMaxResultText - size);
    std::memcpy(out + size, piece.data(), part);
    size += part;
  };
  append(text.substr(0, static_cast<std::size_t>(at)));
  append(replacement);
  append(text.substr(static_cast<std::size_t>(at + deleted)));
  machine.PushText(out, size);
}

// start <= 0 counts as 1; empty when start is beyond the length or count < 0.
void Substr(Machine& machine, const Instruction&) {
  const std::int64_t count = PopWhole(machine);
  const std::int64_t start = std::max<std::int64_t>(PopWhole(machine), 1);
  const std::string_view text = machine.PopText();
  const auto length = static_cast<std::int64_t>(text.size());
  if (start > length || count < 0) {
    machine.PushText(text.data(), 0);
    return;
  }
  const std::int64_t taken = std::min(count, length - start + 1);
  machine.PushText(text.data() + (start - 1), static_cast<std::size_t>(taken));
}

}  // namespace pw::ops
