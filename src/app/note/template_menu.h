// The menus that offer the templates by number: the tray's, the "New Note"
// submenus of the tray and of every note window.
#pragma once

#include <QString>

class QMenu;

namespace pw {

inline constexpr int kTemplateCount = 10;

// Ten items "Template 1" .. "Template 10" named `namePrefix` + number, each
// holding its template number as data.
void AddTemplateMenuItems(QMenu* menu, const QString& namePrefix);

}  // namespace pw
