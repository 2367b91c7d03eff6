#include "grid/saved_columns.h"

#include <QHash>
#include <cstdint>

#include "settings/windows_color.h"

namespace pw {

namespace {

constexpr int kSizeMask = 0xFF;
constexpr int kBold = 0x100;
constexpr int kItalic = 0x200;
constexpr int kUnderline = 0x400;
constexpr int kStrikeOut = 0x800;

Qt::Alignment AlignmentOfName(const QString& name) {
  if (name.compare(QLatin1String("taRightJustify"), Qt::CaseInsensitive) == 0) {
    return Qt::AlignRight;
  }
  if (name.compare(QLatin1String("taCenter"), Qt::CaseInsensitive) == 0) return Qt::AlignHCenter;
  return Qt::AlignLeft;
}

GridFont FontOfValue(const QString& value) {
  const QStringList parts = value.split(',');
  GridFont result;
  result.font.setFamily(parts.value(0).trimmed());
  result.color = ColorOfIdentifier(parts.value(1).trimmed());
  bool numeric = false;
  const int flags = parts.value(2).trimmed().toInt(&numeric);
  if (!numeric) return result;
  if ((flags & kSizeMask) > 0) result.font.setPointSize(flags & kSizeMask);
  result.font.setBold((flags & kBold) != 0);
  result.font.setItalic((flags & kItalic) != 0);
  result.font.setUnderline((flags & kUnderline) != 0);
  result.font.setStrikeOut((flags & kStrikeOut) != 0);
  return result;
}

void ApplyEntry(const QString& key, const QString& value, GridColumn& column) {
  if (key == QLatin1String("cvColorStr")) {
    column.color = ColorOfIdentifier(value);
  } else if (key == QLatin1String("cvWidthStr")) {
    bool numeric = false;
    const int width = value.toInt(&numeric);
    if (numeric && width >= 0) column.width = width;
  } else if (key == QLatin1String("cvFontStr")) {
    column.font = FontOfValue(value);
  } else if (key == QLatin1String("cvAlignmentStr")) {
    column.alignment = AlignmentOfName(value);
  } else if (key == QLatin1String("cvReadOnlyStr")) {
    column.readOnly = value.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0;
  } else if (key == QLatin1String("cvTitleColorStr")) {
    column.titleColor = ColorOfIdentifier(value);
  } else if (key == QLatin1String("cvTitleCaptionStr")) {
    column.title = value;
  } else if (key == QLatin1String("cvTitleAlignmentStr")) {
    column.titleAlignment = AlignmentOfName(value);
  } else if (key == QLatin1String("cvTitleFontStr")) {
    column.titleFont = FontOfValue(value);
  } else if (key == QLatin1String("cvFieldNameStr")) {
    column.fieldName = value;
  }
}

}  // namespace

QColor ColorOfIdentifier(const QString& text) {
  static const QHash<QString, unsigned> kNamed = {
      {"clblack", 0x000000},  {"clmaroon", 0x000080},  {"clgreen", 0x008000},
      {"clolive", 0x008080},  {"clnavy", 0x800000},    {"clpurple", 0x800080},
      {"clteal", 0x808000},   {"clgray", 0x808080},    {"clsilver", 0xC0C0C0},
      {"clred", 0x0000FF},    {"cllime", 0x00FF00},    {"clyellow", 0x00FFFF},
      {"clblue", 0xFF0000},   {"clfuchsia", 0xFF00FF}, {"claqua", 0xFFFF00},
      {"clwhite", 0xFFFFFF},  {"clwindow", 0xFFFFFF},  {"clwindowtext", 0x000000},
      {"clbtnface", 0xC0C0C0}};
  const QString name = text.trimmed().toLower();
  if (const auto found = kNamed.constFind(name); found != kNamed.constEnd()) {
    return ColorOfWindowsValue(static_cast<std::int32_t>(*found));
  }
  bool numeric = false;
  const unsigned value =
      name.startsWith('$') ? name.mid(1).toUInt(&numeric, 16) : name.toUInt(&numeric, 10);
  return numeric ? ColorOfWindowsValue(static_cast<std::int32_t>(value)) : QColor();
}

void ReadSavedColumns(const QStringList& entries, QList<GridColumn>& columns) {
  if (columns.size() == 1 && columns.first().fieldName.isEmpty() &&
      columns.first().title.isEmpty()) {
    columns.clear();
  }
  int current = -1;
  for (const QString& entry : entries) {
    const qsizetype equals = entry.indexOf('=');
    if (equals < 0) continue;
    const QString key = entry.left(equals).trimmed();
    const QString value = entry.mid(equals + 1);
    if (key == QLatin1String("cvColumn")) {
      bool numeric = false;
      const int column = value.trimmed().toInt(&numeric);
      current = numeric && column >= 0 ? column : -1;
      while (current >= 0 && columns.size() <= current) columns.append(GridColumn{});
      continue;
    }
    if (current >= 0) ApplyEntry(key, value, columns[current]);
  }
}

}  // namespace pw
