#include "richtext/link_highlighter.h"

#include <QTextBlock>

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
  QTextCharFormat format;
  format.setForeground(linkColor_);
  format.setFontUnderline(true);
  const QTextBlock block = currentBlock();
  for (auto it = block.begin(); !it.atEnd(); ++it) {
    const QTextFragment fragment = it.fragment();
    if (fragment.charFormat().anchorHref().isEmpty()) continue;
    setFormat(fragment.position() - block.position(), fragment.length(), format);
  }
  if (!enabled_) return;
  for (const DetectedLink& link : DetectLinks(text)) setFormat(link.start, link.length, format);
}

}  // namespace pw
