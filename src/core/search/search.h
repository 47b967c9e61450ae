#pragma once

#include <cstdint>
#include <span>

namespace mervanta {

class TColumn;
class TRecord;
class TRecords;

// How a search's result is merged into "Search Results".
enum class TSearchOperation : std::uint8_t { Replace = 0, Add = 1, Remove = 2 };

// Characters of a cell to highlight, counted from 1.
struct TMatchSpan {
  std::int32_t First = 0;
  std::int32_t Last = 0;
};

// A filter over one record list. It is run once and then kept by the search manager for its
// history, as the seed of the next search of its kind, and to tell the views what to highlight.
class TSearch {
 public:
  explicit TSearch(TRecords& source) : Source_(&source) {}
  virtual ~TSearch() = default;
  TSearch(const TSearch&) = delete;
  TSearch& operator=(const TSearch&) = delete;

  TRecords& Source() const { return *Source_; }
  TSearchOperation Operation() const { return Operation_; }
  void SetOperation(TSearchOperation operation) { Operation_ = operation; }

  // Filters a copy of the source and merges the matches into `target` by the operation;
  // returns the number of matches. A failing filter leaves `target` as it was.
  int Execute(TRecords& target);

  // Deletes from `list` every record that does not satisfy the search.
  virtual void Filter(TRecords& list) = 0;
  // The characters of the record's cell in `column` to highlight; false when none.
  virtual bool LocateMatch(const TColumn& column, const TRecord& record,
                           TMatchSpan& span) const = 0;

 protected:
  // Keeps the records whose flag is set, in their order, in one pass: deleting a million
  // records one by one would move the list's tail a million times.
  static void KeepFlagged(TRecords& list, std::span<const std::uint8_t> keep);

 private:
  TRecords* Source_;
  TSearchOperation Operation_ = TSearchOperation::Replace;
};

}  // namespace mervanta
