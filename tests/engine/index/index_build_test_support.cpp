#include "index_build_test_support.h"

#include <functional>

#include "engine/expr/expr_hooks.h"
#include "engine/index/make_index.h"
#include "engine/index/mdx_io.h"
#include "engine/table/use.h"
#include "engine/table/work_areas.h"

namespace pw::testing {

std::vector<std::string> NoteIndexListLines() {
  return {"BOARD,F,F,upper(Noteboard)",
          "",
          "HANDLE,F,F,handle",
          "",
          "SHOWING,F,F,showing",
          "",
          "ALARMACT,F,F,upper(alarmact)",
          "",
          "EXPIREACT,F,F,upper(expires)",
          ""};
}

std::vector<FieldDef> NoteTagFields() {
  return {Field("NOTEBOARD", 'C', 50), Field("HANDLE", 'N', 10), Field("SHOWING", 'C', 1),
          Field("ALARMACT", 'C', 1), Field("EXPIRES", 'C', 1)};
}

void IndexTest::SetUp() {
  savedHooks_ = RegisteredHooks();
  ExprTest::SetUp();
  RegisterExprUnit();
}

void IndexTest::TearDown() {
  ExprTest::TearDown();
  RegisteredHooks() = savedHooks_;
}

std::string IndexTest::WriteTable(const std::string& name, const std::vector<FieldDef>& fields,
                                  const std::vector<std::vector<std::string>>& records) {
  std::vector<RawField> raw;
  std::size_t width = 1;
  for (const FieldDef& field : fields) {
    raw.push_back({field.name, field.type, field.length, field.decimals});
    width += field.length;
  }
  std::vector<std::string> stored;
  stored.reserve(records.size());
  for (const auto& values : records) {
    std::string record(width, ' ');
    std::size_t at = 1;
    for (std::size_t i = 0; i < fields.size(); ++i) {
      const FieldDef& field = fields[i];
      const std::string value = i < values.size() ? values[i].substr(0, field.length) : "";
      const bool right = field.type == 'N' || field.type == 'F';
      record.replace(at + (right ? field.length - value.size() : 0), value.size(), value);
      at += field.length;
    }
    stored.push_back(record);
  }
  const std::string path = Path(name + ".dbf");
  EXPECT_TRUE(Use("")) << "the table this replaces is closed first";
  WriteBytes(path, DbfBytes(0x03, raw, stored));
  EXPECT_TRUE(Use(path + " EXCLUSIVE")) << Detail();
  return path;
}

namespace {

struct TreeReader {
  platform::File file;
  TagHeader anchor;
  std::vector<LeafItem> items;

  // Appends the items under `block` and gives the highest key under it.
  std::string Walk(std::uint32_t block, int depth) {
    if (depth > 16) {
      ADD_FAILURE() << "tree deeper than 16 levels";
      return {};
    }
    IndexNode node(anchor.ItemLength());
    EXPECT_EQ(ReadNode(file, block, anchor.ItemLength(), &node), 0) << "block " << block;
    const std::size_t keyLength = static_cast<std::size_t>(anchor.KeyLength());
    auto keyAt = [&](int i) {
      return std::string(reinterpret_cast<const char*>(node.Key(i)), keyLength);
    };
    if (node.IsLeaf()) {
      for (int i = 0; i < node.Count(); ++i) items.push_back({node.Pointer(i), keyAt(i)});
      return node.Count() > 0 ? keyAt(node.Count() - 1) : std::string();
    }
    for (int i = 0; i < node.Count(); ++i) {
      const std::string highest = Walk(node.Pointer(i), depth + 1);
      EXPECT_EQ(highest, keyAt(i)) << "branch " << block << " item " << i;
    }
    return Walk(node.TrailingPointer(), depth + 1);
  }
};

}  // namespace

TagHeader IndexTest::Anchor(const std::string& indexPath, int tag) {
  platform::File file;
  EXPECT_EQ(file.Open(indexPath, platform::Access::Read, platform::Sharing::Shared), 0);
  MdxHeader header;
  EXPECT_EQ(ReadMdxHeader(file, &header), 0);
  TagHeader anchor;
  if (tag > header.TagCount()) {
    ADD_FAILURE() << "no tag " << tag;
    return anchor;
  }
  EXPECT_EQ(ReadTagHeader(file, header.Entry(tag).headerBlock, &anchor), 0);
  return anchor;
}

std::vector<LeafItem> IndexTest::LeafItems(const std::string& indexPath, int tag) {
  TreeReader reader;
  reader.anchor = Anchor(indexPath, tag);
  EXPECT_EQ(reader.file.Open(indexPath, platform::Access::Read, platform::Sharing::Shared), 0);
  reader.Walk(reader.anchor.RootBlock(), 0);
  return reader.items;
}

void IndexTest::Build(const TagDescription& tag, const std::string& fileName) {
  EXPECT_TRUE(MakeIndex({tag}, fileName)) << Detail();
}

}  // namespace pw::testing
