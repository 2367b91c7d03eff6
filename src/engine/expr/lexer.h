// The tokens of the expression language. Outside string literals letters are
// folded to upper case as they are read; blanks and tabs separate tokens.
// Names begin with a letter, "_" or "." and go on with letters, digits, "_"
// and "."; "->" inside a name separates an alias from a field name. A name is
// a field of the current work area (or of the aliased one) unless "(" comes
// next, else a keyword, else unknown.
//
// While reading, the lexer keeps the trackers from which the result width,
// decimals and working-pool size of the compiled expression follow: the last
// width (a field's width; 0 after a constant or keyword), the last decimals
// (19 until the first numeric field, 2 after a second one or any constant or
// keyword) and the pool size (C field width + 1, literal length + 1, keyword
// pool width).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/expr/expr_value.h"
#include "engine/expr/keyword_table.h"

namespace pw {

struct WorkArea;

enum class TokenKind : std::uint8_t {
  End,
  Invalid,  // unknown name or a character the language does not use
  Number,
  Text,
  Field,
  Keyword,
  Plus,
  Minus,
  Star,
  Slash,
  Power,       // ^ or **
  Equal,       // =
  ExactEqual,  // ==
  NotEqual,    // <> or #
  Less,
  LessEqual,
  Greater,
  GreaterEqual,
  Dollar,
  LeftParen,
  RightParen,
  Comma,
};

struct FieldRef {
  std::uint16_t index = 0;  // in the field table, from 0
  std::uint8_t area = 0;    // 1-32 for an aliased reference, else 0
  ValueType type = ValueType::Character;
};

struct Token {
  TokenKind kind = TokenKind::End;
  double number = 0;
  std::uint32_t textOffset = 0;  // Text: in the literal area
  std::uint32_t textLength = 0;
  FieldRef field;
  const Keyword* keyword = nullptr;
};

inline constexpr std::uint8_t kDecimalsMarker = 19;
inline constexpr std::size_t kLiteralArea = 512;

class Lexer {
 public:
  // `text` is the text as read; names are looked up in `current`.
  Lexer(std::string_view text, WorkArea& current);

  Token Next();
  // Characters read so far.
  std::size_t position() const { return position_; }

  std::string& literals() { return literals_; }
  std::uint16_t lastWidth() const { return lastWidth_; }
  std::uint8_t lastDecimals() const { return lastDecimals_; }
  std::uint32_t poolSize() const { return poolSize_; }

 private:
  Token ReadText(char quote);
  Token ReadNumber();
  Token ReadName();
  Token ClassifyName(const std::string& alias, const std::string& name);
  bool OpenParenFollows() const;
  void ConstantRead();
  char Folded(std::size_t at) const;

  std::string_view text_;
  WorkArea& current_;
  std::size_t position_ = 0;
  bool ended_ = false;  // an unclosed literal ends the token stream
  std::string literals_;
  std::uint16_t lastWidth_ = 0;
  std::uint8_t lastDecimals_ = kDecimalsMarker;
  std::uint32_t poolSize_ = 0;
};

}  // namespace pw
