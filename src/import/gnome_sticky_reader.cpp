// GNOME's Sticky Notes keeps its notes in ~/.local/share/com.vixalien.sticky/
// notes.json, {"v": 1, "notes": [...]}, and in later versions one such note
// per file under notes/<uuid>.json. A note is {"uuid", "content", "style"
// (1 yellow, 2 pink, 3 green, 4 purple, 5 blue, 6 gray, 7 charcoal, 8 the
// window's colour), "tags": [{"name", "start", "end"}], "modified", "width",
// "height", "open"}; a tag formats the characters (code points) from start
// up to end.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTextCursor>
#include <QTextDocument>

#include "import/note_palette.h"
#include "import/note_text.h"
#include "import/source_file.h"
#include "import/source_readers.h"

namespace pw {

namespace {

QColor ColorOfStyle(int style) {
  static const QRgb kStyles[] = {0xFFF5B1, 0xFFC6E1, 0xD1F5BE, 0xE6D2F7,
                                 0xC4E2FA, 0xE3E3E3, 0x5E5C64, 0xFFFFFF};
  if (style < 1 || style > 8) return {};
  return QColor(kStyles[style - 1]);
}

// The document position of code point `offset` of `text`.
int PositionOfOffset(const QString& text, qint64 offset) {
  int position = 0;
  for (qint64 counted = 0; counted < offset && position < text.size(); ++counted) {
    position += text.at(position).isHighSurrogate() ? 2 : 1;
  }
  return std::min<int>(position, text.size());
}

bool ApplyTag(QTextDocument& document, const QString& text, const QJsonObject& tag) {
  QTextCharFormat format;
  const QString name = tag.value(QLatin1String("name")).toString();
  if (name == QLatin1String("bold")) {
    format.setFontWeight(QFont::Bold);
  } else if (name == QLatin1String("italic")) {
    format.setFontItalic(true);
  } else if (name == QLatin1String("underline")) {
    format.setFontUnderline(true);
  } else if (name == QLatin1String("strikethrough")) {
    format.setFontStrikeOut(true);
  } else {
    return false;
  }
  const int start = PositionOfOffset(text, tag.value(QLatin1String("start")).toInteger());
  const int end = PositionOfOffset(text, tag.value(QLatin1String("end")).toInteger());
  if (start < end) {
    QTextCursor cursor(&document);
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.mergeCharFormat(format);
  }
  return true;
}

}  // namespace

ImportRead ReadGnomeSticky(const QString& path) {
  QByteArray bytes;
  QString error;
  if (!ReadSourceFile(path, &bytes, &error)) return {false, error, {}};
  QJsonParseError parseError;
  const QJsonObject root = QJsonDocument::fromJson(bytes, &parseError).object();
  if (parseError.error != QJsonParseError::NoError) {
    return Refused(path,
                   QStringLiteral("is not a Sticky Notes file (%1)").arg(parseError.errorString()));
  }
  const QJsonArray notes = root.contains(QLatin1String("notes"))
                               ? root.value(QLatin1String("notes")).toArray()
                               : QJsonArray{root};
  ImportBatch batch;
  batch.sourceKind = QStringLiteral("Sticky Notes (GNOME)");
  QSet<QString> unknownTags;
  for (const QJsonValue& value : notes) {
    if (batch.notes.size() == kMaxImportedNotes) return TooManyNotes(path);
    const QJsonObject fields = value.toObject();
    const QString uuid = fields.value(QLatin1String("uuid")).toString();
    if (uuid.isEmpty() || !fields.value(QLatin1String("content")).isString()) {
      return Refused(path, QStringLiteral("holds a note without a uuid or content"));
    }
    const QString text = fields.value(QLatin1String("content")).toString();
    QTextDocument document;
    document.setPlainText(text);
    for (const QJsonValue& tag : fields.value(QLatin1String("tags")).toArray()) {
      if (!ApplyTag(document, text, tag.toObject())) {
        unknownTags.insert(tag.toObject().value(QLatin1String("name")).toString());
      }
    }
    ImportedNote note;
    note.sourceId = uuid;
    note.caption = CaptionOfText(text);
    note.rtf = RtfOfDocument(document);
    note.color = NearestNoteColor(ColorOfStyle(fields.value(QLatin1String("style")).toInt()));
    const int width = fields.value(QLatin1String("width")).toInt();
    const int height = fields.value(QLatin1String("height")).toInt();
    if (width > 0 && height > 0) note.size = QSize(width, height);
    note.showing = fields.value(QLatin1String("open")).toBool(true);
    note.created =
        QDateTime::fromString(fields.value(QLatin1String("modified")).toString(), Qt::ISODateWithMs)
            .date();
    batch.notes.push_back(std::move(note));
  }
  if (batch.notes.empty()) return Refused(path, QStringLiteral("holds no note"));
  batch.notCarried << QStringLiteral(
      "Places: Sticky Notes keeps none; the notes open in the "
      "middle of the screen.");
  NoteUnknownFormats(unknownTags, &batch);
  return Accepted(path, std::move(batch));
}

}  // namespace pw
