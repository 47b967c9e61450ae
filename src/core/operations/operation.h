#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mervanta {

class TColumn;
class TRecord;
class TRecords;

// The stored kinds of an automated task.
enum class TOperationKind : std::uint8_t {
  Fill,
  Insert,
  Replace,
  Delete,
  UpperCase,
  LowerCase,
  InvertRegister,
  AnsiToOem,
  OemToAnsi,
  Trim,
};

// One line per kind, in kind order, as the wizard lists them.
inline constexpr std::string_view kOperationKindNames =
    "Fill\r\nInsert\r\nReplace\r\nDelete\r\nUpper case\r\nLower case\r\nInvert register\r\n"
    "ANSI -> OEM\r\nOEM -> ANSI\r\nDelete leading and trailing blanks";

// What a kind asks the user for; the wizard shows one page per bit, in the order of the bits.
enum class TOperationNeeds : std::uint8_t {
  Nothing = 0,
  Column = 1,
  ColumnList = 2,
  Position = 4,
  Interval = 8,
  Data = 16,
};

constexpr TOperationNeeds operator|(TOperationNeeds a, TOperationNeeds b) {
  return static_cast<TOperationNeeds>(static_cast<std::uint8_t>(a) | static_cast<std::uint8_t>(b));
}

constexpr bool Has(TOperationNeeds set, TOperationNeeds need) {
  return (static_cast<std::uint8_t>(set) & static_cast<std::uint8_t>(need)) != 0;
}

enum class TPositionMode : std::uint8_t {
  SymbolIndex,
  SubstringBegin,
  SubstringEnd,
  SymbolIndexFromEnd,
  SubstringBeginFromEnd,
  SubstringEndFromEnd,
};

inline constexpr std::string_view kPositionModeNames =
    "Index of a symbol\r\nBegin of substring\r\nEnd of substring\r\n"
    "Index of a symbol (from the end)\r\nBegin of substring (from the end)\r\n"
    "End of substring (from the end)";

// A place in a cell text: a count of characters from either end, or either end of the first
// or the last occurrence of a substring.
struct TOperationPosition {
  TPositionMode Mode = TPositionMode::SymbolIndex;
  std::string Text;
  std::int32_t Index = 0;
};

enum class TOperationDataKind : std::uint8_t { String, Number, ColumnValue };

inline constexpr std::string_view kOperationDataKindNames =
    "String\r\nNumber\r\nValue from other column";

// What Fill, Insert and Replace put in: a fixed text, a running number or another column's
// cell of the same record.
struct TOperationData {
  TOperationDataKind Kind = TOperationDataKind::String;
  std::string Text;
  std::int32_t Start = 0;
  std::int32_t Step = 0;
  const TColumn* Column = nullptr;
};

// The head and the tail of a text are the characters before Start and from End on.
struct TOperationInterval {
  int Start;
  int End;
};

// One text edit applied to columns of every record of a list. It writes straight into the
// records' stored fields: no validation of the table applies, and there is no undo.
class TOperation {
 public:
  // The kind's line of kOperationKindNames; empty for an unknown kind.
  static std::string KindName(TOperationKind kind);
  // An unknown kind needs nothing.
  static TOperationNeeds Needs(TOperationKind kind);
  // An offset from 0 to the text's length. An absent substring stands before the text when
  // searched from the start and after it when searched from the end.
  static int ResolvePosition(const TOperationPosition& position, std::string_view text);

  // The interval between the resolved IntervalStart and IntervalEnd, whichever comes first.
  TOperationInterval ResolveInterval(std::string_view text) const;
  // Whether the column is a target: Column for the one-column kinds, one of Columns for
  // the kinds that take a list, none for the others.
  bool AppliesTo(const TColumn& column) const;
  // The new text of the column for the record at that index of Records, from the record's
  // texts as they are now; cut to what a field holds.
  std::string ComputeText(int recordIndex, const TColumn& column) const;
  // Rewrites the target columns of every record of Records, in list order, then announces
  // FieldsChanged for the master of Records, even when there was nothing to do. A virtual
  // target column has no field to write and is left out.
  void Execute() const;

  TRecords* Records = nullptr;
  TOperationKind Kind = TOperationKind::Fill;
  const TColumn* Column = nullptr;
  std::vector<const TColumn*> Columns;
  TOperationPosition Position;
  // As the wizard starts them: the whole text.
  TOperationPosition IntervalStart;
  TOperationPosition IntervalEnd{TPositionMode::SymbolIndexFromEnd, {}, 0};
  TOperationData Data;

 private:
  // Kept from one computation to the next, so that a run over many records reuses them.
  struct TBuffers {
    std::string Cell;
    std::string DataCell;
    std::string Result;
    char Number[12];
  };

  // Leaves the new text in buffers.Result.
  void Compute(int recordIndex, const TRecord& record, const TColumn& column,
               TBuffers& buffers) const;
  // A view of the data text, valid until the record or the buffers change.
  std::string_view DataValue(int recordIndex, const TRecord& record, TBuffers& buffers) const;
};

}  // namespace mervanta
