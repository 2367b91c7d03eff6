#include "engine/index/index_tag_list.h"

#include "common/error_state.h"
#include "common/text_routines.h"
#include "engine/index/mdx_io.h"
#include "platform/file.h"
#include "platform/os_error.h"

namespace pw {

TagDescription DescribeTag(const std::string& name, const TagHeader& anchor) {
  TagDescription tag;
  tag.name = name;
  tag.keyExpression = anchor.KeyExpression();
  tag.forExpression = anchor.HasFor() ? anchor.ForExpression() : std::string();
  tag.descending = anchor.Descending();
  tag.unique = anchor.Unique();
  if (anchor.Type() == KeyType::kCharacter) tag.keyLength = anchor.KeyLength();
  return tag;
}

bool IndexTagList(const std::string& path, std::vector<std::string>* lines) {
  lines->clear();
  platform::File file;
  int code = file.Open(path, platform::Access::ReadWrite, platform::Sharing::Shared);
  if (code == platform::kAccessDenied || code == platform::kSharingViolation) {
    code = file.Open(path, platform::Access::Read, platform::Sharing::Shared);
  }
  if (code != 0) {
    SetError(static_cast<std::uint16_t>(code), "Unable to open index: " + path);
    return false;
  }
  MdxHeader header;
  if (int read = ReadMdxHeader(file, &header)) {
    SetError(static_cast<std::uint16_t>(read), "Unable to open index: " + path);
    return false;
  }
  for (int n = 1; n <= header.TagCount(); ++n) {
    const TagEntry entry = header.Entry(n);
    TagHeader anchor;
    if (ReadTagHeader(file, entry.headerBlock, &anchor) != 0) continue;
    const TagDescription tag = DescribeTag(entry.name, anchor);
    if (AllTrim(tag.name).empty() || AllTrim(tag.keyExpression).empty()) continue;
    for (const std::string& line : TagListLines(tag)) lines->push_back(line);
  }
  return true;
}

}  // namespace pw
