#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "model/cell_column.h"
#include "model/record.h"

namespace mervanta {

// Reads the cells of a sequence of columns, record after record, as TRecord::Value gives
// them, but with each record's stored fields taken in one walk over its block: reading cell
// after cell by Value walks from the block's start every time, so that the cost of a record
// would grow with the square of its width. Computed columns are computed in their turn.
// Made once for many records; the columns must keep their places meanwhile.
class TValueReader {
 public:
  // `columns` is any range of pointers to columns, in the order the cells are wanted; a
  // column may come more than once.
  template <class TColumnRange>
  explicit TValueReader(const TColumnRange& columns) {
    for (const auto& column : columns) {
      const TCellColumn& cellColumn = *column;
      Steps_.push_back({&cellColumn, cellColumn.FieldIndex(), 0});
    }
    Plan();
  }

  std::size_t Count() const { return Steps_.size(); }

  // Calls visit(i, value) for the i-th column of the sequence, in order; the value lasts
  // until the next call. A visit that returns bool ends the walk by returning false, and
  // ForEachValue then returns false; otherwise it returns true.
  template <class TVisit>
  bool ForEachValue(const TRecord& record, TVisit&& visit);

 private:
  struct TStep {
    const TCellColumn* Column;
    int Field;         // -1 for a computed column
    std::size_t Slot;  // in Gathered_, when the fields are gathered first
  };

  // Fields in ascending order are read as the sequence goes; any other order gathers them
  // first, in ascending order.
  void Plan();
  void Gather(const TRecord& record);

  std::vector<TStep> Steps_;
  bool Ascending_ = true;
  std::vector<int> Fields_;  // the distinct stored fields, ascending, when gathered
  std::vector<std::string_view> Gathered_;
  std::string Buffer_;
};

template <class TVisit>
bool TValueReader::ForEachValue(const TRecord& record, TVisit&& visit) {
  constexpr bool kStops =
      std::is_same_v<std::invoke_result_t<TVisit&, std::size_t, std::string_view>, bool>;
  if (!Ascending_) Gather(record);
  TFieldArray::TCursor fields(record.Fields());
  for (std::size_t i = 0; i < Steps_.size(); ++i) {
    const TStep& step = Steps_[i];
    std::string_view value;
    if (step.Field < 0) {
      step.Column->Calculate(record, Buffer_);
      value = Buffer_;
    } else {
      value = Ascending_ ? fields.Field(step.Field) : Gathered_[step.Slot];
    }
    if constexpr (kStops) {
      if (!visit(i, value)) return false;
    } else {
      visit(i, value);
    }
  }
  return true;
}

}  // namespace mervanta
