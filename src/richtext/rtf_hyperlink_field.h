// The instruction of an RTF HYPERLINK field, {\field{\*\fldinst HYPERLINK
// "target" \o "tip"}{\fldrslt shown text}}: the words of Word's field codes,
// read and written.
#pragma once

#include <QString>
#include <optional>

namespace pw {

struct HyperlinkField {
  QString target;   // what the link opens; a bookmark (\l) as "#name" after it
  QString toolTip;  // \o "text"
};

// The link of a field instruction such as
//   HYPERLINK "http://x.org/" \o "tip" \t "_blank" \l "part"
// Switches without a meaning for a note (\t frame, \m, \n, \h) are read and
// dropped. Empty when the instruction is no HYPERLINK or names no target.
std::optional<HyperlinkField> ParseHyperlinkInstruction(const QString& instruction);

// The instruction for `link`: HYPERLINK "target", or HYPERLINK \l "name" for
// a target "#name", and \o "tip" when it has one. Backslashes and quotes
// inside the arguments are escaped as field codes escape them.
QString HyperlinkInstruction(const HyperlinkField& link);

}  // namespace pw
