// The colours an imported note may take: the note window's light yellow and
// the pastel set other notes programs offer. A source's colour becomes the
// nearest of them, so imported notes look like notes made here.
#pragma once

#include <QColor>
#include <cstdint>

namespace pw {

// The Windows colour value (0x00BBGGRR) of the palette colour nearest to
// `color`; the default light yellow when `color` is invalid.
std::int32_t NearestNoteColor(const QColor& color);

}  // namespace pw
