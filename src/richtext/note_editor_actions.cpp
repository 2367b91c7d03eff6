#include "richtext/note_editor_actions.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QIcon>
#include <QPointer>
#include <QWidget>

#include "richtext/note_editor.h"

namespace pw {
namespace {

struct CommandLook {
  EditorCommand command;
  const char* text;
  const char* iconText;  // tool bar text when the icon theme has no icon
  const char* iconName;  // freedesktop icon name
  const char* shortcut;  // shown beside the entry; the editor handles the key
  bool checkable;
};

constexpr CommandLook kLooks[] = {
    {EditorCommand::kEdit, "&Edit...", "Edit", "accessories-text-editor", "Ctrl+E", false},
    {EditorCommand::kCut, "Cu&t", "Cut", "edit-cut", "Ctrl+X", false},
    {EditorCommand::kCopy, "&Copy", "Copy", "edit-copy", "Ctrl+C", false},
    {EditorCommand::kPaste, "&Paste", "Paste", "edit-paste", "Ctrl+V", false},
    {EditorCommand::kBold, "&Bold", "B", "format-text-bold", "Ctrl+B", true},
    {EditorCommand::kItalic, "&Italic", "I", "format-text-italic", "Ctrl+I", true},
    {EditorCommand::kUnderline, "&Underline", "U", "format-text-underline", "Ctrl+U", true},
    {EditorCommand::kFont, "&Font...", "Font", "preferences-desktop-font", "", false},
    {EditorCommand::kBullet, "Bu&llet", "Bullet", "format-list-unordered", "", true},
    {EditorCommand::kAlignLeft, "Align &Left", "Left", "format-justify-left", "", true},
    {EditorCommand::kAlignCenter, "&Center", "Center", "format-justify-center", "", true},
    {EditorCommand::kAlignRight, "Align &Right", "Right", "format-justify-right", "", true},
    {EditorCommand::kParagraph, "P&aragraph...", "Paragraph", "format-indent-more", "", false},
    {EditorCommand::kTabs, "Tab&s...", "Tabs", "", "", false},
    {EditorCommand::kFind, "Fi&nd...", "Find", "edit-find", "", false},
    {EditorCommand::kReplace, "&Replace...", "Replace", "edit-find-replace", "", false},
    {EditorCommand::kInsertObject, "Insert &Object...", "Picture", "insert-image", "", false},
};

const CommandLook& LookOf(EditorCommand command) {
  for (const CommandLook& look : kLooks) {
    if (look.command == command) return look;
  }
  Q_UNREACHABLE();
}

Qt::Alignment AlignmentOf(EditorCommand command) {
  switch (command) {
    case EditorCommand::kAlignCenter:
      return Qt::AlignHCenter;
    case EditorCommand::kAlignRight:
      return Qt::AlignRight;
    default:
      return Qt::AlignLeft;
  }
}

}  // namespace

NoteEditorActions::NoteEditorActions(NoteEditor* editor, QObject* parent)
    : QObject(parent), editor_(editor) {
  connect(editor, &QTextEdit::currentCharFormatChanged, this, &NoteEditorActions::UpdateStates);
  connect(editor, &QTextEdit::cursorPositionChanged, this, &NoteEditorActions::UpdateStates);
  connect(editor, &QTextEdit::selectionChanged, this, &NoteEditorActions::UpdateStates);
  connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
          &NoteEditorActions::UpdateStates);
}

void NoteEditorActions::AddTo(QWidget* widget, std::initializer_list<EditorCommand> commands) {
  for (EditorCommand command : commands) {
    if (command == EditorCommand::kSeparator) {
      auto* separator = new QAction(widget);
      separator->setSeparator(true);
      widget->addAction(separator);
    } else {
      widget->addAction(Action(command));
    }
  }
  UpdateStates();
}

QAction* NoteEditorActions::Action(EditorCommand command) {
  auto found = actions_.find(command);
  if (found != actions_.end()) return found->second;
  QAction* action = Create(command);
  actions_.emplace(command, action);
  return action;
}

