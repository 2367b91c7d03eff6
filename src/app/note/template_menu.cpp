#include "app/note/template_menu.h"

#include <QAction>
#include <QMenu>

namespace pw {

void AddTemplateMenuItems(QMenu* menu, const QString& namePrefix) {
  for (int number = 1; number <= kTemplateCount; ++number) {
    QAction* item = menu->addAction(QStringLiteral("Template %1").arg(number));
    item->setObjectName(namePrefix + QString::number(number));
    item->setData(number);
  }
}

}  // namespace pw
