#include "richtext/note_mime_data.h"

#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"

namespace pw {
namespace {

const QString kRtfTypes[] = {QStringLiteral("text/rtf"), QStringLiteral("application/rtf")};

// A fragment's first paragraph joins the one it is pasted into, which keeps
// its own format; but a pasted paragraph mark brings its paragraph's format
// along, as in word processors. The list the paragraph is in stays its own.
// A first paragraph that Qt keeps apart (a list item) has its format already.
void KeepFirstParagraphFormat(const QTextDocument& pasted, int start, QTextDocument* target) {
  const QTextBlock landing = target->findBlock(start);
  const bool joined = start < landing.position() + landing.length() - 1;
  if (pasted.blockCount() < 2 || !joined) return;
  QTextBlockFormat format = pasted.firstBlock().blockFormat();
  format.clearProperty(QTextFormat::ObjectIndex);
  const QTextBlockFormat current = landing.blockFormat();
  if (current.hasProperty(QTextFormat::ObjectIndex)) format.setObjectIndex(current.objectIndex());
  QTextCursor(landing).setBlockFormat(format);
}

}  // namespace

QMimeData* CreateNoteMimeData(const QTextDocumentFragment& fragment) {
  QTextDocument selection;
  QTextCursor(&selection).insertFragment(fragment);
  const QByteArray rtf = WriteRtf(selection);

  auto* data = new QMimeData;
  for (const QString& type : kRtfTypes) data->setData(type, rtf);
  data->setHtml(fragment.toHtml());
  data->setText(fragment.toPlainText());
  return data;
}

bool InsertRtfMimeData(const QMimeData& source, QTextCursor* cursor) {
  for (const QString& type : kRtfTypes) {
    if (!source.hasFormat(type)) continue;
    QTextDocument pasted;
    if (!ReadRtf(source.data(type), &pasted)) return false;
    const int start = cursor->selectionStart();
    cursor->beginEditBlock();
    cursor->insertFragment(QTextDocumentFragment(&pasted));
    KeepFirstParagraphFormat(pasted, start, cursor->document());
    cursor->endEditBlock();
    return true;
  }
  return false;
}

}  // namespace pw
