#include "common/text_routines.h"

#include "common/code_page.h"

namespace pw {
namespace {

bool IsBlankOrControl(char c) {
  return static_cast<unsigned char>(c) < 33;
}

// A character that makes a found word part of a longer one.
bool ContinuesWord(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (c >= '0' && c <= '9') || c == '\\' || c == '_' || IsAnsiLetter(byte);
}

}  // namespace

std::string TrimTrailing(std::string_view text) {
  std::size_t end = text.size();
  while (end > 0 && IsBlankOrControl(text[end - 1])) --end;
  return std::string(text.substr(0, end));
}

std::string TrimLeading(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size() && IsBlankOrControl(text[start])) ++start;
  return std::string(text.substr(start));
}

std::string AllTrim(std::string_view text) {
  return TrimLeading(TrimTrailing(text));
}

int Occurs(std::string_view sub, std::string_view text) {
  if (sub.empty() || text.empty()) return 0;
  int count = 0;
  for (std::size_t pos = text.find(sub); pos != std::string_view::npos;
       pos = text.find(sub, pos + sub.size())) {
    ++count;
  }
  return count;
}

int At(int n, std::string_view sub, std::string_view text) {
  if (n < 1 || sub.empty()) return 0;
  std::size_t pos = text.find(sub);
  for (int seen = 1; pos != std::string_view::npos; ++seen, pos = text.find(sub, pos + 1)) {
    if (seen == n) return static_cast<int>(pos) + 1;
  }
  return 0;
}

std::string Replicate(char ch, int count) {
  return count > 0 ? std::string(static_cast<std::size_t>(count), ch) : std::string();
}

std::string PadRight(std::string_view text, int width) {
  std::string result(text);
  if (width > 0 && result.size() < static_cast<std::size_t>(width)) {
    result.resize(static_cast<std::size_t>(width), ' ');
  }
  return result;
}

std::string PickText(bool condition, std::string_view whenTrue, std::string_view whenFalse) {
  return std::string(condition ? whenTrue : whenFalse);
}

bool RemoveWord(std::string_view word, std::string& text) {
  text = Upper(text);
  bool removed = false;
  if (!word.empty()) {
    const std::string upperWord = Upper(word);
    std::size_t pos = text.find(upperWord);
    while (pos != std::string::npos) {
      const std::size_t after = pos + upperWord.size();
      if (after < text.size() && ContinuesWord(text[after])) {
        pos = text.find(upperWord, pos + 1);
      } else {
        text.erase(pos, upperWord.size());
        removed = true;
        pos = text.find(upperWord, pos);
      }
    }
  }
  text = AllTrim(text);
  return removed;
}

}  // namespace pw
