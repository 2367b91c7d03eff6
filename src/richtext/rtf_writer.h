// Writes a QTextDocument as compact RTF that other word processors read.
#pragma once

#include <QByteArray>

class QTextDocument;

namespace pw {

// The document as RTF 1 text: font and colour tables of what the text uses,
// Windows-1252 \'hh escapes and \uN? for every character beyond that code page,
// and the document's DocumentTitle, when it has one, as the \info group's \title.
QByteArray WriteRtf(const QTextDocument& document);

}  // namespace pw
