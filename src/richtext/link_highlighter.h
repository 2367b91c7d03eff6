// Shows links in the link colour, underlined: those of the text itself (its
// anchors) always, detected ones (see link_detection.h) while detection is
// on. The look lives in the text layout only: the document, its undo history
// and the saved RTF stay as the user typed them.
#pragma once

#include <QColor>
#include <QSyntaxHighlighter>

namespace pw {

class LinkHighlighter : public QSyntaxHighlighter {
  Q_OBJECT

 public:
  explicit LinkHighlighter(QTextDocument* document);

  // Switching detection shows or hides the detected links at once.
  void SetEnabled(bool enabled);
  bool Enabled() const { return enabled_; }
  void SetLinkColor(const QColor& color);

 protected:
  void highlightBlock(const QString& text) override;

 private:
  bool enabled_ = false;
  QColor linkColor_ = Qt::blue;
};

}  // namespace pw
