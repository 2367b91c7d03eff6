#include <gtest/gtest.h>

#include "dataset/dbf_field_lines.h"

namespace pw::test {
namespace {

TEST(DbfFields, PartsAreTrimmedAndTheNameCut) {
  DbfFieldLine field;
  ASSERT_TRUE(ParseDbfFieldLine(" \tverylongfieldname ,  Cx , 12 ,0\r", &field));
  EXPECT_EQ(field.name, "verylongfi");
  EXPECT_EQ(field.type, "C");
  EXPECT_EQ(field.width, 12);
  EXPECT_EQ(field.decimals, 0);
  EXPECT_FALSE(ParseDbfFieldLine("a,C,1", &field));
  EXPECT_FALSE(ParseDbfFieldLine("a,C,1,0,0", &field));
}

TEST(DbfFields, TypesAreMappedAndNumbersLimited) {
  EXPECT_EQ(CorrectedDbfField({"p", "P", 10, 0}).type, "M");
  EXPECT_EQ(CorrectedDbfField({"b", "B", 10, 0}).type, "M");
  EXPECT_EQ(CorrectedDbfField({"q", "Q", 10, 0}).type, "C");
  const DbfFieldLine tight = CorrectedDbfField({"n", "N", 5, 4});
  EXPECT_EQ(tight.width, 5);
  EXPECT_EQ(tight.decimals, 3);
  const DbfFieldLine fine = CorrectedDbfField({"n", "N", 10, 2});
  EXPECT_EQ(fine.width, 10);
  EXPECT_EQ(fine.decimals, 2);
}

TEST(DbfFields, DefinitionsLeaveOutXLinesAndWarnOnlyForChanges) {
  std::vector<FieldDef> defs;
  QStringList warnings;
  ASSERT_TRUE(DbfFieldDefs({"desc,C,50,0", "gone,X,1,0", "pic,g,10,0"}, "TzT", &defs, &warnings));
  ASSERT_EQ(defs.size(), 2u);
  EXPECT_EQ(defs[0].name, "DESC");
  EXPECT_EQ(defs[1].type, 'M');
  ASSERT_EQ(warnings.size(), 1);
  EXPECT_EQ(warnings[0],
            "Invalid field definition for TzT: pic,g,10,0. Will use corrected definition: "
            "pic,M,10,0");
  EXPECT_FALSE(DbfFieldDefs({"desc,C,50,0", "broken"}, "TzT", &defs, &warnings));
}

}  // namespace
}  // namespace pw::test
