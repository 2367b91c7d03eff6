#include "app/controller/template_placeholders.h"

#include <QTextCursor>
#include <QTextDocument>

#include "common/date_text.h"
#include "richtext/note_editor.h"

namespace pw {

PlaceholderValues PlaceholderValuesAt(const QDateTime& now, const QLocale& locale) {
  const QDate day = now.date();
  return {locale.toString(now.time(), QLocale::LongFormat),
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
