#include "richtext/link_highlighter.h"

#include "richtext/link_detection.h"

namespace pw {

LinkHighlighter::LinkHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {}

void LinkHighlighter::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  rehighlight();
}

void LinkHighlighter::SetLinkColor(const QColor& color) {
  if (linkColor_ == color) return;
  linkColor_ = color;
  if (enabled_) rehighlight();
}

void LinkHighlighter::highlightBlock(const QString& text) {
  if (!enabled_) return;
  QTextCharFormat format;
  format.setForeground(linkColor_);
  format.setFontUnderline(true);
  for (const DetectedLink& link : DetectLinks(text)) setFormat(link.start, link.length, format);
}

}  // namespace pw
