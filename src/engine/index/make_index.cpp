#include "engine/index/make_index.h"

#include "common/date_text.h"
#include "common/error_codes.h"
#include "common/error_state.h"
#include "common/path_names.h"
#include "engine/index/add_index_tag.h"
#include "engine/index/index_file_name.h"
#include "engine/index/index_state.h"
#include "engine/index/mdx_io.h"
#include "engine/index/update_journal.h"
#include "engine/table/pack_mark.h"
#include "engine/table/reopen.h"
#include "engine/table/work_areas.h"
#include "platform/file_lookup.h"
#include "platform/file_replacement.h"
#include "platform/os_error.h"

namespace pw {
namespace {

// The new index is written as a twin beside the old one and renamed over it
// when complete, so that at every instant the file on disk is the old index
// or the new one. A twin left by a killed build is removed by the next one.
constexpr char kIndexTwinSuffix[] = ".$IX";

bool InUse(int code) {
  return code == platform::kAccessDenied || code == platform::kSharingViolation;
}

bool Report(int code, const std::string& path) {
  SetError(static_cast<std::uint16_t>(code), "MakeIndex(" + path + ")");
  return false;
}

// Holds the old index file, when there is one, exclusively in `old` until
// the new one has replaced it, so that no other open can use it in between.
// A shared table whose index another open keeps is taken exclusively first.
// False after reporting (225 when the table cannot be had exclusively).
bool HoldOldIndex(WorkArea& area, const std::string& path, platform::File& old, bool* reopened) {
  if (!platform::FileExists(path)) return true;
  int code = old.Open(path, platform::Access::Read, platform::Sharing::Exclusive);
  if (code == 0) return true;
  if (InUse(code) && !area.exclusive) {
    if (Reopen(true) != 0) {
      SetError(kExclusiveRequired, area.fileName + " MakeIndex(" + path + ")");
      return false;
    }
    *reopened = true;
    code = old.Open(path, platform::Access::Read, platform::Sharing::Exclusive);
    if (code == 0) return true;
  }
  return Report(code, path);
}

// The twin with only the header in it.
bool CreateTwin(const WorkArea& area, platform::FileReplacement& replacement,
                IndexBuildTarget& target) {
  const TodayDate today = TodayParts();
  target.header =
      MdxHeader::Create(RemoveExt(FileNameOf(area.fileName)), {today.year, today.month, today.day});
  int code = replacement.Begin(target.path, kIndexTwinSuffix, target.file);
  if (code == 0) code = WriteMdxHeader(target.file, target.header);
  return code == 0 || Report(code, target.path);
}

// Writes the header into the twin and renames the twin over the old file.
// True when the new file is in place; a failed sync of the folder after the
// rename is reported, but the new file stays.
bool CommitTwin(platform::FileReplacement& replacement, IndexBuildTarget& target) {
  int code = WriteMdxHeader(target.file, target.header);
  if (code == 0) code = replacement.Commit(target.file);
  const int closed = target.file.Close();
  if (code == 0) code = closed;
  if (code != 0) Report(code, target.path);
  return replacement.Committed();
}

// The build into a twin of the index file. `allOrNothing`: the twin
// replaces the old file only when every tag was built; otherwise it does
// whenever the file itself could be written, with the tags that were built.
bool BuildIndexFile(const std::vector<TagDescription>& tags, const std::string& fileName,
                    bool allOrNothing) {
  ClearEngineError();
  if (CheckInUse("MakeIndex")) return false;
  WorkArea& area = CurrentArea();
  if (AreaIndex(area) != nullptr) CloseIndex(area);
  IndexBuildTarget target;
  target.path = IndexFilePath(area, fileName);
  bool reopened = false;
  platform::File old;
  if (!HoldOldIndex(area, target.path, old, &reopened)) return false;
  // The new trees are built from the table as it is, so an update a killed
  // program left half done is not to be undone after them any more.
  UpdateJournal stale;
  stale.SetPath(UpdateJournalPath(target.path));
  stale.Remove();

  bool built = false;
  {
    platform::FileReplacement replacement;
    if (CreateTwin(area, replacement, target)) {
      const TagFailure failure = AddIndexTags(target, tags, allOrNothing);
      built = failure.code == 0;
      // A failed commit is the error that stands; else the first failed tag's.
      if ((built || !allOrNothing) && !CommitTwin(replacement, target)) {
        built = false;
      } else if (!built) {
        AutoDispatchOff quiet;  // dispatched already when it was first reported
        SetError(failure.code, failure.detail);
      }
    }
  }
  // Trees for the records as they are now: a pack's mark has done its work.
  if (built) ClearPackMark(area.file.Path());
  // The old file is let go only now: held until after the rename, it kept
  // every other open out of the old index as well.
  old.Close();
  if (reopened) {
    if (int code = Reopen(false); code != 0) {
      SetError(static_cast<std::uint16_t>(code),
               "Cannot_Reopen_Database_Sharable MakeIndex(" + target.path + ")");
      return false;
    }
  }
  return built;
}

}  // namespace

bool MakeIndex(const std::vector<TagDescription>& tags, const std::string& fileName) {
  return BuildIndexFile(tags, fileName, false);
}

bool RebuildIndex(const std::vector<TagDescription>& tags, const std::string& fileName) {
  return BuildIndexFile(tags, fileName, true);
}

}  // namespace pw
