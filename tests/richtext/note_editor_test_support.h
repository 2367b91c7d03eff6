// Shared helpers for the note editor's widget tests: a shown editor, the
// format of one character, and a link opener that records instead of opening.
#pragma once

#include <QList>
#include <QTest>
#include <QTextCursor>
#include <QUrl>

#include "richtext/note_editor.h"
#include "richtext/url_opener.h"

namespace pw::test {

class RecordingUrlOpener : public UrlOpener {
 public:
  bool Open(const QUrl& url) override {
    opened.append(url);
    return true;
  }
  QList<QUrl> opened;
};

// The format of the character at `position`.
inline QTextCharFormat FormatAt(const QTextEdit& editor, int position) {
  QTextCursor cursor(editor.document());
  cursor.setPosition(position + 1);
  return cursor.charFormat();
}

// Types `text` into a fresh editor that has the keyboard focus.
inline void ShowAndType(NoteEditor* editor, const QString& text) {
  editor->resize(300, 200);
  editor->show();
  editor->activateWindow();
  editor->setFocus();
  QTest::keyClicks(editor, text);
}

// Selects `length` characters from the start of the text with Shift+Right.
inline void SelectFromStart(NoteEditor* editor, int length) {
  QTest::keyClick(editor, Qt::Key_Home, Qt::ControlModifier);
  for (int i = 0; i < length; ++i) QTest::keyClick(editor, Qt::Key_Right, Qt::ShiftModifier);
}

}  // namespace pw::test
