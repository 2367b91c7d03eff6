// The template boards of the Notes & Reminders window: one page for each
// template whose name is no longer its reset text "Template <n> - Not Set",
// and the filter that lists the notes made from template n.
#pragma once

#include <QList>
#include <QString>

namespace pw {

class TTzDbf;

struct TemplateBoard {
  int number = 0;  // the template's record number, 1 .. 10
  QString caption;
};

// Walks `templates` from its first record; the i-th record is template i.
QList<TemplateBoard> CustomisedTemplates(TTzDbf& templates);

// NOTEBOARD holds the template number as text; "=" would be "begins with"
// (board 1 would list template 10's notes), so the trimmed field is
// compared exactly.
QString BoardFilter(int number);

}  // namespace pw
