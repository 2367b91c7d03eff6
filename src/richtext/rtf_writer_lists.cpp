#include "richtext/rtf_writer_lists.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <algorithm>

namespace pw {

int RtfWriterLists::LevelOf(const QTextList& list) {
  return std::clamp(list.format().indent() - 1, 0, kRtfListLevels - 1);
}

RtfWriterLists::RtfWriterLists(const QTextDocument& document) {
  int current = 0;         // the \lsN of the last item
  bool afterItem = false;  // the previous paragraph is that item
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    const QTextList* list = block.textList();
    if (list == nullptr) {
      afterItem = false;
      continue;
    }
    if (!numbers_.contains(list)) {
      const int level = LevelOf(*list);
      const QTextListFormat::Style style = list->format().style();
      const auto levelAgrees = [&] {
        const QTextListFormat::Style known = lists_[current - 1][level];
        return known == QTextListFormat::ListStyleUndefined || known == style;
      };
      if (!afterItem || level == 0 || !levelAgrees()) {
        Levels levels;
        levels.fill(QTextListFormat::ListStyleUndefined);
        lists_.push_back(levels);
        current = static_cast<int>(lists_.size());
      }
      lists_[current - 1][level] = style;
      numbers_.insert(list, current);
    }
    current = numbers_.value(list);
    afterItem = true;
  }
  for (Levels& levels : lists_) {
    QTextListFormat::Style above = QTextListFormat::ListDisc;
    for (QTextListFormat::Style& style : levels) {
      if (style == QTextListFormat::ListStyleUndefined) style = above;
      above = style;
    }
  }
}

}  // namespace pw
