#include "search/search_equals.h"

#include "model/records.h"
#include "search/repeat_finder.h"
#include "support/progress.h"

namespace mervanta {

void TSearchEquals::Filter(TRecords& list) {
  const TProgressScope progress(list.Count());
  std::vector<std::uint8_t> keep =
      TRepeatFinder(Columns_, AnyField_, IgnoreCase_, IgnoreEmpty_).Find(list.Items());
  // A recurrence always stays; the first of its set only with KeepOriginals.
  const std::uint8_t kept =
      TRepeatFinder::kRepeatsEarlier | (KeepOriginals_ ? TRepeatFinder::kRepeatsLater : 0);
  for (std::uint8_t& flags : keep) flags &= kept;
  KeepFlagged(list, keep);
}

}  // namespace mervanta
