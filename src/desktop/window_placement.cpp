#include "desktop/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "desktop/placement_text.h"
#include "settings/config_keys.h"
#include "settings/ini_file.h"

namespace pw {
namespace {

PlacementRecord PlacementOf(const QWidget& window) {
  PlacementRecord record;
  const Qt::WindowStates state = window.windowState();
  if (state & Qt::WindowMinimized) {
    record.showCommand = PlacementRecord::kShowMinimized;
    if (state & Qt::WindowMaximized) record.flags = PlacementRecord::kRestoreToMaximized;
  } else if (state & Qt::WindowMaximized) {
    record.showCommand = PlacementRecord::kShowMaximized;
  }
  const QRect normal = window.normalGeometry();
  record.left = normal.left();
  record.top = normal.top();
  record.right = normal.left() + normal.width();
  record.bottom = normal.top() + normal.height();
  return record;
}

// A placement saved on a desktop with other screens may lie where no screen
// is now.
bool OnSomeScreen(const QRect& rect) {
  for (const QScreen* screen : QGuiApplication::screens()) {
    if (screen->availableGeometry().intersects(rect)) return true;
  }
  return false;
}

}  // namespace

WindowPlacement::WindowPlacement(QWidget* owner)
    : QObject(owner),
      owner_(owner),
      iniFileName_(QStringLiteral("DIMWIN.INI")),
      entry_(owner->objectName().isEmpty() ? QString::fromLatin1(owner->metaObject()->className())
                                           : owner->objectName()) {}

bool WindowPlacement::Save(QString* error) const {
  if (iniFileName_.isEmpty() || !owner_) return true;
  IniFile file(iniFileName_);
  if (file.WriteString(config::kScreensSection, entry_.toStdString(),
                       FormatPlacement(PlacementOf(*owner_))))
    return true;
  *error = file.ErrorString();
  return false;
}

void WindowPlacement::Restore() const {
  if (iniFileName_.isEmpty() || !owner_) return;
  const std::string text = IniFile(iniFileName_)
                               .ReadString(config::kScreensSection, entry_.toStdString(), "")
                               .substr(0, kPlacementTextLength);
  const PlacementRecord record = ParsePlacement(text);
  if (text.empty() || record.left >= record.right || !OnSomeScreen(record.NormalRect())) return;
  owner_->setGeometry(record.NormalRect());
  const Qt::WindowStates state = owner_->windowState() & ~Qt::WindowMinimized;
  owner_->setWindowState(record.OpensMaximized() ? state | Qt::WindowMaximized
                                                 : state & ~Qt::WindowMaximized);
}

}  // namespace pw
