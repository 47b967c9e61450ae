#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formula/formula_calculator.h"
#include "model/column.h"
#include "support/msg_sender.h"

namespace mervanta {

class TXmlTag;

// The flags that a column check list sets on all columns at once.
enum class TColumnFlag { Visible, ToPrint, ToExport };

// A table's ordered columns, stored and virtual, which it owns. Every change is announced
// through MsgSender() with the list as sender and the column's address as param2: ColumnAdded,
// ColumnDeleted and ColumnMoved (param1: the column's field index before the change),
// ColumnChanged, and after a bulk change one summary (ColumnsReloaded, ColumnsShownChanged,
// ColumnsPrintChanged, ColumnsExportChanged). After every change each column's Index is its
// position and each stored column's FieldIndex its position among the stored ones.
//
// It also answers the column references "#k" of the virtual columns' formulas: the context of
// a calculation is the record being computed.
class TColumns final : public TFoLinkResolver {
 public:
  static constexpr int kMaxColumns = 256;

  TColumns() = default;
  // Frees the columns without announcing anything: nobody should hear from a dying list.
  ~TColumns() override;
  TColumns(const TColumns&) = delete;
  TColumns& operator=(const TColumns&) = delete;

  int Count() const { return static_cast<int>(Columns_.size()); }
  TColumn& operator[](int index) const { return *Columns_[static_cast<std::size_t>(index)]; }
  // The list serves wherever a range of columns will do, as in the record's empty and
  // equality tests.
  auto begin() const { return Columns_.cbegin(); }
  auto end() const { return Columns_.cend(); }
  int StoredCount() const { return StoredCount_; }

  // Raises "Too many columns (256 max)" when the list is full; the column is then freed.
  TColumn& Add(std::unique_ptr<TColumn> column);
  // Takes the column out and hands it to the caller; null when it is not in this list.
  std::unique_ptr<TColumn> Remove(TColumn& column);
  // An index out of range means the nearest end. Staying in place changes and announces
  // nothing.
  void Move(TColumn& column, int newIndex);
  void Clear();
  // Copies of the source's columns, of the same kinds and settings, replace this list's.
  void Assign(const TColumns& source);

  // The last column whose caption equals the text ignoring the case of A to Z.
  TColumn* FindByCaption(std::string_view caption) const;
  // "Column%d" or "VirtualColumn%d" with the smallest number from 1 that no caption uses.
  std::string NewCaption(TColumnStorage storage) const;
  // Appends stored columns with new captions up to `fieldCount` (three for a table without
  // data or stored columns), then announces ColumnAdded for every stored column from field
  // `fieldCount` on: the records hold exactly that many fields and need one for each.
  void EnsureStoredColumns(int fieldCount);

  // Sets the flag of each column to what `value` answers for it, then announces the change
  // once when any flag changed.
  void SetFlags(TColumnFlag flag, const std::function<bool(const TColumn&)>& value);
  // That column visible, every other one hidden.
  void ShowOnly(const TColumn& column) {
    SetFlags(TColumnFlag::Visible, [&column](const TColumn& each) { return &each == &column; });
  }

  // Positions across the visible columns, each as wide as its Width.
  // The visible column covering x, or null before the first and past the last one.
  TColumn* ColumnAtX(int x) const;
  // Where the column starts: the widths of the visible columns before it.
  int XOfColumn(const TColumn& column) const;
  int TotalWidth() const;

  // The element holds one child "Column" or "VirtualColumn" per column; other children are
  // skipped and columns past the 256th ignored. Announced as ColumnsReloaded.
  void LoadFromXml(TXmlTag& element);
  void SaveToXml(TXmlTag& element) const;

  // `context` is the record whose cell is being computed.
  bool ResolveLink(std::int32_t column, const void* context, std::string& buffer,
                   std::string_view& text) override;
  // Answers the references to stored columns from the record's fields in one walk, which
  // goes no farther than the last stored column the calculation certainly reads: a
  // reference beyond it, in a branch not taken, costs nothing.
  void ResolveStoredLinks(const void* context, std::span<const TFoLinkColumn> columns,
                          std::span<TFoLinkText> texts) override;

 private:
  void Renumber();
  // The field of column "#column" when it is stored, else -1.
  int FieldOf(std::int32_t column) const;
  void Send(TMsgCode code, const TColumn* column = nullptr, int formerField = 0) const;
  // Detaches and frees every column, unannounced.
  void FreeAll();

  std::vector<std::unique_ptr<TColumn>> Columns_;
  std::vector<int> FieldIndexes_;  // each column's FieldIndex, by position, for the formulas
  int StoredCount_ = 0;
};

}  // namespace mervanta
