// The program's logo: the program's icon beside its name. Used at the top of
// the about box and the configuration dialog.
#pragma once

#include <QPixmap>

namespace pw {

// The logo at `width` x `height` device-independent pixels.
QPixmap ProgramLogo(int width, int height, qreal devicePixelRatio = 1.0);

}  // namespace pw
