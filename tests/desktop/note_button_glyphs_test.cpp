#include "desktop/note_button_glyphs.h"

#include <gtest/gtest.h>

#include <QColor>
#include <string_view>

namespace pw {
namespace {

constexpr NoteButtonGlyph kAllGlyphs[] = {NoteButtonGlyph::Menu, NoteButtonGlyph::Collapse,
                                          NoteButtonGlyph::Expand, NoteButtonGlyph::Hide};

constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kRed = qRgb(200, 0, 0);

// An image drawn as rows: '#' black, 'g' grey, '.' white.
QImage ImageFromRows(std::initializer_list<std::string_view> rows) {
  QImage image(static_cast<int>(rows.begin()->size()), static_cast<int>(rows.size()),
               QImage::Format_RGB32);
  int y = 0;
  for (const std::string_view row : rows) {
    for (int x = 0; x < image.width(); ++x)
      image.setPixel(x, y, row[x] == '#' ? kBlack : row[x] == 'g' ? qRgb(128, 128, 128) : kWhite);
    ++y;
  }
  return image;
}

// Where `colour` is, one character a pixel: '#' for it, '.' for any other.
std::string PixelsOf(const QImage& image, QRgb colour) {
  std::string text;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) text += image.pixel(x, y) == colour ? '#' : '.';
    text += '\n';
  }
  return text;
}

TEST(NoteButtonGlyphsTest, GlyphsAreSmallerThanTheirButtons) {
  const QSize menu = MakeNoteButtonGlyph(NoteButtonGlyph::Menu).size();
  const QSize collapse = MakeNoteButtonGlyph(NoteButtonGlyph::Collapse).size();
  const QSize expand = MakeNoteButtonGlyph(NoteButtonGlyph::Expand).size();
  const QSize hide = MakeNoteButtonGlyph(NoteButtonGlyph::Hide).size();
  EXPECT_TRUE(menu.width() < 17 && menu.height() < 11) << menu.width() << "x" << menu.height();
  EXPECT_TRUE(collapse.width() < 14 && collapse.height() < 11);
  EXPECT_TRUE(expand.width() < 14 && expand.height() < 11);
  EXPECT_TRUE(hide.width() < 12 && hide.height() < 12);
}

TEST(NoteButtonGlyphsTest, GlyphsAreBlackOnWhite) {
  for (const NoteButtonGlyph glyph : kAllGlyphs) {
    const QImage image = MakeNoteButtonGlyph(glyph);
    int black = 0;
    int white = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        black += image.pixel(x, y) == kBlack;
        white += image.pixel(x, y) == kWhite;
      }
    }
    EXPECT_GT(black, 0);
    EXPECT_GT(white, 0);
    EXPECT_EQ(black + white, image.width() * image.height());
  }
}

TEST(NoteButtonGlyphsTest, TestPointsAreTheKnownOnesAndLieOnTheShape) {
  EXPECT_EQ(GlyphTestPoint(NoteButtonGlyph::Menu), QPoint(4, 4));
  EXPECT_EQ(GlyphTestPoint(NoteButtonGlyph::Expand), QPoint(1, 1));
  EXPECT_EQ(GlyphTestPoint(NoteButtonGlyph::Collapse), QPoint(2, 2));
  EXPECT_EQ(GlyphTestPoint(NoteButtonGlyph::Hide), QPoint(3, 3));
  for (const NoteButtonGlyph glyph : kAllGlyphs)
    EXPECT_EQ(MakeNoteButtonGlyph(glyph).pixel(GlyphTestPoint(glyph)), kBlack);
}

TEST(NoteButtonGlyphsTest, CollapseAndExpandPointOppositeWays) {
  const QImage collapse = MakeNoteButtonGlyph(NoteButtonGlyph::Collapse);
  EXPECT_EQ(MakeNoteButtonGlyph(NoteButtonGlyph::Expand), collapse.mirrored(false, true));
}

