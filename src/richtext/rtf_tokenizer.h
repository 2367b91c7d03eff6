// Splits RTF bytes into groups, control words, control symbols, \'hh bytes
// and runs of plain text. Bounded: control words and numbers longer than RTF
// allows are cut, so damaged input cannot make a token grow without end.
#pragma once

#include <QByteArray>

namespace pw {

struct RtfToken {
  enum class Type { kEnd, kGroupStart, kGroupEnd, kControlWord, kControlSymbol, kHexByte, kText };
  Type type = Type::kEnd;
  QByteArray word;  // control word name, or the bytes of a text run
  bool hasParameter = false;
  int parameter = 0;
  char symbol = 0;  // control symbol character, or the byte of \'hh
};

class RtfTokenizer {
 public:
  explicit RtfTokenizer(const QByteArray& data) : data_(data) {}

  RtfToken Next();
  // Skips the binary data that follows \binN; returns false when the input
  // ends first.
  bool SkipBytes(qsizetype count);
  bool AtEnd() const { return position_ >= data_.size(); }

 private:
  RtfToken ReadControl();

  const QByteArray& data_;
  qsizetype position_ = 0;
};

}  // namespace pw
