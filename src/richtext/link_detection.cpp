#include "richtext/link_detection.h"

#include <QRegularExpression>

namespace pw {
namespace {

const QRegularExpression& LinkPattern() {
  static const QRegularExpression pattern(
      QStringLiteral(R"(\b(?:https?|ftp|file|mailto|news|nntp|telnet|gopher):[^\s<>"]+)"
                     R"(|\bwww\.[^\s<>"]+)"
                     R"(|\b[A-Za-z0-9._%+-]+@[A-Za-z0-9-]+(?:\.[A-Za-z0-9-]+)*\.[A-Za-z]{2,})"),
      QRegularExpression::CaseInsensitiveOption);
  return pattern;
}

// Sentence punctuation after an address belongs to the sentence; a closing
// bracket stays when the address opened one, as in wiki addresses.
int LengthWithoutTrailingPunctuation(const QString& link) {
  static const QString kTrailing = QStringLiteral(".,;:!?'\")]}");
  int length = link.size();
  while (length > 0 && kTrailing.contains(link[length - 1])) {
    const QChar last = link[length - 1];
    if (last == u')' && link.left(length).count(u'(') >= link.left(length).count(u')')) break;
    --length;
  }
  return length;
}

// Characters that make up the prefix ("http:", "www.") which alone is no link.
int PrefixLength(const QString& link) {
  if (link.startsWith(QStringLiteral("www."), Qt::CaseInsensitive)) return 4;
  return static_cast<int>(link.indexOf(u':')) + 1;
}

QUrl UrlOf(const QString& link) {
  if (link.startsWith(QStringLiteral("www."), Qt::CaseInsensitive)) {
    return QUrl(QStringLiteral("http://") + link, QUrl::TolerantMode);
  }
  if (!link.contains(u':')) return QUrl(QStringLiteral("mailto:") + link, QUrl::TolerantMode);
  return QUrl(link, QUrl::TolerantMode);
}

}  // namespace

QList<DetectedLink> DetectLinks(const QString& text) {
  QList<DetectedLink> links;
  auto matches = LinkPattern().globalMatch(text);
  while (matches.hasNext()) {
    const QRegularExpressionMatch match = matches.next();
    const QString found = match.captured();
    const int length = LengthWithoutTrailingPunctuation(found);
    const bool isAddress = !found.contains(u':') && found.contains(u'@');
    if (!isAddress && length <= PrefixLength(found)) continue;
    const QUrl url = UrlOf(found.left(length));
    if (!url.isValid()) continue;
    links.append({static_cast<int>(match.capturedStart()), length, url});
  }
  return links;
}

QUrl LinkAtOffset(const QString& text, int offset) {
  for (const DetectedLink& link : DetectLinks(text)) {
    if (offset >= link.start && offset < link.start + link.length) return link.url;
  }
  return {};
}

}  // namespace pw
