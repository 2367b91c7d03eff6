#include "engine/index/tag_description.h"

#include "common/text_routines.h"

namespace pw {
namespace {

const char* Flag(bool on) {
  return on ? "T" : "F";
}

}  // namespace

std::vector<std::string> TagListLines(const TagDescription& tag) {
  return {AllTrim(tag.name) + "," + Flag(tag.descending) + "," + Flag(tag.unique) + "," +
              AllTrim(tag.keyExpression),
          tag.forExpression};
}

std::vector<TagDescription> ParseTagList(const std::vector<std::string>& lines) {
  std::vector<TagDescription> tags;
  for (std::size_t i = 0; i < lines.size(); i += 2) {
    const std::string& line = lines[i];
    const std::size_t first = line.find(',');
    const std::size_t second = first == std::string::npos ? first : line.find(',', first + 1);
    const std::size_t third = second == std::string::npos ? second : line.find(',', second + 1);
    if (third == std::string::npos) continue;
    TagDescription tag;
    tag.name = line.substr(0, first);
    tag.descending = line.substr(first + 1, second - first - 1) == "T";
    tag.unique = line.substr(second + 1, third - second - 1) == "T";
    tag.keyExpression = line.substr(third + 1);
    if (i + 1 < lines.size()) tag.forExpression = lines[i + 1];
    tags.push_back(tag);
  }
  return tags;
}

}  // namespace pw
