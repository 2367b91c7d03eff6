// Building index files from real tables: the exact layout of small builds,
// the checks on tag descriptions with their codes and texts, unique and FOR
// tags, large builds that spill sorted runs to a temporary file, progress,
// and the exclusive use a build needs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <regex>

#include "common/error_state.h"
#include "common/file_routines.h"
#include "engine/index/build_progress.h"
#include "engine/index/index_file_name.h"
#include "engine/index/index_key.h"
#include "engine/index/make_index.h"
#include "engine/index/mdx_io.h"
#include "engine/table/engine_settings.h"
#include "engine/table/use.h"
#include "engine/table/work_areas.h"
#include "index_build_test_support.h"
#include "platform/file.h"

namespace pw::testing {
namespace {

using IndexBuildTest = IndexTest;

std::string IndexOf(const std::string& tablePath) {
  return tablePath.substr(0, tablePath.size() - 3) + "mdx";
}

TEST_F(IndexBuildTest, EmptyTableGetsOneEmptyLeafAndTagHeaderPerNoteTag) {
  const std::string table = WriteTable("notes", NoteTagFields(), {});
  ASSERT_TRUE(MakeIndex(ParseTagList(NoteIndexListLines()), "")) << Detail();
  const std::string index = IndexOf(table);
  const Bytes bytes = ReadBytes(index);
  ASSERT_EQ(bytes.size(), 2048u + 5 * 2048u);
  EXPECT_EQ(bytes[28], 5);  // tags in use
  const int itemLengths[] = {56, 16, 8, 8, 8};
  for (int tag = 0; tag < 5; ++tag) {
    const std::uint32_t leafBlock = 4 + 4 * tag;
    const std::uint32_t headerBlock = leafBlock + 2;
    EXPECT_EQ(Le32(bytes, 512 + 32 * (tag + 1)), headerBlock);
    EXPECT_EQ(Le16(bytes, leafBlock * 512), 0) << "leaf of tag " << tag + 1 << " is empty";
    EXPECT_EQ(Le32(bytes, leafBlock * 512 + 8), 0u) << "and a leaf";
    const TagHeader anchor = Anchor(index, tag + 1);
    EXPECT_EQ(anchor.RootBlock(), leafBlock);
    EXPECT_EQ(anchor.ItemLength(), itemLengths[tag]);
    EXPECT_TRUE(LeafItems(index, tag + 1).empty());
  }
  EXPECT_EQ(Le32(bytes, 32), bytes.size() / 512) << "block count: the whole file";
}

TEST_F(IndexBuildTest, NineteenC50KeysGiveTwoLeavesUnderARootBranch) {
  std::vector<std::vector<std::string>> records;
  for (int i = 19; i >= 1; --i) records.push_back({"Note " + std::string(1, char('A' + i))});
  const std::string table = WriteTable("notes", NoteTagFields(), records);
  Build({"BOARD", "upper(Noteboard)", "", false, false});
  const std::string index = IndexOf(table);
  const Bytes bytes = ReadBytes(index);
  ASSERT_EQ(bytes.size(), 2048u + 4 * 1024u);
  EXPECT_EQ(Le16(bytes, 4 * 512), 18) << "first leaf full";
  EXPECT_EQ(Le16(bytes, 6 * 512), 1) << "second leaf";
  const std::size_t root = 8 * 512;
  EXPECT_EQ(Le16(bytes, root), 1) << "root branch with one item";
  EXPECT_EQ(Le32(bytes, root + 8), 4u) << "pointing to the first leaf";
  EXPECT_EQ(Le32(bytes, root + 8 + 56), 6u) << "trailing pointer to the second";
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[root + 12]), 6), "NOTE S");
  EXPECT_EQ(Anchor(index, 1).RootBlock(), 8u);
  EXPECT_EQ(Le32(bytes, 512 + 32), 10u) << "tag header after the root";
  const std::vector<LeafItem> items = LeafItems(index, 1);
  ASSERT_EQ(items.size(), 19u);
  EXPECT_EQ(items.front().record, 19u);
  EXPECT_EQ(items.back().record, 1u);
}

TEST_F(IndexBuildTest, UniqueTagKeepsOneItemPerKey) {
  const std::string table =
      WriteTable("notes", NoteTagFields(), {{"", "", "A"}, {"", "", "A"}, {"", "", "B"}});
  Build({"SHOWING", "showing", "", false, true});
  const std::vector<LeafItem> items = LeafItems(IndexOf(table), 1);
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].record, 1u);
  EXPECT_EQ(items[0].key, "A");
  EXPECT_EQ(items[1].record, 3u);
  EXPECT_EQ(items[1].key, "B");
  EXPECT_TRUE(Anchor(IndexOf(table), 1).Unique());
}

