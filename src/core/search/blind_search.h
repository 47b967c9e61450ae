#pragma once

#include <string_view>

#include "search/search.h"

namespace mervanta {

// Moves a list's selection to the next record holding typed text in a column the list shows:
// a visible column, and not a Picture column while the list shows pictures. Case is ignored.
class TBlindSearch {
 public:
  TBlindSearch() = delete;

  // Forward from the selection plus `offset`, then from the start up to before the selection
  // when wrapping; backward from the selection minus `offset`, then from the end down to after
  // the selection when wrapping. The first hit is selected; false when none (or no text).
  static bool Find(std::string_view text, TRecords& list, bool wrap, bool forward, int offset);
  // The first occurrence of the text in the cell, for a column that Find tests.
  static bool LocateMatch(std::string_view text, const TColumn& column, const TRecord& record,
                          TMatchSpan& span);
};

}  // namespace mervanta
