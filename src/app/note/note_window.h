// NoteWindow: one note on the desktop. A frameless window of the note's
// colour with a caption bar (menu button, title, collapse or expand button,
// hide button) above the note's rich text. It is made from a record of the
// notes table, keeps the note's state while it is open, and writes that
// state back into the record when it is hidden, trashed, closed or asked to
// by the controller.
#pragma once

#include <QDate>
#include <QFont>
#include <QImage>
#include <QSize>
#include <QTime>
#include <QWidget>
#include <cstdint>
#include <optional>

#include "app/note/note_window_registry.h"
#include "dialogs/note_props_values.h"

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QTimer;
class QToolButton;

namespace pw {

class NoteEditor;
class NoteHost;
class DbfTable;
enum class NotePropsPage;

// What the next save writes into SHOWING.
enum class ShowingMode { Yes, No, Keep };

class NoteWindow : public QWidget, public NoteRequestTarget {
  Q_OBJECT

 public:
  // The size and colour of a note made from no template at all.
  static constexpr QSize kDesignSize{142, 128};
  static constexpr std::int32_t kDefaultColor = 10092543;  // 0x99FFFF, light yellow
  static constexpr int kCollapsedHeight = 15;
  static constexpr int kSizingZone = 10;
  static constexpr int kCollapseSteps = 10;
  static constexpr int kCollapseStepMs = 4;
  // A change of text, title or geometry is saved this long after the last
  // one, and at once when the window loses the focus: short enough that a
  // crash or a kill takes at most the last third of a second of typing,
  // long enough that a typist's burst is one write.
  static constexpr int kAutosaveDelayMs = 300;

  // A hidden window whose menus, tables and settings are those of `host`.
  explicit NoteWindow(NoteHost& host);
  ~NoteWindow() override;

  // Loads the window from the current record of the controller's notes
  // table, writes its handle into HANDLE and shows it.
  void ShowFromRecord();
  // From the current record of `notes`: place and size, colour, title font,
  // stay-on-top.
  void ApplyRecordLook(DbfTable& notes);
  // The MEMO of the current record of `notes` into the text.
  void LoadMemo(DbfTable& notes);

  // Makes the controller's notes table current on this note's record; false
  // when the window has none or the table cannot go there.
  bool MoveToNoteRecord();
  // Writes the window into its record.
  void UpdateNote();
  // Writes the window's changes into its record through the same path,
  // leaving SHOWING and the saved flag as they are and the notes table
  // where it was; tried again later when the record is locked.
  void SaveRecordNow();
  bool SavePending() const;

  void NoteRequest(int message, int firstParameter, int secondParameter) override;

  // Commands.
  void onCollapseOrExpandClicked();
  void HideNote();
  void TrashNote();
  void EmailNote();
  void EditCaption();
  // "&Notes && Reminders...": saves the note, then opens the window.
  void OpenNotesAndReminders();
  void SetStayOnTop(bool onTop);
  // The properties dialog at `page`; after OK the note takes the edited
  // values and saves itself, and closes when it is no longer showing.
  void OpenProperties(NotePropsPage page);
  NoteProps Props() const;
  void ApplyProps(const NoteProps& props);

  int Handle() const { return handle_; }
  std::int32_t RecordLink() const { return recordLink_; }
  void SetRecordLink(std::int32_t recordNumber) { recordLink_ = recordNumber; }
  bool Collapsed() const { return collapsed_; }
  QSize ExpandedSize() const { return expandedSize_; }
  bool Saved() const { return saved_; }
  ShowingMode Showing() const { return showingMode_; }
  void SetShowing(ShowingMode mode) { showingMode_ = mode; }
  const QString& CreatedText() const { return createdText_; }
  void SetCreatedText(const QString& text) { createdText_ = text.left(12); }
  QString Title() const;
  void SetTitle(const QString& title);
  // The place its record keeps while the window may be shown elsewhere
  // (moved onto a screen, placed by a window manager or a compositor): the
  // record's place from the start; none once the user moves or sizes the
  // note where the program can place windows.
  const std::optional<QPoint>& StoredPlace() const { return storedPlace_; }
  QColor NoteColor() const { return noteColor_; }
  void SetNoteColor(const QColor& color);
  const QFont& TitleFont() const { return titleFont_; }
  const QColor& TitleColor() const { return titleColor_; }
  void SetTitleFont(const QFont& font, const QColor& color);
  const NoteReminder& Reminder() const { return reminder_; }
  void SetReminder(const NoteReminder& reminder) { reminder_ = reminder; }
  const NoteExpiry& Expiry() const { return expiry_; }
  void SetExpiry(const NoteExpiry& expiry) { expiry_ = expiry; }
  // Writes the reminder and expiry state into the record buffer of `notes`,
  // and blanks the day and time of the reminder's last firing.
  void WriteNoteState(DbfTable& notes) const;
  // The glyph of each button, recoloured once with the title font colour.
  void RecolorButtonGlyphs();

