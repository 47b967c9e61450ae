#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "model/cell_column.h"
#include "settings/boolean_property.h"
#include "settings/integer_property.h"
#include "settings/item_index_property.h"
#include "settings/properties_category.h"
#include "settings/string_property.h"

namespace mervanta {

class TColumns;
class TFormulaCalculator;
class TXmlTag;

// The choices of a stored column's Type, by index.
enum class TColumnType : int { General, Counter, File, Picture, WordWrapped };

// Where a column's cells come from: fields of the data file, or a formula.
enum class TColumnStorage : std::uint8_t { Stored, Virtual };

// One column of a table: stored (its cells are fields of every record) or virtual (its cells
// are computed by a formula), fixed at creation. Its settings form a property category with
// an empty name, so they live directly in the column's own element. A change of any setting
// is announced by the owning list as ColumnChanged.
class TColumn final : public TCellColumn {
  // First, so that the typed references below can be made from it.
  TPropertiesCategory Properties_;

 public:
  explicit TColumn(TColumnStorage storage);
  ~TColumn() override;
  TColumn(const TColumn&) = delete;
  TColumn& operator=(const TColumn&) = delete;

  TColumns* Owner() const { return Owner_; }
  // Position in the owner; -1 when not owned.
  int Index() const { return Index_; }
  // Asks the owner to move the column there.
  void SetIndex(int index);

  bool IsVirtual() const { return Type == nullptr; }
  TColumnStorage Storage() const {
    return IsVirtual() ? TColumnStorage::Virtual : TColumnStorage::Stored;
  }
  bool IsCounter() const override { return ColumnType() == TColumnType::Counter; }
  // The stored setting Type as a kind; General for a virtual column, which has none.
  TColumnType ColumnType() const {
    return Type != nullptr ? static_cast<TColumnType>(Type->Value()) : TColumnType::General;
  }
  void SetColumnType(TColumnType type) { Type->SetValue(static_cast<int>(type)); }

  TPropertiesCategory& Properties() { return Properties_; }
  const TPropertiesCategory& Properties() const { return Properties_; }

  TItemIndexProperty* const Alignment;
  TStringProperty* const Caption;
  TStringProperty* const Description;
  TBooleanProperty* const ToExport;
  TBooleanProperty* const ToPrint;
  TBooleanProperty* const Visible;
  TIntegerProperty* const Width;
  // Stored columns only; null in a virtual one.
  TItemIndexProperty* const Type;
  TStringProperty* const Default;
  TItemIndexProperty* const Editor;
  // The value must not be empty, despite the name.
  TBooleanProperty* const UniqueValues;
  // The value must not repeat another record's, despite the name.
  TBooleanProperty* const FilledValues;
  // Virtual columns only; null in a stored one.
  TStringProperty* const Formula;

  // "Column: caption", and on a second line "Description: description" when there is one.
  std::string HintText() const;

  // Reads the settings without announcing each one, then announces the column once.
  void LoadFromXml(TXmlTag& element);
  void SaveToXml(TXmlTag& element) const;
  // Writes the caption, even an empty one, into an element that would otherwise hold nothing
  // and so be left out of the file: a column missing from a description file would move
  // every later stored column onto another field and renumber the formulas' references.
  void EnsureWritten(TXmlTag& element) const;
  // Copies every setting from a column of the same kind; another kind raises EMervantaError.
  void Assign(const TColumn& source);

  // The formula's result for the record, with "#k" answered by the owner's k-th column for
  // the same record. A stored column computes nothing.
  void Calculate(const TRecord& record, std::string& result) const override;

 private:
  friend class TColumns;

  // Re-parses the formula and announces the column.
  void SettingChanged();

  TColumns* Owner_ = nullptr;
  int Index_ = -1;
  std::unique_ptr<TFormulaCalculator> Calculator_;
};

}  // namespace mervanta
