#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/date_time.h"

namespace mervanta {

class TColumn;
class TRecord;
class TRecords;
class TTableOptions;

// What a new record's field starts with: the column's default with its date and time macros
// expanded for `moment`, or for now.
std::string DefaultValue(const TColumn& column, std::optional<TDateTime> moment = std::nullopt);
// The number a Counter column proposes: one more than the largest of its values among the
// records that read as 32-bit integers, and 1 when none is above 0.
std::string NextCounterValue(const TRecords& records, const TColumn& column);

// Inserts a new record into "All": at `insertIndex` (within the list) unless it is -1, else
// first with the table's InsertFirst, else last; it becomes the selected record.
void InsertNewRecord(TRecords& all, TRecord& record, const TTableOptions& options, int insertIndex);

// The values of a record being added through the card, one per stored column, and the rules
// by which it joins "All": the table's options, the columns' rules and the counters.
class TNewRecord {
 public:
  // `all` is the master list the record joins; the options are its table's.
  TNewRecord(TRecords& all, const TTableOptions& options);

  // Every stored column's default, then the counters.
  void LoadDefaults(std::optional<TDateTime> moment = std::nullopt);
  // The template's values, then the counters; the template is spared by the checks for
  // equal records and values, so that adding an unchanged copy of it is accepted.
  void LoadTemplate(const TRecord& source);
  // Each Counter column's value becomes the number it proposes.
  void AssignCounters();

  // The text of a stored column's field as it was given.
  std::string_view Value(const TColumn& column) const;
  void SetValue(const TColumn& column, std::string_view text);

  // Stores the values, trimmed unless the table's NoTrim, into a new record, checks it with
  // ValidateRecord and inserts it with InsertNewRecord. A refusal raises ERecordRefused and
  // adds nothing.
  TRecord& Add(int insertIndex = -1);

 private:
  std::string& Field(const TColumn& column);

  TRecords& All_;
  const TTableOptions& Options_;
  std::vector<std::string> Values_;
  const TRecord* Template_ = nullptr;
};

}  // namespace mervanta
