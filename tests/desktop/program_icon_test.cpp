// The program's icon from its Qt resource: every size drawn, and a yellow
// note rather than an empty or a generic icon.
#include "desktop/program_icon.h"

#include <gtest/gtest.h>

#include <QImage>

namespace pw {
namespace {

bool IsNoteYellow(QRgb pixel) {
  return qRed(pixel) > 220 && qGreen(pixel) > 200 && qBlue(pixel) < 160 && qAlpha(pixel) == 255;
}

TEST(ProgramIconTest, EverySizeIsDrawnAndShowsTheYellowNote) {
  const QIcon icon = ProgramIcon();
  ASSERT_FALSE(icon.isNull());
  EXPECT_EQ(icon.availableSizes().size(), static_cast<qsizetype>(kProgramIconSizes.size()));
  for (const int size : kProgramIconSizes) {
    const QImage image = icon.pixmap(QSize(size, size)).toImage();
    ASSERT_EQ(image.size(), QSize(size, size)) << size;
    EXPECT_TRUE(IsNoteYellow(image.pixel(size / 2, size / 2))) << size;
    // The corner outside the note is transparent.
    EXPECT_EQ(qAlpha(image.pixel(0, size - 1)), 0) << size;
  }
}

TEST(ProgramIconTest, TheSmallIconHoldsOnlyTheSmallSizes) {
  const QList<QSize> sizes = SmallProgramIcon().availableSizes();
  ASSERT_FALSE(sizes.isEmpty());
  for (const QSize& size : sizes) EXPECT_LE(size.width(), kSmallProgramIconLimit) << size.width();
  EXPECT_TRUE(sizes.contains(QSize(16, 16)));
  EXPECT_TRUE(sizes.contains(QSize(kSmallProgramIconLimit, kSmallProgramIconLimit)));
}

}  // namespace
}  // namespace pw
