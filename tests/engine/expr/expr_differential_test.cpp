// Generated expressions over numbers, texts and dates, evaluated by the
// engine and by a plain reference evaluator built into the generator; the
// results must agree. The seed is fixed, so every run checks the same set.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "common/error_state.h"
#include "engine/expr/expression.h"
#include "engine/table/record_io.h"
#include "engine/table/work_areas.h"
#include "expr_test_support.h"

namespace pw::testing {
namespace {

using ExprDifferential = ExprTest;

// One generated expression: its text and the value the reference gives.
struct Generated {
  Generated(std::string source, double value = 0) : text(std::move(source)), number(value) {}
  std::string text;
  double number = 0;   // N and D
  std::string chars;   // C
  bool truth = false;  // L
};

constexpr std::size_t kMaxText = 255;
constexpr double kBlank = 1e100;

// Reference day numbers through the standard calendar: days since
// 1970-01-01 plus the day number of that date.
double ReferenceDay(int year, unsigned month, unsigned day) {
  using namespace std::chrono;
  const year_month_day date{std::chrono::year{year}, std::chrono::month{month},
                            std::chrono::day{day}};
  if (!date.ok()) return kBlank;
  return static_cast<double>(sys_days{date}.time_since_epoch().count()) + 2440588;
}

std::string ReferenceDtos(double value) {
  using namespace std::chrono;
  if (value > 5373484 || std::trunc(value) <= 1721425) return "        ";
  const year_month_day date{sys_days{days{static_cast<long long>(std::trunc(value)) - 2440588}}};
  char text[16];
  std::snprintf(text, sizeof text, "%04d%02u%02u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return text;
}

// STR(n, 12, 2) in whole-number arithmetic: n as its 15 significant digits
// M times 10^(e - 14), then M times 10^(e - 12) hundredths, halves up in
// magnitude; a value rounded to zero loses its sign.
std::string ReferenceStr12And2(double value) {
  const std::string stars(12, '*');
  if (!std::isfinite(value)) return stars;
  char text[40];
  std::snprintf(text, sizeof text, "%.14e", std::fabs(value));
  const std::string digits = std::string(1, text[0]) + std::string(text + 2, 14);
  const std::uint64_t mantissa = std::stoull(digits);
  const int exponent = std::atoi(std::strchr(text, 'e') + 1);
  if (exponent > 12) return stars;      // at least 1e13: wider than 12 characters
  std::uint64_t hundredths = mantissa;  // exactly so for exponent 12
  if (exponent < 12) {
    const int drop = 12 - exponent;
    if (drop > 16) {
      hundredths = 0;
    } else {
      std::uint64_t divisor = 1;
      for (int i = 0; i < drop; ++i) divisor *= 10;
      hundredths = mantissa / divisor + (2 * (mantissa % divisor) >= divisor ? 1 : 0);
    }
  }
  char fixed[40];
  std::snprintf(fixed, sizeof fixed, "%s%llu.%02llu", value < 0 && hundredths > 0 ? "-" : "",
                static_cast<unsigned long long>(hundredths / 100),
                static_cast<unsigned long long>(hundredths % 100));
  const std::string result = fixed;
  if (result.size() > 12) return stars;
  return std::string(12 - result.size(), ' ') + result;
}

std::string Cut(std::string text) {
  if (text.size() > kMaxText) text.resize(kMaxText);
  return text;
}

// The records every expression is evaluated on: N1 N(8,2), N2 N(6,0),
// C1 C(10), C2 C(6), D1 D, D2 D.
struct Row {
  double n1;
  double n2;
  std::string c1;
  std::string c2;
  double d1;
  double d2;
};

class Generator {
 public:
  Generator(std::mt19937& random, const Row& row) : random_(random), row_(row) {}

  Generated Number(int depth) {
    switch (Pick(depth <= 0 ? 3 : 13)) {
      case 0: {
        const int whole = Pick(200) - 100;
        return {std::to_string(std::abs(whole)) + (whole < 0 ? "" : ".5"),
                whole < 0 ? -whole : whole + 0.5};
      }
      case 1:
        return {"N1", row_.n1};
      case 2:
        return {"N2", row_.n2};
      case 3:
      case 4:
      case 5: {
        const Generated a = Number(depth - 1);
        const Generated b = Number(depth - 1);
        const char op = "+-*"[Pick(3)];
        const double value = op == '+'   ? a.number + b.number
                             : op == '-' ? a.number - b.number
                                         : a.number * b.number;
        return {"(" + a.text + " " + op + " " + b.text + ")", value};
      }
      case 6: {
        const Generated a = Number(depth - 1);
        return {"-" + a.text, -a.number};
      }
      case 7: {
        const Generated a = Number(depth - 1);
        return Pick(2) == 0 ? Generated{"ABS(" + a.text + ")", std::fabs(a.number)}
                            : Generated{"INT(" + a.text + ")", std::trunc(a.number)};
      }
      case 8: {
        const Generated t = Text(depth - 1);
        return {"LEN(" + t.text + ")", static_cast<double>(t.chars.size())};
      }
      case 9: {
        const Generated a = Text(depth - 1);
        const Generated b = Text(depth - 1);
        const std::size_t at = a.chars.empty() ? std::string::npos : b.chars.find(a.chars);
        return {"AT(" + a.text + ", " + b.text + ")",
                at == std::string::npos ? 0.0 : static_cast<double>(at + 1)};
      }
      case 10: {
        const Generated a = Number(depth - 1);
        const int divisor = Pick(9) + 1;
        // Beyond the 64-bit range the engine saturates.
        const double limit = 9223372036854775807.0;
        const auto dividend = a.number >= limit    ? INT64_MAX
                              : a.number <= -limit ? INT64_MIN
                                                   : static_cast<long long>(a.number);
        return {"MOD(" + a.text + ", " + std::to_string(divisor) + ")",
                static_cast<double>(dividend % divisor)};
      }
      case 11: {
        const Generated a = Number(depth - 1);
        const Generated b = Number(depth - 1);
        return Pick(2) == 0 ? Generated{"MAX(" + a.text + ", " + b.text + ")",
                                        a.number > b.number ? a.number : b.number}
                            : Generated{"MIN(" + a.text + ", " + b.text + ")",
                                        a.number < b.number ? a.number : b.number};
      }
      default: {
        const Generated a = Date(depth - 1);
        const Generated b = Date(depth - 1);
        return {"(" + a.text + " - " + b.text + ")", a.number - b.number};
      }
    }
  }

  Generated Text(int depth) {
    switch (Pick(depth <= 0 ? 3 : 14)) {
      case 0: {
        std::string literal;
        const int length = Pick(6);
        for (int i = 0; i < length; ++i) literal += "aB c1 Zy"[Pick(8)];
        Generated g{"'" + literal + "'"};
        g.chars = literal;
        return g;
      }
      case 1:
        return Chars("C1", row_.c1);
      case 2:
        return Chars("C2", row_.c2);
      case 3: {
        const Generated a = Text(depth - 1);
        const Generated b = Text(depth - 1);
        return Chars("(" + a.text + " + " + b.text + ")", Cut(a.chars + b.chars));
      }
      case 4: {
        const Generated a = Text(depth - 1);
        const Generated b = Text(depth - 1);
        const std::size_t kept = a.chars.find_last_not_of(' ') + 1;
        return Chars(
            "(" + a.text + " - " + b.text + ")",
            Cut(a.chars.substr(0, kept) + b.chars + std::string(a.chars.size() - kept, ' ')));
      }
      case 5: {
        const Generated a = Text(depth - 1);
        std::string upper = a.chars;
        for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return Chars("UPPER(" + a.text + ")", upper);
      }
      case 6: {
        const Generated a = Text(depth - 1);
        std::string lower = a.chars;
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return Chars("LOWER(" + a.text + ")", lower);
      }
      case 7: {
        const Generated a = Text(depth - 1);
        const std::size_t first = a.chars.find_first_not_of(' ');
        const std::size_t last = a.chars.find_last_not_of(' ');
        return Pick(2) == 0 ? Chars("LTRIM(" + a.text + ")",
                                    first == std::string::npos ? "" : a.chars.substr(first))
                            : Chars("TRIM(" + a.text + ")",
                                    last == std::string::npos ? "" : a.chars.substr(0, last + 1));
      }
      case 8: {
        const Generated a = Text(depth - 1);
        const int count = Pick(8) - 2;
        const auto length = static_cast<int>(a.chars.size());
        const bool left = Pick(2) == 0;
        std::string result;
        if (left) {
          result = count <= 0 ? "" : a.chars.substr(0, std::min(count, length));
        } else {
          result = count == 0                       ? ""
                   : (count < 0 || count >= length) ? a.chars
                                                    : a.chars.substr(length - count);
        }
        return Chars(std::string(left ? "LEFT(" : "RIGHT(") + a.text + ", " + Signed(count) + ")",
                     result);
      }
      case 9: {
        const Generated a = Text(depth - 1);
        const int start = Pick(8) - 1;
        const int count = Pick(7) - 1;
        const auto length = static_cast<int>(a.chars.size());
        const int from = std::max(start, 1);
        std::string result;
        if (from <= length && count >= 0) result = a.chars.substr(from - 1, count);
        return Chars("SUBSTR(" + a.text + ", " + Signed(start) + ", " + Signed(count) + ")",
                     result);
      }
      case 10: {
        const Generated a = Text(depth - 1);
        const int count = Pick(5) - 1;
        std::string result;
        for (int i = 0; i < count; ++i) result += a.chars;
        return Chars("REPLICATE(" + a.text + ", " + Signed(count) + ")", Cut(result));
      }
      case 11: {
        const Generated l = Logical(depth - 1);
        const Generated a = Text(depth - 1);
        const Generated b = Text(depth - 1);
        return Chars("IIF(" + l.text + ", " + a.text + ", " + b.text + ")",
                     l.truth ? a.chars : b.chars);
      }
      case 12: {
        const Generated d = Date(depth - 1);
        return Chars("DTOS(" + d.text + ")", ReferenceDtos(d.number));
      }
      default: {
        const Generated n = Number(depth - 1);
        return Chars("STR(" + n.text + ", 12, 2)", ReferenceStr12And2(n.number));
      }
    }
  }

  Generated Date(int depth) {
    switch (Pick(depth <= 0 ? 3 : 5)) {
      case 0: {
        const int year = 1990 + Pick(40);
        const unsigned month = 1 + Pick(12);
        const unsigned day = 1 + Pick(31);
        char text[32];
        std::snprintf(text, sizeof text, "CTOD('%02u/%02u/%04d')", month, day, year);
        return {text, ReferenceDay(year, month, day)};
      }
      case 1:
        return {"D1", row_.d1};
      case 2:
        return {"D2", row_.d2};
      case 3: {
        const Generated d = Date(depth - 1);
        const int days = Pick(100);
        return {"(" + d.text + " + " + std::to_string(days) + ")", d.number + days};
      }
      default: {
        const Generated d = Date(depth - 1);
        const int days = Pick(100);
        return {"(" + d.text + " - " + std::to_string(days) + ")", d.number - days};
      }
    }
  }

  Generated Logical(int depth) {
    switch (Pick(depth <= 0 ? 1 : 7)) {
      case 0:
        return Truth(Pick(2) == 0 ? ".T." : ".F.", false, true);
      case 1: {
        const Generated a = Number(depth - 1);
        const Generated b = Number(depth - 1);
        return Compare(a.text, b.text, a.number < b.number ? -1 : a.number > b.number ? 1 : 0);
      }
      case 2: {
        const Generated a = Date(depth - 1);
        const Generated b = Date(depth - 1);
        return Compare(a.text, b.text, a.number < b.number ? -1 : a.number > b.number ? 1 : 0);
      }
      case 3: {
        const Generated a = Text(depth - 1);
        const Generated b = Text(depth - 1);
        switch (Pick(4)) {
          case 0:
            return Truth("(" + a.text + " = " + b.text + ")",
                         !b.chars.empty() && a.chars.compare(0, b.chars.size(), b.chars) == 0);
          case 1:
            return Truth("(" + a.text + " == " + b.text + ")", a.chars == b.chars);
          case 2:
            return Truth("(" + a.text + " $ " + b.text + ")",
                         !a.chars.empty() && b.chars.find(a.chars) != std::string::npos);
          default:
            return Truth("(" + a.text + " < " + b.text + ")", a.chars < b.chars);
        }
      }
      case 4: {
        const Generated a = Logical(depth - 1);
        const Generated b = Logical(depth - 1);
        return Truth("(" + a.text + " .AND. " + b.text + ")", a.truth && b.truth);
      }
      case 5: {
        const Generated a = Logical(depth - 1);
        const Generated b = Logical(depth - 1);
        return Truth("(" + a.text + " .OR. " + b.text + ")", a.truth || b.truth);
      }
      default: {
        const Generated a = Logical(depth - 1);
        return Truth(".NOT. " + a.text, !a.truth);
      }
    }
  }

 private:
  int Pick(int count) { return static_cast<int>(random_() % static_cast<unsigned>(count)); }

  static std::string Signed(int value) {
    return value < 0 ? "-" + std::to_string(-value) : std::to_string(value);
  }

  static Generated Chars(std::string text, std::string chars) {
    Generated g{std::move(text)};
    g.chars = std::move(chars);
    return g;
  }

  static Generated Truth(std::string text, bool truth, bool literal = false) {
    Generated g{std::move(text)};
    g.truth = literal ? g.text == ".T." : truth;
    return g;
  }

  Generated Compare(const std::string& a, const std::string& b, int order) {
    static constexpr const char* kOperators[] = {"<", ">", "=", "<>", "<=", ">="};
    const int which = Pick(6);
    const bool truth = which == 0   ? order < 0
                       : which == 1 ? order > 0
                       : which == 2 ? order == 0
                       : which == 3 ? order != 0
                       : which == 4 ? order <= 0
                                    : order >= 0;
    return Truth("(" + a + " " + kOperators[which] + " " + b + ")", truth);
  }

  std::mt19937& random_;
  const Row& row_;
};

TEST_F(ExprDifferential, GeneratedExpressionsAgreeWithTheReference) {
  const std::vector<Row> rows = {
      {12.5, 42, "Hello  ", "ab c", ReferenceDay(2024, 3, 7), ReferenceDay(1999, 12, 31)},
      {-3.25, 0, "", "zz", ReferenceDay(2000, 2, 29), kBlank},
      {0, -17, "  pad", "a", ReferenceDay(2030, 1, 1), ReferenceDay(1990, 6, 15)}};
  OpenTable("diff",
            {Field("N1", 'N', 8, 2), Field("N2", 'N', 6), Field("C1", 'C', 10), Field("C2", 'C', 6),
             Field("D1", 'D', 8), Field("D2", 'D', 8)},
            {});
  for (const Row& row : rows) {
    char n1[16];
    std::snprintf(n1, sizeof n1, "%.2f", row.n1);
    AddRecord({n1, std::to_string(static_cast<int>(row.n2)), row.c1, row.c2, ReferenceDtos(row.d1),
               ReferenceDtos(row.d2)});
  }
  SetAutoDispatch(false);
  std::mt19937 random(20240307);
  int compared = 0;
  for (int round = 0; round < 4000; ++round) {
    const std::size_t rowIndex = static_cast<std::size_t>(round) % rows.size();
    ASSERT_EQ(ReadRecord(CurrentArea(), static_cast<std::int32_t>(rowIndex + 1)), 0);
    Row row = rows[rowIndex];
    row.c1.resize(10, ' ');
    row.c2.resize(6, ' ');
    Generator generator(random, row);
    const int kind = round % 4;
    const Generated g = kind == 0   ? generator.Number(4)
                        : kind == 1 ? generator.Text(4)
                        : kind == 2 ? generator.Date(3)
                                    : generator.Logical(4);
    if (g.text.size() > kMaxText) continue;
    CompiledExpr* expr = AssignExpr(g.text);
    ASSERT_NE(expr, nullptr) << g.text << ": " << Detail();
    const void* result = Evaluate(expr);
    ASSERT_EQ(EngineErrorCode(), 0) << g.text;
    switch (kind) {
      case 0:
      case 2:
        EXPECT_EQ(*static_cast<const double*>(result), g.number) << g.text;
        break;
      case 1:
        EXPECT_EQ(std::string(static_cast<const char*>(result)), g.chars) << g.text;
        break;
      default:
        EXPECT_EQ(*static_cast<const std::int32_t*>(result) != 0, g.truth) << g.text;
        break;
    }
    ReleaseExpr(expr);
    ++compared;
  }
  EXPECT_GT(compared, 3000);
}

}  // namespace
}  // namespace pw::testing
