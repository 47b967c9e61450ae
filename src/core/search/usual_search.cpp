#include "search/usual_search.h"

#include <algorithm>

#include "model/match_condition.h"
#include "model/records.h"

namespace mervanta {

TUsualSearch::TUsualSearch(TRecords& source, const TUsualValues& values)
    : TSearchByConditions(source), Values_(values) {
  const TColumns& columns = source.Columns();
  const int count = std::min(columns.Count(), static_cast<int>(Values_.size()));
  for (int i = 0; i < count; ++i) {
    const std::string& value = Values_[static_cast<std::size_t>(i)];
    if (!value.empty()) AddCondition(columns[i], TConditionKind::Contain, 0, value);
  }
  SetIgnoreCase(true);
}

}  // namespace mervanta
