#include "model/columns.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <charconv>
#include <cstdio>

#include "model/compare_values.h"
#include "model/notices.h"
#include "model/record.h"
#include "support/errors.h"
#include "support/xml_tag.h"

namespace mervanta {

namespace {

constexpr std::string_view kStoredName = "Column";
constexpr std::string_view kVirtualName = "VirtualColumn";

struct TFlagSetting {
  TBooleanProperty* const TColumn::*Property;
  TMsgCode Summary;
};

// By TColumnFlag.
constexpr std::array<TFlagSetting, 3> kFlagSettings{{
    {&TColumn::Visible, TMsgCode::ColumnsShownChanged},
    {&TColumn::ToPrint, TMsgCode::ColumnsPrintChanged},
    {&TColumn::ToExport, TMsgCode::ColumnsExportChanged},
}};

[[noreturn]] void RaiseTooManyColumns() {
  char message[64];
  std::snprintf(message, sizeof message, "Too many columns (%d max)", TColumns::kMaxColumns);
  throw EMervantaError(message);
}

bool SameCaption(std::string_view a, std::string_view b) {
  return TextEquals(a, b, {.IgnoreCase = true});
}

// n when the caption is the prefix followed by n as "%d" writes it, else 0.
int GeneratedNumber(std::string_view caption, std::string_view prefix) {
  if (caption.size() <= prefix.size() || !SameCaption(caption.substr(0, prefix.size()), prefix)) {
    return 0;
  }
  const std::string_view digits = caption.substr(prefix.size());
  if (digits.front() < '1' || digits.front() > '9') return 0;
  int number = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  return error == std::errc() && end == digits.data() + digits.size() ? number : 0;
}

}  // namespace

TColumns::~TColumns() {
  FreeAll();
}

TColumn& TColumns::Add(std::unique_ptr<TColumn> column) {
  if (Count() >= kMaxColumns) RaiseTooManyColumns();
  TColumn& added = *column;
  Columns_.push_back(std::move(column));
  added.Owner_ = this;
  Renumber();
  Send(TMsgCode::ColumnAdded, &added);
  return added;
}

std::unique_ptr<TColumn> TColumns::Remove(TColumn& column) {
  if (column.Owner_ != this) return nullptr;
  const int formerField = column.FieldIndex_;
  const auto position = Columns_.begin() + column.Index_;
  std::unique_ptr<TColumn> removed = std::move(*position);
  Columns_.erase(position);
  column.Owner_ = nullptr;
  column.Index_ = -1;
  column.FieldIndex_ = -1;
  Renumber();
  Send(TMsgCode::ColumnDeleted, &column, formerField);
  return removed;
}

void TColumns::Move(TColumn& column, int newIndex) {
  if (column.Owner_ != this) return;
  newIndex = std::clamp(newIndex, 0, Count() - 1);
  const int from = column.Index_;
  if (newIndex == from) return;
  const int formerField = column.FieldIndex_;
  const auto first = Columns_.begin();
  if (newIndex < from) {
    std::rotate(first + newIndex, first + from, first + from + 1);
  } else {
    std::rotate(first + from, first + from + 1, first + newIndex + 1);
  }
  Renumber();
  Send(TMsgCode::ColumnMoved, &column, formerField);
}

void TColumns::Clear() {
  if (Columns_.empty()) return;
  FreeAll();
  Send(TMsgCode::ColumnsReloaded);
}

void TColumns::Assign(const TColumns& source) {
  if (&source == this) return;
  {
    TMsgBlock silence(this);
    FreeAll();
    for (const auto& original : source.Columns_) {
      auto copy = std::make_unique<TColumn>(original->Storage());
      copy->Assign(*original);
      Add(std::move(copy));
    }
  }
  Send(TMsgCode::ColumnsReloaded);
}

TColumn* TColumns::FindByCaption(std::string_view caption) const {
  for (auto column = Columns_.rbegin(); column != Columns_.rend(); ++column) {
    if (SameCaption((*column)->Caption->Value(), caption)) return column->get();
  }
  return nullptr;
}

std::string TColumns::NewCaption(TColumnStorage storage) const {
  const std::string_view prefix = storage == TColumnStorage::Virtual ? kVirtualName : kStoredName;
  // The answer is at most Count() + 1, so only numbers up to there matter.
  std::bitset<kMaxColumns + 2> used;
  for (const auto& column : Columns_) {
    const int number = GeneratedNumber(column->Caption->Value(), prefix);
    if (number > 0 && number <= Count() + 1) used.set(static_cast<std::size_t>(number));
  }
  int number = 1;
  while (used.test(static_cast<std::size_t>(number))) ++number;
  return std::string(prefix) + std::to_string(number);
}

void TColumns::EnsureStoredColumns(int fieldCount) {
  fieldCount = std::max(fieldCount, 0);
  const int wanted = fieldCount == 0 && StoredCount_ == 0 ? 3 : fieldCount;
  const int missing = wanted - StoredCount_;
  if (missing > 0) {
    // Checked first, so that a table that cannot take them all gets none.
    if (Count() + missing > kMaxColumns) RaiseTooManyColumns();
    TMsgBlock silence(this);
    for (int i = 0; i < missing; ++i) {
      auto column = std::make_unique<TColumn>(TColumnStorage::Stored);
      column->Caption->SetValue(NewCaption(TColumnStorage::Stored));
      Add(std::move(column));
    }
  }
  // By index: a listener may change the list.
  for (int i = 0; i < Count(); ++i) {
    const TColumn& column = (*this)[i];
    if (column.FieldIndex_ >= fieldCount) Send(TMsgCode::ColumnAdded, &column);
  }
}

void TColumns::SetFlags(TColumnFlag flag, const std::function<bool(const TColumn&)>& value) {
  const TFlagSetting& setting = kFlagSettings[static_cast<std::size_t>(flag)];
  bool changed = false;
  {
    TMsgBlock silence(this);
    for (const auto& column : Columns_) {
      TBooleanProperty& property = *((*column).*setting.Property);
      const bool wanted = value(*column);
      changed = changed || property.Value() != wanted;
      property.SetValue(wanted);
    }
  }
  if (changed) Send(setting.Summary);
}

TColumn* TColumns::ColumnAtX(int x) const {
  if (x < 0) return nullptr;
  int right = 0;
  for (const auto& column : Columns_) {
    if (!column->Visible->Value()) continue;
    right += column->Width->Value();
    if (x < right) return column.get();
  }
  return nullptr;
}

int TColumns::XOfColumn(const TColumn& column) const {
  int left = 0;
  for (const auto& each : Columns_) {
    if (each.get() == &column) break;
    if (each->Visible->Value()) left += each->Width->Value();
  }
  return left;
}

int TColumns::TotalWidth() const {
  int total = 0;
  for (const auto& column : Columns_) {
    if (column->Visible->Value()) total += column->Width->Value();
  }
  return total;
}

void TColumns::LoadFromXml(TXmlTag& element) {
  {
    TMsgBlock silence(this);
    FreeAll();
    for (int i = 0; i < element.Count() && Count() < kMaxColumns; ++i) {
      TXmlTag& child = *element.ChildAt(i);
      if (child.Name != kStoredName && child.Name != kVirtualName) continue;
      Add(std::make_unique<TColumn>(child.Name == kVirtualName ? TColumnStorage::Virtual
                                                               : TColumnStorage::Stored))
          .LoadFromXml(child);
    }
  }
  Send(TMsgCode::ColumnsReloaded);
}

void TColumns::SaveToXml(TXmlTag& element) const {
  element.ClearChildren();
  for (const auto& column : Columns_) {
    TXmlTag& child = *element.AddChild(column->IsVirtual() ? kVirtualName : kStoredName);
    column->SaveToXml(child);
    column->EnsureWritten(child);
  }
}

bool TColumns::ResolveLink(std::int32_t column, const void* context, std::string& buffer,
                           std::string_view& text) {
  if (column < 1 || column > Count()) return false;
  text = static_cast<const TRecord*>(context)->Value((*this)[column - 1], buffer);
  return true;
}

int TColumns::FieldOf(std::int32_t column) const {
  const auto position = static_cast<std::size_t>(column) - 1;  // #0 and below wrap
  return position < FieldIndexes_.size() ? FieldIndexes_[position] : -1;
}

void TColumns::ResolveStoredLinks(const void* context, std::span<const TFoLinkColumn> columns,
                                  std::span<TFoLinkText> texts) {
  // Stored columns lie in the fields in column order, so ascending columns walk the
  // record's block once.
  std::size_t end = columns.size();
  while (end > 0 && !(columns[end - 1].Certain && FieldOf(columns[end - 1].Column) >= 0)) --end;
  TFieldArray::TCursor fields(static_cast<const TRecord*>(context)->Fields());
  for (std::size_t i = 0; i < end; ++i) {
    const int field = FieldOf(columns[i].Column);
    if (field >= 0) texts[i] = {fields.Field(field), true};
  }
}

void TColumns::Renumber() {
  int stored = 0;
  FieldIndexes_.clear();
  for (int i = 0; i < Count(); ++i) {
    TColumn& column = (*this)[i];
    column.Index_ = i;
    column.FieldIndex_ = column.IsVirtual() ? -1 : stored++;
    FieldIndexes_.push_back(column.FieldIndex_);
  }
  StoredCount_ = stored;
}

void TColumns::Send(TMsgCode code, const TColumn* column, int formerField) const {
  TColumnNotice{this, column, formerField}.Send(code);
}

void TColumns::FreeAll() {
  for (const auto& column : Columns_) {
    column->Owner_ = nullptr;
    column->Index_ = -1;
    column->FieldIndex_ = -1;
  }
  Columns_.clear();
  FieldIndexes_.clear();
  StoredCount_ = 0;
}

}  // namespace mervanta
