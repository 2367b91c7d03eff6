#include "desktop/mail_url.h"

namespace pw {

QUrl MailUrlForBody(const QString& text) {
  QString crlf = text;
  crlf.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  crlf.replace('\r', '\n');
  crlf.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  return QUrl::fromEncoded("mailto:?body=" + QUrl::toPercentEncoding(crlf), QUrl::StrictMode);
}

}  // namespace pw
