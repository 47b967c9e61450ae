#pragma once

#include <string>

namespace mervanta {

class TRecord;

// What a record needs to know of a column to give its cell: the column list's columns
// provide it.
class TCellColumn {
 public:
  virtual ~TCellColumn() = default;

  // The field that holds the column's cells in every record (its position among the stored
  // columns); -1 for a computed or unowned column. Not virtual: formulas read stored cells
  // through it once per reference and record.
  int FieldIndex() const { return FieldIndex_; }
  // Counter cells are numbered by the program, so the empty and duplicate tests skip them.
  virtual bool IsCounter() const = 0;
  // A computed column's cell for the record, written into `result`.
  virtual void Calculate(const TRecord& record, std::string& result) const = 0;

 protected:
  int FieldIndex_ = -1;
};

}  // namespace mervanta
