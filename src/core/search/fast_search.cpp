#include "search/fast_search.h"

#include "model/columns.h"
#include "model/match_condition.h"
#include "model/records.h"

namespace mervanta {

TFastSearch::TFastSearch(TRecords& source, std::string text)
    : TSearchByConditions(source), Text_(std::move(text)) {
  for (const auto& column : source.Columns())
    AddCondition(*column, TConditionKind::Contain, 0, Text_);
  SetAnyCondition(true);
  SetIgnoreCase(true);
}

}  // namespace mervanta
