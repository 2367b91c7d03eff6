// The address that hands a text to the desktop's mail program as the body
// of a new message.
#pragma once

#include <QString>
#include <QUrl>

namespace pw {

// "mailto:?body=" and the text percent-encoded as UTF-8, line breaks as
// CR LF (%0D%0A), so that "&", "#", "%" and "?" reach the body unchanged.
QUrl MailUrlForBody(const QString& text);

}  // namespace pw
