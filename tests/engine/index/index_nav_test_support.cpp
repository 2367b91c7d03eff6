#include "index_nav_test_support.h"

#include <algorithm>

#include "engine/index/index_unit.h"
#include "engine/index/make_index.h"
#include "engine/index/mdx_io.h"
#include "engine/index/set_index_to.h"
#include "engine/table/go_bottom.h"
#include "engine/table/go_top.h"
#include "engine/table/position_queries.h"
#include "engine/table/record_image.h"
#include "engine/table/replace.h"
#include "engine/table/skip.h"
#include "engine/table/work_areas.h"

namespace pw::testing {

void IndexNavTest::SetUp() {
  IndexTest::SetUp();
  RegisterIndexUnit();
}

void IndexNavTest::OpenIndexed(const std::vector<FieldDef>& fields,
                               const std::vector<std::vector<std::string>>& records,
                               const std::vector<TagDescription>& tags) {
  OpenTable("t", fields, records);
  tablePath_ = Path("t.dbf");
  ASSERT_TRUE(MakeIndex(tags, "")) << Detail();
  ASSERT_TRUE(SetIndexTo("")) << Detail();
}

std::string IndexNavTest::IndexPath() const {
  return Path("t.mdx");
}

IndexState& IndexNavTest::State() {
  IndexState* state = AreaIndex(CurrentArea());
  EXPECT_NE(state, nullptr);
  return *state;
}

namespace {

struct TreeCheck {
  const IndexState& state;
  const IndexTag& tag;
  int leafLimit;
  int branchLimit;
  std::vector<LeafItem> items;
  int leafDepth = -1;

  std::string KeyAt(const IndexNode& node, int i) const {
    return std::string(reinterpret_cast<const char*>(node.Key(i)),
                       static_cast<std::size_t>(tag.anchor.KeyLength()));
  }
  bool Below(const std::string& a, const std::string& b) const {
    return tag.order.Compare(reinterpret_cast<const unsigned char*>(a.data()),
                             reinterpret_cast<const unsigned char*>(b.data())) < 0;
  }

  // Appends the items under `block`; gives the highest key under it.
  std::string Walk(std::uint32_t block, int depth) {
    IndexNode node(tag.anchor.ItemLength());
    if (depth > 20 || ReadNode(state.file, block, tag.anchor.ItemLength(), &node) != 0) {
      ADD_FAILURE() << "unreadable node " << block << " at depth " << depth;
      return {};
    }
    EXPECT_LE(node.Count(), node.IsLeaf() ? leafLimit : branchLimit) << "block " << block;
    if (node.IsLeaf()) {
      if (leafDepth < 0) leafDepth = depth;
      EXPECT_EQ(depth, leafDepth) << "leaf " << block << " at another depth";
      EXPECT_TRUE(depth == 0 || node.Count() > 0) << "empty leaf " << block << " below the root";
      for (int i = 0; i < node.Count(); ++i) {
        if (!items.empty()) {
          EXPECT_FALSE(Below(KeyAt(node, i), items.back().key)) << "out of order";
        }
        items.push_back({node.Pointer(i), KeyAt(node, i)});
      }
      return node.Count() > 0 ? KeyAt(node, node.Count() - 1) : std::string();
    }
    for (int i = 0; i < node.Count(); ++i) {
      EXPECT_EQ(Walk(node.Pointer(i), depth + 1), KeyAt(node, i))
          << "branch " << block << " item " << i << " is not the highest key under its child";
    }
    return Walk(node.TrailingPointer(), depth + 1);
  }
};

}  // namespace

std::vector<LeafItem> IndexNavTest::CheckedItems(int number, TreeOrigin origin) {
  const IndexState& state = State();
  const IndexTag* tag = state.TagNumbered(number);
  if (tag == nullptr) {
    ADD_FAILURE() << "no tag " << number;
    return {};
  }
  TagHeader onDisk;
  EXPECT_EQ(ReadTagHeader(state.file, tag->anchorBlock, &onDisk), 0);
  EXPECT_EQ(onDisk.RootBlock(), tag->anchor.RootBlock()) << "anchor on disk lags behind";
  const TagHeader& anchor = tag->anchor;
  const int foreignLimit = std::max(anchor.MaxKeys(), anchor.LeafCapacity());
  const bool ours = origin == TreeOrigin::kThisEngine;
  TreeCheck check{state,
                  *tag,
                  ours ? anchor.LeafCapacity() : foreignLimit,
                  ours ? anchor.BranchCapacity() : foreignLimit,
                  {}};
  check.Walk(tag->anchor.RootBlock(), 0);
  return check.items;
}

std::vector<std::int32_t> IndexNavTest::TagRecords(int number) {
  std::vector<std::int32_t> records;
  for (const LeafItem& item : CheckedItems(number)) {
    records.push_back(static_cast<std::int32_t>(item.record));
  }
  return records;
}

std::vector<std::int32_t> IndexNavTest::WalkForward() {
  std::vector<std::int32_t> records;
  GoTop();
  while (!dEOF() && records.size() <= static_cast<std::size_t>(RecCount())) {
    records.push_back(RecNo());
    Skip(1);
  }
  return records;
}

std::vector<std::int32_t> IndexNavTest::WalkBackward() {
  std::vector<std::int32_t> records;
  GoBottom();
  if (dEOF()) return records;
  records.push_back(RecNo());
  for (;;) {
    Skip(-1);
    if (dBOF() || records.size() > static_cast<std::size_t>(RecCount())) break;
    records.push_back(RecNo());
  }
  return records;
}

std::string IndexNavTest::FieldText(const std::string& name) {
  const WorkArea& area = CurrentArea();
  for (const FieldDef& field : area.fields) {
    if (field.name == name) {
      return std::string(area.raw.begin() + field.offset,
                         area.raw.begin() + field.offset + field.length);
    }
  }
  ADD_FAILURE() << "no field " << name;
  return {};
}

void IndexNavTest::Rewrite(const std::string& name, const std::string& stored) {
  WorkArea& area = CurrentArea();
  for (const FieldDef& field : area.fields) {
    if (field.name != name) continue;
    std::string value = stored;
    const bool right = field.type == 'N' || field.type == 'F';
    if (right && value.size() < field.length) value.insert(0, field.length - value.size(), ' ');
    value.resize(field.length, ' ');
    std::copy(value.begin(), value.end(), area.raw.begin() + field.offset);
  }
  RawToImage(area);
  EXPECT_TRUE(Replace()) << Detail();
}

}  // namespace pw::testing
