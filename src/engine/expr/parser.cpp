#include "engine/expr/parser.h"

#include <algorithm>
#include <optional>
#include <string>

#include "engine/expr/expr_errors.h"
#include "engine/expr/handlers.h"
#include "engine/expr/lexer.h"
#include "engine/expr/type_rules.h"

namespace pw {
namespace {

// Entries of the parser stack: each shifted token or recognised operand
// takes one, the start state one more.
constexpr int kParserStackEntries = 150;

Handler FetchHandlerOf(ValueType type) {
  switch (type) {
    case ValueType::Character:
      return ops::FetchCharacter;
    case ValueType::Date:
      return ops::FetchDate;
    case ValueType::Logical:
      return ops::FetchLogical;
    case ValueType::Memo:
      return ops::FetchMemo;
    default:
      return ops::FetchNumber;
  }
}

using Parsed = std::optional<ValueType>;

class Parser {
 public:
  Parser(std::string_view text, WorkArea& current, CompiledExpr& expr)
      : text_(text), lexer_(text, current), expr_(expr) {}

  bool Run(ParseTrackers& trackers) {
    Advance();
    const Parsed type = ParseLevel(kLoosestLevel, 1);
    if (!type) return false;
    if (token_.kind != TokenKind::End) return Fail(kSyntaxError);
    expr_.type = *type;
    expr_.literals = std::move(lexer_.literals());
    expr_.stack.resize(std::max<std::size_t>(deepest_, 1));
    trackers = {lexer_.lastWidth(), lexer_.lastDecimals(), lexer_.poolSize()};
    return true;
  }

 private:
  void Advance() { token_ = lexer_.Next(); }

  bool Fail(std::string_view message) {
    ReportCompileError(message, text_, lexer_.position());
    return false;
  }

  // Whether the parser stack holds `entries` entries without overflowing.
  bool Fits(int entries) {
    if (entries <= kParserStackEntries) return true;
    return Fail(kParserStackOverflow);
  }

  void Emit(Instruction instruction, int pops) {
    expr_.code.push_back(instruction);
    depth_ = depth_ - pops + 1;
    deepest_ = std::max(deepest_, depth_);
  }

  // A binary level: operands of the next tighter level joined by the
  // operators of this one, from left to right.
  Parsed ParseLevel(int level, int stack) {
    if (level == 1) return ParseUnary(stack);
    Parsed left = ParseLevel(level - 1, stack);
    while (left) {
      const std::optional<Operator> op = BinaryOperatorOf(token_);
      if (!op || LevelOf(*op) != level) break;
      if (!Fits(stack + 2)) return std::nullopt;
      Advance();
      const Parsed right = ParseLevel(level - 1, stack + 2);
      if (!right) return std::nullopt;
      left = Apply(*op, *left, *right, 2);
    }
    return left;
  }

  Parsed ParseUnary(int stack) {
    const std::optional<Operator> op = PrefixOperatorOf(token_);
    if (!op) return ParseOperand(stack);
    if (!Fits(stack + 1)) return std::nullopt;
    Advance();
    const Parsed operand = ParseUnary(stack + 1);
    if (!operand) return std::nullopt;
    return Apply(*op, *operand, *operand, 1);
  }

  Parsed Apply(Operator op, ValueType left, ValueType right, int pops) {
    const std::optional<OperatorRule> rule = FindOperatorRule(op, left, right);
    if (!rule) {
      Fail(OperatorMismatchMessage(MessageNameOf(op)));
      return std::nullopt;
    }
    if (rule->handler != nullptr) Emit({.run = rule->handler}, pops);
    return rule->result;
  }

