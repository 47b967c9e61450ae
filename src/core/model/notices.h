#pragma once

#include "support/msg_sender.h"

namespace mervanta {

class TColumn;
class TColumns;
class TRecord;
class TRecords;

// What the notices of a column list carry. Sent by TColumns with the codes ColumnAdded,
// ColumnDeleted, ColumnMoved, ColumnsReloaded, ColumnChanged, ColumnsShownChanged,
// ColumnsPrintChanged and ColumnsExportChanged.
struct TColumnNotice {
  const TColumns* Columns = nullptr;
  // The column concerned; none for ColumnsReloaded and the Columns…Changed codes.
  const TColumn* Column = nullptr;
  // The column's field index before ColumnDeleted or ColumnMoved; 0 otherwise.
  int FormerField = 0;

  static bool IsColumnCode(TMsgCode code);
  // The notice a listener heard; the message must come from a column list.
  static TColumnNotice Of(const TMsg& msg);
  void Send(TMsgCode code) const;
};

// What the notices of a record list carry: the list as sender; for ItemIndexChanged and
// HasCurrentChanged, the current index before the change (-1 for none); for RecordEdited,
// sent by whoever changed a record's fields with the master list as sender, the record. The
// other codes of a list (CountChanged, OrderChanged, FieldsChanged, MarksChanged,
// SortChanged, BeginUpdate, EndUpdate) carry nothing.
struct TRecordsNotice {
  const TRecords* Records = nullptr;
  int FormerIndex = -1;
  const TRecord* Record = nullptr;

  static TRecordsNotice Of(const TMsg& msg);
  void Send(TMsgCode code) const;
};

}  // namespace mervanta
