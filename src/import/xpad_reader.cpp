// xpad keeps each pad in two files of its configuration folder
// (~/.config/xpad): "info-XXXXXX", lines of "key value" (width, height, x,
// y, sticky, hidden, back "rgb(r,g,b)", text, fontname, content), and the
// plain text of the file its "content" key names.
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRect>
#include <QRegularExpression>

#include "import/note_palette.h"
#include "import/note_text.h"
#include "import/source_file.h"
#include "import/source_readers.h"

namespace pw {

namespace {

QHash<QString, QString> KeysOfInfo(const QByteArray& bytes) {
  QHash<QString, QString> keys;
  for (const QByteArray& line : bytes.split('\n')) {
    const QString text = QString::fromUtf8(line).trimmed();
    const qsizetype space = text.indexOf(QLatin1Char(' '));
    if (space > 0) keys.insert(text.left(space), text.mid(space + 1).trimmed());
  }
  return keys;
}

QColor ColorOfRgbText(const QString& text) {
  static const QRegularExpression rgb(QStringLiteral(R"(^rgba?\((\d+),(\d+),(\d+))"));
  const QRegularExpressionMatch match = rgb.match(QString(text).remove(QLatin1Char(' ')));
  if (!match.hasMatch()) return {};
  return QColor(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
}

}  // namespace

ImportRead ReadXpadFolder(const QString& folder) {
  const QDir dir(folder);
  ImportBatch batch;
  batch.sourceKind = QStringLiteral("xpad");
  bool fontsOrTextColours = false;
  const QFileInfoList infos =
      dir.entryInfoList({QStringLiteral("info-*")}, QDir::Files, QDir::Name);
  for (const QFileInfo& info : infos) {
    if (batch.notes.size() == kMaxImportedNotes) return TooManyNotes(folder);
    QByteArray bytes;
    QString error;
    if (!ReadSourceFile(info.filePath(), &bytes, &error)) return {false, error, {}};
    const QHash<QString, QString> keys = KeysOfInfo(bytes);
    const QString contentName = keys.value(QStringLiteral("content"));
    // The content file lies beside its info file; a name that leaves the
    // folder is no xpad file.
    if (contentName.isEmpty() || contentName.contains(QLatin1Char('/')) ||
        contentName.startsWith(QLatin1Char('.'))) {
      return Refused(info.filePath(), QStringLiteral("names no content file of its folder"));
    }
    QByteArray content;
    if (!ReadSourceFile(dir.filePath(contentName), &content, &error)) return {false, error, {}};
    if (content.contains('\0'))
      return Refused(dir.filePath(contentName), QStringLiteral("is not a text file"));
    const QString text = QString::fromUtf8(content);

    ImportedNote note;
    note.sourceId = info.fileName();
    note.caption = CaptionOfText(text);
    note.rtf = RtfOfPlainText(text);
    note.color = NearestNoteColor(ColorOfRgbText(keys.value(QStringLiteral("back"))));
    bool placed = true;
    const auto number = [&](const char* key) {
      bool ok = false;
      const int value = keys.value(QLatin1String(key)).toInt(&ok);
      placed = placed && ok;
      return value;
    };
    const QRect geometry(number("x"), number("y"), number("width"), number("height"));
    if (placed && geometry.isValid()) {
      note.place = geometry.topLeft();
      note.size = geometry.size();
    }
    note.showing = keys.value(QStringLiteral("hidden")) != QLatin1String("1");
    note.stayOnTop = keys.value(QStringLiteral("sticky")) == QLatin1String("1");
    note.created =
        info.birthTime().isValid() ? info.birthTime().date() : info.lastModified().date();
    fontsOrTextColours = fontsOrTextColours || keys.value(QStringLiteral("follow_font")) == "0" ||
                         keys.value(QStringLiteral("follow_color")) == "0";
    batch.notes.push_back(std::move(note));
  }
  if (batch.notes.empty()) return Refused(folder, QStringLiteral("holds no xpad info-* file"));
  if (fontsOrTextColours) {
    batch.notCarried << QStringLiteral(
        "The pads' own fonts and text colours: the notes take "
        "template 1's.");
  }
  batch.notCarried << QStringLiteral("\"Sticky\" (on every workspace) becomes \"Stay on Top\".");
  return Accepted(folder, std::move(batch));
}

}  // namespace pw
