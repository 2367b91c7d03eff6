#include "richtext/url_opener.h"

#include <QDesktopServices>
#include <QUrl>

namespace pw {

bool DesktopUrlOpener::Open(const QUrl& url) {
  return QDesktopServices::openUrl(url);
}

}  // namespace pw
