#include "engine/index/make_index.h"

#include "common/date_text.h"
#include "common/error_codes.h"
#include "common/error_state.h"
#include "common/file_routines.h"
#include "common/path_names.h"
#include "engine/index/add_index_tag.h"
#include "engine/index/index_file_name.h"
#include "engine/index/index_state.h"
#include "engine/index/mdx_io.h"
#include "engine/table/reopen.h"
#include "engine/table/work_areas.h"
#include "platform/os_error.h"

namespace pw {
namespace {

bool InUse(int code) {
  return code == platform::kAccessDenied || code == platform::kSharingViolation;
}

// Deletes the old file of a shared table; when another open keeps it, the
// table is taken exclusively for the build. False after reporting 225.
bool TakeTableForBuild(WorkArea& area, const std::string& path, bool* reopened) {
  if (area.exclusive) return true;
  int code = 0;
  {
    AutoDispatchOff quiet;
    code = EraseFile(path);
  }
  if (!InUse(code)) return true;
  if (Reopen(true) != 0) {
    SetError(kExclusiveRequired, area.fileName + " MakeIndex(" + path + ")");
    return false;
  }
  *reopened = true;
  return true;
}

// A new file holding only the header.
bool CreateIndexFile(const WorkArea& area, IndexBuildTarget& target) {
  if (int code = EraseFile(target.path); code != 0 && code != platform::kFileNotFound) {
    SetError(static_cast<std::uint16_t>(code), "MakeIndex(" + target.path + ")");
    return false;
  }
  const TodayDate today = TodayParts();
  target.header =
      MdxHeader::Create(RemoveExt(FileNameOf(area.fileName)), {today.year, today.month, today.day});
  int code = target.file.Create(target.path, platform::Sharing::Exclusive);
  if (code == 0) code = WriteMdxHeader(target.file, target.header);
  if (code != 0) {
    SetError(static_cast<std::uint16_t>(code), "MakeIndex(" + target.path + ")");
    return false;
  }
  return true;
}

// Writes the header back and closes the file; false after reporting.
bool FinishIndexFile(IndexBuildTarget& target) {
  int code = WriteMdxHeader(target.file, target.header);
  const int closed = target.file.Close();
  if (code == 0) code = closed;
  if (code == 0) return true;
  SetError(static_cast<std::uint16_t>(code), "MakeIndex(" + target.path + ")");
  return false;
}

}  // namespace

bool MakeIndex(const std::vector<TagDescription>& tags, const std::string& fileName) {
  ClearEngineError();
  if (CheckInUse("MakeIndex")) return false;
  WorkArea& area = CurrentArea();
  if (AreaIndex(area) != nullptr) CloseIndex(area);
  IndexBuildTarget target;
  target.path = IndexFilePath(area, fileName);
  bool reopened = false;
  if (!TakeTableForBuild(area, target.path, &reopened)) return false;

  bool built = CreateIndexFile(area, target);
  if (built) {
    // Each tag starts with a clear error; the first failure is the one
    // the caller gets to see, unless closing the file fails after it.
    std::uint16_t firstCode = 0;
    std::string firstDetail;
    for (const TagDescription& tag : tags) {
      if (tag.name.empty()) break;
      if (AddIndexTag(target, tag)) continue;
      if (firstCode == 0) {
        firstCode = EngineErrorCode();
        firstDetail = TakeDetailText();
      }
      built = false;
    }
    if (!FinishIndexFile(target)) {
      built = false;
    } else if (firstCode != 0) {
      AutoDispatchOff quiet;  // dispatched already when it was first reported
      SetError(firstCode, firstDetail);
    }
  }
  if (reopened) {
    if (int code = Reopen(false); code != 0) {
      SetError(static_cast<std::uint16_t>(code),
               "Cannot_Reopen_Database_Sharable MakeIndex(" + target.path + ")");
      return false;
    }
  }
  return built;
}

}  // namespace pw
