#include "desktop/program_icon.h"

#include <QString>

namespace pw {

QIcon ProgramIcon() {
  QIcon icon;
  for (const int size : kProgramIconSizes) {
    icon.addFile(QStringLiteral(":/icons/%1x%1/apps/paperwisp.png").arg(size), QSize(size, size));
  }
  return icon;
}

}  // namespace pw
