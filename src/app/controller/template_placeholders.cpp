#include "app/controller/template_placeholders.h"

#include <QTextCursor>
#include <QTextDocument>

#include "common/date_text.h"
#include "richtext/note_editor.h"

namespace pw {
namespace {

// The locale's long time format without its time-zone part: every "t"
// outside a quoted literal, then the brackets and blanks it leaves.
QString LongTimeFormatWithoutZone(const QLocale& locale) {
  const QString format = locale.timeFormat(QLocale::LongFormat);
  QString kept;
  bool quoted = false;
  for (const QChar c : format) {
    if (c == '\'') quoted = !quoted;
    if (quoted || c != 't') kept += c;
  }
  kept.replace(QStringLiteral("()"), QString());
  return kept.trimmed();
}

}  // namespace

PlaceholderValues PlaceholderValuesAt(const QDateTime& now, const QLocale& locale) {
  const QDate day = now.date();
  return {locale.toString(now.time(), LongTimeFormatWithoutZone(locale)),
          QString::fromLatin1(DateFrom(day.year(), day.month(), day.day())),
          locale.toString(day, QStringLiteral("dddd, MMMM d, yyyy"))};
}

void FillPlaceholders(NoteEditor& editor, const PlaceholderValues& values) {
  editor.ReplaceFirst(QStringLiteral("<TIME>"), values.time);
  editor.ReplaceFirst(QStringLiteral("<DATE>"), values.date);
  editor.ReplaceFirst(QStringLiteral("<LONGDATE>"), values.longDate);
  QTextCursor caret = editor.textCursor();
  caret.movePosition(QTextCursor::Start);
  QTextCursor mark =
      editor.document()->find(QStringLiteral("<C>"), 0, QTextDocument::FindCaseSensitively);
  if (!mark.isNull()) {
    mark.removeSelectedText();
    caret = mark;
  }
  editor.setTextCursor(caret);
}

}  // namespace pw
