// Plain files: each .txt, .md or .rtf file is one note, its base name the
// caption. Text files are UTF-8, or Windows-1252 when they are not valid
// UTF-8; a file holding NUL bytes is no text file and refuses the import.
#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTextDocument>

#include "import/note_text.h"
#include "import/source_file.h"
#include "import/source_readers.h"
#include "richtext/rtf_reader.h"

namespace pw {

namespace {

const QStringList kPatterns{QStringLiteral("*.txt"), QStringLiteral("*.md"),
                            QStringLiteral("*.rtf")};

QString TextOfBytes(const QByteArray& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8);
  QString text = utf8(bytes);
  if (!utf8.hasError()) return text;
  QStringDecoder windows1252("windows-1252");
  return windows1252.isValid() ? windows1252(bytes) : QString::fromLatin1(bytes);
}

// False with `error` set when the file is no note.
bool ReadPlainFile(const QFileInfo& file, ImportedNote* note, QString* error) {
  QByteArray bytes;
  if (!ReadSourceFile(file.filePath(), &bytes, error)) return false;
  const QString suffix = file.suffix().toLower();
  if (suffix == QLatin1String("rtf")) {
    QTextDocument document;
    if (!bytes.startsWith("{\\rtf") || !ReadRtf(bytes, &document)) {
      *error = QStringLiteral("%1: is not an RTF document")
                   .arg(QDir::toNativeSeparators(file.filePath()));
      return false;
    }
    note->rtf = RtfOfDocument(document);
  } else if (bytes.contains('\0')) {
    *error =
        QStringLiteral("%1: is not a text file").arg(QDir::toNativeSeparators(file.filePath()));
    return false;
  } else if (suffix == QLatin1String("md")) {
    note->rtf = RtfOfMarkdown(TextOfBytes(bytes));
  } else {
    note->rtf = RtfOfPlainText(TextOfBytes(bytes));
  }
  note->sourceId = file.canonicalFilePath();
  note->caption = file.completeBaseName().left(50);
  note->created = file.birthTime().isValid() ? file.birthTime().date() : file.lastModified().date();
  return true;
}

}  // namespace

ImportRead ReadPlainFiles(const QString& path) {
  const QFileInfo given(path);
  QFileInfoList files;
  if (given.isDir()) {
    files = QDir(path).entryInfoList(kPatterns, QDir::Files | QDir::Readable, QDir::Name);
  } else {
    files << given;
  }
  ImportBatch batch;
  batch.sourceKind = QStringLiteral("Plain files");
  for (const QFileInfo& file : files) {
    if (batch.notes.size() == kMaxImportedNotes) return TooManyNotes(path);
    ImportedNote note;
    QString error;
    if (!ReadPlainFile(file, &note, &error)) return {false, error, {}};
    batch.notes.push_back(std::move(note));
  }
  if (batch.notes.empty()) return Refused(path, QStringLiteral("holds no .txt, .md or .rtf file"));
  batch.notCarried << QStringLiteral(
      "Places, sizes and colours: plain files keep none; the notes "
      "open in the middle of the screen, light yellow.");
  return Accepted(path, std::move(batch));
}

}  // namespace pw
