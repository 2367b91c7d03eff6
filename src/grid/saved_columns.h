// The stored column layout "savedColumns": a list of entries "key=value".
// "cvColumn=n" makes the entries after it apply to column n (counted from
// 0; columns are added up to n); the other keys set one property of that
// column:
//
//   cvColorStr, cvTitleColorStr          colour (an identifier such as clRed,
//                                        $00BBGGRR, or a decimal 0x00BBGGRR)
//   cvWidthStr                           width in pixels
//   cvFontStr, cvTitleFontStr            font: name,colour,flags; flags hold
//                                        the size in the low byte and 0x100
//                                        bold, 0x200 italic, 0x400 underline,
//                                        0x800 strike-out
//   cvAlignmentStr, cvTitleAlignmentStr  taLeftJustify, taRightJustify,
//                                        taCenter (anything else: left)
//   cvReadOnlyStr                        TRUE in any case: read-only
//   cvTitleCaptionStr                    the title
//   cvFieldNameStr                       the field shown
//
// The layout is written as an empty list.
#pragma once

#include <QList>
#include <QStringList>

#include "grid/grid_column.h"

namespace pw {

// Reads `entries` into `columns`. Columns that hold just one column without
// field name and title are cleared first.
void ReadSavedColumns(const QStringList& entries, QList<GridColumn>& columns);

// What the grid writes for its layout.
inline QStringList SavedColumnsToWrite() {
  return {};
}

// A colour value of the layout; invalid when it is not one.
QColor ColorOfIdentifier(const QString& text);

}  // namespace pw
