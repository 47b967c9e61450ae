#include "search/search_by_conditions.h"

#include <memory>
#include <vector>

#include "model/column.h"
#include "model/match_condition.h"
#include "model/records.h"
#include "support/progress.h"

namespace mervanta {

namespace {

// A condition made ready once for every record: the text folded, a mask compiled once.
struct TPreparedCondition {
  const TColumn* Column;
  std::unique_ptr<TConditionMatcher> Matcher;
};

}  // namespace

void TSearchByConditions::AddCondition(TColumn& column, int kind, std::int32_t number,
                                       std::string text) {
  Conditions_.emplace_back(column, kind, number, std::move(text));
}

void TSearchByConditions::Filter(TRecords& list) {
  if (Conditions_.empty()) return;
  std::vector<TPreparedCondition> conditions;
  conditions.reserve(Conditions_.size());
  for (const TCondition& condition : Conditions_) {
    conditions.push_back({&condition.Column(),
                          std::make_unique<TConditionMatcher>(condition.Kind(), condition.Text(),
                                                              !IgnoreCase_, condition.Number())});
  }
  // With AnyCondition the first condition that holds decides, otherwise the first that fails.
  const bool decisive = AnyCondition_;
  std::string buffer;
  const auto matches = [&](const TRecord& record) {
    for (TPreparedCondition& condition : conditions) {
      if (condition.Matcher->Matches(record.Value(*condition.Column, buffer)) == decisive) {
        return decisive;
      }
    }
    return !decisive;
  };

  const std::span<TRecord* const> items = list.Items();
  std::vector<std::uint8_t> keep(items.size());
  const TProgressScope progress(list.Count());
  for (std::size_t i = items.size(); i-- > 0;) {
    keep[i] = matches(*items[i]);
    TProgress::Step();
  }
  KeepFlagged(list, keep);
}

bool TSearchByConditions::LocateMatch(const TColumn& column, const TRecord& record,
                                      TMatchSpan& span) const {
  std::string buffer;
  for (const TCondition& condition : Conditions_) {
    if (&condition.Column() != &column) continue;
    TConditionMatcher matcher(condition.Kind(), condition.Text(), !IgnoreCase_, condition.Number());
    if (const std::optional<TMatchRange> range = matcher.MatchRange(record.Value(column, buffer))) {
      span = {range->First, range->Last};
      return true;
    }
  }
  return false;
}

}  // namespace mervanta
