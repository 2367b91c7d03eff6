#include "platform/file_lookup.h"

#include <dirent.h>
#include <sys/stat.h>

#include <memory>

namespace pw::platform {
namespace {

// ASCII folding only: names are bytes in whatever encoding the file system
// holds, and folding other bytes could join names that differ.
char FoldAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualNoCase(const std::string& a, const char* b) {
  std::size_t i = 0;
  for (; i < a.size(); ++i) {
    if (b[i] == '\0' || FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return b[i] == '\0';
}

bool EntryExists(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0;
}

}  // namespace

std::string ResolvePathNoCase(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.empty() || name == "." || name == ".." || EntryExists(path)) return path;

  const std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.empty() ? "." : folder.c_str()),
                                                closedir);
  if (!dir) return path;
  std::string best;
  while (const dirent* entry = readdir(dir.get())) {
    if (EqualNoCase(name, entry->d_name) && (best.empty() || best > entry->d_name)) {
      best = entry->d_name;
    }
  }
  return best.empty() ? path : folder + best;
}

bool FileExists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

}  // namespace pw::platform
