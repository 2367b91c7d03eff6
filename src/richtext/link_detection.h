// Finds web addresses and e-mail addresses in a paragraph of note text, so
// that they can be shown and opened as links without being stored as such.
#pragma once

#include <QList>
#include <QString>
#include <QUrl>

namespace pw {

struct DetectedLink {
  int start = 0;   // offset of the first character in the paragraph
  int length = 0;  // characters
  QUrl url;        // what a click opens: "www." gets http://, an address mailto:
};

// Links in `text`, left to right, not overlapping. Recognised: scheme URLs
// (http, https, ftp, file, mailto, news, nntp, telnet, gopher), "www." names
// and user@host.domain addresses; closing punctuation at the end is not part
// of the link.
QList<DetectedLink> DetectLinks(const QString& text);

// The link that covers `offset` in `text`, or an empty URL.
QUrl LinkAtOffset(const QString& text, int offset);

}  // namespace pw
