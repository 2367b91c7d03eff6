// One column of a DataGrid: the field it shows and how it shows it.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <optional>

namespace pw {

struct GridFont {
  QFont font;
  QColor color;  // invalid: the grid's text colour
};

struct GridColumn {
  QString fieldName{};
  QString title{};
  int width = -1;  // -1: the view's default width
  Qt::Alignment alignment = Qt::AlignLeft;
  QColor color{};  // background; invalid: the grid's base colour
  std::optional<GridFont> font{};
  bool readOnly = false;
  QColor titleColor{};
  Qt::Alignment titleAlignment = Qt::AlignLeft;
  std::optional<GridFont> titleFont{};
  // Empty: a date column gets the grid's date mask.
  QString editMask{};
  // Logical fields: "true text;false text"; empty: "true" and "false".
  QString displayValues{};
};

}  // namespace pw
