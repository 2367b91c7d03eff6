// The tag list of an index file in the two-line text form of a table's
// index list, and that text form read back into tag descriptions.
#include <gtest/gtest.h>

#include "common/error_state.h"
#include "engine/index/index_tag_list.h"
#include "engine/index/make_index.h"
#include "index_build_test_support.h"

namespace pw::testing {
namespace {

using IndexTagListTest = IndexTest;

TEST_F(IndexTagListTest, NoteTableLinesComeBackExactly) {
  WriteTable("notes", NoteTagFields(), {{"a", "1", "Y", "N", "N"}});
  ASSERT_TRUE(MakeIndex(ParseTagList(NoteIndexListLines()), "")) << Detail();
  std::vector<std::string> lines;
  ASSERT_TRUE(IndexTagList(Path("notes.mdx"), &lines)) << Detail();
  EXPECT_EQ(lines, NoteIndexListLines());
}

TEST_F(IndexTagListTest, FlagsAndForConditionAreListed) {
  WriteTable("notes", NoteTagFields(), {{"a", "1", "Y"}});
  ASSERT_TRUE(MakeIndex({{"shown", " handle ", "showing = 'Y'", true, true}}, "")) << Detail();
  std::vector<std::string> lines;
  ASSERT_TRUE(IndexTagList(Path("notes.mdx"), &lines)) << Detail();
  EXPECT_EQ(lines, (std::vector<std::string>{"SHOWN,T,T,handle", "showing = 'Y'"}));
}

TEST_F(IndexTagListTest, MissingFileIsReported) {
  WriteTable("notes", NoteTagFields(), {});
  std::vector<std::string> lines{"stale"};
  EXPECT_FALSE(IndexTagList(Path("notes.mdx"), &lines));
  EXPECT_EQ(EngineErrorCode(), 2);
  EXPECT_TRUE(lines.empty());
}

TEST(IndexTagListParse, LinesBecomeDescriptions) {
  const std::vector<TagDescription> tags =
      ParseTagList({"BOARD,T,F,upper(Noteboard)", "showing = 'Y'", "nocommas", "", "LAST,F,T,a,b"});
  ASSERT_EQ(tags.size(), 2u);
  EXPECT_EQ(tags[0].name, "BOARD");
  EXPECT_TRUE(tags[0].descending);
  EXPECT_FALSE(tags[0].unique);
  EXPECT_EQ(tags[0].keyExpression, "upper(Noteboard)");
  EXPECT_EQ(tags[0].forExpression, "showing = 'Y'");
  EXPECT_EQ(tags[1].name, "LAST");
  EXPECT_FALSE(tags[1].descending);
  EXPECT_TRUE(tags[1].unique);
  EXPECT_EQ(tags[1].keyExpression, "a,b") << "the key runs to the end of the line";
  EXPECT_EQ(tags[1].forExpression, "") << "a missing FOR line is empty";
}

TEST(IndexTagListParse, DescriptionsGiveTheirLines) {
  EXPECT_EQ(TagListLines({" BOARD ", " upper(x) ", "", false, true}),
            (std::vector<std::string>{"BOARD,F,T,upper(x)", ""}));
}

}  // namespace
}  // namespace pw::testing
