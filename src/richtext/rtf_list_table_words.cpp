// The list table and the list override table: a paragraph's \lsN names a
// \listoverride, whose \listid names a \list of the list table; the
// paragraph's \ilvlN picks one of that list's nine \listlevel entries, whose
// \levelnfc (and, for bullets, \leveltext) gives the list style.
//   {\*\listtable{\list{\listlevel\levelnfc23{\leveltext\'01\u8226 ?;}...}...\listid7}}
//   {\*\listoverridetable{\listoverride\listid7\listoverridecount0\ls1}}
#include <algorithm>

#include "richtext/rtf_interpreter.h"

namespace pw::rtf {

void RtfInterpreter::HandleListTableWord(const QByteArray& word, int parameter) {
  switch (State().destination) {
    case Destination::kList:
      if (word == "listid") listId_ = parameter;
      return;
    case Destination::kListLevel:
      if (word == "levelnfc" || word == "levelnfcn") levelNumbering_ = parameter;
      return;
    case Destination::kListOverride:
      if (word == "listid") overrideListId_ = parameter;
      if (word == "ls") overrideNumber_ = parameter;
      return;
    default:
      return;
  }
}

void RtfInterpreter::CommitListLevel() {
  if (listLevelCount_ < kRtfListLevels) {
    listLevels_[listLevelCount_] = ListStyleOfLevel(levelNumbering_, levelText_);
  }
  ++listLevelCount_;
  levelNumbering_ = -1;
  levelText_.clear();
}

void RtfInterpreter::CommitList() {
  if (lists_.size() < kMaxTableEntries) lists_.insert(listId_, listLevels_);
  listLevels_.fill(QTextListFormat::ListStyleUndefined);
  listLevelCount_ = 0;
  listId_ = 0;
}

void RtfInterpreter::CommitListOverride() {
  if (overrideNumber_ > 0 && listOverrides_.size() < kMaxTableEntries) {
    listOverrides_.insert(overrideNumber_, overrideListId_);
  }
  overrideListId_ = overrideNumber_ = 0;
}

QTextListFormat::Style RtfInterpreter::ListTableStyle(int listOverride, int level) const {
  auto override = listOverrides_.constFind(listOverride);
  if (override == listOverrides_.constEnd()) return QTextListFormat::ListStyleUndefined;
  auto list = lists_.constFind(*override);
  if (list == lists_.constEnd()) return QTextListFormat::ListStyleUndefined;
  return (*list)[std::clamp(level, 0, kMaxListLevel)];
}

}  // namespace pw::rtf
