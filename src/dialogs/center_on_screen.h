// Placing a dialog in the middle of the screen's available area.
#pragma once

class QWidget;

namespace pw {

// Moves the top-level `window` so that it is centred on the primary screen; does nothing
// without a screen.
void CenterOnScreen(QWidget& window);

}  // namespace pw
