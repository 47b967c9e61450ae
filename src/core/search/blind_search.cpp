#include "search/blind_search.h"

#include <algorithm>
#include <string>
#include <vector>

#include "model/column.h"
#include "model/columns.h"
#include "model/match_condition.h"
#include "model/records.h"
#include "model/value_reader.h"
#include "settings/options.h"
#include "support/progress.h"

namespace mervanta {

namespace {

// What the list shows: its visible columns, without pictures while they are drawn as such.
bool IsTested(const TColumn& column) {
  if (!column.Visible->Value()) return false;
  return column.ColumnType() != TColumnType::Picture || !Options().Flip->ShowPictures->Value();
}

}  // namespace

bool TBlindSearch::Find(std::string_view text, TRecords& list, bool wrap, bool forward,
                        int offset) {
  if (text.empty()) return false;
  const TBusyScope busy;
  std::vector<const TColumn*> columns;
  for (const auto& column : list.Columns()) {
    if (IsTested(*column)) columns.push_back(column.get());
  }
  TConditionMatcher matcher(TConditionKind::Contain, text, TCaseRule::Ignore, 0);
  TValueReader values(columns);
  const std::span<TRecord* const> items = list.Items();
  const auto holds = [&](int index) {
    const TRecord& record = *items[static_cast<std::size_t>(index)];
    return !values.ForEachValue(
        record, [&](std::size_t, std::string_view value) { return !matcher.Matches(value); });
  };
  // The first index from `from` to `to` inclusive, in either direction, whose record holds.
  const auto scan = [&](int from, int to) {
    const int step = from <= to ? 1 : -1;
    for (int i = from; i != to + step; i += step) {
      if (holds(i)) return i;
    }
    return -1;
  };

  const int last = list.Count() - 1;
  const int selected = list.ItemIndex();
  int found = -1;
  if (forward) {
    const int from = std::max(selected + offset, 0);
    if (from <= last) found = scan(from, last);
    if (found < 0 && wrap && selected > 0) found = scan(0, std::min(selected, last + 1) - 1);
  } else {
    const int from = std::min(selected - offset, last);
    if (from >= 0) found = scan(from, 0);
    if (found < 0 && wrap && selected + 1 <= last) found = scan(last, std::max(selected + 1, 0));
  }
  if (found < 0) return false;
  list.SetItemIndex(found);
  return true;
}

bool TBlindSearch::LocateMatch(std::string_view text, const TColumn& column, const TRecord& record,
                               TMatchSpan& span) {
  if (text.empty() || !IsTested(column)) return false;
  std::string buffer;
  const std::optional<TMatchRange> range =
      MatchRange(record.Value(column, buffer), TConditionKind::Contain, text, TCaseRule::Ignore);
  if (!range) return false;
  span = {range->First, range->Last};
  return true;
}

}  // namespace mervanta
