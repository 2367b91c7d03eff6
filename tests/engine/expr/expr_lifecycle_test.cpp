// Compiled expressions over their life: registry and release, repeated
// evaluation, the FOR check, pool overflow, the current key, and the hooks
// through which the table engine reaches the unit.
#include <string>

#include "common/error_state.h"
#include "engine/expr/expr_hooks.h"
#include "engine/expr/expression.h"
#include "engine/table/engine_hooks.h"
#include "engine/table/visibility.h"
#include "engine/table/work_areas.h"
#include "expr_test_support.h"

namespace pw::testing {
namespace {

using ExprLifecycle = ExprTest;
using ExprForCheck = ExprTest;
using ExprHooksTest = ExprTest;

TEST_F(ExprLifecycle, EvaluatingTwiceGivesTheSameResultAtTheSameLocation) {
  OpenNotes();
  CompiledExpr* expr = Compile("UPPER(NOTEBOARD) + STR(HANDLE, 4)");
  ASSERT_NE(expr, nullptr);
  const void* first = Evaluate(expr);
  const std::string firstText = static_cast<const char*>(first);
  const void* second = Evaluate(expr);
  EXPECT_EQ(first, second);
  EXPECT_EQ(static_cast<const char*>(second), firstText);
  EXPECT_EQ(firstText, "SHOPPING LIST" + std::string(37, ' ') + "  42");
  CompiledExpr* number = Compile("HANDLE * 2");
  EXPECT_EQ(Evaluate(number), Evaluate(number));
  EXPECT_EQ(*static_cast<const double*>(Evaluate(number)), 84);
}

TEST_F(ExprLifecycle, ReleaseFreesOnceAndIgnoresUnknownExpressions) {
  OpenNotes();
  CompiledExpr* expr = AssignExpr("HANDLE");
  ASSERT_TRUE(IsRegisteredExpr(expr));
  CompiledExpr* copy = expr;
  ReleaseExpr(expr);
  EXPECT_EQ(expr, nullptr);
  EXPECT_FALSE(IsRegisteredExpr(copy));
  ReleaseExpr(expr);  // the second release does nothing
  CompiledExpr notRegistered;
  CompiledExpr* stranger = &notRegistered;
  ReleaseExpr(stranger);
  EXPECT_EQ(stranger, &notRegistered);
  EXPECT_EQ(Evaluate(nullptr), nullptr);
}

TEST_F(ExprLifecycle, TheSourceTextIsKeptAsGiven) {
  OpenNotes();
  CompiledExpr* expr = Compile("upper(Noteboard)  ");
  ASSERT_NE(expr, nullptr);
  EXPECT_EQ(SourceText(*expr), "upper(Noteboard)  ");
}

TEST_F(ExprLifecycle, APushBeyondThePoolReports354) {
  OpenTable("memos", {Field("NOTE", 'M', 10)}, {{""}});
  SetMemoWorkingSize(0);
  CompiledExpr* memo = Compile("NOTE");
  ASSERT_NE(memo, nullptr);
  EXPECT_EQ(memo->poolSize, 0u);
  SetAutoDispatch(false);
  EXPECT_STREQ(static_cast<const char*>(Evaluate(memo)), "");
  EXPECT_EQ(EngineErrorCode(), 354);
  EXPECT_EQ(Detail(), "Working pool overflow [PARSER/Allocate]");
}

TEST_F(ExprLifecycle, TheCurrentKeyIsEvaluatedUntilReleased) {
  OpenNotes();
  EXPECT_EQ(EvaluateCurrentKey(), nullptr);
  CompiledExpr* key = AssignExpr("UPPER(NAME)");
  SetCurrentKeyExpr(key);
  EXPECT_EQ(std::string(static_cast<const char*>(EvaluateCurrentKey())),
            "ABC" + std::string(17, ' '));
  ReleaseExpr(key);
  EXPECT_EQ(CurrentKeyExpr(), nullptr);
  EXPECT_EQ(EvaluateCurrentKey(), nullptr);
}

TEST_F(ExprForCheck, ConditionsPassAndOtherTypesOrErrorsGiveTheirCodes) {
  OpenNotes();
  EXPECT_EQ(ForCheck("   "), 359);
  EXPECT_EQ(ForCheck(" \r\n\t"), 359);
  EXPECT_EQ(ForCheck("DELETED()"), 0);
  EXPECT_EQ(ForCheck("RECNO()"), 362);
  EXPECT_EQ(ForCheck("NAME"), 362);
  EXPECT_EQ(ForCheck("NAME = "), 351);
  EXPECT_EQ(ForCheck("1 + 'a'"), 351);
  EXPECT_EQ(EngineErrorCode(), 0);
}

TEST_F(ExprForCheck, ReportsNothingAndRestoresTheSettings) {
  OpenNotes();
  int dispatched = 0;
  SetAutoDispatch(true);
  const ErrorHook previous = SetErrorHook([&] { ++dispatched; });
  const int memoSize = SetMemoWorkingSize(100);
  EXPECT_EQ(ForCheck("NOSUCHNAME"), 351);
  EXPECT_EQ(MemoWorkingSize(), 100);
  const bool dispatchWasOn = SetAutoDispatch(false);
  SetErrorHook(previous);
  SetMemoWorkingSize(memoSize);
  EXPECT_TRUE(dispatchWasOn);
  EXPECT_EQ(dispatched, 0);
}

TEST_F(ExprHooksTest, RegisteringInstallsTheUnitForFiltersAndKeys) {
  ExprHooks* const before = RegisteredHooks().expr;
  RegisterExprUnit();
  ExprHooks* hooks = RegisteredHooks().expr;
  ASSERT_NE(hooks, nullptr);
  OpenNotes();
  WorkArea& area = CurrentArea();
  area.filter = hooks->AssignExpr("ALARMACT == 'Y'");
  ASSERT_NE(area.filter, nullptr);
  const ExprShape shape = hooks->Shape(*area.filter);
  EXPECT_EQ(shape.type, 'L');
  EXPECT_EQ(shape.width, 1);
  EXPECT_EQ(shape.source, "ALARMACT == 'Y'");
  EXPECT_TRUE(hooks->FilterPasses(area));
  EXPECT_TRUE(IsVisible(area));
  PokeField("ALARMACT", "N");
  EXPECT_FALSE(hooks->FilterPasses(area));
  EXPECT_FALSE(IsVisible(area));
  EXPECT_EQ(*static_cast<const std::int32_t*>(hooks->Evaluate(*area.filter)), 0);

  const CompiledExpr* compiled = dynamic_cast<ExprHandle&>(*area.filter).expr();
  area.filter.reset();  // destroying the state releases the expression
  EXPECT_FALSE(IsRegisteredExpr(compiled));
  EXPECT_TRUE(hooks->FilterPasses(area));
  EXPECT_EQ(hooks->AssignExpr("1 +"), nullptr);
  EXPECT_EQ(EngineErrorCode(), 351);
  EXPECT_EQ(hooks->ForCheck("FLAG"), 0);

  std::unique_ptr<UnitState> key = hooks->AssignExpr("HANDLE");
  hooks->SetCurrentKey(key.get());
  EXPECT_EQ(*static_cast<const double*>(hooks->EvaluateCurrentKey()), 42);
  key.reset();
  EXPECT_EQ(hooks->EvaluateCurrentKey(), nullptr);
  RegisteredHooks().expr = before;
}

}  // namespace
}  // namespace pw::testing
