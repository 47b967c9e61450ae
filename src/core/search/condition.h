#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "model/match_condition.h"

namespace mervanta {

class TColumn;

// One test of a search by conditions: the cell of `Column` against `Text` by the kind's rule
// (a kind out of the enumeration never holds), or its length against `Number`.
class TCondition {
 public:
  TCondition(TColumn& column, TConditionKind kind, std::int32_t number, std::string text)
      : Column_(&column), Text_(std::move(text)), Number_(number), Kind_(kind) {}

  TColumn& Column() const { return *Column_; }
  const std::string& Text() const { return Text_; }
  std::int32_t Number() const { return Number_; }
  TConditionKind Kind() const { return Kind_; }

 private:
  TColumn* Column_;
  std::string Text_;
  std::int32_t Number_;
  TConditionKind Kind_;
};

}  // namespace mervanta
