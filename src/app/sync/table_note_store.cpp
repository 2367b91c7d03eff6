#include "app/sync/table_note_store.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTextDocument>
#include <memory>

#include "app/controller/note_pass_frame.h"
#include "app/controller/note_placement.h"
#include "app/controller/notes_main.h"
#include "app/note/note_window_registry.h"
#include "app/record/note_caption.h"
#include "app/record/note_fields.h"
#include "app/record/note_record.h"
#include "app/record/note_values.h"
#include "dataset/dbf_table.h"
#include "richtext/rtf_reader.h"

namespace pw {
namespace {

constexpr int kCaptionWidth = 50;  // DESC

QString Str(DbfTable& table, const char* field) {
  return table.GetFieldStr(QString::fromLatin1(field));
}

bool Flag(DbfTable& table, const char* field) {
  return Str(table, field) == QLatin1String("Y");
}

QString FlagText(bool on) {
  return on ? QStringLiteral("Y") : QStringLiteral("N");
}

// Natural order for the walk; the previous tag and record come back however
// the walk ends.
class TableWalk {
 public:
  explicit TableWalk(DbfTable& table)
      : table_(table), tag_(table.CurrentTag()), record_(table.RecNo()) {
    RestorePassTag(table_, QString());
  }
  ~TableWalk() {
    RestorePassTag(table_, tag_);
    if (record_ > 0) table_.Go(record_);
  }
  TableWalk(const TableWalk&) = delete;
  TableWalk& operator=(const TableWalk&) = delete;

