#include "search/search.h"

#include <vector>

#include "model/records.h"

namespace mervanta {

int TSearch::Execute(TRecords& target) {
  TRecords found(Source_->Columns(), Source_);
  {
    TRecordsUpdate update(found);
    found.AddList(*Source_);
    Filter(found);
  }
  // Each merge is one update of the target, so the table sets its marks once.
  switch (Operation_) {
    case TSearchOperation::Add:
      target.AddUnique(found);
      break;
    case TSearchOperation::Remove:
      target.RemoveList(found);
      break;
    case TSearchOperation::Replace:
      target.Assign(found);
      break;
  }
  return found.Count();
}

void TSearch::KeepFlagged(TRecords& list, std::span<const std::uint8_t> keep) {
  std::vector<TRecord*> kept;
  const std::span<TRecord* const> items = list.Items();
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (keep[i] != 0) kept.push_back(items[i]);
  }
  if (kept.size() == items.size()) return;
  TRecordsUpdate update(list);
  list.Clear();
  list.SetCapacity(static_cast<int>(kept.size()));
  for (TRecord* record : kept) list.Add(*record);
}

}  // namespace mervanta
