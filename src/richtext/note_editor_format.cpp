// NoteEditor: formatting of the selection and its paragraphs.
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextList>
#include <QUuid>

#include "richtext/note_editor.h"

namespace pw {
namespace {

bool IsBold(const QTextCharFormat& format) {
  return format.fontWeight() >= QFont::Bold;
}
bool IsItalic(const QTextCharFormat& format) {
  return format.fontItalic();
}
bool IsUnderlined(const QTextCharFormat& format) {
  return format.fontUnderline();
}

}  // namespace

template <typename Test>
bool NoteEditor::WholeSelectionHas(Test test) const {
  const QTextCursor cursor = textCursor();
  if (!cursor.hasSelection()) return test(currentCharFormat());
  const int start = cursor.selectionStart();
  const int end = cursor.selectionEnd();
  for (QTextBlock block = document()->findBlock(start); block.isValid() && block.position() < end;
       block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      const bool inside =
          fragment.position() < end && fragment.position() + fragment.length() > start;
      if (inside && !test(fragment.charFormat())) return false;
    }
  }
  return true;
}

bool NoteEditor::SelectionIsBold() const {
  return WholeSelectionHas(IsBold);
}
bool NoteEditor::SelectionIsItalic() const {
  return WholeSelectionHas(IsItalic);
}
bool NoteEditor::SelectionIsUnderlined() const {
  return WholeSelectionHas(IsUnderlined);
}

void NoteEditor::ToggleBold() {
  QTextCharFormat format;
  format.setFontWeight(SelectionIsBold() ? QFont::Normal : QFont::Bold);
  mergeCurrentCharFormat(format);
}

void NoteEditor::ToggleItalic() {
  QTextCharFormat format;
  format.setFontItalic(!SelectionIsItalic());
  mergeCurrentCharFormat(format);
}

void NoteEditor::ToggleUnderline() {
  QTextCharFormat format;
  format.setFontUnderline(!SelectionIsUnderlined());
  mergeCurrentCharFormat(format);
}

void NoteEditor::ApplyFont(const QFont& font) {
  QTextCharFormat format;
  format.setFont(font);
  mergeCurrentCharFormat(format);
}

bool NoteEditor::InBulletList() const {
  const QTextList* list = textCursor().currentList();
  return list != nullptr && list->format().style() == QTextListFormat::ListDisc;
}

void NoteEditor::ToggleBullet() {
  QTextCursor cursor = textCursor();
  cursor.beginEditBlock();
  if (InBulletList()) {
    const int end = cursor.selectionEnd();
    for (QTextBlock block = document()->findBlock(cursor.selectionStart());
         block.isValid() && block.position() <= end; block = block.next()) {
      if (QTextList* list = block.textList()) list->remove(block);
      QTextBlockFormat format = block.blockFormat();
      format.setIndent(0);
      QTextCursor(block).setBlockFormat(format);
    }
  } else {
    cursor.createList(QTextListFormat::ListDisc);
  }
  cursor.endEditBlock();
}

ParagraphSettings NoteEditor::CurrentParagraph() const {
  const QTextBlockFormat format = textCursor().blockFormat();
  ParagraphSettings settings;
  settings.alignment = format.alignment() & Qt::AlignHorizontal_Mask;
  settings.leftIndent = format.leftMargin();
  settings.rightIndent = format.rightMargin();
  settings.firstLineIndent = format.textIndent();
  return settings;
}

void NoteEditor::ApplyParagraph(const ParagraphSettings& settings) {
  QTextBlockFormat format;
  format.setAlignment(settings.alignment);
  format.setLeftMargin(settings.leftIndent);
  format.setRightMargin(settings.rightIndent);
  format.setTextIndent(settings.firstLineIndent);
  textCursor().mergeBlockFormat(format);
}

QList<qreal> NoteEditor::CurrentTabStops() const {
  QList<qreal> positions;
  for (const QTextOption::Tab& tab : textCursor().blockFormat().tabPositions()) {
    positions.append(tab.position);
  }
  return positions;
}

void NoteEditor::ApplyTabStops(const QList<qreal>& positions) {
  QList<QTextOption::Tab> tabs;
  for (qreal position : positions) tabs.append(QTextOption::Tab(position, QTextOption::LeftTab));
  QTextBlockFormat format;
  format.setTabPositions(tabs);
  textCursor().mergeBlockFormat(format);
}

bool NoteEditor::InsertImageFile(const QString& path) {
  QImage image;
  if (isReadOnly() || !image.load(path)) return false;
  const QUrl name(QStringLiteral("picture:") + QUuid::createUuid().toString(QUuid::WithoutBraces));
  document()->addResource(QTextDocument::ImageResource, name, image);
  QTextImageFormat format;
  format.setName(name.toString());
  // A picture wider than the note is shown at the note's width.
  const qreal room = viewport()->width() - 2 * document()->documentMargin();
  const qreal scale = room > 0 && image.width() > room ? room / image.width() : 1.0;
  format.setWidth(image.width() * scale);
  format.setHeight(image.height() * scale);
  textCursor().insertImage(format);
  return true;
}

}  // namespace pw
