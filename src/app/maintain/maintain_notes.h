// NotesManagerWindow: the window "Notes & Reminders". It lists the notes on
// pages - "All Notes", "Active Reminders", one page per customised template
// (board) and "Trash Bin" - through views of its own over notes.dbf and
// Trash.dbf, and acts on them from the grids' context menus: edit a note's
// properties, show or hide it on the desktop, send it to the trash, restore
// it, empty the trash, export notes as Markdown. One notes grid, with its
// search field, splitter and rich-text pane, moves to whichever notes page
// is selected. The views are re-read whenever the window becomes active and
// whenever a table file is written, since the controller's timer, a later
// start or another program may add, expire or trash notes meanwhile.
#pragma once

#include <QDialog>
#include <QList>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

#include "app/maintain/note_text_index.h"

class QAction;
class QFileSystemWatcher;
class QTimer;
class QLineEdit;
class QMenu;
class QSplitter;
class QTabWidget;

namespace pw {

class MaintainNotesHost;
class NoteEditor;
class WindowPlacement;
class TableRecordSet;
class DbfTable;
class DataGrid;

class NotesManagerWindow : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kTabSheetCount = 13;
  static constexpr int kFirstBoardSheet = 3;  // TabSheet4
  // A write to a table re-reads the views this long after the last one.
  static constexpr int kRereadDelayMs = 150;

  // Opens both views and builds the boards; raises EngineError when a table
  // cannot be opened.
  explicit NotesManagerWindow(MaintainNotesHost& host, QWidget* parent = nullptr);
  ~NotesManagerWindow() override;

  DbfTable& NotesView() const { return *notesView_; }
  DbfTable& TrashView() const { return *trashView_; }
  QTabWidget* Pages() const { return pages_; }
  // The page widget TabSheet<n> (n from 1).
  QWidget* TabSheet(int n) const;
  // The board number of a page; 0 for pages that are no board.
  int BoardOfPage(int pageIndex) const;
  DataGrid* NotesGrid() const { return notesGrid_; }
  DataGrid* TrashGrid() const { return trashGrid_; }
  NoteEditor* Editor() const { return editor_; }
  NoteEditor* RichEditTrash() const { return richEditTrash_; }
  QLineEdit* SearchEdit() const { return searchEdit_; }
  QMenu* PopupNotes() const { return popupNotes_; }
  QMenu* PopupTrash() const { return popupTrash_; }

  // The folder "Export..." writes into; a folder chooser unless replaced.
  std::function<QString(QWidget* parent)> ChooseExportFolder;

  // Page change: the notes view's order and filter for the selected page.
  void onPageChanged();
  // Re-reads both views and re-lays-out both grids.
  void ReReadViews();

  // Menu actions on the selected note.
  void onEditNoteProperties();
  void onShowNoteOnDesktop();
  void onSendNoteToTrash();
  void onEmptyTrashBin();
  void onRestoreNote();
  // Writes the notes given by record number (of the notes or the trash view)
  // as Markdown files into the chosen folder.
  void ExportNotes(DbfTable& table, const QList<std::int32_t>& recordNumbers);

 signals:
  // The properties dialog of notes record `recordNumber` is to run now; the
  // note's window is open while it runs. Connected by the controller.
  void editNotePropertiesRequested(std::int32_t recordNumber);

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void BuildViews();
  void WatchTables();
  void BuildPages();
  QWidget* BuildNotesPane();
  QWidget* BuildTrashPane();
  void BuildMenus();
  void BuildBoards();
  void UpdateNotesMenu();
  void ApplySearch();
  void ShowMemoOf(DbfTable& table, NoteEditor* pane);
  // Moves the notes view to the grid's selected note; false when none.
  bool GoToSelectedNote();
  bool GoToSelectedTrash();
  void ReReadNotes();
  void ReReadTrash();
  QList<std::int32_t> AllRecordsOf(const DataGrid& grid) const;
  // Shows the exact captions of `index`'s notes (read from `fileName` when
  // first needed) in the first column of `grid`.
  void ShowCaptionsOf(DataGrid* grid, NoteTextIndex& index, const QString& fileName);

  MaintainNotesHost& host_;
  std::unique_ptr<DbfTable> notesView_;
  std::unique_ptr<DbfTable> trashView_;
  std::unique_ptr<TableRecordSet> notesSet_;
  std::unique_ptr<TableRecordSet> trashSet_;
  WindowPlacement* placement_;
  bool placementRestored_ = false;
  QTabWidget* pages_ = nullptr;
  QList<QWidget*> tabSheets_;
  QList<int> boardOfSheet_;
  QWidget* notesPane_ = nullptr;
  QLineEdit* searchEdit_ = nullptr;
  QSplitter* splitter_ = nullptr;
  DataGrid* notesGrid_ = nullptr;
  NoteEditor* editor_ = nullptr;
  DataGrid* trashGrid_ = nullptr;
  NoteEditor* richEditTrash_ = nullptr;
  QMenu* popupNotes_ = nullptr;
  QMenu* popupTrash_ = nullptr;
  QAction* showNoteOnDesktopItem_ = nullptr;
  NoteTextIndex textIndex_;
  NoteTextIndex trashTextIndex_;
  QFileSystemWatcher* tableWatch_ = nullptr;
  QTimer* rereadTimer_ = nullptr;
};

}  // namespace pw
