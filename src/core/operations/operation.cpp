#include "operations/operation.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/column.h"
#include "model/columns.h"
#include "model/field_array.h"
#include "model/record.h"
#include "model/records.h"
#include "support/errors.h"
#include "support/locale.h"
#include "support/msg_sender.h"
#include "support/progress.h"
#include "support/string_list.h"
#include "support/trim.h"

namespace mervanta {

namespace {

using TByteTable = std::array<unsigned char, 256>;

void MapBytes(std::string& text, std::size_t from, std::size_t to, const TByteTable& table) {
  for (std::size_t i = from; i < to; ++i) {
    text[i] = static_cast<char>(table[static_cast<unsigned char>(text[i])]);
  }
}

// A letter whose upper-case form differs becomes that form; anything else its lower-case
// form, which leaves non-letters as they are.
void InvertRegister(std::string& text, std::size_t from, std::size_t to) {
  const TCodePage& ansi = TLocale::Current().Ansi();
  for (std::size_t i = from; i < to; ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const unsigned char upper = ansi.Upper(byte);
    text[i] = static_cast<char>(upper != byte ? upper : ansi.Lower(byte));
  }
}

void SendFieldsChanged(const TRecords& records) {
  MsgSender().Send(&records.Master(), TMsgCode::FieldsChanged);
}

// The cells a task has written so far with their earlier texts, to put back when the user
// cancels it.
class TCellUndo {
 public:
  void Keep(TRecord& record, const TColumn& column) {
    const std::size_t start = Texts_.size();
    Texts_.append(record.Value(column, Scratch_));
    Cells_.push_back({&record, &column, start, Texts_.size() - start});
  }
  void Restore() {
    for (auto cell = Cells_.rbegin(); cell != Cells_.rend(); ++cell) {
      cell->Record->SetValue(*cell->Column,
                             std::string_view(Texts_).substr(cell->Start, cell->Length));
    }
  }

