#include "engine/table/create_dbf.h"

#include <algorithm>

#include "common/byte_order.h"
#include "common/error_codes.h"
#include "common/error_state.h"
#include "common/path_names.h"
#include "common/text_routines.h"
#include "engine/table/dbf_file.h"
#include "engine/table/dbf_header.h"
#include "engine/table/engine_hooks.h"
#include "engine/table/work_area.h"
#include "platform/file_lookup.h"

namespace pw {
namespace {

constexpr int kMemoBlockSize = 512;

}  // namespace

bool CreateDBF(const std::string& name, int n, const std::vector<FieldDef>& entries, bool oemText) {
  ClearEngineError();
  std::vector<unsigned char> header;
  if (n < 1 || static_cast<std::size_t>(n) > entries.size() ||
      !ComposeDbfHeader({entries.begin(), entries.begin() + n}, header)) {
    SetError(kBadFieldType, "Invalid dBASE field definition [CreateDBF]");
    return false;
  }
  std::string path = AllTrim(name);
  if (!HasExtension(path)) path += ".dbf";
  path = platform::ResolvePathNoCase(path);
  // Readers decode the table's text by its language driver id.
  header[kLanguageDriverByte] = oemText ? kLanguageCodePage850 : kLanguageCodePage1252;

  // The new table closes through the same path as an open one with records
  // appended: the prolog gets today's date and the end marker follows the header.
  WorkArea table;
  table.fileName = path;
  std::copy_n(header.begin(), kPrologSize, table.prolog.begin());
  table.headerLength = static_cast<std::uint16_t>(header.size());
  table.recordLength = GetLe16(&header[10]);
  int code = table.file.Create(path, platform::Sharing::Exclusive);
  if (code == 0) code = table.file.WriteAt(0, header.data(), header.size());
  if (code != 0) {
    table.file.Close();
    SetError(static_cast<std::uint16_t>(code), "Error writing " + name + ". [CreateDbf]");
    return false;
  }
  table.headerState = HeaderState::Appended;
  table.recordCount = 0;
  if (code = CloseDbfFile(table); code != 0) {
    ReportCloseFailure(code, path);
    return false;
  }
  MemoHooks* memo = RegisteredHooks().memo;
  if (HasMemoVersion(header[0]) && memo != nullptr) {
    return memo->CreateMemo(path, kVersionDbase4Memo, kMemoBlockSize, "CreateDbf()");
  }
  return true;
}

}  // namespace pw
