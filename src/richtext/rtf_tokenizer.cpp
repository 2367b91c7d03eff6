#include "richtext/rtf_tokenizer.h"

#include <limits>

namespace pw {
namespace {

// RTF limits control words to 32 letters and parameters to a signed 16-bit
// number; longer ones only occur in damaged input.
constexpr int kMaxWordLength = 32;
constexpr int kMaxParameterDigits = 10;

bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

RtfToken RtfTokenizer::Next() {
  RtfToken token;
  while (position_ < data_.size()) {
    char c = data_[position_];
    if (c == '{') {
      ++position_;
      token.type = RtfToken::Type::kGroupStart;
      return token;
    }
    if (c == '}') {
      ++position_;
      token.type = RtfToken::Type::kGroupEnd;
      return token;
    }
    if (c == '\\') return ReadControl();
    if (c == '\r' || c == '\n') {
      ++position_;
      continue;
    }
    qsizetype start = position_;
    while (position_ < data_.size()) {
      char t = data_[position_];
      if (t == '{' || t == '}' || t == '\\' || t == '\r' || t == '\n') break;
      ++position_;
    }
    token.type = RtfToken::Type::kText;
    token.word = data_.mid(start, position_ - start);
    return token;
  }
  return token;
}

RtfToken RtfTokenizer::ReadControl() {
  RtfToken token;
  ++position_;  // the backslash
  if (position_ >= data_.size()) return token;
  char c = data_[position_];
  if (!IsLetter(c)) {
    ++position_;
    if (c == '\'') {
      int high = position_ < data_.size() ? HexValue(data_[position_]) : -1;
      int low = position_ + 1 < data_.size() ? HexValue(data_[position_ + 1]) : -1;
      if (high < 0 || low < 0) {
        token.type = RtfToken::Type::kText;  // a broken escape reads as nothing
        return token;
      }
      position_ += 2;
      token.type = RtfToken::Type::kHexByte;
      token.symbol = static_cast<char>(high * 16 + low);
      return token;
    }
    token.type = RtfToken::Type::kControlSymbol;
    token.symbol = c;
    return token;
  }
  token.type = RtfToken::Type::kControlWord;
  qsizetype start = position_;
  while (position_ < data_.size() && IsLetter(data_[position_])) ++position_;
  token.word = data_.mid(start, std::min<qsizetype>(position_ - start, kMaxWordLength));
  if (position_ < data_.size() && (data_[position_] == '-' || IsDigit(data_[position_]))) {
    bool negative = data_[position_] == '-';
    if (negative) ++position_;
    long long value = 0;
    int digits = 0;
    while (position_ < data_.size() && IsDigit(data_[position_])) {
      if (digits++ < kMaxParameterDigits) value = value * 10 + (data_[position_] - '0');
      ++position_;
    }
    if (value > std::numeric_limits<int>::max()) value = std::numeric_limits<int>::max();
    token.hasParameter = digits > 0;
    token.parameter = static_cast<int>(negative ? -value : value);
  }
  if (position_ < data_.size() && data_[position_] == ' ') ++position_;
  return token;
}

bool RtfTokenizer::SkipBytes(qsizetype count) {
  if (count < 0 || count > data_.size() - position_) {
    position_ = data_.size();
    return false;
  }
  position_ += count;
  return true;
}

}  // namespace pw