 private:
  struct TCell {
    TRecord* Record;
    const TColumn* Column;
    std::size_t Start;
    std::size_t Length;
  };
  std::vector<TCell> Cells_;
  std::string Texts_;
  std::string Scratch_;
};

}  // namespace

std::string TOperation::KindName(TOperationKind kind) {
  return LineOfText(kOperationKindNames, static_cast<int>(kind));
}

TOperationNeeds TOperation::Needs(TOperationKind kind) {
  using enum TOperationNeeds;
  static constexpr std::array<TOperationNeeds, 10> kNeeds{
      ColumnList | Data,         // Fill
      Column | Position | Data,  // Insert
      Column | Interval | Data,  // Replace
      Column | Interval,         // Delete
      Column | Interval,         // Upper case
      Column | Interval,         // Lower case
      Column | Interval,         // Invert register
      ColumnList,                // ANSI -> OEM
      ColumnList,                // OEM -> ANSI
      ColumnList,                // Delete leading and trailing blanks
  };
  const auto index = static_cast<std::size_t>(kind);
  if (index >= kNeeds.size()) return TOperationNeeds::Nothing;
  return kNeeds[index];
}

int TOperation::ResolvePosition(const TOperationPosition& position, std::string_view text) {
  // Wide enough for a length minus any 32-bit index.
  const auto length = static_cast<std::int64_t>(text.size());
  const std::string_view substring = position.Text;
  std::int64_t offset = 0;
  switch (position.Mode) {
    case TPositionMode::SymbolIndex:
      offset = position.Index;
      break;
    case TPositionMode::SymbolIndexFromEnd:
      offset = length - position.Index;
      break;
    case TPositionMode::SubstringBegin:
    case TPositionMode::SubstringEnd: {
      const std::size_t at = text.find(substring);
      if (at == std::string_view::npos) break;
      offset = static_cast<std::int64_t>(at);
      if (position.Mode == TPositionMode::SubstringEnd)
        offset += static_cast<std::int64_t>(substring.size());
      break;
    }
    case TPositionMode::SubstringBeginFromEnd:
    case TPositionMode::SubstringEndFromEnd: {
      const std::size_t at = substring.empty() ? std::string_view::npos : text.rfind(substring);
      if (at == std::string_view::npos) {
        offset = length;
        break;
      }
      offset = static_cast<std::int64_t>(at);
      if (position.Mode == TPositionMode::SubstringEndFromEnd) {
        offset += static_cast<std::int64_t>(substring.size());
      }
      break;
    }
    default:
      break;
  }
  return static_cast<int>(std::clamp<std::int64_t>(offset, 0, length));
}

TOperationInterval TOperation::ResolveInterval(std::string_view text) const {
  const int start = ResolvePosition(IntervalStart, text);
  const int end = ResolvePosition(IntervalEnd, text);
  return {std::min(start, end), std::max(start, end)};
}

bool TOperation::AppliesTo(const TColumn& column) const {
  const TOperationNeeds needs = Needs(Kind);
  if (Has(needs, TOperationNeeds::Column)) return &column == Column;
  if (Has(needs, TOperationNeeds::ColumnList)) {
    return std::find(Columns.begin(), Columns.end(), &column) != Columns.end();
  }
  return false;
}

std::string TOperation::ComputeText(int recordIndex, const TColumn& column) const {
  TBuffers buffers;
  Compute(recordIndex, Records->Item(recordIndex), column, buffers);
  return std::move(buffers.Result);
}

void TOperation::Execute() const {
  TRecords& records = *Records;
  std::vector<const TColumn*> targets;
  for (const auto& column : records.Columns()) {
    if (column->FieldIndex() >= 0 && AppliesTo(*column)) targets.push_back(column.get());
  }
  TCellUndo undo;
  try {
    TProgressScope progress(records.Count());
    TBuffers buffers;
    for (int i = 0; i < records.Count(); ++i) {
      TProgress::Step();
      TRecord& record = records.Item(i);
      for (const TColumn* column : targets) {
        Compute(i, record, *column, buffers);
        undo.Keep(record, *column);
        record.SetValue(*column, buffers.Result);
      }
    }
  } catch (const EOperationAborted&) {
    undo.Restore();
    throw;
  } catch (...) {
    // The records written before the failure stay written; the views and the table must
    // still learn of them.
    SendFieldsChanged(records);
    throw;
  }
  SendFieldsChanged(records);
}

void TOperation::Compute(int recordIndex, const TRecord& record, const TColumn& column,
                         TBuffers& buffers) const {
  const std::string_view text = record.Value(column, buffers.Cell);
  std::string& result = buffers.Result;
  result.clear();
  const auto intervalOf = [this, text] {
    const TOperationInterval interval = ResolveInterval(text);
    return std::pair(static_cast<std::size_t>(interval.Start),
                     static_cast<std::size_t>(interval.End));
  };
  switch (Kind) {
    case TOperationKind::Fill:
      result.assign(DataValue(recordIndex, record, buffers));
      break;
    case TOperationKind::Insert: {
      const auto at = static_cast<std::size_t>(ResolvePosition(Position, text));
      result.assign(text.substr(0, at));
      result.append(DataValue(recordIndex, record, buffers));
      result.append(text.substr(at));
      break;
    }
    case TOperationKind::Replace: {
      const auto [from, to] = intervalOf();
      result.assign(text.substr(0, from));
      result.append(DataValue(recordIndex, record, buffers));
      result.append(text.substr(to));
      break;
    }
    case TOperationKind::Delete: {
      const auto [from, to] = intervalOf();
      result.assign(text.substr(0, from));
      result.append(text.substr(to));
      break;
    }
    case TOperationKind::UpperCase:
    case TOperationKind::LowerCase: {
      const auto [from, to] = intervalOf();
      const TCodePage& ansi = TLocale::Current().Ansi();
      result.assign(text);
      MapBytes(result, from, to,
               Kind == TOperationKind::UpperCase ? ansi.UpperTable() : ansi.LowerTable());
      break;
    }
    case TOperationKind::InvertRegister: {
      const auto [from, to] = intervalOf();
      result.assign(text);
      InvertRegister(result, from, to);
      break;
    }
    case TOperationKind::AnsiToOem:
    case TOperationKind::OemToAnsi: {
      const TLocale& locale = TLocale::Current();
      result.assign(text);
      MapBytes(
          result, 0, result.size(),
          Kind == TOperationKind::AnsiToOem ? locale.AnsiToOemTable() : locale.OemToAnsiTable());
      break;
    }
    case TOperationKind::Trim:
      result.assign(Trimmed(text));
      break;
    default:
      result.assign(text);
      break;
  }
  // Longer texts do not fit a field; the previews show the same cut.
  if (result.size() > TFieldArray::kMaxFieldLength) result.resize(TFieldArray::kMaxFieldLength);
}

std::string_view TOperation::DataValue(int recordIndex, const TRecord& record,
                                       TBuffers& buffers) const {
  switch (Data.Kind) {
    case TOperationDataKind::String:
      return Data.Text;
    case TOperationDataKind::Number: {
      // 32-bit arithmetic that wraps around, as the numbers are entered.
      const auto value = static_cast<std::int32_t>(static_cast<std::uint32_t>(Data.Start) +
                                                   static_cast<std::uint32_t>(recordIndex) *
                                                       static_cast<std::uint32_t>(Data.Step));
      const char* const end =
          std::to_chars(std::begin(buffers.Number), std::end(buffers.Number), value).ptr;
      return {buffers.Number, static_cast<std::size_t>(end - buffers.Number)};
    }
    case TOperationDataKind::ColumnValue:
      if (Data.Column == nullptr) return {};
      return record.Value(*Data.Column, buffers.DataCell);
    default:
      return {};
  }
}

}  // namespace mervanta
