// Builds a QTextDocument from what the RTF reader finds: runs of formatted
// text and ends of paragraphs with their format and list membership.
// Paragraphs are opened lazily, so the paragraph mark that ends an RTF file
// does not leave an empty paragraph behind. A link whose text is an address
// the note detects by itself, opening what the text says (see
// link_detection.h), is kept as plain text, so that editing the address
// later cannot leave a stale target behind.
#pragma once

#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextListFormat>

#include <map>
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
  int listId = 0;     // the list table's \lsN; 0 for lists of old-style \pn paragraphs
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
  void FinishLink();

  struct LinkRun {
    int start = 0;
    int end = 0;
    QString target;
  };

  QTextCursor cursor_;
  bool blockPending_ = false;
  bool empty_ = true;
  // By list id, the open list of each level, for items that continue a list.
  // The lists of the list table continue across other paragraphs, as word
  // processors number them; those of \pn paragraphs end at the first other one.
  std::map<int, std::vector<QTextList*>> openLists_;
  LinkRun link_;  // the link text read last, until it is complete
};

}  // namespace pw
