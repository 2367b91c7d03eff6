// Reading the stored column layout "savedColumns".
#include <gtest/gtest.h>

#include "grid/saved_columns.h"

namespace pw {
namespace {

TEST(SavedColumnsTest, EntriesSetThePropertiesOfTheColumnNamedBeforeThem) {
  QList<GridColumn> columns = {{.fieldName = "DESC", .title = "Caption"}};
  ReadSavedColumns({"cvColumn=2", "cvFieldNameStr=SHOWING", "cvTitleCaptionStr=Showing",
                    "cvWidthStr=61", "cvAlignmentStr=taRightJustify", "cvReadOnlyStr=true",
                    "cvColorStr=clRed", "cvTitleColorStr=$00FF0000", "cvTitleAlignmentStr=taCenter",
                    "cvFontStr=Arial,clBlue,1290", "cvTitleFontStr=Courier,255,8", "cvColumn=0",
                    "cvWidthStr=205", "cvAlignmentStr=taNonsense", "no equals sign"},
                   columns);
  ASSERT_EQ(columns.size(), 3);
  EXPECT_EQ(columns[0].fieldName, "DESC");
  EXPECT_EQ(columns[0].width, 205);
  EXPECT_EQ(columns[0].alignment, Qt::AlignLeft);
  EXPECT_TRUE(columns[1].fieldName.isEmpty());
  const GridColumn& showing = columns[2];
  EXPECT_EQ(showing.fieldName, "SHOWING");
  EXPECT_EQ(showing.title, "Showing");
  EXPECT_EQ(showing.width, 61);
  EXPECT_EQ(showing.alignment, Qt::AlignRight);
  EXPECT_TRUE(showing.readOnly);
  EXPECT_EQ(showing.color, QColor(Qt::red));
  EXPECT_EQ(showing.titleColor, QColor(Qt::blue));
  EXPECT_EQ(showing.titleAlignment, Qt::AlignHCenter);
  // 1290 = 0x50A: size 10, bold, underline.
  ASSERT_TRUE(showing.font);
  EXPECT_EQ(showing.font->font.family(), "Arial");
  EXPECT_EQ(showing.font->color, QColor(Qt::blue));
  EXPECT_EQ(showing.font->font.pointSize(), 10);
  EXPECT_TRUE(showing.font->font.bold());
  EXPECT_TRUE(showing.font->font.underline());
  EXPECT_FALSE(showing.font->font.italic());
  ASSERT_TRUE(showing.titleFont);
  EXPECT_EQ(showing.titleFont->color, QColor(Qt::red));
  EXPECT_EQ(showing.titleFont->font.pointSize(), 8);
}

TEST(SavedColumnsTest, OneBlankColumnIsClearedAndTheLayoutIsWrittenEmpty) {
  QList<GridColumn> columns = {GridColumn{}};
  ReadSavedColumns({"cvColumn=0", "cvFieldNameStr=DESC", "cvReadOnlyStr=no"}, columns);
  ASSERT_EQ(columns.size(), 1);
  EXPECT_EQ(columns[0].fieldName, "DESC");
  EXPECT_FALSE(columns[0].readOnly);
  QList<GridColumn> untouched = {GridColumn{}};
  ReadSavedColumns({}, untouched);
  EXPECT_TRUE(untouched.isEmpty());
  EXPECT_TRUE(SavedColumnsToWrite().isEmpty());
  EXPECT_FALSE(ColorOfIdentifier("clNoSuchColour").isValid());
  EXPECT_EQ(ColorOfIdentifier("255"), QColor(Qt::red));
}

}  // namespace
}  // namespace pw