QAction* NoteEditorActions::Create(EditorCommand command) {
  const CommandLook& look = LookOf(command);
  auto* action = new QAction(tr(look.text), this);
  action->setIconText(tr(look.iconText));
  if (*look.iconName) action->setIcon(QIcon::fromTheme(QString::fromLatin1(look.iconName)));
  if (*look.shortcut) {
    action->setShortcut(QKeySequence(QString::fromLatin1(look.shortcut)));
    // The editor itself acts on these keys; the action only shows them.
    action->setShortcutContext(Qt::WidgetShortcut);
  }
  action->setCheckable(look.checkable);
  QFont font = action->font();
  font.setBold(command == EditorCommand::kBold);
  font.setItalic(command == EditorCommand::kItalic);
  font.setUnderline(command == EditorCommand::kUnderline);
  action->setFont(font);
  connect(action, &QAction::triggered, this, [this, command] { Run(command); });
  return action;
}

void NoteEditorActions::Run(EditorCommand command) {
  // A dialog's event loop may outlive the context menu that owns us.
  const QPointer<NoteEditorActions> alive(this);
  switch (command) {
    case EditorCommand::kSeparator:
      break;
    case EditorCommand::kEdit:
      editor_->OpenFullEditor();
      break;
    case EditorCommand::kCut:
      editor_->cut();
      break;
    case EditorCommand::kCopy:
      editor_->copy();
      break;
    case EditorCommand::kPaste:
      editor_->paste();
      break;
    case EditorCommand::kBold:
      editor_->ToggleBold();
      break;
    case EditorCommand::kItalic:
      editor_->ToggleItalic();
      break;
    case EditorCommand::kUnderline:
      editor_->ToggleUnderline();
      break;
    case EditorCommand::kFont:
      editor_->ChooseFont();
      break;
    case EditorCommand::kBullet:
      editor_->ToggleBullet();
      break;
    case EditorCommand::kAlignLeft:
    case EditorCommand::kAlignCenter:
    case EditorCommand::kAlignRight:
      editor_->setAlignment(AlignmentOf(command));
      break;
    case EditorCommand::kParagraph:
      editor_->EditParagraph();
      break;
    case EditorCommand::kTabs:
      editor_->EditTabs();
      break;
    case EditorCommand::kFind:
      editor_->ShowFindDialog();
      break;
    case EditorCommand::kReplace:
      editor_->ShowReplaceDialog();
      break;
    case EditorCommand::kInsertObject:
      editor_->ChooseImageFile();
      break;
  }
  if (alive) UpdateStates();
}

bool NoteEditorActions::Enabled(EditorCommand command) const {
  const bool editable = !editor_->isReadOnly();
  const bool selection = editor_->textCursor().hasSelection();
  switch (command) {
    case EditorCommand::kEdit:
      return editable && editor_->FullEditorEnabled();
    case EditorCommand::kCut:
      return editable && selection;
    case EditorCommand::kCopy:
      return selection;
    case EditorCommand::kPaste:
      return editable && editor_->canPaste();
    case EditorCommand::kFind:
      return true;
    default:
      return editable;
  }
}

bool NoteEditorActions::Checked(EditorCommand command) const {
  switch (command) {
    case EditorCommand::kBold:
      return editor_->SelectionIsBold();
    case EditorCommand::kItalic:
      return editor_->SelectionIsItalic();
    case EditorCommand::kUnderline:
      return editor_->SelectionIsUnderlined();
    case EditorCommand::kBullet:
      return editor_->InBulletList();
    case EditorCommand::kAlignLeft:
    case EditorCommand::kAlignCenter:
    case EditorCommand::kAlignRight:
      return (editor_->alignment() & Qt::AlignHorizontal_Mask) == AlignmentOf(command);
    default:
      return false;
  }
}

void NoteEditorActions::UpdateStates() {
  for (auto& [command, action] : actions_) {
    action->setEnabled(Enabled(command));
    if (action->isCheckable()) action->setChecked(Checked(command));
  }
}

}  // namespace pw
