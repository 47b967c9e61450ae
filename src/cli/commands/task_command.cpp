#include "commands/task_command.h"

#include <array>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "framework/argument_text.h"
#include "framework/column_names.h"
#include "framework/table_files.h"
#include "framework/table_update.h"
#include "framework/usage_error.h"
#include "operations/operation.h"
#include "support/errors.h"
#include "support/string_list.h"
#include "table/table.h"

namespace mervanta {

namespace {

constexpr int kIntMin = std::numeric_limits<int>::min();
constexpr int kIntMax = std::numeric_limits<int>::max();

constexpr TOptionSpec kTaskOptions[] = {
    {"source", "all", "the records to change: \"all\", the only list kept with the table"},
    {"column", "C", "the column of Insert, Replace, Delete and the case changes"},
    {"columns", "C,...", "the columns of Fill, the code page changes and the trimming"},
    {"position", "MODE:VALUE", "where Insert inserts (default 0:0, the start)"},
    {"from", "MODE:VALUE", "where the changed part starts (default 0:0, the start)"},
    {"to", "MODE:VALUE", "where it ends (default 3:0, the end)"},
    {"text", "T", "put in this text"},
    {"number", "START:STEP", "put in a number counted from START by STEP"},
    {"value-of", "C", "put in this column's value of the same record"},
    {"preview", "", "print the new texts, one line per record, and change nothing"},
};
constexpr std::array<std::span<const TOptionSpec>, 1> kOptionLists{kTaskOptions};

// The options each need brings with it.
struct TNeedOptions {
  TOperationNeeds Need;
  std::array<std::string_view, 3> Names;
};
constexpr TNeedOptions kNeedOptions[] = {
    {TOperationNeeds::Column, {"column"}},
    {TOperationNeeds::ColumnList, {"columns"}},
    {TOperationNeeds::Position, {"position"}},
    {TOperationNeeds::Interval, {"from", "to"}},
    {TOperationNeeds::Data, {"text", "number", "value-of"}},
};

TOperationKind ChosenKind(std::string_view word) {
  const TStringList names = TextToList(kOperationKindNames);
  for (std::size_t kind = 0; kind < names.size(); ++kind) {
    if (word == std::to_string(kind) || SameWord(word, names[kind])) {
      return static_cast<TOperationKind>(kind);
    }
  }
  std::string known;
  for (std::size_t kind = 0; kind < names.size(); ++kind) {
    known += (kind == 0 ? "" : ", ") + std::to_string(kind) + " \"" + names[kind] + "\"";
  }
  throw EUsageError("Unknown task \"" + std::string(word) + "\" (there are " + known + ")");
}

// An option that the kind does not take would be silently ignored: it is refused instead.
void CheckOptions(const TArguments& arguments, TOperationKind kind) {
  const TOperationNeeds needs = TOperation::Needs(kind);
  for (const TNeedOptions& need : kNeedOptions) {
    if (Has(needs, need.Need)) continue;
    for (std::string_view name : need.Names) {
      if (!name.empty() && arguments.Has(name)) {
        throw EUsageError("The option \"--" + std::string(name) +
                          "\" does not go with the task \"" + TOperation::KindName(kind) + "\"");
      }
    }
  }
  const std::string* source = arguments.Value("source");
  if (source != nullptr && *source != "all") {
    throw EUsageError("Unknown source \"" + *source + "\": only \"all\" is kept with the table");
  }
}

// "A:B" split at the first colon.
std::pair<std::string_view, std::string_view> Pair(const std::string& text,
                                                   std::string_view option) {
  const std::size_t colon = text.find(':');
  if (colon == std::string::npos) {
    throw EUsageError("The option \"--" + std::string(option) + "\" takes a colon: \"" + text +
                      "\"");
  }
  const std::string_view view(text);
  return {view.substr(0, colon), view.substr(colon + 1)};
}

void ReadPosition(const TCliContext& context, const TArguments& arguments, std::string_view option,
                  TOperationPosition& position) {
  const std::string* text = arguments.Value(option);
  if (text == nullptr) return;
  const auto [mode, value] = Pair(*text, option);
  position.Mode = static_cast<TPositionMode>(IntegerArgument(mode, "position mode", 0, 5));
  if (position.Mode == TPositionMode::SymbolIndex ||
      position.Mode == TPositionMode::SymbolIndexFromEnd) {
    position.Index = IntegerArgument(value, "position index", 0, kIntMax);
  } else {
    position.Text = context.Text().Input(value);
  }
}

const TColumn* Target(const TColumn& column) {
  if (column.IsVirtual()) {
    throw EMervantaError("The column \"" + column.Caption->Value() +
                         "\" is computed: a task changes stored columns only");
  }
  return &column;
}

void ReadTargets(const TCliContext& context, const TArguments& arguments, const TColumns& columns,
                 TOperation& operation) {
  const TOperationNeeds needs = TOperation::Needs(operation.Kind);
  if (Has(needs, TOperationNeeds::Column)) {
    const std::string* name = arguments.Value("column");
    if (name == nullptr) throw EUsageError("The task needs \"--column\"");
    operation.Column = Target(NamedColumn(context, columns, *name));
  }
  if (Has(needs, TOperationNeeds::ColumnList)) {
    const std::string* names = arguments.Value("columns");
    if (names == nullptr) throw EUsageError("The task needs \"--columns\"");
    for (const TColumn* column : NamedColumns(context, columns, *names)) {
      operation.Columns.push_back(Target(*column));
    }
  }
}

void ReadData(const TCliContext& context, const TArguments& arguments, const TColumns& columns,
              TOperationData& data) {
  const int given = static_cast<int>(arguments.Has("text")) +
                    static_cast<int>(arguments.Has("number")) +
                    static_cast<int>(arguments.Has("value-of"));
  if (given != 1) {
    throw EUsageError("Give exactly one of \"--text\", \"--number\" and \"--value-of\"");
  }
  if (const std::string* text = arguments.Value("text")) {
    data.Kind = TOperationDataKind::String;
    data.Text = context.Text().Input(*text);
  } else if (const std::string* number = arguments.Value("number")) {
    const auto [start, step] = Pair(*number, "number");
    data.Kind = TOperationDataKind::Number;
    data.Start = IntegerArgument(start, "start", kIntMin, kIntMax);
    data.Step = IntegerArgument(step, "step", kIntMin, kIntMax);
  } else {
    data.Kind = TOperationDataKind::ColumnValue;
    data.Column = &NamedColumn(context, columns, *arguments.Value("value-of"));
  }
}

// The texts the task would write: per record one line of the target columns' new texts in
// column order, separated by tabs, less their CR characters.
void PrintPreview(const TCliContext& context, const TOperation& operation) {
  std::string line;
  for (int i = 0; i < operation.Records->Count(); ++i) {
    line.clear();
    bool first = true;
    for (const auto& column : operation.Records->Columns()) {
      if (!operation.AppliesTo(*column)) continue;
      if (!first) line += '\t';
      first = false;
      context.Text().AppendOutput(line, operation.ComputeText(i, *column), TCarriageReturns::Drop);
    }
    context.Out() << line << '\n';
  }
}

}  // namespace

std::string_view TTaskCommand::Details() const {
  return "KIND is a task's number or name: 0 Fill, 1 Insert, 2 Replace, 3 Delete, 4 \"Upper\n"
         "case\", 5 \"Lower case\", 6 \"Invert register\", 7 \"ANSI -> OEM\", 8 \"OEM -> ANSI\",\n"
         "9 \"Delete leading and trailing blanks\". A position is MODE:VALUE with MODE 0 the\n"
         "index of a character, 1 the start of a text, 2 the end of a text, and 3, 4, 5 the same\n"
         "counted from the end; VALUE is the index or the text. Each kind takes only the\n"
         "options it needs. The table's rules do not apply to a task's texts.";
}

std::span<const std::span<const TOptionSpec>> TTaskCommand::Options() const {
  return kOptionLists;
}

int TTaskCommand::Run(TCliContext& context, const TArguments& arguments) const {
  arguments.ExpectWords(2, 2);
  TOperation operation;
  operation.Kind = ChosenKind(arguments.Word(1));
  CheckOptions(arguments, operation.Kind);
  const bool preview = arguments.Has("preview");
  // A preview reads the table only, so it works while another program holds it.
  std::unique_ptr<TTable> read;
  std::optional<TTableUpdate> update;
  if (preview) {
    read = OpenTable(context, arguments.Word(0), TTableAccess::Read);
  } else {
    update.emplace(context, arguments.Word(0));
  }
  TTable& table = preview ? *read : **update;
  const TColumns& columns = table.Columns();
  ReadTargets(context, arguments, columns, operation);
  ReadPosition(context, arguments, "position", operation.Position);
  ReadPosition(context, arguments, "from", operation.IntervalStart);
  ReadPosition(context, arguments, "to", operation.IntervalEnd);
  if (Has(TOperation::Needs(operation.Kind), TOperationNeeds::Data)) {
    ReadData(context, arguments, columns, operation.Data);
  }
  operation.Records = &table.Sources().All;
  if (operation.Records->Count() == 0) throw EMervantaError("The source is empty");
  if (preview) {
    PrintPreview(context, operation);
    return kExitSuccess;
  }
  operation.Execute();
  update->Save();
  return kExitSuccess;
}

}  // namespace mervanta
