// The two forms of a note's text that travel: its RTF memo and the plain
// text other clients show and edit.
#pragma once

#include <QByteArray>
#include <QString>

namespace pw {

QString PlainTextOfRtf(const QByteArray& rtf);
QByteArray RtfOfPlainText(const QString& text);

}  // namespace pw
