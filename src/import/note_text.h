// A source's text as the RTF a note memo holds, through a QTextDocument and
// the note editor's own RTF writer, so that bold, italic, lists and links
// come over as the editor shows them.
#pragma once

#include <QByteArray>
#include <QString>

#include "richtext/rtf_plain_text.h"

class QTextDocument;

namespace pw {

QByteArray RtfOfMarkdown(const QString& markdown);
QByteArray RtfOfHtml(const QString& html);
QByteArray RtfOfDocument(const QTextDocument& document);

// The first non-blank line of `text`, cut to a note caption's 50 characters.
QString CaptionOfText(const QString& text);

}  // namespace pw
