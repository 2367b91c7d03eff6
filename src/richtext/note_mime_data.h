// Clipboard and drag-and-drop data of note text: RTF for word processors and
// other notes, HTML for browsers and mail programs, and plain text.
#pragma once

class QMimeData;
class QTextCursor;
class QTextDocumentFragment;

namespace pw {

// New mime data holding `fragment` as "text/rtf", "application/rtf",
// "text/html" and "text/plain". The caller owns it.
QMimeData* CreateNoteMimeData(const QTextDocumentFragment& fragment);

// Inserts the RTF of `source` at `cursor` as one undo step. False, with
// nothing inserted, when `source` holds no RTF or none of it could be read.
bool InsertRtfMimeData(const QMimeData& source, QTextCursor* cursor);

}  // namespace pw
