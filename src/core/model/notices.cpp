#include "model/notices.h"

#include <cassert>
#include <cstdint>

namespace mervanta {

// The two message parameters are where a notice travels: the one place that packs and
// unpacks them.

bool TColumnNotice::IsColumnCode(TMsgCode code) {
  switch (code) {
    case TMsgCode::ColumnAdded:
    case TMsgCode::ColumnDeleted:
    case TMsgCode::ColumnMoved:
    case TMsgCode::ColumnsReloaded:
    case TMsgCode::ColumnChanged:
    case TMsgCode::ColumnsShownChanged:
    case TMsgCode::ColumnsPrintChanged:
    case TMsgCode::ColumnsExportChanged:
      return true;
    default:
      return false;
  }
}

TColumnNotice TColumnNotice::Of(const TMsg& msg) {
  assert(IsColumnCode(msg.Code));
  return {static_cast<const TColumns*>(msg.Sender), reinterpret_cast<const TColumn*>(msg.Param2),
          static_cast<int>(msg.Param1)};
}

void TColumnNotice::Send(TMsgCode code) const {
  MsgSender().Send(Columns, code, FormerField, reinterpret_cast<std::intptr_t>(Column));
}

TRecordsNotice TRecordsNotice::Of(const TMsg& msg) {
  const auto* records = static_cast<const TRecords*>(msg.Sender);
  if (msg.Code == TMsgCode::RecordEdited) {
    return {.Records = records, .Record = reinterpret_cast<const TRecord*>(msg.Param2)};
  }
  return {.Records = records, .FormerIndex = static_cast<int>(msg.Param2)};
}

void TRecordsNotice::Send(TMsgCode code) const {
  MsgSender().Send(
      Records, code, 0,
      code == TMsgCode::RecordEdited ? reinterpret_cast<std::intptr_t>(Record) : FormerIndex);
}

}  // namespace mervanta
