// Whole numbers typed into the edits of a dialog, read as a lenient reader
// of numbers does: the leading digits count and the rest is ignored.
#pragma once

#include <QString>

namespace pw {

// The number formed by the digits at the start of `text` (after leading
// blanks and an optional "+" or "-"); 0 when there is none. Numbers beyond
// int are held at its limits.
int LeadingWholeNumber(const QString& text);

}  // namespace pw
