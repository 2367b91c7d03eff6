#include "dataset/index_list_lines.h"

#include "dataset/engine_text.h"

namespace pw {
namespace {

constexpr qsizetype kMaxTagName = 10;
constexpr qsizetype kMaxExpression = 220;

}  // namespace

std::vector<TagDescription> IndexListTags(const QStringList& lines) {
  std::vector<TagDescription> tags;
  const qsizetype pairs = lines.size() / 2;
  for (qsizetype i = 0; i < pairs; ++i) {
    const QString& line = lines[2 * i];
    const qsizetype first = line.indexOf(QLatin1Char(','));
    const qsizetype second = first < 0 ? -1 : line.indexOf(QLatin1Char(','), first + 1);
    const qsizetype third = second < 0 ? -1 : line.indexOf(QLatin1Char(','), second + 1);
    if (third < 0) continue;
    TagDescription tag;
    tag.name = ToEngineText(line.left(std::min(first, kMaxTagName)));
    tag.descending = line.mid(first + 1, second - first - 1) == QLatin1String("T");
    tag.unique = line.mid(second + 1, third - second - 1) == QLatin1String("T");
    tag.keyExpression = ToEngineText(line.mid(third + 1).left(kMaxExpression));
    tag.forExpression = ToEngineText(lines[2 * i + 1].left(kMaxExpression));
    tags.push_back(tag);
  }
  return tags;
}

bool SameIndexList(const QStringList& wanted, const std::vector<std::string>& stored) {
  if (static_cast<std::size_t>(wanted.size()) != stored.size()) return false;
  for (std::size_t i = 0; i < stored.size(); ++i) {
    if (wanted[static_cast<qsizetype>(i)].compare(FromEngineText(stored[i]), Qt::CaseInsensitive) !=
        0) {
      return false;
    }
  }
  return true;
}

}  // namespace pw
