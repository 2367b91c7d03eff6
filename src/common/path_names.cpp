#include "common/path_names.h"

#include <algorithm>

namespace pw {
namespace {

constexpr std::size_t kMaxPieceLength = 64;

// Start of the last component.
std::size_t NameStart(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? 0 : slash + 1;
}

// Position of the extension's ".", or the length when there is none.
std::size_t ExtensionStart(const std::string& path) {
  const std::size_t dot = path.rfind('.');
  return dot == std::string::npos || dot < NameStart(path) ? path.size() : dot;
}

}  // namespace

PathPieces SplitPath(const std::string& path) {
  const std::size_t nameStart = NameStart(path);
  const std::size_t extStart = ExtensionStart(path);
  PathPieces pieces;
  pieces.folder = path.substr(0, nameStart);
  pieces.name = path.substr(nameStart, std::min(extStart - nameStart, kMaxPieceLength));
  pieces.extension = path.substr(extStart, kMaxPieceLength);
  return pieces;
}

std::string FileNameOf(const std::string& path) {
  return path.substr(NameStart(path));
}

bool HasExtension(const std::string& path) {
  return ExtensionStart(path) != path.size();
}

std::string RemoveExt(const std::string& name) {
  return name.substr(0, ExtensionStart(name));
}

std::string ForceExt(const std::string& name, const std::string& ext) {
  return RemoveExt(name) + "." + ext;
}

std::string DefaultExt(const std::string& name, const std::string& ext) {
  return ExtensionStart(name) == name.size() ? name + "." + ext : name;
}

std::string UpperPath(const std::string& path) {
  std::string upper = path;
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

}  // namespace pw