TEST_F(IndexBuildTest, ForConditionKeepsMatchingRecordsAndMarksTheAnchor) {
  const std::string table =
      WriteTable("notes", NoteTagFields(), {{"x", "1", "Y"}, {"y", "2", "N"}, {"z", "3", "Y"}});
  Build({"SHOWN", "handle", "showing = 'Y'", true, false});
  const std::vector<LeafItem> items = LeafItems(IndexOf(table), 1);
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].record, 3u) << "descending";
  EXPECT_EQ(items[1].record, 1u);
  const TagHeader anchor = Anchor(IndexOf(table), 1);
  EXPECT_TRUE(anchor.HasFor());
  EXPECT_TRUE(anchor.ForSatisfied());
  EXPECT_TRUE(anchor.Descending());
  EXPECT_EQ(anchor.ForExpression(), "showing = 'Y'");
}

TEST_F(IndexBuildTest, ForConditionNoRecordMeetsLeavesTheMarkClear) {
  const std::string table = WriteTable("notes", NoteTagFields(), {{"x", "1", "N"}});
  Build({"SHOWN", "handle", "showing = 'Y'", false, false});
  EXPECT_FALSE(Anchor(IndexOf(table), 1).ForSatisfied());
  EXPECT_TRUE(LeafItems(IndexOf(table), 1).empty());
}

struct RejectedTag {
  TagDescription tag;
  std::uint16_t code;
  std::string detail;
};

class IndexBuildRejectTest : public IndexTest, public ::testing::WithParamInterface<RejectedTag> {};

TEST_P(IndexBuildRejectTest, TagIsNotBuiltAndTheReasonReported) {
  WriteTable("notes", NoteTagFields(), {{"", "7", "Y"}});
  const RejectedTag& rejected = GetParam();
  EXPECT_FALSE(MakeIndex({rejected.tag}, ""));
  EXPECT_EQ(EngineErrorCode(), rejected.code);
  EXPECT_EQ(Detail(), rejected.detail);
  const Bytes bytes = ReadBytes(Path("notes.mdx"));
  ASSERT_EQ(bytes.size(), 2048u) << "the header alone";
  EXPECT_EQ(bytes[28], 0) << "no tag entered";
}

INSTANTIATE_TEST_SUITE_P(
    IndexBuildChecks, IndexBuildRejectTest,
    ::testing::Values(RejectedTag{{"RECS", "handle", "RECNO()", false, false},
                                  362,
                                  "Invalid FOR expression for RECS [AddIndexTag()]"},
                      RejectedTag{{"BADFOR", "handle", "showing = ", false, false},
                                  351,
                                  "Invalid FOR expression for BADFOR [AddIndexTag()]"},
                      RejectedTag{{"LOGIC", "showing = 'Y'", "", false, false},
                                  254,
                                  "Wrong parser return type [AddIndexTag()]"},
                      RejectedTag{{"EMPTY", "trim(noteboard)", "", false, false},
                                  266,
                                  "Incorrect key length: Must be 1 to 100. [AddIndexTag()]"},
                      RejectedTag{{"LONG", "noteboard+noteboard+noteboard", "", false, false},
                                  266,
                                  "Incorrect key length: Must be 1 to 100. [AddIndexTag()]"},
                      RejectedTag{{"WORDY", std::string(221, 'A'), "", false, false},
                                  300,
                                  "Expression length exceeds 100 bytes [AddIndexTag()]"}));

TEST_F(IndexBuildTest, KeyThatDoesNotCompileKeepsTheCompilerError) {
  WriteTable("notes", NoteTagFields(), {});
  EXPECT_FALSE(MakeIndex({{"NOPE", "nosuchfield", "", false, false}}, ""));
  EXPECT_NE(EngineErrorCode(), 0);
  EXPECT_EQ(ReadBytes(Path("notes.mdx"))[28], 0) << "no tag was entered";
}

TEST_F(IndexBuildTest, AFailedTagLeavesTheOthersBuiltAndItsErrorStanding) {
  const std::string table = WriteTable("notes", NoteTagFields(), {{"b"}, {"a"}});
  EXPECT_FALSE(MakeIndex({{"LOGIC", "showing = 'Y'", "", false, false},
                          {"BOARD", "upper(noteboard)", "", false, false}},
                         ""));
  EXPECT_EQ(EngineErrorCode(), 254);
  EXPECT_EQ(Detail(), "Wrong parser return type [AddIndexTag()]");
  const std::vector<LeafItem> items = LeafItems(IndexOf(table), 1);
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].record, 2u);
}

TEST_F(IndexBuildTest, ListEndsAtTheFirstTagWithoutName) {
  const std::string table = WriteTable("notes", NoteTagFields(), {{"a"}});
  ASSERT_TRUE(MakeIndex({{"BOARD", "noteboard", "", false, false},
                         {"", "handle", "", false, false},
                         {"HANDLE", "handle", "", false, false}},
                        ""))
      << Detail();
  EXPECT_EQ(ReadBytes(IndexOf(table))[28], 1);
}

