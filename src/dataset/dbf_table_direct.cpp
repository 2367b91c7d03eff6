// The direct xBase-style record operations: each selects the component's
// work area, does its engine work and brings the cursor up to date.
#include "common/error_state.h"
#include "common/file_routines.h"
#include "common/path_names.h"
#include "dataset/controlling_tag_name.h"
#include "dataset/dbf_table.h"
#include "dataset/engine_path.h"
#include "dataset/engine_text.h"
#include "engine/index/index_file_name.h"
#include "engine/index/index_find.h"
#include "engine/index/index_order.h"
#include "engine/index/set_index_to.h"
#include "engine/table/append.h"
#include "engine/table/delete_recall.h"
#include "engine/table/go.h"
#include "engine/table/lock.h"
#include "engine/table/pack.h"
#include "engine/table/position_queries.h"
#include "engine/table/record_buffer.h"
#include "engine/table/replace.h"
#include "engine/table/set_filter_to.h"
#include "engine/table/skip.h"
#include "engine/table/visibility.h"
#include "engine/table/work_areas.h"
#include "platform/os_error.h"

namespace pw {
namespace {

constexpr qsizetype kMaxKey = 100;
constexpr qsizetype kMaxTagName = 10;

}  // namespace

void DbfTable::AppendRec() {
  if (!SelectArea("AppendRec")) return;
  if (pw::Append()) Reposition();
  ResyncRecordSet();
}

void DbfTable::DeleteRec() {
  if (!SelectArea("DeleteRec")) return;
  SyncFirst();
  if (pw::DeleteRec()) Reposition();
  ResyncRecordSet();
}

void DbfTable::ReplaceRec() {
  if (!SelectArea("ReplaceRec")) return;
  if (pw::Replace()) Reposition();
  ResyncRecordSet();
}

void DbfTable::ClearRecord() {
  if (!SelectArea("ClearRecord")) return;
  EnterEdit();
  Select(workArea_);
  CopyBufferToEngine();
  pw::ClearRecord();
  const pw::WorkArea& area = CurrentArea();
  buffer_.assign(area.image, area.image + area.imageSize);
  emit RecordChanged(this);
}

bool DbfTable::Pack() {
  if (!SelectArea("Pack")) return false;
  const bool packed = pw::Pack();
  ResyncRecordSet();
  return packed;
}

bool DbfTable::Deleted() {
  if (!SelectArea("Deleted")) return false;
  SyncFirst();
  return pw::Deleted();
}

void DbfTable::Go(std::int32_t recordNumber) {
  if (!SelectArea("Go")) return;
  emit BeforeScroll(this);
  pw::Go(recordNumber);
  ResyncRecordSet();
}

void DbfTable::Skip(int count) {
  if (count != 0) {
    MoveBy(count);
    return;
  }
  if (!SelectArea("Skip")) return;
  SyncFirst();
  pw::Skip(0);
  ResyncRecordSet();
}

void DbfTable::GoTop() {
  First();
}

void DbfTable::SetFilterTo(const QString& expression) {
  if (!SelectArea("SetFilterTo")) return;
  SyncFirst();
  const bool set = Set_Filter_To(ToEngineText(expression));
  filter_ = set ? expression.trimmed() : QString();
  filtered_ = !filter_.isEmpty();
  if (!set) return;
  if (!IsEmpty() && !pw::dEOF() && FilterPasses()) {
    ResyncRecordSet();
  } else {
    Last();
  }
}

bool DbfTable::ALock() {
  return SelectArea("ALock") && pw::ALock();
}

bool DbfTable::RLock() {
  if (!SelectArea("RLock")) return false;
  SyncFirst();
  return pw::RLock();
}

void DbfTable::UnLock() {
  if (SelectArea("UnLock")) pw::Unlock();
}

bool DbfTable::Find(const QString& key) {
  if (!SelectArea("Find")) return false;
  const bool found = pw::Find(ToEngineText(key.left(kMaxKey)));
  if (pw::dEOF()) {
    Last();
  } else {
    ResyncRecordSet();
  }
  return found;
}

bool DbfTable::FindExact(const QString& key) {
  if (!SelectArea("FindExact")) return false;
  const bool found = pw::FindExact(ToEngineText(key.left(kMaxKey)));
  if (pw::dEOF()) {
    Last();
  } else {
    ResyncRecordSet();
  }
  return found;
}

void DbfTable::SetOrderTo(int tag) {
  if (!SelectArea("SetOrderTo")) return;
  SyncFirst();
  Set_Order_To(tag);
  ResyncRecordSet();
}

bool DbfTable::SetOrderToTag(const QString& tag) {
  if (!SelectArea("SetOrderToTag")) return false;
  SyncFirst();
  const bool set = pw::SetOrderToTag(ToEngineText(tag.left(kMaxTagName)));
  ResyncRecordSet();
  return set;
}

QString DbfTable::CurrentTag() {
  if (!SelectArea("CurrentTag")) return {};
  return FromEngineText(ControllingTagName()).trimmed().left(kMaxTagName);
}

bool DbfTable::SetIndexTo(const QString& indexFile) {
  if (!SelectArea("SetIndexTo")) return false;
  SyncFirst();
  std::string name = ToEnginePath(indexFile.trimmed());
  if (!name.empty()) name = DefaultExt(name, "MDX");
  const std::string path = IndexFilePath(CurrentArea(), name);
  if (!FileIsPresent(path)) {
    SetError(platform::kFileNotFound, "SetIndexTo(" + path + ")");
    return false;
  }
  const bool opened = pw::SetIndexTo(path);
  ResyncRecordSet();
  return opened;
}

}  // namespace pw