  Parsed ParseOperand(int stack) {
    if (!Fits(stack + 1)) return std::nullopt;
    const Token token = token_;
    switch (token.kind) {
      case TokenKind::Number:
        Advance();
        Emit({.run = ops::PushNumberConstant, .number = token.number}, 0);
        return ValueType::Number;
      case TokenKind::Text:
        Advance();
        Emit({.run = ops::PushTextConstant,
              .textOffset = token.textOffset,
              .textLength = token.textLength},
             0);
        return ValueType::Character;
      case TokenKind::Field:
        Advance();
        Emit({.run = FetchHandlerOf(token.field.type),
              .field = token.field.index,
              .area = token.field.area},
             0);
        return token.field.type;
      case TokenKind::LeftParen:
        return ParseParenthesised(stack);
      case TokenKind::Keyword:
        return ParseKeyword(*token.keyword, stack);
      default:
        Fail(kSyntaxError);
        return std::nullopt;
    }
  }

  Parsed ParseParenthesised(int stack) {
    Advance();
    const Parsed inner = ParseLevel(kLoosestLevel, stack + 1);
    if (!inner) return std::nullopt;
    // A nesting too deep overflows whatever follows the operand.
    if (!Fits(stack + 3)) return std::nullopt;
    if (token_.kind != TokenKind::RightParen) {
      Fail(kSyntaxError);
      return std::nullopt;
    }
    Advance();
    return inner;
  }

  Parsed ParseKeyword(const Keyword& keyword, int stack) {
    switch (keyword.kind) {
      case KeywordKind::True:
      case KeywordKind::False:
        Advance();
        Emit({.run = ops::PushLogicalConstant,
              .number = keyword.kind == KeywordKind::True ? 1.0 : 0.0},
             0);
        return ValueType::Logical;
      case KeywordKind::Function:
        return ParseCall(keyword, stack);
      default:
        Fail(kSyntaxError);
        return std::nullopt;
    }
  }

  // name ( arguments ): the count must be one the function accepts, the
  // types one of its signatures.
  Parsed ParseCall(const Keyword& function, int stack) {
    std::size_t fewest = SIZE_MAX;
    std::size_t most = 0;
    for (const Signature& signature : function.signatures) {
      fewest = std::min(fewest, signature.arguments.size());
      most = std::max(most, signature.arguments.size());
    }
    Advance();
    if (token_.kind != TokenKind::LeftParen) return Failed(kSyntaxError);
    if (!Fits(stack + 2)) return std::nullopt;
    Advance();
    std::string types;
    if (token_.kind != TokenKind::RightParen) {
      if (most == 0) return Failed(kSyntaxError);
      for (;;) {
        const Parsed argument = ParseLevel(kLoosestLevel, types.empty() ? stack + 2 : stack + 4);
        if (!argument) return std::nullopt;
        types.push_back(static_cast<char>(*argument));
        if (token_.kind == TokenKind::RightParen) break;
        if (token_.kind != TokenKind::Comma || types.size() == most) return Failed(kSyntaxError);
        if (!Fits(stack + 4)) return std::nullopt;
        Advance();
      }
    }
    if (types.size() < fewest) return Failed(kSyntaxError);
    if (!Fits(types.empty() ? stack + 3 : stack + 4)) return std::nullopt;
    const auto signature =
        std::find_if(function.signatures.begin(), function.signatures.end(),
                     [&](const Signature& candidate) { return candidate.arguments == types; });
    if (signature == function.signatures.end()) {
      return Failed(FunctionMismatchMessage(function.name));
    }
    Advance();
    Emit({.run = function.handler, .argumentCount = static_cast<std::uint8_t>(types.size())},
         static_cast<int>(types.size()));
    return signature->result;
  }

  Parsed Failed(std::string_view message) {
    Fail(message);
    return std::nullopt;
  }

  std::string_view text_;
  Lexer lexer_;
  CompiledExpr& expr_;
  Token token_;
  int depth_ = 0;
  int deepest_ = 0;
};

}  // namespace

bool ParseExpression(std::string_view text, WorkArea& current, CompiledExpr& expr,
                     ParseTrackers& trackers) {
  return Parser(text, current, expr).Run(trackers);
}

}  // namespace pw
