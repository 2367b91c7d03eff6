#include "app/maintain/maintain_notes.h"

#include <algorithm>

#include <QEvent>
#include <QFileDialog>
#include <QFileSystemWatcher>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMenu>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "app/maintain/maintain_notes_host.h"
#include "app/maintain/template_boards.h"
#include "app/record/note_fields.h"
#include "app/record/note_record.h"
#include "dataset/dbf_table.h"
#include "dataset/table_record_set.h"
#include "desktop/window_placement.h"
#include "grid/data_grid.h"
#include "richtext/note_editor.h"
#include "settings/config_keys.h"
#include "settings/data_folder.h"

namespace pw {

namespace {

constexpr QSize kDesignSize{451, 353};
constexpr QSize kPagesMinimumSize{227, 210};
constexpr int kSplitterHandle = 5;
constexpr int kPaneHeight = 104;
constexpr int kAllNotesPage = 0;
constexpr int kActiveRemindersPage = 1;
constexpr int kTrashPage = 2;

std::unique_ptr<DbfTable> OpenNoteView(const char* name, const QString& path) {
  auto view = std::make_unique<DbfTable>();
  view->setObjectName(QString::fromLatin1(name));
  ConfigureNoteTable(*view, NoteTableFieldLines());
  view->SetDbfFileName(path);
  view->Open();
  view->SetIndexTo(QString());
  return view;
}

QWidget* PageOf(QWidget* content) {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  if (content != nullptr) layout->addWidget(content);
  return page;
}

NoteEditor* MemoPane(const char* name) {
  auto* pane = new NoteEditor;
  pane->setObjectName(QString::fromLatin1(name));
  pane->setReadOnly(true);
  pane->SetFullEditorEnabled(false);
  return pane;
}

// The design widths suit the original's small font; no title or date is cut
// in a larger one.
QList<GridColumn> FittedToFont(QList<GridColumn> columns, const QFontMetrics& metrics) {
  constexpr int kPadding = 12;
  const int dateWidth = metrics.horizontalAdvance(QStringLiteral("00/00/0000")) + kPadding;
  for (GridColumn& column : columns) {
    if (column.width < 0) continue;
    const bool isDate = column.fieldName == QLatin1String(note_field::kDateCreate) ||
                        column.fieldName == QLatin1String(note_field::kExpireDate);
    column.width = std::max(
        {column.width, metrics.horizontalAdvance(column.title) + kPadding, isDate ? dateWidth : 0});
  }
  return columns;
}

DataGrid* NoteGrid(const char* name, const QList<GridColumn>& columns) {
  auto* grid = new DataGrid;
  grid->setObjectName(QString::fromLatin1(name));
  grid->SetReadOnly(true);
  grid->SetAutoAppend(false);
  grid->SetColumns(FittedToFont(columns, grid->fontMetrics()));
  return grid;
}

}  // namespace

NotesManagerWindow::NotesManagerWindow(MaintainNotesHost& host, QWidget* parent)
    : QDialog(parent), host_(host), placement_(new WindowPlacement(this)) {
  // The object name is the window's key in section "Screens", whatever the
  // class is called.
  setObjectName(QString::fromLatin1(config::kMaintainNotesEntry));
  setWindowTitle(QStringLiteral("Notes & Reminders"));
  setSizeGripEnabled(true);
  resize(kDesignSize);
  placement_->SetIniFileName(DataFilePath(host_.DataFolder(), kConfigFileName));
  placement_->SetEntry(objectName());
  ChooseExportFolder = [](QWidget* owner) {
    return QFileDialog::getExistingDirectory(owner, QStringLiteral("Export Notes To"));
  };
  BuildViews();
  BuildPages();
  BuildMenus();
  BuildBoards();
  trashView_->GoTop();
  pages_->setCurrentIndex(kAllNotesPage);
  onPageChanged();
  // Bound last, so that the rows are walked once, in the first page's order.
  notesGrid_->SetDataSet(notesSet_.get());
  trashGrid_->SetDataSet(trashSet_.get());
  ShowCaptionsOf(notesGrid_, textIndex_, QStringLiteral("notes.dbf"));
  ShowCaptionsOf(trashGrid_, trashTextIndex_, QStringLiteral("Trash.dbf"));
  notesGrid_->SelectRow(0);
  trashGrid_->SelectRow(0);
  ShowMemoOf(*notesView_, editor_);
  ShowMemoOf(*trashView_, richEditTrash_);
  connect(pages_, &QTabWidget::currentChanged, this, &NotesManagerWindow::onPageChanged);
}

NotesManagerWindow::~NotesManagerWindow() {
  QString error;
  if (!placement_->Save(&error)) qWarning("%s", qPrintable(error));
  // The grids hold the record sets; unbind them before the views go.
  notesGrid_->SetDataSet(nullptr);
  trashGrid_->SetDataSet(nullptr);
}

void NotesManagerWindow::BuildViews() {
  const QString& folder = host_.DataFolder();
  notesView_ = OpenNoteView("TzNotesMaint", DataFilePath(folder, QStringLiteral("notes.dbf")));
  trashView_ = OpenNoteView("TzTrashMaint", DataFilePath(folder, QStringLiteral("Trash.dbf")));
  notesSet_ = std::make_unique<TableRecordSet>(*notesView_);
  trashSet_ = std::make_unique<TableRecordSet>(*trashView_);
  WatchTables();
}

void NotesManagerWindow::WatchTables() {
  // Notes made, saved, expired or trashed meanwhile - by the controller, a
  // later start's --new or another program - show without a click: every
  // write to a table file re-reads the views a moment later, once.
  const QString& folder = host_.DataFolder();
  const QStringList files = {DataFilePath(folder, QStringLiteral("notes.dbf")),
                             DataFilePath(folder, QStringLiteral("Trash.dbf"))};
  tableWatch_ = new QFileSystemWatcher(files, this);
  rereadTimer_ = new QTimer(this);
  rereadTimer_->setSingleShot(true);
  rereadTimer_->setInterval(kRereadDelayMs);
  connect(rereadTimer_, &QTimer::timeout, this, &NotesManagerWindow::ReReadViews);
  connect(tableWatch_, &QFileSystemWatcher::fileChanged, this, [this, files] {
    // A table packed into a new file is watched again under its name.
    tableWatch_->addPaths(files);
    rereadTimer_->start();
  });
}

void NotesManagerWindow::BuildPages() {
  pages_ = new QTabWidget(this);
  pages_->setObjectName(QStringLiteral("PageControl1"));
  pages_->setMinimumSize(kPagesMinimumSize);
  pages_->setUsesScrollButtons(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(pages_);
  notesPane_ = BuildNotesPane();
  const QStringList captions = {QStringLiteral("All Notes"), QStringLiteral("Active Reminders"),
                                QStringLiteral("Trash Bin")};
  for (int n = 1; n <= kTabSheetCount; ++n) {
    QWidget* page = PageOf(n == kTrashPage + 1 ? BuildTrashPane() : nullptr);
    page->setObjectName(QStringLiteral("TabSheet%1").arg(n));
    pages_->addTab(page, n <= captions.size() ? captions[n - 1] : page->objectName());
    pages_->setTabVisible(n - 1, n <= captions.size());
    tabSheets_.append(page);
    boardOfSheet_.append(0);
  }
}

QWidget* NotesManagerWindow::BuildNotesPane() {
  auto* pane = new QWidget;
  pane->setObjectName(QStringLiteral("PanelNotes"));
  auto* layout = new QVBoxLayout(pane);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  searchEdit_ = new QLineEdit;
  searchEdit_->setObjectName(QStringLiteral("EdSearch"));
  searchEdit_->setPlaceholderText(QStringLiteral("Search captions and text"));
  searchEdit_->setClearButtonEnabled(true);
  connect(searchEdit_, &QLineEdit::textChanged, this, &NotesManagerWindow::ApplySearch);
  layout->addWidget(searchEdit_);

  notesGrid_ =
      NoteGrid("TzGrid1", {{.fieldName = note_field::kDesc, .title = "Note Caption", .width = 205},
                           {.fieldName = note_field::kShowing, .title = "Showing", .width = 61},
                           {.fieldName = note_field::kDateCreate, .title = "Created", .width = 63},
                           {.fieldName = note_field::kAlarmAct, .title = "Reminder", .width = 49},
                           {.fieldName = note_field::kAlarmAct, .title = "Alarm", .width = 32},
                           {.fieldName = note_field::kExpires, .title = "Expires", .width = 40},
                           {.fieldName = note_field::kExpireDate, .title = "Expire Date"}});
  connect(notesGrid_, &DataGrid::currentRecordChanged, this,
          [this] { ShowMemoOf(*notesView_, editor_); });
  connect(notesGrid_, &DataGrid::recordDoubleClicked, this, [this] {
    if (!notesView_->IsEmpty()) onEditNoteProperties();
  });
  editor_ = MemoPane("RichEdit1");
  splitter_ = new QSplitter(Qt::Vertical);
  splitter_->setObjectName(QStringLiteral("Splitter1"));
  splitter_->setHandleWidth(kSplitterHandle);
  splitter_->setChildrenCollapsible(false);
  splitter_->addWidget(notesGrid_);
  splitter_->addWidget(editor_);
  splitter_->setStretchFactor(0, 1);
  splitter_->setSizes({kDesignSize.height() - kPaneHeight, kPaneHeight});
  layout->addWidget(splitter_);
  return pane;
}

QWidget* NotesManagerWindow::BuildTrashPane() {
  trashGrid_ = NoteGrid("TzGridTrash",
                        {{.fieldName = note_field::kDesc, .title = "Note Caption", .width = 328},
                         {.fieldName = note_field::kDateCreate, .title = "Created", .width = 85}});
  connect(trashGrid_, &DataGrid::currentRecordChanged, this,
          [this] { ShowMemoOf(*trashView_, richEditTrash_); });
  richEditTrash_ = MemoPane("RichEditTrash");
  auto* splitter = new QSplitter(Qt::Vertical);
  splitter->setObjectName(QStringLiteral("Splitter2"));
  splitter->setHandleWidth(kSplitterHandle);
  splitter->setChildrenCollapsible(false);
  splitter->addWidget(trashGrid_);
  splitter->addWidget(richEditTrash_);
  splitter->setStretchFactor(0, 1);
  splitter->setSizes({kDesignSize.height() - kPaneHeight, kPaneHeight});
  return splitter;
}

void NotesManagerWindow::BuildBoards() {
  int sheet = kFirstBoardSheet;
  for (const TemplateBoard& board : CustomisedTemplates(host_.TemplatesTable())) {
    if (sheet >= kTabSheetCount) break;
    pages_->setTabText(sheet, board.caption);
    pages_->setTabVisible(sheet, true);
    boardOfSheet_[sheet] = board.number;
    ++sheet;
  }
}

QWidget* NotesManagerWindow::TabSheet(int n) const {
  return n >= 1 && n <= tabSheets_.size() ? tabSheets_[n - 1] : nullptr;
}

int NotesManagerWindow::BoardOfPage(int pageIndex) const {
  return pageIndex >= 0 && pageIndex < boardOfSheet_.size() ? boardOfSheet_[pageIndex] : 0;
}

void NotesManagerWindow::onPageChanged() {
  DbfTable& notes = *notesView_;
  notes.SetFilterTo(QString());
  const int page = pages_->currentIndex();
  if (page == kTrashPage) {
    ReReadTrash();
    return;
  }
  if (page == kActiveRemindersPage) {
    notes.SetOrderToTag(QString::fromLatin1(note_tag::kAlarmAct));
    notes.SetFilterTo(
        QStringLiteral("%1 == \"Y\"").arg(QString::fromLatin1(note_field::kAlarmAct)));
  } else if (const int board = BoardOfPage(page); board > 0) {
    notes.SetOrderToTag(QString::fromLatin1(note_tag::kBoard));
    notes.SetFilterTo(BoardFilter(board));
  } else {
    notes.SetOrderTo(0);
  }
  notes.GoTop();
  if (QWidget* target = tabSheets_.value(page); target != nullptr) {
    target->layout()->addWidget(notesPane_);
    // A widget given a new parent stays hidden until shown again.
    notesPane_->show();
  }
  notesGrid_->Relayout();
  notesGrid_->SelectRow(0);
  ShowMemoOf(notes, editor_);
}

namespace {

// Both views are shared with the controller: its appends count only once
// the record count is read again from the file.
void RereadView(DbfTable& view) {
  view.RecordCount();
  if (view.IsEmpty()) {
    view.GoTop();
  } else {
    view.Refresh();
  }
}

}  // namespace

void NotesManagerWindow::ReReadNotes() {
  textIndex_.Forget();
  RereadView(*notesView_);
  notesGrid_->Relayout();
  if (!searchEdit_->text().isEmpty()) ApplySearch();
  ShowMemoOf(*notesView_, editor_);
}

void NotesManagerWindow::ReReadTrash() {
  trashTextIndex_.Forget();
  RereadView(*trashView_);
  trashGrid_->Relayout();
  if (trashGrid_->CurrentRecordNumber() == 0) trashGrid_->SelectRow(0);
  ShowMemoOf(*trashView_, richEditTrash_);
}

void NotesManagerWindow::ReReadViews() {
  ReReadNotes();
  ReReadTrash();
}

bool NotesManagerWindow::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) ReReadViews();
  return QDialog::event(event);
}

void NotesManagerWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (placementRestored_) return;
  placementRestored_ = true;
  placement_->Restore();
}

void NotesManagerWindow::ShowCaptionsOf(DataGrid* grid, NoteTextIndex& index,
                                        const QString& fileName) {
  // DESC holds only what its code page can spell; the memo the exact caption.
  grid->SetCellText(
      [this, &index, fileName](std::int32_t record, int column) -> std::optional<QString> {
        if (column != 0) return std::nullopt;
        if (!index.IsRead()) index.Read(DataFilePath(host_.DataFolder(), fileName));
        return index.ShownCaption(record);
      });
}

void NotesManagerWindow::ApplySearch() {
  const QString needle = searchEdit_->text().trimmed();
  if (needle.isEmpty()) {
    notesGrid_->SetRowFilter(nullptr);
  } else {
    if (!textIndex_.IsRead()) {
      textIndex_.Read(DataFilePath(host_.DataFolder(), QStringLiteral("notes.dbf")));
    }
    notesGrid_->SetRowFilter(
        [this, needle](std::int32_t record) { return textIndex_.Matches(record, needle); });
  }
  if (notesGrid_->CurrentRecordNumber() == 0) notesGrid_->SelectRow(0);
  ShowMemoOf(*notesView_, editor_);
}

void NotesManagerWindow::ShowMemoOf(DbfTable& table, NoteEditor* pane) {
  const DataGrid* grid = pane == editor_ ? notesGrid_ : trashGrid_;
  if (grid->CurrentRecordNumber() == 0 || table.IsEmpty()) {
    pane->clear();
    return;
  }
  std::unique_ptr<MemoStream> memo =
      table.CreateBlobStreamByName(QString::fromLatin1(note_field::kMemo), MemoStream::kRead);
  if (!memo || !memo->isOpen()) {
    pane->clear();
    return;
  }
  pane->LoadFromStream(memo.get());
  memo->Finish();
}

QList<std::int32_t> NotesManagerWindow::AllRecordsOf(const DataGrid& grid) const {
  QList<std::int32_t> records;
  const int rows = grid.model()->rowCount();
  for (int row = 0; row < rows; ++row) records.append(grid.RecordNumberAt(row));
  return records;
}

}  // namespace pw
