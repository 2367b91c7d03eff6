#include "engine/table/dbf_file.h"

#include "common/error_codes.h"
#include "common/error_state.h"
#include "common/path_names.h"
#include "engine/table/dbf_header.h"
#include "engine/table/engine_settings.h"
#include "engine/table/record_count.h"

namespace pw {
namespace {

// The record count of an open, once the header is read: the prolog's,
// unless the file cannot hold that many records (a damaged or cut header)
// or the count is to be derived. A shared table takes the count from the
// file size before every use anyway; an exclusive one that trusts its
// prolog refuses an impossible count. A read-write exclusive open whose
// derived count corrects the prolog rewrites it (and the end marker) at
// close.
HeaderFailure DecideRecordCount(WorkArea& area, std::uint64_t fileSize, platform::Access access,
                                platform::Sharing sharing) {
  const std::int32_t held = RecordCountForSize(area, fileSize);
  const bool exclusive = sharing == platform::Sharing::Exclusive;
  if (Settings().deriveCountFromFileSize) {
    if (exclusive && access == platform::Access::ReadWrite && held != area.recordCount) {
      area.headerState = HeaderState::Appended;
    }
    area.recordCount = held;
  } else if (area.recordCount > held) {
    if (exclusive) {
      return {kNotDbase, FileNameOf(area.fileName) +
                             " is not a dBASE database. (Record count exceeds the file size) "
                             "[Use/OpenDbf]"};
    }
    area.recordCount = held;
  }
  return {};
}

}  // namespace

bool OpenDbf(WorkArea& area, const std::string& path, platform::Access access,
             platform::Sharing sharing) {
  HeaderFailure failure;
  if (int code = area.file.Open(path, access, sharing); code != 0) {
    failure = {static_cast<std::uint16_t>(code),
               "Failure to open " + area.fileName + " [USE/OpenDbf]"};
  } else {
    std::uint64_t size = 0;
    if (int sizeCode = area.file.Size(&size); sizeCode != 0) {
      failure = {static_cast<std::uint16_t>(sizeCode),
                 "Error reading " + area.fileName + " [Use/OpenDbf]"};
    } else {
      failure = ReadDbfHeader(area, size);
    }
    if (failure.code == 0) failure = DecideRecordCount(area, size, access, sharing);
  }
  if (failure.code != 0) {
    area = WorkArea{};
    SetError(failure.code, failure.detail);
    return false;
  }
  area.access = access;
  area.sharing = sharing;
  const bool empty = area.recordCount < 1;
  area.recordNumber = empty ? 0 : 1;
  area.bof = empty;
  area.eof = empty;
  return true;
}

int CloseDbfFile(WorkArea& area) {
  int code = 0;
  if (area.headerState == HeaderState::Dirty || area.headerState == HeaderState::Appended) {
    code = WriteDbfHeader(area);
  }
  const int closeCode = area.file.Close();
  if (code == 0) code = closeCode;
  area.headerState = HeaderState::Closed;
  area.raw.clear();
  area.fields.clear();
  return code;
}

void ReportCloseFailure(int code, const std::string& path) {
  SetError(static_cast<std::uint16_t>(code), "File:  " + path + " [CloseDbf(" + path + ")]");
}

bool CloseDbf(WorkArea& area) {
  const int code = CloseDbfFile(area);
  if (code != 0) ReportCloseFailure(code, area.fileName);
  return code == 0;
}

}  // namespace pw
