// Hook interfaces through which the table engine reaches the memo, index and
// expression units. Each unit registers its implementation at start-up; while
// a unit is absent its pointer is null and the engine behaves without it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace pw {

struct WorkArea;

// Per-table state owned by a unit; the work area holds it and frees it.
class UnitState {
 public:
  virtual ~UnitState() = default;
};

class MemoHooks {
 public:
  virtual ~MemoHooks() = default;
  // Opens the memo file beside the table; 0 or an error code (the unit has
  // recorded its own detail).
  virtual int OpenMemo(WorkArea& area) = 0;
  virtual void CloseMemo(WorkArea& area) = 0;
  // Creates an empty memo file for a new table of version `kind`.
  virtual bool CreateMemo(const std::string& dbfPath, unsigned char kind, int blockSize,
                          const std::string& operation) = 0;
  virtual bool PackMemo(WorkArea& area) = 0;
  // Reads entry `block` of the current table's memo file line by line (ANSI
  // text, lines as the memo text-file reader cuts them) and hands each line
  // to `test` until it answers true; whether one did. A read failure is
  // reported by the unit.
  virtual bool FindMemoLine(std::int32_t block,
                            const std::function<bool(std::string_view)>& test) = 0;
  // Called after a record of a table with an open memo file was read into
  // its raw record: a read-only table whose memo pack was interrupted sees
  // its memo fields as the pack rewrites them.
  virtual void RecordRead(WorkArea&) {}
};

class IndexHooks {
 public:
  virtual ~IndexHooks() = default;
  virtual bool IndexActive(WorkArea& area) = 0;
  virtual void IndexNavigate(WorkArea& area, bool begin) = 0;
  virtual long IndexFirst(WorkArea& area) = 0;
  virtual long IndexLast(WorkArea& area) = 0;
  virtual long IndexNext(WorkArea& area) = 0;
  virtual long IndexPrev(WorkArea& area) = 0;
  virtual bool IndexAtEnd(WorkArea& area) = 0;
  virtual bool IndexAtStart(WorkArea& area) = 0;
  virtual void IndexSetStart(WorkArea& area) = 0;
  virtual void IndexSetEnd(WorkArea& area) = 0;
  virtual void IndexPositionLost(WorkArea& area) = 0;
  virtual void IndexSync(WorkArea& area) = 0;
  // The write semaphore around an append or a rewrite. Taking it also takes
  // in what other programs changed in the index, before anything is
  // written. False (reported) when it cannot be taken or released; every
  // begin needs its end, even a failed one.
  virtual bool IndexUpdate(WorkArea& area, bool begin) = 0;
  virtual bool IndexAddKeys(WorkArea& area) = 0;
  virtual bool IndexNoteOldKeys(WorkArea& area) = 0;
  virtual bool IndexUpdateKeys(WorkArea& area) = 0;
  virtual bool IndexRebuild(WorkArea& area) = 0;
  virtual void IndexClose(WorkArea& area) = 0;
  // Closes and opens the area's index files again, in the table's present
  // sharing mode, keeping the order; false (reported) when that fails.
  virtual bool IndexReopen(WorkArea& area) = 0;
};

// What a compiled expression gives: its result type (C, N, D, L or M), the
// width and decimals of that result, and the text it was compiled from.
struct ExprShape {
  char type = 0;
  std::uint16_t width = 0;
  std::uint8_t decimals = 0;
  std::string source;
};

class ExprHooks {
 public:
  virtual ~ExprHooks() = default;
  // Whether the current record passes the work area's filter.
  virtual bool FilterPasses(WorkArea& area) = 0;
  // Compiles `text` against the current work area: the compiled expression,
  // released when the state is destroyed (a filter, a key), or null with the
  // error reported.
  virtual std::unique_ptr<UnitState> AssignExpr(const std::string& text) = 0;
  // Evaluates against the current record of the current work area; the
  // result location (a zero-terminated text for C and M, a double for N and
  // D, an int32 for L), valid until the next evaluation.
  virtual const void* Evaluate(UnitState& expr) = 0;
  virtual ExprShape Shape(const UnitState& expr) = 0;
  // 0 for a valid condition (type L), else 359, 362 or the compile error.
  virtual int ForCheck(const std::string& text) = 0;
  // The index engine's key maker: the key expression made current, and its
  // evaluation (null when none is current).
  virtual void SetCurrentKey(UnitState* key) = 0;
  virtual const void* EvaluateCurrentKey() = 0;
};

struct EngineHooks {
  MemoHooks* memo = nullptr;
  IndexHooks* index = nullptr;
  ExprHooks* expr = nullptr;
};

EngineHooks& RegisteredHooks();

// The index unit when it is present and the table has index files open
// ("indexed"); null otherwise, and navigation uses record-number order.
IndexHooks* ActiveIndex(WorkArea& area);

}  // namespace pw
