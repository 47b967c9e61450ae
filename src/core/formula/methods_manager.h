#pragma once

#include <cstdint>
#include <string_view>

#include "support/string_list.h"

namespace mervanta {

// Node shapes of the operators and functions.
enum class TFoMethodKind : std::uint8_t { Compare, Additive, Multiplicative, Sign, Function };

// What the calculator dispatches on: one id per operator and function.
enum class TFoMethodId : std::int32_t {
  UnaryPlus = -2,
  UnaryMinus = -1,
  Plus = 1,
  Minus = 2,
  Times = 3,
  Divide = 4,
  Greater = 5,
  GreaterOrEqual = 6,
  Less = 7,
  LessOrEqual = 8,
  Equal = 9,
  NotEqual = 10,
  If = 11,
  Str = 12,
  Val = 13,
  Max = 14,
  Min = 15,
  Length = 16,
  Not = 17,
  And = 18,
  Or = 19,
  UpperCase = 20,
  LowerCase = 21,
  Trim = 22,
  TrimLeft = 23,
  TrimRight = 24,
  Copy = 25,
  CopyLeft = 26,
  CopyRight = 27,
  Delete = 28,
  DeleteLeft = 29,
  DeleteRight = 30,
  Insert = 31,
  Repeat = 32,
  Round = 33,
  Pos = 35,
  Cos = 36,
  Sin = 37,
  Sqr = 38,
  Sqrt = 39,
  Int = 40,
  Abs = 41,
  Pi = 42,
  Sign = 43,
  Power = 44,
  Reverse = 45,
  Format = 46,
  Char = 47,
  LineCount = 48,
  Line = 49,
  Replace = 50,
  ReplaceAll = 51,
  PosCount = 52,
};

struct TFoMethodData {
  std::string_view Name;
  TFoMethodKind Kind;
  std::int32_t MinArgs;
  std::int32_t MaxArgs;
  TFoMethodId Id;
};

// How a name is looked up: in the registry, or as a unary sign ("+" and "-" before an operand).
enum class TFoLookup : std::uint8_t { Named, Sign };

// The operators and functions a formula may use, in the order they are listed to the user.
// The registry is a constant table, so the one instance the program shares needs no object.
class TMethodsManager {
 public:
  // As a sign, "+" and "-" are the unary signs and nothing else is found; as a name, the
  // registry entry of that name in any letter case. Null when there is none.
  static const TFoMethodData* Find(std::string_view name, TFoLookup lookup);
  static TStringList Names();
};

}  // namespace mervanta
