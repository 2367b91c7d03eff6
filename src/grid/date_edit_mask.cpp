#include "grid/date_edit_mask.h"

#include <QStringList>

namespace pw {

namespace {

// Date format code whose layout puts the year first.
constexpr int kYearFirstCode = 1;

}  // namespace

QString DateEditMask(int formatCode, bool century) {
  const QString year = century ? QStringLiteral("9999") : QStringLiteral("99");
  const QString layout = formatCode == kYearFirstCode ? year + QStringLiteral("/99/99")
                                                      : QStringLiteral("99/99/") + year;
  return layout + QStringLiteral(";1; ");
}

QString InputMaskOf(const QString& editMask) {
  const QStringList parts = editMask.split(';');
  const QString blank = parts.size() > 2 && !parts[2].isEmpty() ? parts[2].left(1) : QString(' ');
  return parts.first() + ';' + blank;
}

}  // namespace pw
