#pragma once

#include "support/errors.h"

namespace mervanta {

class TColumn;
class TRecord;
class TRecords;

// A record the table's rules refuse. The card shows the message as information and puts the
// focus into the column's field, or into the first editable field when the whole record is
// at fault (no column).
class ERecordRefused : public EMervantaError {
 public:
  ERecordRefused(const std::string& message, const TColumn* column)
      : EMervantaError(message), Column_(column) {}

  const TColumn* Column() const { return Column_; }

 private:
  const TColumn* Column_;
};

// The card's checks of the values it is about to add or store, in their order: an empty
// record (unless `allowEmpty`), a duplicate of another record of "All" (with `noEquals`),
// then each stored column's rules in column order. `record` holds the values as they would
// be stored; `exclude` is the record being edited, or the template of a new one, or null.
// Raises ERecordRefused for the first check that fails.
void ValidateRecord(const TRecords& all, const TRecord& record, const TRecord* exclude,
                    bool allowEmpty, bool noEquals);

}  // namespace mervanta
