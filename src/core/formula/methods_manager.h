#pragma once

#include <cstdint>
#include <string_view>

#include "support/string_list.h"

namespace mervanta {

// Node shapes of the operators and functions.
enum TFoMethodKind : std::uint8_t { mkCompare, mkAdditive, mkMultiplicative, mkSign, mkFunction };

struct TFoMethodData {
  std::string_view Name;
  TFoMethodKind Kind;
  std::int32_t MinArgs;
  std::int32_t MaxArgs;
  std::int32_t Id;  // what the calculator dispatches on
};

// The binary "+", which adds numbers and joins texts.
constexpr std::int32_t kPlusId = 1;
// "If", which computes only one of its branches.
constexpr std::int32_t kIfId = 11;

// The operators and functions a formula may use, in the order they are listed to the user.
// The registry is a constant table, so the one instance the program shares needs no object.
class TMethodsManager {
 public:
  // With `isSign`, "+" and "-" are the unary signs and nothing else is found; otherwise the
  // registry entry of that name in any letter case. Null when there is none.
  static const TFoMethodData* Find(std::string_view name, bool isSign);
  static TStringList Names();
};

}  // namespace mervanta
