// The customised templates - those whose name is no longer the reset text
// "Template <n> - Not Set" - that the template menus offer and that get a
// board in the Notes & Reminders window, and the filter that lists the notes
// made from template n.
#pragma once

#include <QList>
#include <QString>

namespace pw {

class DbfTable;

struct TemplateBoard {
  int number = 0;  // the template's record number, 1 .. 10
  QString caption;
};

// The templates whose name is set, in record order (record i is template i);
// the index order of `templates` is kept.
QList<TemplateBoard> CustomisedTemplates(DbfTable& templates);

// NOTEBOARD holds the template number as text; "=" would be "begins with"
// (board 1 would list template 10's notes), so the trimmed field is
// compared exactly.
QString BoardFilter(int number);

}  // namespace pw
