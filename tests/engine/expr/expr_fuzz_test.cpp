// Random and mutated expression texts: compilation either succeeds or
// reports 351 with its text, and whatever compiles evaluates without crashing, reporting
// at most a division by zero or a full pool.
#include <random>
#include <string>
#include <vector>

#include "common/error_state.h"
#include "engine/expr/expression.h"
#include "expr_test_support.h"

namespace pw::testing {
namespace {

using ExprFuzz = ExprTest;

const std::vector<std::string> kSeeds = {
    "upper(Noteboard)",
    "ALARMACT == \"Y\" .AND. DTOS(DATECREATE) > \"20240101\"",
    "IIF(FLAG, STR(HANDLE, 5, 1), SPACE(3)) + NAME - 'x'",
    "SUBSTR(NOTEBOARD, AT('l', NOTEBOARD), 4) $ UPPER(NAME)",
    "MOD(HANDLE, 7) * ROUND(AMOUNT, 1) ^ 2 / (1 - 1)",
    "CDOW(DATE() + 1) + CMONTH(DATE) + DTOC(CTOD('02/29/2024'))",
    "REPLICATE(SOUNDEX(NAME), 80) + STUFF(NAME, 2, 3, 'xyz')",
    ".NOT. DELETED() .OR. RECNO() >= VAL('12.5e1') .AND. MAX(DATE, DATECREATE) > DATE",
    "LEFT(RTRIM(LTRIM(LOWER(NAME))), -3) + RIGHT(CHR(ASC('A') + 1), 1)",
};

const std::string kPieces[] = {"(",     ")",    ",",      "'",       "\"",   "+",    "-",
                               "*",     "/",    "^",      "**",      "=",    "==",   "<>",
                               "#",     "<",    ">=",     "$",       " ",    ".T.",  ".NOT. ",
                               ".AND.", "NAME", "HANDLE", "DATE",    "FLAG", "STR(", "IIF(",
                               "1E",    "9.9.", "->",     "NOTES->", "\t",   "\r",   "0"};

std::string Mutate(std::string text, std::mt19937& random) {
  const int edits = 1 + static_cast<int>(random() % 4);
  for (int i = 0; i < edits; ++i) {
    const std::size_t at = text.empty() ? 0 : random() % (text.size() + 1);
    switch (random() % 4) {
      case 0:
        if (!text.empty() && at < text.size()) text.erase(at, 1 + random() % 3);
        break;
      case 1:
        text.insert(at, kPieces[random() % std::size(kPieces)]);
        break;
      case 2:
        if (at < text.size()) text[at] = static_cast<char>(random() % 256);
        break;
      default:
        text.insert(at, text.substr(0, random() % (text.size() + 1)));
        break;
    }
  }
  return text;
}

std::string RandomText(std::mt19937& random) {
  std::string text;
  const int pieces = static_cast<int>(random() % 40);
  for (int i = 0; i < pieces; ++i) {
    if (random() % 3 == 0) {
      text.push_back(static_cast<char>(random() % 256));
    } else {
      text += kPieces[random() % std::size(kPieces)];
    }
  }
  return text;
}

TEST_F(ExprFuzz, RandomAndMutatedTextsNeverCrash) {
  OpenNotes();
  SetAutoDispatch(false);
  std::mt19937 random(8);
  int compiled = 0;
  for (int round = 0; round < 100000; ++round) {
    const std::string text =
        round % 3 == 0 ? RandomText(random) : Mutate(kSeeds[random() % kSeeds.size()], random);
    ClearEngineError();
    CompiledExpr* expr = AssignExpr(text);
    if (expr == nullptr) {
      ASSERT_EQ(EngineErrorCode(), 351) << text;
      ASSERT_EQ(
          ErrorMessage().rfind("Error # 351 (Error in expression)\r\nError in expression : ", 0),
          0u)
          << text;
      continue;
    }
    ++compiled;
    ASSERT_NE(Evaluate(expr), nullptr);
    const int code = EngineErrorCode();
    EXPECT_TRUE(code == 0 || code == 358) << text << " gave " << code;
    ReleaseExpr(expr);
  }
  EXPECT_GT(compiled, 1500);
}

TEST_F(ExprFuzz, EverySeedCompilesAndEvaluates) {
  OpenNotes();
  SetAutoDispatch(false);
  for (const std::string& seed : kSeeds) {
    ClearEngineError();
    CompiledExpr* expr = AssignExpr(seed);
    ASSERT_NE(expr, nullptr) << seed << ": " << Detail();
    Evaluate(expr);
    ReleaseExpr(expr);
  }
}

}  // namespace
}  // namespace pw::testing