 private:
  DbfTable& table_;
  QString tag_;
  std::int32_t record_;
};

SyncNote ReadNote(DbfTable& table, bool trashed) {
  SyncNote note;
  note.uid = Str(table, note_field::kChar1).trimmed();
  if (std::unique_ptr<MemoStream> memo =
          table.CreateBlobStreamByName(note_field::kMemo, MemoStream::kRead);
      memo && memo->isOpen()) {
    note.rtf = memo->readAll();
    memo->Finish();
  }
  QTextDocument document;
  ReadRtf(note.rtf, &document);
  note.caption = CaptionOfRecord(table, document);
  note.color = table.GetFieldInt(note_field::kColor);
  note.board = Str(table, note_field::kNoteBoard).trimmed();
  note.trashed = trashed;
  note.reminder.active = Flag(table, note_field::kAlarmAct);
  note.reminder.kind = table.GetFieldInt(note_field::kAlarmType);
  note.reminder.date = DateOfText(table.GetFieldDate(note_field::kAlarmDate));
  note.reminder.time = TimeOfText(Str(table, note_field::kAlarmTime));
  if (!note.reminder.active) note.reminder = SyncReminder{};
  return note;
}

// The synced fields into the record buffer, the memo through `memoMode`.
bool SetNoteFields(DbfTable& table, const SyncNote& note, int memoMode) {
  table.SetFieldStr(note_field::kChar1, note.uid);
  table.SetFieldStr(note_field::kDesc, note.caption.left(kCaptionWidth));
  table.SetFieldInt(note_field::kColor, note.color);
  table.SetFieldStr(note_field::kNoteBoard, note.board);
  table.SetFieldStr(note_field::kAlarmAct, FlagText(note.reminder.active));
  if (note.reminder.active) {
    table.SetFieldInt(note_field::kAlarmType, note.reminder.kind);
    table.SetFieldDate(note_field::kAlarmDate, DateText(note.reminder.date));
    table.SetFieldStr(note_field::kAlarmTime, TimeText(note.reminder.time));
  }
  std::unique_ptr<MemoStream> memo = table.CreateBlobStreamByName(note_field::kMemo, memoMode);
  if (!memo || !memo->isOpen()) return false;
  // DESC keeps what the code page spells; the memo keeps the caption.
  const QByteArray rtf = RichTextKeepingCaption(note.rtf, note.caption);
  const bool written = memo->write(rtf) == rtf.size();
  return memo->Finish() && written;
}

}  // namespace

TableNoteStore::TableNoteStore(NotesController& controller) : controller_(controller) {}

std::vector<SyncNote> TableNoteStore::Notes() {
  std::vector<SyncNote> notes;
  for (DbfTable* table : {&controller_.NotesTable(), &controller_.TrashTable()}) {
    if (!table->Active()) continue;
    TableWalk walk(*table);
    for (table->GoTop(); !table->Eof() && DbfTable::LastError() == 0; table->Skip(1)) {
      SyncNote note = ReadNote(*table, table == &controller_.TrashTable());
      if (note.uid.isEmpty()) {
        // A note that never synced gets its key now, written at once so
        // that a second sync does not give it another.
        note.uid = NewNoteKey();
        table->SetFieldStr(note_field::kChar1, note.uid);
        const bool locked = table->RLock();
        locked ? table->ReplaceRec() : table->Cancel();
        table->UnLock();
        if (!locked || DbfTable::LastError() != 0) continue;
      }
      notes.push_back(std::move(note));
    }
  }
  return notes;
}

std::optional<TableNoteStore::Place> TableNoteStore::Find(const QString& key) {
  for (DbfTable* table : {&controller_.NotesTable(), &controller_.TrashTable()}) {
    if (!table->Active()) continue;
    const QString savedTag = table->CurrentTag();
    RestorePassTag(*table, QString());
    std::optional<Place> found;
    for (table->GoTop(); !found && !table->Eof() && DbfTable::LastError() == 0; table->Skip(1))
      if (Str(*table, note_field::kChar1).trimmed() == key) found = Place{table, table->RecNo()};
    RestorePassTag(*table, savedTag);
    if (found) return found;
  }
  return std::nullopt;
}

std::optional<SyncNote> TableNoteStore::ReadAt(const Place& place) {
  place.table->Go(place.record);
  if (DbfTable::LastError() != 0 || place.table->RecNo() != place.record) return std::nullopt;
  return ReadNote(*place.table, place.table == &controller_.TrashTable());
}

std::int32_t TableNoteStore::Append(DbfTable& from, DbfTable& to) {
  if (&to == &controller_.TrashTable())
    return controller_.CopyNoteToTrashFrom(from) ? to.RecNo() : 0;
  CopyNoteRecord(from, to);
  to.SetFieldStr(note_field::kShowing, QStringLiteral("N"));
  const bool locked = to.ALock();
  if (locked) to.AppendRec();
  const bool appended = locked && DbfTable::LastError() == 0;
  if (!appended) to.Cancel();
  to.UnLock();
  return appended ? to.RecNo() : 0;
}

bool TableNoteStore::Delete(const Place& place) {
  DbfTable& table = *place.table;
  table.Go(place.record);
  if (DbfTable::LastError() != 0 || table.RecNo() != place.record) return false;
  const bool locked = table.RLock();
  if (locked) table.DeleteRec();
  table.UnLock();
  return locked && DbfTable::LastError() == 0;
}

std::optional<SyncNote> TableNoteStore::Save(const SyncNote& note) {
  DbfTable& notes = controller_.NotesTable();
  DbfTable& trash = controller_.TrashTable();
  if (!notes.Active() || !trash.Active()) return std::nullopt;
  std::optional<Place> place = Find(note.uid);
  if (!place) {
    // New from the server: a record of its template board, like a new note.
    DbfTable& defaults = controller_.TemplatesTable();
    DbfTable& target = note.trashed ? trash : notes;
    const int board = note.board.toInt();
    if (defaults.Active() && board >= 1 && board <= 10) defaults.Go(board);
    const bool fromTemplate =
        defaults.Active() && DbfTable::LastError() == 0 && defaults.RecNo() == board;
    fromTemplate ? CopyNoteRecord(defaults, target) : target.ClearRecord();
    if (!fromTemplate) {
      target.SetFieldInt(note_field::kWidth, 200);
      target.SetFieldInt(note_field::kHeight, 200);
    }
    const QSize screen =
        QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->size() : QSize();
    const QPoint at = PlaceNewNote(fromTemplate ? defaults.GetFieldInt(note_field::kLeft) : 0,
                                   target.GetFieldInt(note_field::kWidth),
                                   target.GetFieldInt(note_field::kHeight), screen);
    target.SetFieldInt(note_field::kLeft, at.x());
    target.SetFieldInt(note_field::kTop, at.y());
    target.SetFieldStr(note_field::kShowing, FlagText(!note.trashed));
    const bool filled = SetNoteFields(target, note, MemoStream::kWrite);
    const bool locked = filled && target.ALock();
    if (locked) target.AppendRec();
    const bool appended = locked && DbfTable::LastError() == 0;
    if (!appended) target.Cancel();
    target.UnLock();
    if (!appended) return std::nullopt;
    const Place made{&target, target.RecNo()};
    if (!note.trashed) controller_.ShowNoteOfRecord(made.record);
    return ReadAt(made);
  }

  // An open window holds the note's state: it saves and closes first.
  bool reopen = false;
  if (place->table == &notes && ReadAt(*place) && Flag(notes, note_field::kShowing)) {
    SendNoteRequest(notes.GetFieldInt(note_field::kHandle), kSaveAndCloseNoteRequest);
    reopen = !note.trashed;
  }
  if (!ReadAt(*place)) return std::nullopt;
  DbfTable& table = *place->table;
  const bool filled = SetNoteFields(table, note, MemoStream::kReadWrite);
  const bool locked = filled && table.RLock();
  if (locked) table.Post();
  const bool written = locked && DbfTable::LastError() == 0;
  if (!written) table.Cancel();
  table.UnLock();
  if (!written) return std::nullopt;

  const bool inTrash = place->table == &trash;
  if (note.trashed != inTrash) {
    DbfTable& to = note.trashed ? trash : notes;
    if (!ReadAt(*place)) return std::nullopt;
    const std::int32_t moved = Append(table, to);
    if (moved == 0 || !Delete(*place)) return std::nullopt;
    place = Place{&to, moved};
  }
  if (reopen) controller_.ShowNoteOfRecord(place->record);
  return ReadAt(*place);
}

bool TableNoteStore::Remove(const QString& key) {
  const std::optional<Place> place = Find(key);
  if (!place) return true;
  if (place->table == &controller_.NotesTable() && ReadAt(*place) &&
      Flag(*place->table, note_field::kShowing))
    SendNoteRequest(place->table->GetFieldInt(note_field::kHandle), kHideNoteRequest);
  return Delete(*place);
}

}  // namespace pw
