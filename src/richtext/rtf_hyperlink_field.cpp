#include "richtext/rtf_hyperlink_field.h"

#include <QStringList>

namespace pw {
namespace {

// One word of a field instruction: a switch ("\o") or an argument, quoted
// or not. Inside quotes, \\ stands for a backslash and \" for a quote.
struct FieldWord {
  QString text;
  bool isSwitch = false;
};

QList<FieldWord> SplitFieldWords(const QString& instruction) {
  QList<FieldWord> words;
  qsizetype at = 0;
  const qsizetype size = instruction.size();
  while (at < size) {
    const QChar c = instruction[at];
    if (c.isSpace()) {
      ++at;
    } else if (c == u'"') {
      FieldWord word;
      for (++at; at < size && instruction[at] != u'"'; ++at) {
        if (instruction[at] == u'\\' && at + 1 < size) ++at;
        word.text += instruction[at];
      }
      ++at;  // the closing quote
      words.append(word);
    } else if (c == u'\\' && at + 1 < size) {
      words.append({QString(instruction[at + 1]).toLower(), true});
      at += 2;
    } else {
      FieldWord word;
      while (at < size && !instruction[at].isSpace() && instruction[at] != u'"') {
        word.text += instruction[at++];
      }
      words.append(word);
    }
  }
  return words;
}

QString Quoted(const QString& argument) {
  QString escaped = argument;
  escaped.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
  return u'"' + escaped + u'"';
}

}  // namespace

std::optional<HyperlinkField> ParseHyperlinkInstruction(const QString& instruction) {
  const QList<FieldWord> words = SplitFieldWords(instruction);
  if (words.isEmpty() || words[0].isSwitch ||
      words[0].text.compare(QStringLiteral("HYPERLINK"), Qt::CaseInsensitive) != 0) {
    return std::nullopt;
  }
  HyperlinkField link;
  QString bookmark;
  bool targetSeen = false;
  for (qsizetype i = 1; i < words.size(); ++i) {
    const FieldWord& word = words[i];
    const bool hasArgument = i + 1 < words.size() && !words[i + 1].isSwitch;
    if (!word.isSwitch) {
      if (!targetSeen) link.target = word.text;
      targetSeen = true;
    } else if (word.text == u"l" && hasArgument) {
      bookmark = words[++i].text;
    } else if (word.text == u"o" && hasArgument) {
      link.toolTip = words[++i].text;
    } else if (word.text == u"t" && hasArgument) {
      ++i;  // the frame a browser opens the target in
    }
  }
  if (!bookmark.isEmpty()) link.target += u'#' + bookmark;
  if (link.target.isEmpty()) return std::nullopt;
  return link;
}

QString HyperlinkInstruction(const HyperlinkField& link) {
  QString instruction = QStringLiteral("HYPERLINK ");
  if (link.target.startsWith(u'#')) {
    instruction += QStringLiteral("\\l ") + Quoted(link.target.mid(1));
  } else {
    instruction += Quoted(link.target);
  }
  if (!link.toolTip.isEmpty()) instruction += QStringLiteral(" \\o ") + Quoted(link.toolTip);
  return instruction;
}

}  // namespace pw
