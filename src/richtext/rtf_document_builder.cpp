#include "richtext/rtf_document_builder.h"

#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QTextList>
#include <QUrl>
#include <QUuid>
#include <algorithm>
#include <utility>

#include "richtext/link_detection.h"

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

// Word processors add the slash of an empty path ("http://host/").
bool SameAddress(QUrl a, QUrl b) {
  for (QUrl* url : {&a, &b}) {
    if (url->path() == u"/") url->setPath(QString());
  }
  return a.matches(b, QUrl::StripTrailingSlash);
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
  const int start = cursor_.position();
  cursor_.insertText(WithoutStructureCharacters(text), format);
  empty_ = false;
  const QString target = format.anchorHref();
  if (target.isEmpty() || !format.toolTip().isEmpty()) {
    FinishLink();  // a link with a tip says more than its address
  } else if (link_.end == start && link_.target == target) {
    link_.end = cursor_.position();
  } else {
    FinishLink();
    link_ = {start, cursor_.position(), target};
  }
}

void RtfDocumentBuilder::FinishLink() {
  const LinkRun link = std::exchange(link_, LinkRun());
  if (link.target.isEmpty()) return;
  QTextCursor range(cursor_.document());
  range.setPosition(link.start);
  range.setPosition(link.end, QTextCursor::KeepAnchor);
  const QString text = range.selectedText();
  const QList<DetectedLink> detected = DetectLinks(text);
  if (detected.size() != 1 || detected[0].start != 0 || detected[0].length != text.size() ||
      !SameAddress(detected[0].url, QUrl(link.target, QUrl::TolerantMode))) {
    return;
  }
  // The link lies inside the current paragraph; its fragments are changed
  // after the walk over them, which the change would disturb.
  struct Piece {
    int from, to;
    QTextCharFormat format;
  };
  std::vector<Piece> pieces;
  const QTextBlock block = cursor_.document()->findBlock(link.start);
  for (auto it = block.begin(); !it.atEnd(); ++it) {
    const QTextFragment fragment = it.fragment();
    const int from = std::max(fragment.position(), link.start);
    const int to = std::min(fragment.position() + fragment.length(), link.end);
    if (from >= to) continue;
    QTextCharFormat format = fragment.charFormat();
    format.clearProperty(QTextFormat::IsAnchor);
    format.clearProperty(QTextFormat::AnchorHref);
    pieces.push_back({from, to, format});
  }
  for (const Piece& piece : pieces) {
    range.setPosition(piece.from);
    range.setPosition(piece.to, QTextCursor::KeepAnchor);
    range.setCharFormat(piece.format);
  }
}

void RtfDocumentBuilder::AppendImage(const QImage& image, qreal width, qreal height,
                                     const QTextCharFormat& format) {
  FinishLink();
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
  FinishLink();
  OpenPendingBlock(markFormat);
  if (cursor_.block().length() <= 1) cursor_.setBlockCharFormat(markFormat);
  ApplyParagraph(paragraph);
  blockPending_ = true;
  empty_ = false;
}

void RtfDocumentBuilder::Finish(const RtfParagraph& paragraph) {
  FinishLink();
  if (!blockPending_) ApplyParagraph(paragraph);
}

void RtfDocumentBuilder::ApplyParagraph(const RtfParagraph& paragraph) {
  cursor_.setBlockFormat(paragraph.format);
  if (!paragraph.isListItem) {
    openLists_.erase(0);
    return;
  }
  // A shallower item ends the deeper lists of its list; an item continues
  // the open list of its level when the style agrees.
  std::vector<QTextList*>& levels = openLists_[paragraph.listId];
  auto level = static_cast<size_t>(paragraph.listLevel);
  levels.resize(level + 1, nullptr);
  QTextList* list = levels[level];
  if (list != nullptr && list->format().style() == paragraph.listStyle) {
    list->add(cursor_.block());
    return;
  }
  QTextListFormat listFormat;
  listFormat.setStyle(paragraph.listStyle);
  listFormat.setIndent(paragraph.listLevel + 1);
  levels[level] = cursor_.createList(listFormat);
}

}  // namespace pw