TEST(NoteButtonGlyphsTest, RecolouringFillsTheWholeShapeAndNotTheWhiteAroundIt) {
  for (const NoteButtonGlyph glyph : kAllGlyphs) {
    const QImage original = MakeNoteButtonGlyph(glyph);
    QImage image = original;
    EXPECT_TRUE(RecolorGlyph(image, GlyphTestPoint(glyph), QColor(kRed)));
    EXPECT_EQ(PixelsOf(image, kRed), PixelsOf(original, kBlack));
    EXPECT_EQ(PixelsOf(image, kWhite), PixelsOf(original, kWhite));
  }
}

TEST(NoteButtonGlyphsTest, ARecolouredGlyphKeepsItsColour) {
  for (const NoteButtonGlyph glyph : kAllGlyphs) {
    QImage image = MakeNoteButtonGlyph(glyph);
    ASSERT_TRUE(RecolorGlyph(image, GlyphTestPoint(glyph), QColor(kRed)));
    const QImage red = image;
    EXPECT_FALSE(RecolorGlyph(image, GlyphTestPoint(glyph), QColor(Qt::blue)));
    EXPECT_EQ(image, red);
  }
}

TEST(NoteButtonGlyphsTest, ATestPointOnWhiteChangesNothing) {
  const QImage original = MakeNoteButtonGlyph(NoteButtonGlyph::Hide);
  QImage image = original;
  ASSERT_EQ(image.pixel(3, 0), kWhite);
  EXPECT_FALSE(RecolorGlyph(image, QPoint(3, 0), QColor(kRed)));
  EXPECT_EQ(image, original);
}

TEST(NoteButtonGlyphsTest, ATestPointOutsideTheGlyphChangesNothing) {
  const QImage original = MakeNoteButtonGlyph(NoteButtonGlyph::Menu);
  QImage image = original;
  EXPECT_FALSE(RecolorGlyph(image, QPoint(image.width(), 0), QColor(kRed)));
  EXPECT_FALSE(RecolorGlyph(image, QPoint(-1, 0), QColor(kRed)));
  EXPECT_EQ(image, original);
}

TEST(NoteButtonGlyphsTest, OnlyTheTouchedShapeIsFilled) {
  QImage image = ImageFromRows({
      "##..##",
      "##..##",
      "......",
      "..#...",
      "...#..",
  });
  EXPECT_TRUE(RecolorGlyph(image, QPoint(4, 1), QColor(kRed)));
  EXPECT_EQ(PixelsOf(image, kRed),
            "....##\n"
            "....##\n"
            "......\n"
            "......\n"
            "......\n");
  EXPECT_EQ(PixelsOf(image, kBlack),
            "##....\n"
            "##....\n"
            "......\n"
            "..#...\n"
            "...#..\n");
}

TEST(NoteButtonGlyphsTest, PixelsTouchingOnlyAtACornerAreSeparateShapes) {
  QImage image = ImageFromRows({
      "#..",
      ".#.",
      "..#",
  });
  EXPECT_TRUE(RecolorGlyph(image, QPoint(1, 1), QColor(kRed)));
  EXPECT_EQ(PixelsOf(image, kRed), "...\n.#.\n...\n");
  EXPECT_EQ(PixelsOf(image, kBlack), "#..\n...\n..#\n");
}

TEST(NoteButtonGlyphsTest, EveryNonWhitePixelJoinedToTheShapeIsFilled) {
  QImage image = ImageFromRows({
      "#gg.",
      "..g.",
      "..g#",
  });
  EXPECT_TRUE(RecolorGlyph(image, QPoint(0, 0), QColor(kRed)));
  EXPECT_EQ(PixelsOf(image, kRed), "###.\n..#.\n..##\n");
}

TEST(NoteButtonGlyphsTest, AShapeThatIsNotBlackAtTheTestPointIsLeftAlone) {
  const QImage original = ImageFromRows({
      "g#",
      "##",
  });
  QImage image = original;
  EXPECT_FALSE(RecolorGlyph(image, QPoint(0, 0), QColor(kRed)));
  EXPECT_EQ(image, original);
}

}  // namespace
}  // namespace pw
