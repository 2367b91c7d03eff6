#include "desktop/note_button_glyphs.h"

#include <QColor>
#include <span>
#include <string_view>
#include <vector>

namespace pw {
namespace {

// '#' is a black pixel, '.' a white one. Each shape is one 4-connected area so that a single
// fill recolours all of it.
constexpr std::string_view kMenuRows[] = {
    "###########",  //
    ".#########.",  //
    "..#######..",  //
    "...#####...",  //
    "....###....",  //
    ".....#.....",  //
};

constexpr std::string_view kCollapseRows[] = {
    "....#....",  //
    "...###...",  //
    "..##.##..",  //
    ".##...##.",  //
    "##.....##",  //
};

constexpr std::string_view kExpandRows[] = {
    "##.....##",  //
    ".##...##.",  //
    "..##.##..",  //
    "...###...",  //
    "....#....",  //
};

constexpr std::string_view kHideRows[] = {
    "##....##",  //
    ".##..##.",  //
    "..####..",  //
    "...##...",  //
    "..####..",  //
    ".##..##.",  //
    "##....##",  //
};

struct GlyphDrawing {
  std::span<const std::string_view> rows;
  QPoint testPoint;
};

GlyphDrawing DrawingOf(NoteButtonGlyph glyph) {
  switch (glyph) {
    case NoteButtonGlyph::Menu:
      return {kMenuRows, QPoint(4, 4)};
    case NoteButtonGlyph::Collapse:
      return {kCollapseRows, QPoint(2, 2)};
    case NoteButtonGlyph::Expand:
      return {kExpandRows, QPoint(1, 1)};
    case NoteButtonGlyph::Hide:
      return {kHideRows, QPoint(3, 3)};
  }
  Q_UNREACHABLE();
}

constexpr QRgb kBlack = 0x000000;
constexpr QRgb kWhite = 0xFFFFFF;

// The colour of a pixel without its alpha.
QRgb ColourAt(const QImage& image, QPoint point) {
  return image.pixel(point) & RGB_MASK;
}

}  // namespace

QImage MakeNoteButtonGlyph(NoteButtonGlyph glyph) {
  const std::span<const std::string_view> rows = DrawingOf(glyph).rows;
  QImage image(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()),
               QImage::Format_RGB32);
  image.fill(Qt::white);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (rows[y][x] == '#') image.setPixel(x, y, qRgb(0, 0, 0));
    }
  }
  return image;
}

QPoint GlyphTestPoint(NoteButtonGlyph glyph) {
  return DrawingOf(glyph).testPoint;
}

bool RecolorGlyph(QImage& glyph, QPoint testPoint, const QColor& color) {
  if (!glyph.valid(testPoint) || ColourAt(glyph, testPoint) != kBlack) return false;
  const QRgb fill = color.rgb();
  const auto indexOf = [&glyph](QPoint point) {
    return static_cast<size_t>(point.y()) * glyph.width() + point.x();
  };
  std::vector<bool> reached(static_cast<size_t>(glyph.width()) * glyph.height());
  std::vector<QPoint> pending{testPoint};
  reached[indexOf(testPoint)] = true;
  while (!pending.empty()) {
    const QPoint point = pending.back();
    pending.pop_back();
    glyph.setPixel(point, fill);
    for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
      const QPoint next = point + step;
      if (!glyph.valid(next) || reached[indexOf(next)] || ColourAt(glyph, next) == kWhite) continue;
      reached[indexOf(next)] = true;
      pending.push_back(next);
    }
  }
  return true;
}

}  // namespace pw
