// The full editor: a resizable window "Edit Note Text" with a formatting
// tool bar in which a note's text is edited at a comfortable size, on the
// note's colour, and handed back on OK.
#pragma once

#include <QDialog>

namespace pw {

class NoteEditor;

class FullEditor : public QDialog {
  Q_OBJECT

 public:
  // Starts on a copy of `source`'s text with its background colour, link
  // detection and link opener.
  explicit FullEditor(const NoteEditor& source, QWidget* parent = nullptr);

  NoteEditor* Editor() const { return editor_; }
  // Gives `target` the edited text; undo in `target` takes it back.
  void HandBackTo(NoteEditor* target) const;

 private:
  NoteEditor* editor_;
};

}  // namespace pw
