#include "richtext/note_mime_data.h"

#include <QMimeData>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"

namespace pw {
namespace {

const QString kRtfTypes[] = {QStringLiteral("text/rtf"), QStringLiteral("application/rtf")};

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
    cursor->insertFragment(QTextDocumentFragment(&pasted));
    return true;
  }
  return false;
}

}  // namespace pw