TEST_F(IndexBuildTest, BuildLeavesTheCurrentRecordAsItWas) {
  WriteTable("notes", NoteTagFields(), {{"first"}, {"second"}, {"third"}});
  WorkArea& area = CurrentArea();
  ASSERT_EQ(area.recordNumber, 1);
  const std::vector<unsigned char> raw = area.raw;
  Build({"BOARD", "noteboard", "", false, false});
  EXPECT_EQ(area.recordNumber, 1);
  EXPECT_EQ(area.raw, raw);
}

TEST_F(IndexBuildTest, DiskSpaceShortfallReports227AndBuildsNothing) {
  // A table of 2^31 - 1 records: a C 100 key needs 486539266 KB. The open
  // refuses a header claiming more records than the file holds, so the
  // count is set where the open keeps it.
  WriteTable("notes", {Field("NAME", 'C', 100)}, {{"a"}});
  CurrentArea().recordCount = 0x7FFFFFFF;
  if (DiskFreeKB(Path("")) >= 486539266) GTEST_SKIP() << "this disk has room for the build";
  EXPECT_FALSE(MakeIndex({{"NAME", "name", "", false, false}}, ""));
  EXPECT_EQ(EngineErrorCode(), 227);
  const std::string detail = Detail();
  EXPECT_TRUE(std::regex_match(
      detail,
      std::regex(R"(Available disk space: [0-9]+ KBytes;needed: 486539266 KBytes \[MakeIndex\])")))
      << detail;
  EXPECT_EQ(ReadBytes(Path("notes.mdx")).size(), 2048u) << "the header alone";
}

TEST_F(IndexBuildTest, ProgressGetsOneHundredTicksPerTag) {
  std::vector<std::vector<std::string>> records(250, {"x", "5", "Y"});
  WriteTable("notes", NoteTagFields(), records);
  int ticks = 0;
  const BuildProgressCallback previous = SetBuildProgress([&] { ++ticks; });
  const bool built = MakeIndex(ParseTagList(NoteIndexListLines()), "");
  SetBuildProgress(previous);
  ASSERT_TRUE(built) << Detail();
  EXPECT_EQ(ticks, 5 * 100);
}

// Large builds: 30,000 records spill four runs to the temporary file and
// are merged; the leaves in order must match a sorted model.
class IndexBuildLargeTest : public IndexTest {
 protected:
  void SetUp() override {
    IndexTest::SetUp();
    const char* tmp = std::getenv("TMPDIR");
    if (tmp != nullptr) savedTmp_ = tmp;
    hadTmp_ = tmp != nullptr;
    std::filesystem::create_directory(Path("tmp"));
    setenv("TMPDIR", Path("tmp").c_str(), 1);
  }
  void TearDown() override {
    if (hadTmp_) {
      setenv("TMPDIR", savedTmp_.c_str(), 1);
    } else {
      unsetenv("TMPDIR");
    }
    IndexTest::TearDown();
  }
  bool TempFolderEmpty() const { return std::filesystem::is_empty(dir_.file("tmp")); }

  static constexpr int kRecords = 30000;

  // Record n (from 1): a name drawn from few letters (many equal keys), a
  // number with a sign and decimals, and a date, some of them blank.
  static std::vector<std::string> Values(int n) {
    const unsigned scrambled = static_cast<unsigned>(n) * 2654435761u;
    std::string name = "K" + std::to_string(scrambled % 997);
    const double amount = static_cast<int>(scrambled % 200001) / 100.0 - 1000.0;
    char amountText[16];
    std::snprintf(amountText, sizeof amountText, "%.2f", amount);
    char date[16] = "";
    if (scrambled % 13 != 0) {
      std::snprintf(date, sizeof date, "%04u%02u%02u", 1990 + scrambled % 40, 1 + scrambled % 12,
                    1 + scrambled % 28);
    }
    return {name, amountText, date};
  }
  static std::vector<FieldDef> Fields() {
    return {Field("NAME", 'C', 6), Field("AMOUNT", 'N', 9, 2), Field("DAY", 'D', 8)};
  }

  // Builds the tag and compares its leaves with the records sorted by the
  // given key (then by record number).
  // Builds one tag, watching the temporary folder on every progress tick:
  // the runs were spilled to a "TZP" file that is gone afterwards.
  void BuildSpilling(const TagDescription& tag) {
    bool spilled = false;
    const BuildProgressCallback previous = SetBuildProgress([&] {
      for (const auto& entry : std::filesystem::directory_iterator(Path("tmp"))) {
        spilled = spilled || entry.path().filename().string().rfind("TZP", 0) == 0;
      }
    });
    Build(tag);
    SetBuildProgress(previous);
    EXPECT_TRUE(spilled) << "runs went to a temporary file";
    EXPECT_TRUE(TempFolderEmpty()) << "the run file is deleted";
  }

