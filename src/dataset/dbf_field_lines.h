// The DbfFields property: one line per field, "name, type, width, decimals"
// (blanks around the parts optional). Lines of type "X" are left out; every
// other definition is corrected before the table is created:
//   B, G, P        become M
//   not C D F L M N  becomes C
//   N              width at most 20, decimals at most 18, and at least two
//                  places before the decimals when there are decimals
//   C              width at most 254 (decimals 0)
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "engine/table/field_def.h"

namespace pw {

struct DbfFieldLine {
  QString name;  // at most 10 characters, as written
  QString type;  // one character (empty when the part was empty)
  int width = 0;
  int decimals = 0;
};

// Splits one line; false unless it holds exactly three commas.
bool ParseDbfFieldLine(const QString& line, DbfFieldLine* field);

// The corrected definition (equal to `field` when nothing needed changing).
DbfFieldLine CorrectedDbfField(const DbfFieldLine& field);

// "Invalid field definition for <component>: <as written>. Will use
// corrected definition: <corrected>".
QString FieldCorrectionWarning(const QString& component, const DbfFieldLine& written,
                               const DbfFieldLine& corrected);

// The field definitions of all lines, "X" lines left out; a warning is added
// for every corrected definition. False (nothing filled) when a line does
// not hold exactly three commas.
bool DbfFieldDefs(const QStringList& lines, const QString& component, std::vector<FieldDef>* defs,
                  QStringList* warnings);

}  // namespace pw
