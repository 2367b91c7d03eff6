// KNotes' notes under Akonadi: a maildir folder (~/.local/share/notes/<id>/
// with cur/ and new/), one MIME message per note, its Subject the title,
// its body the text (text/html for a formatted note). The message file's
// name up to its ":2," flags is the note's id in the maildir.
#include <QDir>
#include <QFileInfo>

#include "import/mime_message.h"
#include "import/note_text.h"
#include "import/source_file.h"
#include "import/source_readers.h"

namespace pw {

ImportRead ReadKNotesMaildir(const QString& folder) {
  const QDir dir(folder);
  ImportBatch batch;
  batch.sourceKind = QStringLiteral("KNotes");
  bool attachments = false;
  for (const char* sub : {"cur", "new"}) {
    const QFileInfoList messages =
        QDir(dir.filePath(QLatin1String(sub))).entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo& message : messages) {
      if (batch.notes.size() == kMaxImportedNotes) return TooManyNotes(folder);
      QByteArray bytes;
      QString error;
      if (!ReadSourceFile(message.filePath(), &bytes, &error)) return {false, error, {}};
      const MimeText mime = ParseMimeMessage(bytes);
      if (!mime.ok) return Refused(message.filePath(), QStringLiteral("is not a note message"));
      ImportedNote note;
      note.sourceId = message.fileName().section(QLatin1Char(':'), 0, 0);
      note.caption = mime.subject.left(50);
      note.rtf = mime.html ? RtfOfHtml(mime.text) : RtfOfPlainText(mime.text);
      note.created = message.lastModified().date();
      attachments = attachments || mime.hasAttachments;
      batch.notes.push_back(std::move(note));
    }
  }
  if (batch.notes.empty()) return Refused(folder, QStringLiteral("holds no note message"));
  batch.notCarried << QStringLiteral(
      "Colours, places and sizes: Akonadi keeps them outside the "
      "maildir; the notes open light yellow.");
  if (attachments) batch.notCarried << QStringLiteral("Attachments of the notes.");
  return Accepted(folder, std::move(batch));
}

}  // namespace pw
