#include "richtext/url_opener.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace pw {
namespace {

constexpr int kHandlerQueryTimeoutMs = 3000;

// False when the desktop's MIME database names no program for mailto:
// addresses. The launcher reports success even then, since it only starts
// xdg-open; where xdg-mime cannot be asked, the launcher decides.
bool DesktopMayHandleMail() {
  QProcess query;
  query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                           QStringLiteral("x-scheme-handler/mailto")});
  if (!query.waitForStarted(kHandlerQueryTimeoutMs)) return true;
  if (!query.waitForFinished(kHandlerQueryTimeoutMs)) {
    query.kill();
    query.waitForFinished();
    return true;
  }
  return query.exitStatus() == QProcess::NormalExit &&
         !query.readAllStandardOutput().trimmed().isEmpty();
}

}  // namespace

bool DesktopUrlOpener::Open(const QUrl& url) {
  if (url.scheme() == QLatin1String("mailto") && !DesktopMayHandleMail()) return false;
  return QDesktopServices::openUrl(url);
}

}  // namespace pw
