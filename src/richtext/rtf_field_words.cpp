// Fields: {\field{\*\fldinst instruction}{\fldrslt shown text}}. A HYPERLINK
// instruction makes the shown text a link to its target; the text of every
// other field is read as it is shown.
#include <QList>

#include "richtext/rtf_interpreter.h"

namespace pw::rtf {

// Writers that do not escape the backslash of a field switch leave \o, \l or
// \t as control words inside the instruction.
void RtfInterpreter::HandleFieldInstructionWord(const QByteArray& word) {
  static const QList<QByteArray> kSwitches = {"o", "l", "t", "m", "n", "h"};
  if (kSwitches.contains(word) && fieldInstruction_.size() < kMaxInstructionLength) {
    fieldInstruction_ += QStringLiteral(" \\") + QString::fromLatin1(word) + u' ';
  }
}

void RtfInterpreter::FinishFieldInstruction() {
  std::optional<HyperlinkField> link = ParseHyperlinkInstruction(fieldInstruction_);
  fieldInstruction_.clear();
  if (!link || groups_.empty()) return;
  // The instruction's group has ended: this is the \field group, which the
  // \fldrslt group inherits it from.
  State().link = static_cast<int>(links_.size());
  links_.push_back(*link);
}

}  // namespace pw::rtf
