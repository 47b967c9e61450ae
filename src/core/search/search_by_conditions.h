#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "search/condition.h"
#include "search/search.h"

namespace mervanta {

// A search whose records satisfy all of its conditions, or with AnyCondition at least one.
// Without conditions every record satisfies it.
class TSearchByConditions : public TSearch {
 public:
  explicit TSearchByConditions(TRecords& source) : TSearch(source) {}

  const std::vector<TCondition>& Conditions() const { return Conditions_; }
  void AddCondition(TColumn& column, TConditionKind kind, std::int32_t number, std::string text);

  bool AnyCondition() const { return AnyCondition_; }
  void SetAnyCondition(bool anyCondition) { AnyCondition_ = anyCondition; }
  // Texts compare upper-cased by the locale, so letters of every alphabet fold.
  bool IgnoreCase() const { return IgnoreCase_; }
  void SetIgnoreCase(bool ignoreCase) { IgnoreCase_ = ignoreCase; }

  // Raises "'%s' is an invalid mask at (%d)" for a malformed mask that gets tested.
  void Filter(TRecords& list) override;
  // The range of the first condition on the column that locates one in the cell.
  bool LocateMatch(const TColumn& column, const TRecord& record, TMatchSpan& span) const override;

 private:
  TCaseRule CaseRule() const { return IgnoreCase_ ? TCaseRule::Ignore : TCaseRule::Sensitive; }

  std::vector<TCondition> Conditions_;
  bool AnyCondition_ = false;
  bool IgnoreCase_ = false;
};

}  // namespace mervanta
