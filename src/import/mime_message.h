// The little of MIME (RFC 2045-2047) a note message needs: header fields
// (folded lines joined, encoded words decoded) and the text of its body,
// transfer encoding undone and charset applied; a multipart message gives
// its first text part.
#pragma once

#include <QByteArray>
#include <QString>

namespace pw {

struct MimeText {
  bool ok = false;
  QString subject;
  QString messageId;
  QString text;
  bool html = false;
  bool hasAttachments = false;
};

MimeText ParseMimeMessage(const QByteArray& message);

}  // namespace pw
