// Builds a QTextDocument from what the RTF reader finds: runs of formatted
// text and ends of paragraphs with their format and list membership.
// Paragraphs are opened lazily, so the paragraph mark that ends an RTF file
// does not leave an empty paragraph behind.
#pragma once

#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextListFormat>

#include <vector>

class QImage;
class QTextDocument;
class QTextList;

namespace pw {

struct RtfParagraph {
  QTextBlockFormat format;
  bool isListItem = false;
  QTextListFormat::Style listStyle = QTextListFormat::ListDisc;
  int listLevel = 0;  // 0 for the outermost level
};

class RtfDocumentBuilder {
 public:
  explicit RtfDocumentBuilder(QTextDocument* document);

  void AppendText(const QString& text, const QTextCharFormat& format);
  // A picture, shown at width x height pixels (its own size where 0).
  void AppendImage(const QImage& image, qreal width, qreal height, const QTextCharFormat& format);
  void EndParagraph(const RtfParagraph& paragraph, const QTextCharFormat& markFormat);
  // Gives the last paragraph its format unless the input ended with a paragraph mark.
  void Finish(const RtfParagraph& paragraph);
  bool IsEmpty() const { return empty_; }

 private:
  void OpenPendingBlock(const QTextCharFormat& format);
  void ApplyParagraph(const RtfParagraph& paragraph);

  QTextCursor cursor_;
  bool blockPending_ = false;
  bool empty_ = true;
  std::vector<QTextList*> openLists_;  // by level, for items that continue a list
};

}  // namespace pw
