// Short texts that describe what RTF tests compare: the list membership of
// every paragraph, and every link.
#pragma once

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <string>

namespace pw::test {

// "text: style/indent item" for a list item (QTextListFormat styles: -1 disc,
// -2 circle, -3 square, -4 decimal, -5/-6 small/capital letters, -7/-8
// small/capital Roman), "text" for other paragraphs, one a line. The text is
// trimmed.
inline std::string ListSummary(const QTextDocument& document) {
  std::string summary;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    summary += block.text().trimmed().toStdString();
    if (const QTextList* list = block.textList()) {
      summary += ": " + std::to_string(list->format().style()) + "/" +
                 std::to_string(list->format().indent()) + " " +
                 list->itemText(block).toStdString();
    }
    summary += "\n";
  }
  return summary;
}

// "text -> target [tip]" for every run of linked text, in order, one a line.
inline std::string LinkSummary(const QTextDocument& document) {
  QStringList links;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat format = it.fragment().charFormat();
      if (format.anchorHref().isEmpty()) continue;
      QString link = it.fragment().text() + " -> " + format.anchorHref();
      if (!format.toolTip().isEmpty()) link += " [" + format.toolTip() + "]";
      links.append(link);
    }
  }
  return links.join("\n").toStdString();
}

}  // namespace pw::test
