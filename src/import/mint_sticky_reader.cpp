// Linux Mint's Sticky keeps every note in ~/.config/sticky/notes.json: an
// object of groups, each an array of notes {"title", "text", "color", "x",
// "y", "width", "height"}. The text is Sticky's own markup: "#tag:NAME:"
// opens and closes a format, "#check:0" / "#check:1" is a check box,
// "#bullet:" a bullet and "##" a "#". Notes carry no id; a digest of the
// group, title and text stands for one.
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRect>
#include <QSet>

#include "import/note_palette.h"
#include "import/note_text.h"
#include "import/source_file.h"
#include "import/source_readers.h"

namespace pw {

namespace {

struct Tag {
  const char* name;
  const char* open;
  const char* close;
};

constexpr Tag kTags[] = {
    {"bold", "<b>", "</b>"},
    {"italic", "<i>", "</i>"},
    {"underline", "<u>", "</u>"},
    {"strikethrough", "<s>", "</s>"},
    {"header", "<span style=\"font-size:large\"><b>", "</b></span>"},
};

// The HTML of Sticky's markup; the names of formats a note cannot show go
// to `unknownTags`.
QString HtmlOfMarkup(const QString& markup, QSet<QString>* unknownTags) {
  QString html;
  QSet<QString> open;
  qsizetype i = 0;
  const auto plain = [&html](const QString& text) { html += text.toHtmlEscaped(); };
  while (i < markup.size()) {
    const qsizetype hash = markup.indexOf(QLatin1Char('#'), i);
    if (hash < 0) {
      plain(markup.mid(i));
      break;
    }
    plain(markup.mid(i, hash - i));
    const QStringView rest = QStringView(markup).mid(hash);
    if (rest.startsWith(u"##")) {
      html += QLatin1Char('#');
      i = hash + 2;
    } else if (rest.startsWith(u"#check:") && rest.size() >= 8) {
      html +=
          rest.at(7) == QLatin1Char('1') ? QStringLiteral("\u2611 ") : QStringLiteral("\u2610 ");
      i = hash + 8;
    } else if (rest.startsWith(u"#bullet:")) {
      html += QStringLiteral("\u2022 ");
      i = hash + 8;
    } else if (rest.startsWith(u"#tag:") && markup.indexOf(QLatin1Char(':'), hash + 5) > 0) {
      const qsizetype end = markup.indexOf(QLatin1Char(':'), hash + 5);
      const QString name = markup.mid(hash + 5, end - hash - 5);
      const Tag* known = nullptr;
      for (const Tag& tag : kTags) {
        if (name == QLatin1String(tag.name)) known = &tag;
      }
      if (known == nullptr) {
        unknownTags->insert(name);
      } else if (open.contains(name)) {
        html += QLatin1String(known->close);
        open.remove(name);
      } else {
        html += QLatin1String(known->open);
        open.insert(name);
      }
      i = end + 1;
    } else {
      html += QLatin1Char('#');
      i = hash + 1;
    }
  }
  html.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
  return html;
}

QColor ColorOfName(const QString& name) {
  // Sticky's note colours, as its style sheet paints them.
  static const std::pair<const char*, QRgb> kColors[] = {
      {"yellow", 0xFFF7A1}, {"green", 0xC6F0A8}, {"blue", 0xA8D8F0},   {"red", 0xF7B0B0},
      {"purple", 0xDCC0F0}, {"teal", 0xA8F0E0},  {"orange", 0xF7CFA1}, {"magenta", 0xF0B0E0},
  };
  for (const auto& [colorName, rgb] : kColors) {
    if (name == QLatin1String(colorName)) return QColor(rgb);
  }
  return {};
}

}  // namespace

ImportRead ReadMintSticky(const QString& path) {
  QByteArray bytes;
  QString error;
  if (!ReadSourceFile(path, &bytes, &error)) return {false, error, {}};
  QJsonParseError parseError;
  const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
  if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
    return Refused(path, QStringLiteral("is not a Sticky notes file (%1)")
                             .arg(parseError.error != QJsonParseError::NoError
                                      ? parseError.errorString()
                                      : QStringLiteral("no object of groups")));
  }
  ImportBatch batch;
  batch.sourceKind = QStringLiteral("Sticky (Linux Mint)");
  QSet<QString> unknownTags;
  const QJsonObject groups = document.object();
  for (auto group = groups.begin(); group != groups.end(); ++group) {
    if (!group.value().isArray()) {
      return Refused(path, QStringLiteral("group \"%1\" is no list of notes").arg(group.key()));
    }
    for (const QJsonValue& value : group.value().toArray()) {
      if (batch.notes.size() == kMaxImportedNotes) return TooManyNotes(path);
      const QJsonObject fields = value.toObject();
      if (!value.isObject() || !fields.value(QLatin1String("text")).isString()) {
        return Refused(path,
                       QStringLiteral("group \"%1\" holds a note without text").arg(group.key()));
      }
      const QString text = fields.value(QLatin1String("text")).toString();
      ImportedNote note;
      note.caption = fields.value(QLatin1String("title")).toString().left(50);
      note.sourceId = DigestId({group.key(), note.caption, text});
      note.rtf = RtfOfHtml(HtmlOfMarkup(text, &unknownTags));
      note.color = NearestNoteColor(ColorOfName(fields.value(QLatin1String("color")).toString()));
      const QRect geometry(fields.value(QLatin1String("x")).toInt(),
                           fields.value(QLatin1String("y")).toInt(),
                           fields.value(QLatin1String("width")).toInt(),
                           fields.value(QLatin1String("height")).toInt());
      if (geometry.isValid()) {
        note.place = geometry.topLeft();
        note.size = geometry.size();
      }
      note.board = group.key().left(50);
      batch.notes.push_back(std::move(note));
    }
  }
  NoteUnknownFormats(unknownTags, &batch);
  return Accepted(path, std::move(batch));
}

}  // namespace pw
