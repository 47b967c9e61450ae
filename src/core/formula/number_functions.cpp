#include <cfloat>
#include <cmath>
#include <cstdint>
#include <functional>

#include "formula/fo_operations.h"
#include "formula/formula_error.h"

namespace mervanta {

namespace {

constexpr TNumber kPi = 3.141592653589793238462643383279502884L;
// The processor's sine and cosine give up beyond this magnitude.
constexpr TNumber kTrigonometryLimit = 0x1p63L;

TNumber Checked(TNumber result) {
  if (std::isnan(result)) throw EFormulaError(TFormulaErrorCode::InvalidOperation);
  if (std::isinf(result)) throw EFormulaError(TFormulaErrorCode::Overflow);
  return result;
}

// A product or quotient of non-zero numbers that comes out as zero has underflowed.
TNumber CheckedNonZero(TNumber result) {
  if (Checked(result) == 0) throw EFormulaError(TFormulaErrorCode::Underflow);
  return result;
}

TNumber Multiply(TNumber a, TNumber b) {
  return a == 0 || b == 0 ? a * b : CheckedNonZero(a * b);
}

TNumber Divide(TNumber a, TNumber b) {
  if (b == 0)
    throw EFormulaError(a == 0 ? TFormulaErrorCode::InvalidOperation
                               : TFormulaErrorCode::DivisionByZero);
  return a == 0 ? a / b : CheckedNonZero(a / b);
}

// Squaring keeps even an exponent of two thousand million to a few dozen multiplications.
TNumber IntegerPower(TNumber base, std::int64_t exponent) {
  if (exponent < 0 && base == 0) throw EFormulaError(TFormulaErrorCode::DivisionByZero);
  std::uint64_t rest = exponent < 0 ? static_cast<std::uint64_t>(-exponent) : exponent;
  TNumber result = 1;
  for (TNumber factor = base; rest != 0; rest >>= 1) {
    if ((rest & 1) != 0) result *= factor;
    if (rest > 1) factor *= factor;
  }
  if (exponent >= 0) return base == 0 ? result : CheckedNonZero(result);
  // The reciprocal of a vanished power is too large, that of an overflowed one too small.
  if (result == 0) throw EFormulaError(TFormulaErrorCode::Overflow);
  if (std::isinf(result)) throw EFormulaError(TFormulaErrorCode::Underflow);
  return CheckedNonZero(1 / result);
}

TNumber Power(TNumber base, TNumber exponent) {
  if (std::trunc(exponent) == exponent && exponent >= INT32_MIN && exponent <= INT32_MAX) {
    return IntegerPower(base, static_cast<std::int64_t>(exponent));
  }
  if (base < 0) throw EFormulaError(TFormulaErrorCode::InvalidOperation);
  if (base == 0) {
    if (exponent < 0) throw EFormulaError(TFormulaErrorCode::DivisionByZero);
    return 0;
  }
  return CheckedNonZero(std::exp(exponent * std::log(base)));
}

// Rounds half away from zero to `digits` decimals at double precision; negative digits round
// to tens, hundreds and so on.
TNumber RoundTo(TNumber x, std::int8_t digits) {
  if (std::fabs(x) > DBL_MAX) throw EFormulaError(TFormulaErrorCode::Overflow);
  const double factor = std::pow(10.0, -digits);
  const double scaled = static_cast<double>(x) / factor;
  return Checked(std::trunc(x < 0 ? scaled - 0.5 : scaled + 0.5) * factor);
}

TNumber UnaryPlus(TFoMethodValue& node) {
  return node.Arg(0).GetNumber();
}

TNumber UnaryMinus(TFoMethodValue& node) {
  return -node.Arg(0).GetNumber();
}

// The right operand of a join taken as text after the left one, the whole cut to the
// longest text a formula makes.
void AppendRight(TFoMethodValue& node, std::string& text, std::size_t start) {
  node.Arg(1).AppendText(text);
  if (text.size() - start > kMaxTextLength) text.resize(start + kMaxTextLength);
}

// Adds numbers; joins texts when the left value is a text.
void Plus(TFoMethodValue& node, TFoVariable& value) {
  TFoCustomValue& left = node.Arg(0);
  std::string& text = node.Buffer();
  text.clear();
  if (left.GivesText()) {
    left.AppendText(text);
  } else {
    TFoVariable leftValue;
    left.GetValue(leftValue);
    if (leftValue.Kind == TFoValueKind::Number) {
      value.SetNumber(Checked(leftValue.Number + node.Arg(1).GetNumber()));
      return;
    }
    text.append(leftValue.Text);
  }
  AppendRight(node, text, 0);
  value.SetText(text);
}

bool PlusGivesText(const TFoMethodValue& node) {
  return node.Arg(0).GivesText();
}

// A join is charged to the text budget as if it were made in the node's buffer.
void AppendPlus(TFoMethodValue& node, std::string& text) {
  const std::size_t start = text.size();
  node.Arg(0).AppendText(text);
  AppendRight(node, text, start);
  TTextBudget::Spend(text.size() - start);
}

// The operation on both arguments as numbers, the left one first. A number literal on
// either side is read where it lies once the other side is computed: no number then waits
// in memory across a call, which for an 80-bit number costs more than most operations.
template <typename TOperation>
auto OnNumbers(TFoMethodValue& node, TOperation operation) {
  if (const TNumber* literal = node.NumberLiteralArg(1)) {
    return operation(node.Arg(0).GetNumber(), *literal);
  }
  if (const TNumber* literal = node.NumberLiteralArg(0)) {
    return operation(*literal, node.Arg(1).GetNumber());
  }
  const TNumber a = node.Arg(0).GetNumber();
  return operation(a, node.Arg(1).GetNumber());
}

TNumber Minus(TFoMethodValue& node) {
  return OnNumbers(node, [](TNumber a, TNumber b) { return Checked(a - b); });
}

TNumber Times(TFoMethodValue& node) {
  return OnNumbers(node, Multiply);
}

TNumber Quotient(TFoMethodValue& node) {
  return OnNumbers(node, Divide);
}

template <typename TCompare>
bool Comparison(TFoMethodValue& node) {
  return OnNumbers(node, TCompare());
}

// The left value decides: numbers compare by value, texts byte for byte.
bool Equal(TFoMethodValue& node) {
  TFoVariable left;
  node.Arg(0).GetValue(left);
  if (left.Kind == TFoValueKind::Number) return left.Number == node.Arg(1).GetNumber();
  return left.Text == node.Arg(1).GetText();
}

bool Differs(TFoMethodValue& node) {
  return !Equal(node);
}

// Only the chosen branch is computed, and its kind is kept. Each branch is called from a
// call site of its own, whose one target the processor foresees; a single call whose target
// followed the condition would be mispredicted whenever the condition is.
void If(TFoMethodValue& node, TFoVariable& value) {
  if (node.Arg(0).GetCondition()) {
    node.Arg(1).GetValue(value);
  } else {
    node.Arg(2).GetValue(value);
  }
}

bool IfGivesText(const TFoMethodValue& node) {
  return node.Arg(1).GivesText() && node.Arg(2).GivesText();
}

void AppendIf(TFoMethodValue& node, std::string& text) {
  if (node.Arg(0).GetCondition()) {
    node.Arg(1).AppendText(text);
  } else {
    node.Arg(2).AppendText(text);
  }
}

TNumber Val(TFoMethodValue& node) {
  return node.Arg(0).GetNumber();
}

// The first argument, then the others from the last backwards; an equal one does not replace.
template <typename TBetter>
TNumber Extreme(TFoMethodValue& node) {
  TNumber best = node.Arg(0).GetNumber();
  for (int i = node.ArgCount() - 1; i > 0; --i) {
    const TNumber candidate = node.Arg(i).GetNumber();
    if (TBetter()(candidate, best)) best = candidate;
  }
  return best;
}

bool Not(TFoMethodValue& node) {
  return !node.Arg(0).GetCondition();
}

// Every argument is computed, from the last to the first, so a fault in any one shows.
template <bool kAny>
bool Logical(TFoMethodValue& node) {
  bool any = false;
  bool all = true;
  for (int i = node.ArgCount() - 1; i >= 0; --i) {
    const bool argument = node.Arg(i).GetCondition();
    any = any || argument;
    all = all && argument;
  }
  return kAny ? any : all;
}

TNumber Round(TFoMethodValue& node) {
  const TNumber x = node.Arg(0).GetNumber();
  if (node.ArgCount() == 1) return std::rint(x);
  return RoundTo(x, static_cast<std::int8_t>(node.Arg(1).GetInteger()));
}

TNumber Cos(TFoMethodValue& node) {
  const TNumber x = node.Arg(0).GetNumber();
  return std::fabs(x) < kTrigonometryLimit ? std::cos(x) : 0;
}

TNumber Sin(TFoMethodValue& node) {
  const TNumber x = node.Arg(0).GetNumber();
  return std::fabs(x) < kTrigonometryLimit ? std::sin(x) : 0;
}

TNumber Sqr(TFoMethodValue& node) {
  const TNumber x = node.Arg(0).GetNumber();
  return Multiply(x, x);
}

TNumber Sqrt(TFoMethodValue& node) {
  const TNumber x = node.Arg(0).GetNumber();
  if (x < 0) throw EFormulaError(TFormulaErrorCode::InvalidOperation);
  return std::sqrt(x);
}

TNumber Int(TFoMethodValue& node) {
  return std::trunc(node.Arg(0).GetNumber());
}

TNumber Abs(TFoMethodValue& node) {
  return std::fabs(node.Arg(0).GetNumber());
}

TNumber Pi(TFoMethodValue&) {
  return kPi;
}

TNumber Sign(TFoMethodValue& node) {
  const TNumber x = node.Arg(0).GetNumber();
  return x > 0 ? 1 : x < 0 ? -1 : 0;
}

TNumber PowerOf(TFoMethodValue& node) {
  const TNumber base = node.Arg(0).GetNumber();
  return Power(base, node.Arg(1).GetNumber());
}

}  // namespace

TFoCallMaker NumberOperation(TFoMethodId id) {
  switch (id) {
    case TFoMethodId::UnaryPlus:
      return MakeCall<TFoNumberCall<UnaryPlus>>;
    case TFoMethodId::UnaryMinus:
      return MakeCall<TFoNumberCall<UnaryMinus>>;
    case TFoMethodId::Plus:
      return MakeCall<TFoValueCall<Plus, PlusGivesText, AppendPlus>>;
    case TFoMethodId::Minus:
      return MakeCall<TFoNumberCall<Minus>>;
    case TFoMethodId::Times:
      return MakeCall<TFoNumberCall<Times>>;
    case TFoMethodId::Divide:
      return MakeCall<TFoNumberCall<Quotient>>;
    case TFoMethodId::Greater:
      return MakeCall<TFoConditionCall<Comparison<std::greater<TNumber>>>>;
    case TFoMethodId::GreaterOrEqual:
      return MakeCall<TFoConditionCall<Comparison<std::greater_equal<TNumber>>>>;
    case TFoMethodId::Less:
      return MakeCall<TFoConditionCall<Comparison<std::less<TNumber>>>>;
    case TFoMethodId::LessOrEqual:
      return MakeCall<TFoConditionCall<Comparison<std::less_equal<TNumber>>>>;
    case TFoMethodId::Equal:
      return MakeCall<TFoConditionCall<Equal>>;
    case TFoMethodId::NotEqual:
      return MakeCall<TFoConditionCall<Differs>>;
    case TFoMethodId::If:
      return MakeCall<TFoValueCall<If, IfGivesText, AppendIf>>;
    case TFoMethodId::Val:
      return MakeCall<TFoNumberCall<Val>>;
    case TFoMethodId::Max:
      return MakeCall<TFoNumberCall<Extreme<std::greater<TNumber>>>>;
    case TFoMethodId::Min:
      return MakeCall<TFoNumberCall<Extreme<std::less<TNumber>>>>;
    case TFoMethodId::Not:
      return MakeCall<TFoConditionCall<Not>>;
    case TFoMethodId::And:
      return MakeCall<TFoConditionCall<Logical<false>>>;
    case TFoMethodId::Or:
      return MakeCall<TFoConditionCall<Logical<true>>>;
    case TFoMethodId::Round:
      return MakeCall<TFoNumberCall<Round>>;
    case TFoMethodId::Cos:
      return MakeCall<TFoNumberCall<Cos>>;
    case TFoMethodId::Sin:
      return MakeCall<TFoNumberCall<Sin>>;
    case TFoMethodId::Sqr:
      return MakeCall<TFoNumberCall<Sqr>>;
    case TFoMethodId::Sqrt:
      return MakeCall<TFoNumberCall<Sqrt>>;
    case TFoMethodId::Int:
      return MakeCall<TFoNumberCall<Int>>;
    case TFoMethodId::Abs:
      return MakeCall<TFoNumberCall<Abs>>;
    case TFoMethodId::Pi:
      return MakeCall<TFoNumberCall<Pi>>;
    case TFoMethodId::Sign:
      return MakeCall<TFoNumberCall<Sign>>;
    case TFoMethodId::Power:
      return MakeCall<TFoNumberCall<PowerOf>>;
    default:
      return nullptr;
  }
}

}  // namespace mervanta
