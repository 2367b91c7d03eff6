// What a tag is built from: its name, key and FOR expression texts and its
// direction and uniqueness, and the two-line text form in which a table's
// index list names its tags:
//
//   NAME,D,U,key expression     D descending, U unique: "T" true, else false
//   FOR expression              empty for none
#pragma once

#include <string>
#include <vector>

namespace pw {

struct TagDescription {
  std::string name;
  std::string keyExpression;
  std::string forExpression;  // empty for none
  bool descending = false;
  bool unique = false;
  // For a rebuild: the stored length of a C key, kept unless the current
  // record's key is longer (a key such as TRIM(LAST)+FIRST is stored at the
  // full width of its fields); 0 takes the length from the current record.
  int keyLength = 0;
};

// The two lines of one tag: "NAME,F,F,key" and the FOR expression.
std::vector<std::string> TagListLines(const TagDescription& tag);

// Tag descriptions from pairs of lines; a missing FOR line counts as empty,
// and a pair whose first line has fewer than three commas is skipped.
std::vector<TagDescription> ParseTagList(const std::vector<std::string>& lines);

}  // namespace pw
