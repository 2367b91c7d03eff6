// The glyphs of a note window's caption buttons: small black shapes on white,
// drawn here pixel by pixel. The window recolours each shape to its title
// font colour by filling it from a test point that lies on the shape.
#pragma once

#include <QImage>
#include <QPoint>

class QColor;

namespace pw {

enum class NoteButtonGlyph {
  Menu,      // MenuButton: a downward triangle
  Collapse,  // CloseUpButton: an upward chevron
  Expand,    // ExpandButton: a downward chevron
  Hide,      // ExitButton: a cross
};

// A new black-on-white glyph in Format_RGB32.
QImage MakeNoteButtonGlyph(NoteButtonGlyph glyph);

// The point of the glyph whose colour decides whether it is recoloured; it lies on the black
// shape of a new glyph.
QPoint GlyphTestPoint(NoteButtonGlyph glyph);

// When the pixel of `glyph` (a 32-bit image) at `testPoint` is black: fills every non-white
// pixel 4-connected to it with `color` and returns true. Otherwise changes nothing and returns
// false, so a glyph already recoloured keeps its colour.
bool RecolorGlyph(QImage& glyph, QPoint testPoint, const QColor& color);

}  // namespace pw
