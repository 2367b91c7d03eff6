// Pieces of path names: folder, name and extension. The folder separator is
// "/"; an extension is the part of the last component from its last ".".
#pragma once

#include <string>

namespace pw {

struct PathPieces {
  std::string folder;     // with its trailing "/", empty when there is none
  std::string name;       // without extension, at most 64 characters
  std::string extension;  // with its ".", at most 64 characters
};

PathPieces SplitPath(const std::string& path);
// The last component: file name and extension without the folder.
std::string FileNameOf(const std::string& path);
// Whether the last component has an extension.
bool HasExtension(const std::string& path);
// Drops the extension of the last component.
std::string RemoveExt(const std::string& name);
// Replaces the extension by "." and ext.
std::string ForceExt(const std::string& name, const std::string& ext);
// Adds "." and ext only when the name has no extension.
std::string DefaultExt(const std::string& name, const std::string& ext);
// Upper-cases the ASCII letters and keeps every other byte: a path holds the
// file system's bytes (UTF-8), which a code page's upper-casing would change.
std::string UpperPath(const std::string& path);

}  // namespace pw