  template <typename Key>
  void ExpectSortedBy(const TagDescription& tag, Key keyOf) {
    BuildSpilling(tag);
    using Entry = std::pair<decltype(keyOf(1)), std::uint32_t>;
    std::vector<Entry> model;
    for (int n = 1; n <= kRecords; ++n) model.push_back({keyOf(n), static_cast<std::uint32_t>(n)});
    std::stable_sort(model.begin(), model.end(), [&](const Entry& a, const Entry& b) {
      return tag.descending ? b.first < a.first : a.first < b.first;
    });
    const std::vector<LeafItem> items = LeafItems(Path("big.mdx"), 1);
    ASSERT_EQ(items.size(), model.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
      ASSERT_EQ(items[i].record, model[i].second) << "item " << i;
    }
  }

  std::string savedTmp_;
  bool hadTmp_ = false;
};

TEST_F(IndexBuildLargeTest, SpilledRunsMergeIntoCharacterNumericAndDateOrder) {
  std::vector<std::vector<std::string>> records;
  for (int n = 1; n <= kRecords; ++n) records.push_back(Values(n));
  WriteTable("big", Fields(), records);
  auto name = [](int n) {
    std::string key = Values(n)[0];
    key.resize(6, ' ');
    return key;
  };
  auto amount = [](int n) { return std::stod(Values(n)[1]); };
  auto day = [](int n) {
    const std::string text = Values(n)[2];
    return text.empty() ? std::string("99999999") : text;  // the blank date sorts last
  };
  ExpectSortedBy({"NAME", "name", "", false, false}, name);
  ExpectSortedBy({"NAMED", "name", "", true, false}, name);
  ExpectSortedBy({"AMOUNT", "amount", "", false, false}, amount);
  ExpectSortedBy({"AMOUNTD", "amount", "", true, false}, amount);
  ExpectSortedBy({"DAY", "day", "", false, false}, day);
  ExpectSortedBy({"DAYD", "day", "", true, false}, day);
}

TEST_F(IndexBuildLargeTest, UniqueTagOverSpilledRunsKeepsTheFirstRecordOfEachKey) {
  std::vector<std::vector<std::string>> records;
  for (int n = 1; n <= kRecords; ++n) records.push_back(Values(n));
  WriteTable("big", Fields(), records);
  BuildSpilling({"NAME", "name", "", false, true});
  std::map<std::string, std::uint32_t> first;
  for (int n = kRecords; n >= 1; --n) {
    std::string key = Values(n)[0];
    key.resize(6, ' ');
    first[key] = static_cast<std::uint32_t>(n);
  }
  const std::vector<LeafItem> items = LeafItems(Path("big.mdx"), 1);
  ASSERT_EQ(items.size(), first.size());
  std::size_t i = 0;
  for (const auto& [key, record] : first) {
    EXPECT_EQ(items[i].key, key);
    EXPECT_EQ(items[i].record, record);
    ++i;
  }
}

TEST_F(IndexBuildTest, SharedTableIsBuiltAndStaysShared) {
  const std::string table = WriteTable("notes", NoteTagFields(), {{"b"}, {"a"}});
  ASSERT_TRUE(Use(table)) << Detail();
  ASSERT_FALSE(CurrentArea().exclusive);
  Build({"BOARD", "noteboard", "", false, false});
  EXPECT_FALSE(CurrentArea().exclusive);
  EXPECT_EQ(LeafItems(IndexOf(table), 1).size(), 2u);
}

TEST_F(IndexBuildTest, IndexHeldElsewhereAndTableSharedElsewhereReports225) {
  const std::string table = WriteTable("notes", NoteTagFields(), {{"a"}});
  Build({"BOARD", "noteboard", "", false, false});
  ASSERT_TRUE(Use(table)) << Detail();
  ASSERT_TRUE(Select(2));
  ASSERT_TRUE(Use(table + " ALIAS OTHER")) << Detail();
  platform::File holder;
  ASSERT_EQ(holder.Open(IndexOf(table), platform::Access::Read, platform::Sharing::Shared), 0);
  ASSERT_TRUE(Select(1));
  EXPECT_FALSE(MakeIndex({{"BOARD", "noteboard", "", false, false}}, ""));
  EXPECT_EQ(EngineErrorCode(), 225);
  EXPECT_EQ(Detail(), CurrentArea().fileName + " MakeIndex(" + IndexOf(table) + ")");
  EXPECT_FALSE(CurrentArea().exclusive);
}

}  // namespace
}  // namespace pw::testing
