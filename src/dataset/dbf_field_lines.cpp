#include "dataset/dbf_field_lines.h"

#include <algorithm>

#include "dataset/engine_text.h"

namespace pw {
namespace {

constexpr int kMaxNameLength = 10;
constexpr int kMaxNumericWidth = 20;
constexpr int kMaxNumericDecimals = 18;
constexpr int kMaxCharacterWidth = 254;

// Blanks and control characters (below 33) off both ends.
QString TrimPart(const QString& part) {
  qsizetype begin = 0;
  qsizetype end = part.size();
  while (begin < end && part.at(begin).unicode() < 33) ++begin;
  while (end > begin && part.at(end - 1).unicode() < 33) --end;
  return part.mid(begin, end - begin);
}

bool SameField(const DbfFieldLine& a, const DbfFieldLine& b) {
  return a.name == b.name && a.type == b.type && a.width == b.width && a.decimals == b.decimals;
}

QString Written(const DbfFieldLine& field) {
  return QStringLiteral("%1,%2,%3,%4")
      .arg(field.name, field.type)
      .arg(field.width)
      .arg(field.decimals);
}

}  // namespace

bool ParseDbfFieldLine(const QString& line, DbfFieldLine* field) {
  const QStringList parts = line.split(QLatin1Char(','));
  if (parts.size() != 4) return false;
  field->name = TrimPart(parts[0]).left(kMaxNameLength);
  field->type = TrimPart(parts[1]).left(1);
  field->width = TrimPart(parts[2]).toInt();
  field->decimals = TrimPart(parts[3]).toInt();
  return true;
}

DbfFieldLine CorrectedDbfField(const DbfFieldLine& field) {
  DbfFieldLine out = field;
  const QString type = field.type.toUpper();
  if (type == "B" || type == "G" || type == "P") {
    out.type = QStringLiteral("M");
  } else if (type.isEmpty() || !QStringLiteral("CDFLMN").contains(type)) {
    out.type = QStringLiteral("C");
  }
  if (out.type.toUpper() == "N") {
    out.width = std::min(out.width, kMaxNumericWidth);
    out.decimals = std::min(out.decimals, kMaxNumericDecimals);
    if (out.decimals > 0 && out.width - out.decimals < 2) out.decimals = std::max(0, out.width - 2);
  }
  // Widths beyond 254 do not fit the descriptor's length byte and the
  // dBASE limit for character fields.
  if (out.type.toUpper() == "C" && out.width > kMaxCharacterWidth) {
    out.width = kMaxCharacterWidth;
    out.decimals = 0;
  }
  return out;
}

QString FieldCorrectionWarning(const QString& component, const DbfFieldLine& written,
                               const DbfFieldLine& corrected) {
  return QStringLiteral("Invalid field definition for %1: %2. Will use corrected definition: %3")
      .arg(component, Written(written), Written(corrected));
}

bool DbfFieldDefs(const QStringList& lines, const QString& component, std::vector<FieldDef>* defs,
                  QStringList* warnings) {
  std::vector<DbfFieldLine> parsed;
  for (const QString& line : lines) {
    DbfFieldLine field;
    if (!ParseDbfFieldLine(line, &field)) return false;
    if (field.type.toUpper() != "X") parsed.push_back(field);
  }
  defs->clear();
  for (const DbfFieldLine& field : parsed) {
    const DbfFieldLine corrected = CorrectedDbfField(field);
    if (!SameField(field, corrected)) {
      warnings->append(FieldCorrectionWarning(component, field, corrected));
    }
    FieldDef def;
    def.name = ToEngineText(corrected.name.toUpper());
    def.type = ToEngineText(corrected.type.toUpper()).front();
    def.length = static_cast<std::uint8_t>(std::clamp(corrected.width, 0, 255));
    def.decimals = static_cast<std::uint8_t>(std::clamp(corrected.decimals, 0, 255));
    defs->push_back(def);
  }
  return true;
}

}  // namespace pw
