#include "engine/expr/lexer.h"

#include <algorithm>
#include <charconv>

#include "engine/table/work_area.h"
#include "engine/table/work_areas.h"

namespace pw {
namespace {

constexpr int kAliasedAreas = 32;
constexpr std::size_t kAliasLength = 10;

bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

bool StartsName(char c) {
  return IsLetter(c) || c == '_' || c == '.';
}

// Field types that count as fields in expressions, and the value each gives.
bool FieldValueType(char fieldType, ValueType& type) {
  switch (fieldType) {
    case 'C':
      type = ValueType::Character;
      return true;
    case 'N':
    case 'F':
      type = ValueType::Number;
      return true;
    case 'D':
      type = ValueType::Date;
      return true;
    case 'L':
      type = ValueType::Logical;
      return true;
    case 'M':
      type = ValueType::Memo;
      return true;
    default:
      return false;
  }
}

int FieldIndex(const WorkArea& area, const std::string& name) {
  if (!area.occupied) return -1;
  for (std::size_t i = 0; i < area.fields.size(); ++i) {
    if (area.fields[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

int AreaOfAlias(std::string_view alias) {
  alias = alias.substr(0, kAliasLength);
  for (int number = 1; number <= kAliasedAreas; ++number) {
    const WorkArea& area = WorkAreaAt(number);
    if (area.occupied && area.alias == alias) return number;
  }
  return 0;
}

}  // namespace

Lexer::Lexer(std::string_view text, WorkArea& current) : text_(text), current_(current) {
  literals_.reserve(kLiteralArea);
}

char Lexer::Folded(std::size_t at) const {
  const char c = text_[at];
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

void Lexer::ConstantRead() {
  lastWidth_ = 0;
  lastDecimals_ = 2;
}

Token Lexer::Next() {
  while (!ended_ && position_ < text_.size() && IsBlank(text_[position_])) ++position_;
  if (ended_ || position_ >= text_.size()) return {};
  const char c = Folded(position_);
  if (c == '"' || c == '\'') return ReadText(c);
  if (IsDigit(c)) return ReadNumber();
  if (StartsName(c)) return ReadName();
  ++position_;
  const char next = position_ < text_.size() ? text_[position_] : '\0';
  Token token;
  auto pair = [&](char second, TokenKind twoCharacters, TokenKind one) {
    if (next != second) return one;
    ++position_;
    return twoCharacters;
  };
  switch (c) {
    case '+':
      token.kind = TokenKind::Plus;
      break;
    case '-':
      token.kind = TokenKind::Minus;
      break;
    case '*':
      token.kind = pair('*', TokenKind::Power, TokenKind::Star);
      break;
    case '/':
      token.kind = TokenKind::Slash;
      break;
    case '^':
      token.kind = TokenKind::Power;
      break;
    case '=':
      token.kind = pair('=', TokenKind::ExactEqual, TokenKind::Equal);
      break;
    case '#':
      token.kind = TokenKind::NotEqual;
      break;
    case '<':
      token.kind = next == '>' ? pair('>', TokenKind::NotEqual, TokenKind::Less)
                               : pair('=', TokenKind::LessEqual, TokenKind::Less);
      break;
    case '>':
      token.kind = pair('=', TokenKind::GreaterEqual, TokenKind::Greater);
      break;
    case '$':
      token.kind = TokenKind::Dollar;
      break;
    case '(':
      token.kind = TokenKind::LeftParen;
      break;
    case ')':
      token.kind = TokenKind::RightParen;
      break;
    case ',':
      token.kind = TokenKind::Comma;
      break;
    default:
      token.kind = TokenKind::Invalid;
      break;
  }
  return token;
}

// All literals of one text share the 512-byte literal area, each followed by
// a zero byte; characters that do not fit are dropped.
Token Lexer::ReadText(char quote) {
  const std::size_t start = ++position_;
  const std::size_t close = text_.find(quote, start);
  if (close == std::string_view::npos) {
    position_ = text_.size();
    ended_ = true;
    return {};
  }
  position_ = close + 1;
  std::string_view body = text_.substr(start, close - start);
  const std::size_t room = kLiteralArea - literals_.size();
  Token token;
  token.kind = TokenKind::Text;
  if (room == 0) {
    // Nothing fits: an empty literal, which the area's last zero byte ends.
    token.textOffset = static_cast<std::uint32_t>(literals_.size() - 1);
  } else {
    body = body.substr(0, std::min(body.size(), room - 1));
    token.textOffset = static_cast<std::uint32_t>(literals_.size());
    token.textLength = static_cast<std::uint32_t>(body.size());
    literals_.append(body);
    literals_.push_back('\0');
  }
  ConstantRead();
  poolSize_ += token.textLength + 1;
  return token;
}

// Digits with at most one point and the letter E; no sign, neither before
// the number nor in its exponent.
Token Lexer::ReadNumber() {
  const std::size_t start = position_;
  bool point = false;
  while (position_ < text_.size()) {
    const char c = Folded(position_);
    if (c == '.') {
      if (point) break;
      point = true;
    } else if (!IsDigit(c) && c != 'E') {
      break;
    }
    ++position_;
  }
  Token token;
  token.kind = TokenKind::Number;
  std::from_chars(text_.data() + start, text_.data() + position_, token.number,
                  std::chars_format::general);
  ConstantRead();
  return token;
}

Token Lexer::ReadName() {
  std::string alias;
  std::string name;
  while (position_ < text_.size()) {
    const char c = Folded(position_);
    if (alias.empty() && c == '-' && position_ + 1 < text_.size() && text_[position_ + 1] == '>' &&
        !name.empty()) {
      alias.swap(name);
      position_ += 2;
      continue;
    }
    const bool fits = IsLetter(c) || IsDigit(c) || c == '_' || (alias.empty() && c == '.');
    if (!fits) break;
    name.push_back(c);
    ++position_;
  }
  return ClassifyName(alias, name);
}

bool Lexer::OpenParenFollows() const {
  std::size_t at = position_;
  while (at < text_.size() && IsBlank(text_[at])) ++at;
  return at < text_.size() && text_[at] == '(';
}

Token Lexer::ClassifyName(const std::string& alias, const std::string& name) {
  Token token;
  token.kind = TokenKind::Invalid;
  const int area = alias.empty() ? 0 : AreaOfAlias(alias);
  if (!alias.empty() && area == 0) return token;
  const WorkArea& fieldArea = area == 0 ? current_ : WorkAreaAt(area);
  const int index = FieldIndex(fieldArea, name);
  ValueType type{};
  if (index >= 0 && FieldValueType(fieldArea.fields[index].type, type) && !OpenParenFollows()) {
    const FieldDef& field = fieldArea.fields[index];
    token.kind = TokenKind::Field;
    token.field = {static_cast<std::uint16_t>(index), static_cast<std::uint8_t>(area), type};
    lastWidth_ = field.length;
    if (type == ValueType::Number) {
      lastDecimals_ = lastDecimals_ == kDecimalsMarker ? field.decimals : 2;
    }
    if (type == ValueType::Character) poolSize_ += field.length + 1u;
    return token;
  }
  if (!alias.empty()) return token;
  token.keyword = FindKeyword(name);
  if (token.keyword == nullptr) return token;
  token.kind = TokenKind::Keyword;
  ConstantRead();
  poolSize_ += token.keyword->poolWidth;
  return token;
}

}  // namespace pw
