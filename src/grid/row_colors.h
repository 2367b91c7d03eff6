// The seven colours a grid paints one row with; the row-colour hook may
// change any of them.
#pragma once

#include <QColor>

namespace pw {

struct RowColors {
  QColor indicator;  // the row indicator column
  QColor cell;       // background of a cell
  QColor cellText;
  QColor hilite;  // background of a selected cell
  QColor hiliteText;
  QColor deleted;  // background of a record marked deleted
  QColor deletedText;
};

}  // namespace pw
