#include "text_1252.h"

#include <cstdint>

#include "common/windows1252.h"

namespace pw::pwdbf {
namespace {

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
  for (char c : text) AppendUtf8(UnicodeOfAnsi(static_cast<unsigned char>(c)), out);
  return out;
}

bool Cp1252FromUtf8(std::string_view text, std::string* out) {
  out->clear();
  std::size_t at = 0;
  while (at < text.size()) {
    char32_t c = 0;
    unsigned char byte = 0;
    if (!NextCodePoint(text, at, &c) || !AnsiOfUnicode(c, &byte)) return false;
    *out += static_cast<char>(byte);
  }
  return true;
}

}  // namespace pw::pwdbf
