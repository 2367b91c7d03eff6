#include "common/file_routines.h"

#include <fnmatch.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <limits>
#include <system_error>

#include "common/error_state.h"
#include "platform/disk_space.h"
#include "platform/file.h"
#include "platform/file_lookup.h"
#include "platform/file_times.h"
#include "platform/os_error.h"
#include "platform/temp_file.h"

namespace pw {
namespace {

using platform::Access;
using platform::File;
using platform::Sharing;

constexpr std::int32_t kUnknownFreeSpace = std::numeric_limits<std::int32_t>::max();

std::vector<std::string>& FailureList() {
  static std::vector<std::string> failures;
  return failures;
}

bool HasWildcards(const std::string& mask) {
  return mask.find_first_of("*?") != std::string::npos;
}

// "*" and "?" are the only wildcards of a mask: "[" is escaped so that fnmatch
// takes it literally. Names compare without regard to case, and a name
// without extension also matches a mask that asks for one of any kind
// ("*.*", "NOTE?.*").
bool MatchesMask(const std::string& pattern, const std::string& name) {
  std::string escaped;
  for (char c : pattern) {
    if (c == '[') {
      escaped += "[[]";
    } else {
      escaped += c;
    }
  }
  auto matches = [&escaped](const std::string& candidate) {
    return fnmatch(escaped.c_str(), candidate.c_str(), FNM_NOESCAPE | FNM_CASEFOLD) == 0;
  };
  return matches(name) || (name.find('.') == std::string::npos && matches(name + "."));
}

// Regular files of `folder` whose names match `pattern`; an unreadable folder
// has none.
std::vector<std::string> MatchingFiles(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    std::error_code typeError;
    const std::string name = it->path().filename().string();
    if (it->is_regular_file(typeError) && MatchesMask(pattern, name)) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

void EraseMatchingFiles(const std::string& mask) {
  const std::string fullMask = FullPathOf(mask);
  const std::size_t slash = fullMask.rfind('/');
  const std::string folder = fullMask.substr(0, slash + 1);
  const std::string pattern = fullMask.substr(slash + 1);
  int failed = 0;
  for (const std::string& name : MatchingFiles(folder, pattern)) {
    if (EraseFile(folder + name) != 0) {
      ++failed;
      FailureList().push_back(folder + name);
    }
  }
  if (failed > 0) {
    SetError(platform::kAccessDenied,
             "Could not erase " + std::to_string(failed) + " files like " + mask);
  }
}

bool IsToday(std::time_t stamp) {
  const std::time_t now = std::time(nullptr);
  std::tm stampParts{};
  std::tm nowParts{};
  if (localtime_r(&stamp, &stampParts) == nullptr || localtime_r(&now, &nowParts) == nullptr) {
    return false;
  }
  return stampParts.tm_year == nowParts.tm_year && stampParts.tm_yday == nowParts.tm_yday;
}

}  // namespace

bool FileIsPresent(const std::string& name) {
  return platform::FileExists(platform::ResolvePathNoCase(name));
}

int EraseFile(const std::string& name) {
  const std::string path = platform::ResolvePathNoCase(name);
  File file;
  if (const int code = file.Open(path, Access::Read, Sharing::Exclusive); code != 0) return code;
  // Unlinked while still held exclusively, so nobody can open it in between.
  std::error_code error;
  std::filesystem::remove(path, error);
  const int closeCode = file.Close();
  if (error) return platform::OsErrorFromErrno(error.value(), true);
  return closeCode;
}

void EraseFiles(const std::string& mask) {
  ClearEngineError();
  FailureList().clear();
  if (HasWildcards(mask)) {
    EraseMatchingFiles(mask);
  } else if (const int code = EraseFile(mask); code != 0) {
    SetError(static_cast<std::uint16_t>(code), "Error erasing " + mask);
  }
}

const std::vector<std::string>& EraseFailures() {
  return FailureList();
}

std::string UniqueFilename() {
  std::string path;
  if (const int code = platform::CreateTempFile("TZP", &path); code != 0) {
    SetError(static_cast<std::uint16_t>(code),
             "Error requesting unique file name [UniqueFilename]");
    return {};
  }
  return path;
}

std::int32_t DiskFreeKB(const std::string& path) {
  std::uint64_t bytes = 0;
  if (platform::FreeDiskBytes(path, &bytes) != 0) return kUnknownFreeSpace;
  return static_cast<std::int32_t>(
      std::min<std::uint64_t>(bytes / 1024, static_cast<std::uint64_t>(kUnknownFreeSpace)));
}

bool FileIsFromToday(const std::string& name) {
  const std::string path = platform::ResolvePathNoCase(name);
  File file;
  int code = file.Open(path, Access::ReadWrite, Sharing::Shared);
  if (code == platform::kAccessDenied || code == platform::kSharingViolation) {
    code = file.Open(path, Access::Read, Sharing::Shared);
  }
  if (code != 0) return false;
  std::time_t stamp = 0;
  return platform::FileModificationTime(path, &stamp) == 0 && IsToday(stamp);
}

std::string FullPathOf(const std::string& name) {
  std::string full;
  return platform::FullPath(name, &full) == 0 ? full : name;
}

}  // namespace pw
