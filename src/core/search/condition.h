#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace mervanta {

class TColumn;

// One test of a search by conditions: the cell of `Column` against `Text` by the kind's rule
// (a TConditionKind; any other number never holds), or its length against `Number`.
class TCondition {
 public:
  TCondition(TColumn& column, int kind, std::int32_t number, std::string text)
      : Column_(&column), Text_(std::move(text)), Number_(number), Kind_(kind) {}

  TColumn& Column() const { return *Column_; }
  const std::string& Text() const { return Text_; }
  std::int32_t Number() const { return Number_; }
  int Kind() const { return Kind_; }

 private:
  TColumn* Column_;
  std::string Text_;
  std::int32_t Number_;
  int Kind_;
};

}  // namespace mervanta
