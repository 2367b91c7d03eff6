// The commands of a note editor as actions, shared by its context menu and
// the full editor's tool bar so that both show the same state.
#pragma once

#include <QObject>
#include <initializer_list>
#include <map>

class QAction;
class QWidget;

namespace pw {

class NoteEditor;

enum class EditorCommand {
  kSeparator,
  kEdit,
  kCut,
  kCopy,
  kPaste,
  kBold,
  kItalic,
  kUnderline,
  kFont,
  kBullet,
  kAlignLeft,
  kAlignCenter,
  kAlignRight,
  kParagraph,
  kTabs,
  kFind,
  kReplace,
  kInsertObject,
};

class NoteEditorActions : public QObject {
  Q_OBJECT

 public:
  NoteEditorActions(NoteEditor* editor, QObject* parent);

  // Adds the commands' actions to `widget` (a menu or a tool bar) in order.
  void AddTo(QWidget* widget, std::initializer_list<EditorCommand> commands);
  // The action of `command`, made on first use.
  QAction* Action(EditorCommand command);
  // Checks and enables the actions after the editor's state.
  void UpdateStates();

 private:
  QAction* Create(EditorCommand command);
  void Run(EditorCommand command);
  bool Enabled(EditorCommand command) const;
  bool Checked(EditorCommand command) const;

  NoteEditor* editor_;
  std::map<EditorCommand, QAction*> actions_;
};

}  // namespace pw
