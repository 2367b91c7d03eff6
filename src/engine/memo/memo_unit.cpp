#include "engine/memo/memo_unit.h"

#include "common/path_names.h"
#include "engine/memo/memo_file.h"
#include "engine/memo/memo_line_reader.h"
#include "engine/memo/memo_pack.h"
#include "engine/memo/memo_pack_journal.h"
#include "engine/table/engine_hooks.h"

namespace pw {
namespace {

class MemoUnit final : public MemoHooks {
 public:
  int OpenMemo(WorkArea& area) override { return OpenMemofile(area); }
  void CloseMemo(WorkArea& area) override { CloseMemofile(area); }
  bool CreateMemo(const std::string& dbfPath, unsigned char kind, int blockSize,
                  const std::string& operation) override {
    return CreateMemofile(MemoPathForTable(dbfPath, MemoKindOf(kind)), kind, blockSize, operation);
  }
  bool PackMemo(WorkArea&) override { return PackMemofile(); }
  bool FindMemoLine(std::int32_t block,
                    const std::function<bool(std::string_view)>& test) override {
    MemoLineReader reader;
    // A failed read is reported by AssignMemo; the lines of an entry cut
    // short by the end of the file are still searched.
    reader.AssignMemo(block);
    std::string line;
    while (reader.GetMemo(line)) {
      if (test(line)) return true;
    }
    return false;
  }
  void RecordRead(WorkArea& area) override { ShowPackedFields(area); }
};

}  // namespace

void RegisterMemoUnit() {
  // Never destroyed: the exit handler that closes the tables still open
  // calls the unit, also when it was registered after that handler.
  static MemoUnit& unit = *new MemoUnit;
  RegisteredHooks().memo = &unit;
}

}  // namespace pw
