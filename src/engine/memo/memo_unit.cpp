#include "engine/memo/memo_unit.h"

#include "common/path_names.h"
#include "engine/memo/memo_file.h"
#include "engine/memo/memo_pack.h"
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
};

}  // namespace

void RegisterMemoUnit() {
  static MemoUnit unit;
  RegisteredHooks().memo = &unit;
}

}  // namespace pw
