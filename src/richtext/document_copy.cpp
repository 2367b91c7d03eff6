#include "richtext/document_copy.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QUrl>

namespace pw {
namespace {

// Pictures live in the document's resources by name; a fragment carries only
// the names.
void CopyImageResources(const QTextDocument& source, QTextDocument* target) {
  for (QTextBlock block = source.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat format = it.fragment().charFormat();
      if (!format.isImageFormat()) continue;
      const QUrl name(format.toImageFormat().name());
      const QVariant image = source.resource(QTextDocument::ImageResource, name);
      if (image.isValid()) target->addResource(QTextDocument::ImageResource, name, image);
    }
  }
}

}  // namespace

void CopyDocumentInto(const QTextDocument& source, QTextEdit* target) {
  QTextDocument* document = target->document();
  document->setDefaultFont(source.defaultFont());
  CopyImageResources(source, document);

  QTextCursor cursor(document);
  cursor.beginEditBlock();
  cursor.select(QTextCursor::Document);
  cursor.removeSelectedText();
  // The fragment merges its first paragraph into the empty one left behind,
  // which keeps the empty one's paragraph format; give it the source's, less
  // the list membership, which names an object of the source document.
  QTextBlockFormat firstFormat = source.begin().blockFormat();
  firstFormat.clearProperty(QTextFormat::ObjectIndex);
  cursor.setBlockFormat(firstFormat);
  cursor.setBlockCharFormat(source.begin().charFormat());
  cursor.insertFragment(QTextDocumentFragment(&source));
  cursor.endEditBlock();
}

}  // namespace pw
