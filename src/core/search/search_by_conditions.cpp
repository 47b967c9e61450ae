#include "search/search_by_conditions.h"

#include <memory>
#include <vector>

#include "model/column.h"
#include "model/match_condition.h"
#include "model/records.h"
#include "model/value_reader.h"
#include "support/progress.h"

namespace mervanta {

void TSearchByConditions::AddCondition(TColumn& column, TConditionKind kind, std::int32_t number,
                                       std::string text) {
  Conditions_.emplace_back(column, kind, number, std::move(text));
}

void TSearchByConditions::Filter(TRecords& list) {
  if (Conditions_.empty()) return;
  // Each condition made ready once for every record: its text folded, a mask compiled.
  std::vector<std::unique_ptr<TConditionMatcher>> matchers;
  std::vector<const TColumn*> columns;
  matchers.reserve(Conditions_.size());
  columns.reserve(Conditions_.size());
  for (const TCondition& condition : Conditions_) {
    matchers.push_back(std::make_unique<TConditionMatcher>(condition.Kind(), condition.Text(),
                                                           CaseRule(), condition.Number()));
    columns.push_back(&condition.Column());
  }
  TValueReader values(columns);
  // With AnyCondition the first condition that holds decides, otherwise the first that fails.
  const bool decisive = AnyCondition_;
  const auto matches = [&](const TRecord& record) {
    const bool decided = !values.ForEachValue(record, [&](std::size_t i, std::string_view value) {
      return matchers[i]->Matches(value) != decisive;
    });
    return decided ? decisive : !decisive;
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
    TConditionMatcher matcher(condition.Kind(), condition.Text(), CaseRule(), condition.Number());
    if (const std::optional<TMatchRange> range = matcher.MatchRange(record.Value(column, buffer))) {
      span = {range->First, range->Last};
      return true;
    }
  }
  return false;
}

}  // namespace mervanta
