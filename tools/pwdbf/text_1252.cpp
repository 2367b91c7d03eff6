#include "text_1252.h"

#include <array>
#include <cstdint>

namespace pw::pwdbf {
namespace {

// Code points of bytes 0x80-0x9F; the rest of the page equals Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t CodePointOf(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte;
}

void AppendUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool ByteOf(char32_t c, unsigned char* byte) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
    *byte = static_cast<unsigned char>(c);
    return true;
  }
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == c) {
      *byte = static_cast<unsigned char>(0x80 + i);
      return true;
    }
  }
  return false;
}

// Decodes one UTF-8 sequence at `at`, advancing it; false for a malformed,
// overlong or surrogate sequence.
bool NextCodePoint(std::string_view text, std::size_t& at, char32_t* c) {
  const auto lead = static_cast<unsigned char>(text[at]);
  int extra = 0;
  char32_t value = 0;
  char32_t smallest = 0;
  if (lead < 0x80) {
    value = lead;
  } else if ((lead & 0xE0) == 0xC0) {
    extra = 1, value = lead & 0x1F, smallest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, value = lead & 0x0F, smallest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, value = lead & 0x07, smallest = 0x10000;
  } else {
    return false;
  }
  if (at + extra >= text.size()) return false;
  for (int i = 1; i <= extra; ++i) {
    const auto next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) return false;
    value = (value << 6) | (next & 0x3F);
  }
  if (extra > 0 && value < smallest) return false;
  if (value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
  at += 1 + extra;
  *c = value;
  return true;
}

}  // namespace

std::string Utf8FromCp1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) AppendUtf8(CodePointOf(static_cast<unsigned char>(c)), out);
  return out;
}

bool Cp1252FromUtf8(std::string_view text, std::string* out) {
  out->clear();
  std::size_t at = 0;
  while (at < text.size()) {
    char32_t c = 0;
    unsigned char byte = 0;
    if (!NextCodePoint(text, at, &c) || !ByteOf(c, &byte)) return false;
    *out += static_cast<char>(byte);
  }
  return true;
}

}  // namespace pw::pwdbf
