// Dialog controls are found by their names (tests, the accessibility
// tree); this gives a new control its name where it is made.
#pragma once

#include <QString>

namespace pw {

template <class Widget>
Widget* Named(const char* name, Widget* widget) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

}  // namespace pw
