// The lists of a document as the RTF writer numbers them. QTextDocument keeps
// each level of a nested list as a QTextList of its own (indent 1, 2, ...);
// RTF has one list (\lsN) whose paragraphs name their level (\ilvlN), each
// level with its own numbering. A list starts a new \lsN unless it is a
// deeper level that follows an item of the current one and its style agrees
// with what that level already has.
#pragma once

#include <QHash>
#include <QTextListFormat>
#include <array>
#include <vector>

#include "richtext/rtf_list_style.h"

class QTextBlock;
class QTextDocument;
class QTextList;

namespace pw {

class RtfWriterLists {
 public:
  using Levels = std::array<QTextListFormat::Style, kRtfListLevels>;

  explicit RtfWriterLists(const QTextDocument& document);

  // The style of every level of every list, list 1 first. Levels no
  // paragraph uses repeat the nearest used level above them.
  const std::vector<Levels>& Lists() const { return lists_; }
  // The \lsN (1 and up) of `list`, a list of the document.
  int NumberOf(const QTextList& list) const { return numbers_.value(&list); }
  // The \ilvlN of the items of `list`.
  static int LevelOf(const QTextList& list);

 private:
  std::vector<Levels> lists_;
  QHash<const QTextList*, int> numbers_;
};

}  // namespace pw
