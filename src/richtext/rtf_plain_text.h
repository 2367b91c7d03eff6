// A note's RTF memo and the plain text of it: the two forms of a note's text
// that sync and import carry to and from other programs.
#pragma once

#include <QByteArray>
#include <QString>

namespace pw {

QString PlainTextOfRtf(const QByteArray& rtf);
QByteArray RtfOfPlainText(const QString& text);

}  // namespace pw
