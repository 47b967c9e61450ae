#include "model/new_record.h"

#include <algorithm>
#include <cstdint>

#include "model/columns.h"
#include "model/record_validation.h"
#include "model/records.h"
#include "model/table_options.h"
#include "support/macros.h"
#include "support/numbers.h"
#include "support/progress.h"
#include "support/trim.h"

namespace mervanta {

std::string DefaultValue(const TColumn& column, std::optional<TDateTime> moment) {
  return column.IsVirtual() ? std::string() : ExpandMacros(column.Default->Value(), moment);
}

std::string NextCounterValue(const TRecords& records, const TColumn& column) {
  const int field = column.FieldIndex();
  int largest = 0;
  for (const TRecord* record : records.Items()) {
    int value = 0;
    if (TryParseInteger(record->Fields().Field(field), value)) largest = std::max(largest, value);
  }
  // Counted in 64 bits, so that the largest 32-bit value is followed by a larger number and
  // not by the smallest one.
  return std::to_string(std::int64_t{largest} + 1);
}

void InsertNewRecord(TRecords& all, TRecord& record, const TTableOptions& options,
                     int insertIndex) {
  const int position = insertIndex != -1              ? std::clamp(insertIndex, 0, all.Count())
                       : options.InsertFirst->Value() ? 0
                                                      : all.Count();
  all.Insert(position, record);
  all.SetItemIndex(position);
}

TNewRecord::TNewRecord(TRecords& all, const TTableOptions& options)
    : All_(all.Master()), Options_(options) {}

void TNewRecord::LoadDefaults(std::optional<TDateTime> moment) {
  Template_ = nullptr;
  Values_.assign(static_cast<std::size_t>(All_.Columns().StoredCount()), {});
  for (const auto& column : All_.Columns()) {
    if (!column->IsVirtual()) Field(*column) = DefaultValue(*column, moment);
  }
  AssignCounters();
}

void TNewRecord::LoadTemplate(const TRecord& source) {
  Template_ = &source;
  Values_.assign(static_cast<std::size_t>(All_.Columns().StoredCount()), {});
  TFieldArray::TCursor fields(source.Fields());
  for (std::size_t i = 0; i < Values_.size(); ++i) Values_[i] = fields.Field(static_cast<int>(i));
  AssignCounters();
}

void TNewRecord::AssignCounters() {
  TBusyScope busy;
  for (const auto& column : All_.Columns()) {
    if (column->IsCounter()) Field(*column) = NextCounterValue(All_, *column);
  }
}

std::string& TNewRecord::Field(const TColumn& column) {
  const auto field = static_cast<std::size_t>(column.FieldIndex());
  if (field >= Values_.size()) Values_.resize(field + 1);
  return Values_[field];
}

std::string_view TNewRecord::Value(const TColumn& column) const {
  const auto field = static_cast<std::size_t>(column.FieldIndex());
  return field < Values_.size() ? std::string_view(Values_[field]) : std::string_view();
}

void TNewRecord::SetValue(const TColumn& column, std::string_view text) {
  if (!column.IsVirtual()) Field(column) = text;
}

TRecord& TNewRecord::Add(int insertIndex) {
  const int count = All_.Columns().StoredCount();
  const bool trim = !Options_.NoTrim->Value();
  TRecord& record = All_.NewRecord(count);
  try {
    for (int i = 0; i < count && i < static_cast<int>(Values_.size()); ++i) {
      const std::string& value = Values_[static_cast<std::size_t>(i)];
      record.Fields().SetField(i, trim ? Trimmed(value) : value);
    }
    ValidateRecord(All_, record, Template_, Options_.AllowEmpty->Value(),
                   Options_.NoEquals->Value());
  } catch (...) {
    All_.FreeRecord(record);
    throw;
  }
  InsertNewRecord(All_, record, Options_, insertIndex);
  return record;
}

}  // namespace mervanta
