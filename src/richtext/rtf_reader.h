// Reads RTF into a QTextDocument: the note text as other rich-text controls
// and word processors save it.
#pragma once

#include <QByteArray>

class QTextDocument;

namespace pw {

// Replaces the document's content with `data`. Input that does not start with
// "{\rtf" is loaded as plain text (Windows-1252 unless it is valid UTF-8).
// Damaged RTF is read as far as it goes; returns false only when nothing of
// the input could be read. The \info group's \title becomes the document's
// DocumentTitle (empty without one).
bool ReadRtf(const QByteArray& data, QTextDocument* document);

}  // namespace pw