  QFrame* CaptionBar() const { return captionBar_; }
  QLabel* CaptionLabel() const { return captionLabel_; }
  QToolButton* MenuButton() const { return menuButton_; }
  QToolButton* CloseUpButton() const { return closeUpButton_; }
  QToolButton* ExpandButton() const { return expandButton_; }
  QToolButton* ExitButton() const { return exitButton_; }
  NoteEditor* Editor() const { return editor_; }
  QMenu* PopupMenu() const { return popupMenu_; }
  QAction* StayOnTopItem() const { return stayOnTopItem_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  enum class SizingEdge { None, Right, Bottom, Corner };
  enum class SaveResult { Written, NoRecord, Refused };

  void BuildControls();
  void BuildMenu();
  void LayoutControls();
  void LoadNoteState(DbfTable& notes);
  void ShowCollapsedAtOnce();
  bool SaveMemo(DbfTable& notes);
  SaveResult WriteRecord(ShowingMode showing);
  void WriteRecordFields(DbfTable& notes, ShowingMode showing);
  void WriteScheduleFields(DbfTable& notes) const;
  // The top-left corner of the expanded window, as its record holds it.
  QPoint ExpandedPlace() const;
  // Saves a change of a shown window a moment later.
  void ScheduleSave();
  // The title task lists show: the caption, or the text's first line.
  void UpdateWindowTitle();
  // The user moved or sized the note: its shown place is the one to keep.
  void PlacedByUser();
  // Moves the window just inside the nearest screen when it lies outside
  // every screen.
  void KeepOnScreen();
  void OpenMenuBelowButton();
  void AnimateCollapse();
  void AnimateExpand();
  void PlayStateSound(const char* fileName);
  void SaveAndClose(ShowingMode mode);

  // Mouse handling shared by the panel, the title and the window.
  bool MousePress(QWidget* source, QMouseEvent* event);
  bool MouseMove(QWidget* source, QMouseEvent* event);
  SizingEdge EdgeAt(QPoint windowPosition) const;

  NoteHost& host_;
  int handle_ = 0;
  std::int32_t recordLink_ = 0;
  QString createdText_;
  bool collapsed_ = false;
  QSize expandedSize_;
  NoteReminder reminder_;
  NoteExpiry expiry_;
  ShowingMode showingMode_ = ShowingMode::Yes;
  bool saved_ = false;
  // The text differs from the memo entry its record refers to.
  bool memoChanged_ = true;
  QColor noteColor_;
  QFont titleFont_;
  QColor titleColor_;

  bool dragging_ = false;
  bool resizing_ = false;
  bool ignoreNextPress_ = false;
  SizingEdge sizingEdge_ = SizingEdge::None;
  QPoint pressPosition_;
  QPoint lastPosition_;
  std::optional<QPoint> storedPlace_;
  // The expanded size its record keeps; none once the user sizes the note.
  std::optional<QSize> storedSize_;
  QTimer* autosaveTimer_ = nullptr;

  QFrame* captionBar_ = nullptr;
  QLabel* captionLabel_ = nullptr;
  QToolButton* menuButton_ = nullptr;
  QToolButton* closeUpButton_ = nullptr;
  QToolButton* expandButton_ = nullptr;
  QToolButton* exitButton_ = nullptr;
  NoteEditor* editor_ = nullptr;
  QMenu* popupMenu_ = nullptr;
  QAction* stayOnTopItem_ = nullptr;
  QImage glyphs_[4];
};

}  // namespace pw
