// The evaluation state of one run of a compiled expression: the value stack,
// the working pool used as a stack of texts, and the work area whose record
// is read. Handlers pop their operands (last argument first) and push their
// result through it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "engine/expr/compiled_expr.h"
#include "engine/expr/expr_value.h"

namespace pw {

struct WorkArea;

class Machine {
 public:
  Machine(CompiledExpr& expr, WorkArea& area)
      : stack_(expr.stack.data()),
        pool_(expr.pool.data()),
        poolSize_(expr.poolSize),
        literals_(expr.literals.data()),
        area_(area) {
    pool_[0] = '\0';
  }

  // The work area that plain field references, RECNO and DELETED read.
  WorkArea& area() { return area_; }
  const char* literal(std::uint32_t offset) const { return literals_ + offset; }
  std::uint32_t poolSize() const { return poolSize_; }
  // A 256-byte buffer in which results are built before they are pushed.
  char* scratch() { return scratch_; }

  // Set when an error was dispatched: the evaluation ends at once.
  bool stopped() const { return stopped_; }
  // Division by zero (358); the caller still pushes 1e250.
  void ReportDivideByZero();

  void PushNumber(double value) { Push(ValueType::Number).number = value; }
  void PushDate(double value) { Push(ValueType::Date).number = value; }
  void PushLogical(bool value) { Push(ValueType::Logical).logical = value ? 1 : 0; }
  // Copies `length` bytes (they may lie in the pool) to the pool cursor as a
  // new text entry; a text that does not fit reports 354 and the entry
  // holds no text.
  void PushText(const char* data, std::size_t length, ValueType type = ValueType::Character);

  double PopNumber() { return stack_[--top_].number; }
  bool PopLogical() { return stack_[--top_].logical != 0; }
  // The popped text stays readable until the next push; the pool cursor
  // returns to its start.
  std::string_view PopText() {
    const Value& value = stack_[--top_];
    cursor_ = value.offset;
    return {pool_ + value.offset, value.length};
  }

  ValueType TopType() const { return stack_[top_ - 1].type; }
  // The text of the top entry, for the operations that change it in place.
  char* TopText() { return pool_ + stack_[top_ - 1].offset; }
  std::uint32_t TopLength() const { return stack_[top_ - 1].length; }
  // Shortens the top text to `length` bytes.
  void SetTopLength(std::uint32_t length) {
    Value& value = stack_[top_ - 1];
    value.length = length;
    pool_[value.offset + length] = '\0';
    cursor_ = value.offset + length + 1;
  }

 private:
  void ReportPoolOverflow();
  Value& Push(ValueType type) {
    Value& value = stack_[top_++];
    value.type = type;
    return value;
  }

  Value* stack_;
  std::size_t top_ = 0;
  char* pool_;
  std::uint32_t poolSize_;
  std::uint32_t cursor_ = 0;
  const char* literals_;
  WorkArea& area_;
  bool stopped_ = false;
  char scratch_[kMaxResultText + 1];
};

inline void Machine::PushText(const char* data, std::size_t length, ValueType type) {
  Value& value = Push(type);
  value.offset = cursor_;
  value.length = 0;
  if (std::size_t{cursor_} + length + 1 > poolSize_) {
    ReportPoolOverflow();
    return;
  }
  std::memmove(pool_ + cursor_, data, length);
  pool_[cursor_ + length] = '\0';
  value.length = static_cast<std::uint32_t>(length);
  cursor_ += static_cast<std::uint32_t>(length) + 1;
}

}  // namespace pw
