#include "desktop/program_icon.h"

#include <QString>

namespace pw {

namespace {

QIcon ProgramIconUpTo(int largest) {
  QIcon icon;
  for (const int size : kProgramIconSizes) {
    if (size > largest) break;
    icon.addFile(QStringLiteral(":/icons/%1x%1/apps/paperwisp.png").arg(size), QSize(size, size));
  }
  return icon;
}

}  // namespace

QIcon ProgramIcon() {
  return ProgramIconUpTo(kProgramIconSizes.back());
}

QIcon SmallProgramIcon() {
  // One shared icon: its pixmaps are loaded once for all the notes.
  static const QIcon icon = ProgramIconUpTo(kSmallProgramIconLimit);
  return icon;
}

}  // namespace pw
