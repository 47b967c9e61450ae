#pragma once

#include <span>
#include <vector>

#include "search/search.h"

namespace mervanta {

// The search for repeating records. Two records repeat each other when their cells are equal
// in every compared column, or with AnyField in at least one (then never without columns).
// A record that an earlier one repeats is a recurrence and always stays; with KeepOriginals
// the first record of each repeating set stays too.
class TSearchEquals final : public TSearch {
 public:
  explicit TSearchEquals(TRecords& source) : TSearch(source) {}

  std::span<TColumn* const> Columns() const { return Columns_; }
  void AddColumn(TColumn& column) { Columns_.push_back(&column); }

  bool AnyField() const { return AnyField_; }
  void SetAnyField(bool anyField) { AnyField_ = anyField; }
  // Only A to Z fold; other letters must match exactly.
  bool IgnoreCase() const { return IgnoreCase_; }
  void SetIgnoreCase(bool ignoreCase) { IgnoreCase_ = ignoreCase; }
  // Two empty cells never count as equal.
  bool IgnoreEmpty() const { return IgnoreEmpty_; }
  void SetIgnoreEmpty(bool ignoreEmpty) { IgnoreEmpty_ = ignoreEmpty; }
  bool KeepOriginals() const { return KeepOriginals_; }
  void SetKeepOriginals(bool keepOriginals) { KeepOriginals_ = keepOriginals; }

  // Groups the records by their compared cells instead of comparing every pair, with the
  // same result.
  void Filter(TRecords& list) override;
  // Repeats are not highlighted.
  bool LocateMatch(const TColumn&, const TRecord&, TMatchSpan&) const override { return false; }

 private:
  std::vector<TColumn*> Columns_;
  bool AnyField_ = false;
  bool IgnoreCase_ = false;
  bool IgnoreEmpty_ = true;
  bool KeepOriginals_ = false;
};

}  // namespace mervanta
