// Copies the whole text of one document into an editor, formatting, lists
// and pictures included; the full editor uses it to take the note's text and
// to hand it back.
#pragma once

class QTextDocument;
class QTextEdit;

namespace pw {

// Replaces `target`'s text with `source`'s as one step that undo reverts.
void CopyDocumentInto(const QTextDocument& source, QTextEdit* target);

}  // namespace pw
