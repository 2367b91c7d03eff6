// The message shown when "Email Note..." finds no mail program: it says so
// and offers to put the note's plain text on the clipboard, to be pasted
// into whatever the user writes mail with.
#pragma once

#include <QString>

class QWidget;

namespace pw {

// Modal, a child of `parent`; "Copy Text" (`BtnCopyText`) puts `noteText`
// on the clipboard as plain text, "Close" (`BtnClose`) leaves it as it is.
void ShowNoMailProgramBox(QWidget* parent, const QString& noteText);

}  // namespace pw
