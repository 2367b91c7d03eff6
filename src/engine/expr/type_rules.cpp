#include "engine/expr/type_rules.h"

#include "engine/expr/handlers.h"

namespace pw {
namespace {

using enum ValueType;

struct Rule {
  Operator op;
  ValueType left;
  ValueType right;
  ValueType result;
  Handler handler;
};

// Every accepted operand pair; any other pair is a type mismatch. Prefix
// operators list their operand as `left` and `right`.
constexpr Rule kRules[] = {
    {Operator::Add, Number, Number, Number, ops::AddNumbers},
    {Operator::Add, Number, Date, Date, ops::AddDays},
    {Operator::Add, Date, Number, Date, ops::AddDays},
    {Operator::Add, Character, Character, Character, ops::ConcatTexts},
    {Operator::Subtract, Number, Number, Number, ops::SubtractNumbers},
    {Operator::Subtract, Date, Number, Date, ops::SubtractDays},
    {Operator::Subtract, Date, Date, Number, ops::SubtractNumbers},
    {Operator::Subtract, Character, Character, Character, ops::ConcatMovingBlanks},
    {Operator::Multiply, Number, Number, Number, ops::Multiply},
    {Operator::Divide, Number, Number, Number, ops::Divide},
    {Operator::Power, Number, Number, Number, ops::Power},
    {Operator::Equal, Number, Number, Logical, ops::EqualNumbers},
    {Operator::Equal, Date, Date, Logical, ops::EqualNumbers},
    {Operator::Equal, Character, Character, Logical, ops::EqualTexts},
    {Operator::Equal, Logical, Logical, Logical, ops::EqualLogicals},
    {Operator::NotEqual, Number, Number, Logical, ops::NotEqualNumbers},
    {Operator::NotEqual, Date, Date, Logical, ops::NotEqualNumbers},
    {Operator::NotEqual, Character, Character, Logical, ops::NotEqualTexts},
    {Operator::NotEqual, Logical, Logical, Logical, ops::NotEqualLogicals},
    {Operator::Less, Number, Number, Logical, ops::LessNumbers},
    {Operator::Less, Date, Date, Logical, ops::LessNumbers},
    {Operator::Less, Character, Character, Logical, ops::LessTexts},
    {Operator::LessEqual, Number, Number, Logical, ops::LessEqualNumbers},
    {Operator::LessEqual, Date, Date, Logical, ops::LessEqualNumbers},
    {Operator::LessEqual, Character, Character, Logical, ops::LessEqualTexts},
    {Operator::Greater, Number, Number, Logical, ops::GreaterNumbers},
    {Operator::Greater, Date, Date, Logical, ops::GreaterNumbers},
    {Operator::Greater, Character, Character, Logical, ops::GreaterTexts},
    {Operator::GreaterEqual, Number, Number, Logical, ops::GreaterEqualNumbers},
    {Operator::GreaterEqual, Date, Date, Logical, ops::GreaterEqualNumbers},
    {Operator::GreaterEqual, Character, Character, Logical, ops::GreaterEqualTexts},
    {Operator::ExactEqual, Character, Character, Logical, ops::ExactEqualTexts},
    {Operator::Contains, Character, Character, Logical, ops::ContainsText},
    {Operator::And, Logical, Logical, Logical, ops::And},
    {Operator::Or, Logical, Logical, Logical, ops::Or},
    {Operator::Not, Logical, Logical, Logical, ops::Not},
    {Operator::UnaryPlus, Number, Number, Number, nullptr},
    {Operator::UnaryMinus, Number, Number, Number, ops::Negate},
};

bool IsPrefix(Operator op) {
  return op == Operator::Not || op == Operator::UnaryPlus || op == Operator::UnaryMinus;
}

}  // namespace

std::optional<Operator> BinaryOperatorOf(const Token& token) {
  switch (token.kind) {
    case TokenKind::Plus:
      return Operator::Add;
    case TokenKind::Minus:
      return Operator::Subtract;
    case TokenKind::Star:
      return Operator::Multiply;
    case TokenKind::Slash:
      return Operator::Divide;
    case TokenKind::Power:
      return Operator::Power;
    case TokenKind::Equal:
      return Operator::Equal;
    case TokenKind::NotEqual:
      return Operator::NotEqual;
    case TokenKind::Less:
      return Operator::Less;
    case TokenKind::LessEqual:
      return Operator::LessEqual;
    case TokenKind::Greater:
      return Operator::Greater;
    case TokenKind::GreaterEqual:
      return Operator::GreaterEqual;
    case TokenKind::ExactEqual:
      return Operator::ExactEqual;
    case TokenKind::Dollar:
      return Operator::Contains;
    case TokenKind::Keyword:
      if (token.keyword->kind == KeywordKind::And) return Operator::And;
      if (token.keyword->kind == KeywordKind::Or) return Operator::Or;
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

std::optional<Operator> PrefixOperatorOf(const Token& token) {
  if (token.kind == TokenKind::Plus) return Operator::UnaryPlus;
  if (token.kind == TokenKind::Minus) return Operator::UnaryMinus;
  if (token.kind == TokenKind::Keyword && token.keyword->kind == KeywordKind::Not) {
    return Operator::Not;
  }
  return std::nullopt;
}

int LevelOf(Operator op) {
  switch (op) {
    case Operator::Power:
      return 2;
    case Operator::Multiply:
    case Operator::Divide:
      return 3;
    case Operator::Add:
    case Operator::Subtract:
      return 4;
    case Operator::Less:
    case Operator::LessEqual:
    case Operator::Greater:
    case Operator::GreaterEqual:
      return 5;
    case Operator::Contains:
    case Operator::ExactEqual:
      return 6;
    case Operator::Equal:
    case Operator::NotEqual:
      return 7;
    case Operator::And:
      return 8;
    case Operator::Or:
      return 9;
    default:
      return 1;
  }
}

std::string_view MessageNameOf(Operator op) {
  switch (op) {
    case Operator::Add:
      return "+";
    case Operator::Subtract:
      return "-";
    case Operator::Multiply:
      return "*";
    case Operator::Divide:
      return "/";
    case Operator::Power:
      return "** or ^";
    case Operator::Equal:
      return "=";
    case Operator::NotEqual:
      return "<>";
    case Operator::Less:
      return "<";
    case Operator::LessEqual:
      return "<=";
    case Operator::Greater:
      return ">";
    case Operator::GreaterEqual:
      return ">=";
    case Operator::ExactEqual:
      return "==";
    case Operator::Contains:
      return "$";
    case Operator::And:
      return ".AND.";
    case Operator::Or:
      return ".OR.";
    case Operator::Not:
      return ".NOT.";
    case Operator::UnaryPlus:
      return "Unary +";
    case Operator::UnaryMinus:
      return "Unary -";
  }
  return {};
}

std::optional<OperatorRule> FindOperatorRule(Operator op, ValueType left, ValueType right) {
  if (IsPrefix(op)) right = left;
  for (const Rule& rule : kRules) {
    if (rule.op == op && rule.left == left && rule.right == right) {
      return OperatorRule{rule.result, rule.handler};
    }
  }
  return std::nullopt;
}

}  // namespace pw
