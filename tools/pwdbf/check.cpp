// pwdbf check: reads every record, follows every memo reference, and walks
// every tag of the production index, comparing it with the keys computed
// from the records. Prints each problem; exits with 1 when there is one.
#include <iostream>
#include <map>
#include <memory>
#include <set>

#include "common/error_state.h"
#include "engine/index/index_key.h"
#include "engine/index/record_key.h"
#include "engine/index/stored_expression.h"
#include "engine/memo/memo_line_reader.h"
#include "engine/table/dbf_header.h"
#include "engine/table/engine_hooks.h"
#include "engine/table/go.h"
#include "engine/table/position_queries.h"
#include "engine/table/production_index_flag.h"
#include "engine/table/work_areas.h"
#include "engine_session.h"
#include "index_reader.h"
#include "stored_field.h"
#include "subcommand.h"
#include "text_1252.h"
#include "tool_error.h"

namespace pw::pwdbf {
namespace {

using Problems = std::vector<std::string>;

std::string RecordName(std::int32_t record) {
  return "record " + std::to_string(record);
}

// Reads record n; false (with the problem noted) when the engine cannot.
bool ReadRecord(std::int32_t record, Problems& problems) {
  ClearEngineError();
  Go(record);
  if (EngineErrorCode() == 0) return true;
  problems.push_back(RecordName(record) + ": " + EngineErrorLine());
  return false;
}

void CheckFields(std::int32_t record, Problems& problems, int* memoReferences) {
  const WorkArea& area = CurrentArea();
  for (const FieldDef& field : area.fields) {
    const std::string_view stored(reinterpret_cast<const char*>(area.raw.data()) + field.offset,
                                  field.length);
    const DecodedField decoded = DecodeStored(field, stored);
    const std::string where = RecordName(record) + " field " + Utf8FromCp1252(field.name);
    if (decoded.state == StoredState::kInvalid) {
      problems.push_back(where + ": stored value \"" + Utf8FromCp1252(stored) +
                         "\" is not a valid " + field.type + " value");
    } else if (field.type == 'M' && decoded.state == StoredState::kValue) {
      ++*memoReferences;
      const std::int32_t block = decoded.value.get<std::int32_t>();
      MemoLineReader reader;
      ClearEngineError();
      if (!reader.AssignMemo(block)) {
        problems.push_back(where + ": memo block " + std::to_string(block) + ": " +
                           EngineErrorLine());
      }
    }
  }
}

// A tag's expressions compiled against the table.
struct CompiledTag {
  std::unique_ptr<UnitState> key;
  std::unique_ptr<UnitState> condition;  // null without FOR
  KeyRecipe recipe;
};

bool CompileTag(const IndexTagInfo& tag, const std::string& name, CompiledTag* out,
                Problems& problems) {
  ExprHooks& expr = *RegisteredHooks().expr;
  ClearEngineError();
  out->key = expr.AssignExpr(NormalizeStoredExpression(tag.anchor.KeyExpression()));
  if (out->key == nullptr) {
    problems.push_back(name + ": key expression does not compile: " + EngineErrorLine());
    return false;
  }
  const ExprShape shape = expr.Shape(*out->key);
  if (shape.type != static_cast<char>(tag.anchor.Type())) {
    problems.push_back(name + ": key expression gives type " + std::string(1, shape.type) +
                       ", the tag holds " + KeyTypeName(tag.anchor) + " keys");
    return false;
  }
  out->recipe = {tag.anchor.Type(), shape.decimals, CurrentArea().oem};
  if (tag.anchor.HasFor()) {
    ClearEngineError();
    out->condition = expr.AssignExpr(NormalizeStoredExpression(tag.anchor.ForExpression()));
    if (out->condition == nullptr || expr.Shape(*out->condition).type != 'L') {
      problems.push_back(
          name + ": FOR condition does not compile to a logical value: " + EngineErrorLine());
      return false;
    }
  }
  return true;
}

// The key of every record that meets the FOR condition.
std::map<std::uint32_t, std::string> ComputedKeys(const IndexTagInfo& tag, CompiledTag& compiled,
                                                  Problems& problems) {
  ExprHooks& expr = *RegisteredHooks().expr;
  std::map<std::uint32_t, std::string> keys;
  const int keyLength = tag.anchor.Type() == KeyType::kCharacter ? tag.anchor.KeyLength() : 0;
  for (std::int32_t record = 1; record <= RecCount(); ++record) {
    if (!ReadRecord(record, problems)) continue;
    if (compiled.condition != nullptr) {
      const void* met = expr.Evaluate(*compiled.condition);
      if (met == nullptr || *static_cast<const std::int32_t*>(met) == 0) continue;
    }
    keys[static_cast<std::uint32_t>(record)] = RecordKey(*compiled.key, compiled.recipe, keyLength);
  }
  return keys;
}

const unsigned char* KeyBytes(const std::string& key) {
  return reinterpret_cast<const unsigned char*>(key.data());
}

// Keys compared as the tag orders them, so that equal values count as one
// key: other writers store N keys of the same value with other digit counts.
struct KeyLess {
  KeyOrder order;
  bool operator()(const std::string& a, const std::string& b) const {
    return order.Compare(KeyBytes(a), KeyBytes(b)) < 0;
  }
};

void CompareTag(const IndexTagInfo& tag, const std::string& name,
                const std::vector<WalkedItem>& items,
                const std::map<std::uint32_t, std::string>& computed, Problems& problems) {
  const KeyOrder order = tag.anchor.Order(TableCollation());
  const bool oem = CurrentArea().oem;
  auto show = [&](const std::string& key) { return DisplayKey(tag.anchor, key, oem); };
  std::map<std::uint32_t, int> seen;
  std::set<std::string, KeyLess> keysInTag(KeyLess{order});
  for (std::size_t i = 0; i < items.size(); ++i) {
    const WalkedItem& item = items[i];
    const std::string at =
        " (block " + std::to_string(item.block) + " item " + std::to_string(item.position) + ")";
    if (i > 0) {
      const int step = order.Compare(KeyBytes(items[i - 1].key), KeyBytes(item.key));
      if (step > 0) {
        problems.push_back(name + ": key " + show(item.key) + at +
                           " sorts below the key before it " + show(items[i - 1].key));
      } else if (step == 0 && tag.anchor.Unique()) {
        problems.push_back(name + ": key " + show(item.key) + at + " repeats in a unique tag");
      }
    }
    keysInTag.insert(item.key);
    ++seen[item.record];
    const auto expected = computed.find(item.record);
    if (item.record < 1 || item.record > static_cast<std::uint32_t>(RecCount())) {
      problems.push_back(name + ": item" + at + " points to record " + std::to_string(item.record) +
                         ", which does not exist");
    } else if (expected == computed.end()) {
      problems.push_back(name + ": " + RecordName(static_cast<std::int32_t>(item.record)) +
                         " is in the tag" + at + " but does not meet its FOR condition");
    } else if (order.Compare(KeyBytes(expected->second), KeyBytes(item.key)) != 0) {
      problems.push_back(name + ": " + RecordName(static_cast<std::int32_t>(item.record)) +
                         " has key " + show(item.key) + " in the tag" + at + ", its fields give " +
                         show(expected->second));
    }
  }
  for (const auto& [record, key] : computed) {
    const auto found = seen.find(record);
    const int count = found == seen.end() ? 0 : found->second;
    const std::string who = name + ": " + RecordName(static_cast<std::int32_t>(record));
    if (count > 1) {
      problems.push_back(who + " is in the tag " + std::to_string(count) + " times");
    } else if (tag.anchor.Unique()) {
      if (keysInTag.count(key) == 0) problems.push_back(who + ": key " + show(key) + " is missing");
    } else if (count == 0) {
      problems.push_back(who + " (key " + show(key) + ") is missing from the tag");
    }
  }
}

void CheckTag(const IndexReader& index, int n, Problems& problems) {
  IndexTagInfo tag;
  try {
    tag = index.Tag(n);
  } catch (const ToolError& error) {
    problems.push_back(error.what());
    return;
  }
  const std::string name = "tag " + Utf8FromCp1252(tag.name);
  const std::vector<WalkedItem> items =
      index.Walk(tag, CurrentArea().oem, TableCollation(), &problems);
  CompiledTag compiled;
  if (!CompileTag(tag, name, &compiled, problems)) return;
  CompareTag(tag, name, items, ComputedKeys(tag, compiled, problems), problems);
}

// The prolog's count against the whole records in the file, and bytes of a
// record cut short after them (the end marker aside).
void CheckRecordCount(Problems& problems) {
  WorkArea& area = CurrentArea();
  const std::uint32_t stored = PrologRecordCount(area);
  const auto records = static_cast<std::uint32_t>(RecCount());
  if (stored != records) {
    problems.push_back("the header counts " + std::to_string(stored) + " records, the file holds " +
                       std::to_string(records) + " (pack or reindex rewrites the count)");
  }
  std::uint64_t size = 0;
  if (int code = area.file.Size(&size); code != 0) {
    problems.push_back("the file size cannot be read (error " + std::to_string(code) + ")");
    return;
  }
  const std::uint64_t end = area.headerLength + std::uint64_t{records} * area.recordLength;
  unsigned char marker = 0;
  const bool endsInMarker =
      size == end + 1 && area.file.ReadExactAt(end, &marker, 1) == 0 && marker == kEndMarker;
  if (size > end && !endsInMarker) {
    problems.push_back(std::to_string(size - end) +
                       " bytes of a record cut short follow the last record (pack removes them)");
  }
}

// Returns the number of tags checked.
int CheckIndex(const OpenTable& open, Problems& problems) {
  const std::string path = open.ProductionIndexPath();
  if (path.empty()) {
    if (ProductionIndexFlag())
      problems.push_back("the production index flag is set, no index file");
    return 0;
  }
  try {
    const IndexReader index(path);
    // Other writers put their next node at the block the count names.
    if (index.BlockCount() < index.FileBlocks()) {
      problems.push_back("the index header counts " + std::to_string(index.BlockCount()) +
                         " blocks, the file holds " + std::to_string(index.FileBlocks()) +
                         ": other programs would write over its last nodes (reindex rewrites "
                         "the count)");
    }
    for (int n = 1; n <= index.TagCount(); ++n) CheckTag(index, n, problems);
    return index.TagCount();
  } catch (const ToolError& error) {
    problems.push_back(error.what());
    return 0;
  }
}

int RunCheck(const Arguments& arguments) {
  const std::string& table = arguments.Operands()[0];
  OpenTable open(table, OpenPurpose::kRead, arguments.Has("ansi"));
  Problems problems;
  int memoReferences = 0;
  const std::int32_t records = RecCount();
  CheckRecordCount(problems);
  for (std::int32_t record = 1; record <= records; ++record) {
    if (ReadRecord(record, problems)) CheckFields(record, problems, &memoReferences);
  }
  const int tags = CheckIndex(open, problems);
  open.Close();
  for (const std::string& problem : problems) std::cout << table << ": " << problem << "\n";
  if (!problems.empty()) {
    std::cout << table << ": " << problems.size() << " problem" << (problems.size() == 1 ? "" : "s")
              << " found\n";
    return 1;
  }
  std::cout << table << ": no problems found (" << records << " records, " << memoReferences
            << " memo references, " << tags << " tags)\n";
  return 0;
}

}  // namespace

Subcommand CheckCommand() {
  return {"check",
          "check TABLE [--ansi]",
          "Reads every record and checks its stored values, follows every memo\n"
          "reference, and walks every tag of the production index: every node readable,\n"
          "leaves at one depth, branch keys right, keys in order, and every record that\n"
          "meets the tag's FOR condition in the tag exactly once under the key its\n"
          "fields give; and that the index header counts every block of the file.\n"
          "Prints each problem; the exit code is 1 when there is one.\n"
          "The table is opened read-only.\n\n"
          "  --ansi  the table stores Windows-1252 text, not OEM (code page 850)\n",
          {{"ansi", false}},
          1,
          1,
          RunCheck};
}

}  // namespace pw::pwdbf
