#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/cell_column.h"
#include "model/field_array.h"

namespace mervanta {

// The data file's field separators by the option's index: ";", ",", tab, "|".
inline constexpr std::array<char, 4> kFieldSeparators{';', ',', '\t', '|'};
// The separator for an option value; ";" for one out of range.
char FieldSeparator(int separatorIndex);

// Which columns a test of records considers: all, or only the stored ones that are entered
// (computed and Counter columns left out).
enum class TColumnsConsidered : std::uint8_t { All, StoredOnly };

// One row of a table: its stored cells, one field per stored column in field order, and the
// two marks the table keeps for the views.
class TRecord {
 public:
  // `fieldCount` empty fields and no marks.
  explicit TRecord(int fieldCount = 0) : Fields_(fieldCount) {}
  explicit TRecord(TFieldArray fields) : Fields_(std::move(fields)) {}

  // The readers of the data file's forms (see TFieldArray): binary with the header's field
  // count, legacy, and one text line, after which `pos` is on the line break or at the end.
  static TRecord FromBinary(TByteReader& in, int fieldCount) {
    return TRecord(TFieldArray::ReadBinary(in, fieldCount));
  }
  static TRecord FromLegacy(TByteReader& in) { return TRecord(TFieldArray::ReadLegacy(in)); }
  static TRecord FromCsv(std::string_view text, std::size_t& pos, char separator) {
    return TRecord(TFieldArray::ParseCsvLine(text, pos, separator));
  }

  // Field access, and the adding, deleting and moving of fields that follows stored columns.
  const TFieldArray& Fields() const { return Fields_; }
  TFieldArray& Fields() { return Fields_; }
  // Appends empty fields up to `count`; never removes any.
  void EnsureFieldCount(int count) { Fields_.AppendFields(count - Fields_.Count()); }

  // The cell of a column: a view of the stored field, or of `buffer` holding the computed
  // text. The view lasts until the record or the buffer changes.
  std::string_view Value(const TCellColumn& column, std::string& buffer) const {
    const int field = column.FieldIndex();
    if (field >= 0) return Fields_.Field(field);
    column.Calculate(*this, buffer);
    return buffer;
  }
  std::string Value(const TCellColumn& column) const;
  // Writes a stored column's cell; computed columns have nothing to write.
  void SetValue(const TCellColumn& column, std::string_view text);

  // True when every considered column's cell is empty. `columns` is any range of pointers
  // to columns.
  template <class TColumnRange>
  bool IsEmpty(const TColumnRange& columns, TColumnsConsidered considered) const;
  // True when every considered column has byte-identical cells in both records.
  template <class TColumnRange>
  bool Equals(const TRecord& other, const TColumnRange& columns,
              TColumnsConsidered considered) const;

  // One data file line with the separator and quoting of the options.
  void WriteLine(std::string& out) const;
  void WriteBinary(std::string& out) const { Fields_.WriteBinary(out); }
  // Names the record in questions: its fields' first 200 characters, trimmed, followed by an
  // ellipsis and put in double quotes.
  std::string Caption() const;

  bool Found() const { return Found_; }
  void SetFound(bool found) { Found_ = found; }
  bool Chosen() const { return Chosen_; }
  void SetChosen(bool chosen) { Chosen_ = chosen; }

 private:
  static bool IsConsidered(const TCellColumn& column, TColumnsConsidered considered) {
    return considered == TColumnsConsidered::All ||
           (column.FieldIndex() >= 0 && !column.IsCounter());
  }

  // The marks take the field array's padding: tables hold a million records.
  [[no_unique_address]] TFieldArray Fields_;
  bool Found_ = false;
  bool Chosen_ = false;
};

// The stored fields are read through cursors: columns in field order walk each block once.
template <class TColumnRange>
bool TRecord::IsEmpty(const TColumnRange& columns, TColumnsConsidered considered) const {
  TFieldArray::TCursor fields(Fields_);
  std::string buffer;
  for (const auto& column : columns) {
    if (!IsConsidered(*column, considered)) continue;
    const int field = column->FieldIndex();
    if (!(field >= 0 ? fields.Field(field) : Value(*column, buffer)).empty()) return false;
  }
  return true;
}

template <class TColumnRange>
bool TRecord::Equals(const TRecord& other, const TColumnRange& columns,
                     TColumnsConsidered considered) const {
  TFieldArray::TCursor fields(Fields_), otherFields(other.Fields_);
  std::string buffer, otherBuffer;
  for (const auto& column : columns) {
    if (!IsConsidered(*column, considered)) continue;
    const int field = column->FieldIndex();
    const bool same = field >= 0 ? fields.Field(field) == otherFields.Field(field)
                                 : Value(*column, buffer) == other.Value(*column, otherBuffer);
    if (!same) return false;
  }
  return true;
}

}  // namespace mervanta
