#include "richtext/rtf_document_builder.h"

#include <QImage>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTextList>
#include <QUrl>
#include <QUuid>

namespace pw {
namespace {

// Characters QTextDocument gives a meaning of its own (block and frame
// separators) must not enter as text.
QString WithoutStructureCharacters(QString text) {
  for (QChar& c : text) {
    switch (c.unicode()) {
      case u'\n':
      case u'\r':
        c = u' ';
        break;
      case QChar::ParagraphSeparator:
        c = QChar::LineSeparator;
        break;
      case 0xFDD0:  // frame start
      case 0xFDD1:  // frame end
      case QChar::ObjectReplacementCharacter:
        c = QChar::ReplacementCharacter;
        break;
      default:
        break;
    }
  }
  return text;
}

}  // namespace

RtfDocumentBuilder::RtfDocumentBuilder(QTextDocument* document) : cursor_(document) {
  document->clear();
  cursor_ = QTextCursor(document);
}

void RtfDocumentBuilder::OpenPendingBlock(const QTextCharFormat& format) {
  if (!blockPending_) return;
  cursor_.insertBlock(QTextBlockFormat(), format);
  blockPending_ = false;
}

void RtfDocumentBuilder::AppendText(const QString& text, const QTextCharFormat& format) {
  if (text.isEmpty()) return;
  OpenPendingBlock(format);
  cursor_.insertText(WithoutStructureCharacters(text), format);
  empty_ = false;
}

void RtfDocumentBuilder::AppendImage(const QImage& image, qreal width, qreal height,
                                     const QTextCharFormat& format) {
  OpenPendingBlock(format);
  const QUrl name(QStringLiteral("picture:") + QUuid::createUuid().toString(QUuid::WithoutBraces));
  cursor_.document()->addResource(QTextDocument::ImageResource, name, image);
  QTextImageFormat picture;
  picture.setName(name.toString());
  if (width > 0) picture.setWidth(width);
  if (height > 0) picture.setHeight(height);
  cursor_.insertImage(picture);
  empty_ = false;
}

void RtfDocumentBuilder::EndParagraph(const RtfParagraph& paragraph,
                                      const QTextCharFormat& markFormat) {
  OpenPendingBlock(markFormat);
  if (cursor_.block().length() <= 1) cursor_.setBlockCharFormat(markFormat);
  ApplyParagraph(paragraph);
  blockPending_ = true;
  empty_ = false;
}

void RtfDocumentBuilder::Finish(const RtfParagraph& paragraph) {
  if (!blockPending_) ApplyParagraph(paragraph);
}

void RtfDocumentBuilder::ApplyParagraph(const RtfParagraph& paragraph) {
  cursor_.setBlockFormat(paragraph.format);
  if (!paragraph.isListItem) {
    openLists_.clear();
    return;
  }
  // A shallower item ends the deeper lists; an item continues the open list
  // of its level when the style agrees.
  auto level = static_cast<size_t>(paragraph.listLevel);
  openLists_.resize(level + 1, nullptr);
  QTextList* list = openLists_[level];
  if (list != nullptr && list->format().style() == paragraph.listStyle) {
    list->add(cursor_.block());
    return;
  }
  QTextListFormat listFormat;
  listFormat.setStyle(paragraph.listStyle);
  listFormat.setIndent(paragraph.listLevel + 1);
  openLists_[level] = cursor_.createList(listFormat);
}

}  // namespace pw
