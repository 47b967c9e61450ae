#include "model/record_validation.h"

#include "model/columns.h"
#include "model/records.h"

namespace mervanta {

namespace {

[[noreturn]] void Refuse(const std::string& message, const TColumn* column = nullptr) {
  throw ERecordRefused(message, column);
}

std::string InColumn(const char* before, const TColumn& column, const char* after) {
  return before + column.Caption->Value() + after;
}

}  // namespace

void ValidateRecord(const TRecords& all, const TRecord& record, const TRecord* exclude,
                    bool allowEmpty, bool noEquals) {
  const TColumns& columns = all.Columns();
  // Counters count for nothing here: the card fills them itself.
  const bool empty = record.IsEmpty(columns, TColumnsConsidered::StoredOnly);
  if (empty && !allowEmpty) {
    Refuse("Cannot add an empty record to the table. Please specify at least one value.");
  }
  if (noEquals && !empty && all.IsDuplicate(record, exclude, TColumnsConsidered::StoredOnly)) {
    Refuse("This record already exists in this table.");
  }
  TFieldArray::TCursor fields(record.Fields());
  for (const auto& column : columns) {
    if (column->IsVirtual()) continue;
    const std::string_view value = fields.Field(column->FieldIndex());
    // The flags' names are swapped against their meanings, as the description files store
    // them.
    if (column->UniqueValues->Value() && value.empty()) {
      Refuse(InColumn("Value in column \"", *column, "\" cannot be empty"), column.get());
    }
    if (column->FilledValues->Value() && !value.empty() &&
        all.ValueExists(value, *column, exclude)) {
      Refuse(InColumn("This value already exists in column \"", *column, "\"."), column.get());
    }
  }
}

}  // namespace mervanta
