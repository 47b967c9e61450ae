#include "commands/search_command.h"

#include <array>
#include <charconv>
#include <memory>
#include <optional>
#include <string>

#include "framework/column_names.h"
#include "framework/listing.h"
#include "framework/table_files.h"
#include "framework/usage_error.h"
#include "model/match_condition.h"
#include "search/extended_search.h"
#include "search/fast_search.h"
#include "search/search_equals.h"
#include "support/numbers.h"
#include "table/table.h"

namespace mervanta {

namespace {

constexpr TOptionSpec kSearchOptions[] = {
    {"quick", "TEXT", "records with the text in any column, ignoring case"},
    {"where", "CONDITION", "\"COLUMN OPERATOR TEXT\"; repeat for more conditions"},
    {"any", "", "records meeting any condition instead of all"},
    {"case", "", "compare letter case too"},
    {"repeating", "", "records whose cells repeat another record's"},
    {"columns", "C,...", "the columns compared for repeats (default: all)"},
    {"any-field", "", "records repeating another in any compared column, not all"},
    {"keep-empty", "", "empty cells count as equal"},
    {"only-recurrences", "", "without the first record of each repeating set"},
};
constexpr std::array<std::span<const TOptionSpec>, 2> kOptionLists{kSearchOptions, kListingOptions};

enum class TSearchKind { Quick, Where, Repeating };

// The options that belong to one kind of search only.
struct TKindOption {
  std::string_view Name;
  TSearchKind Kind;
};
constexpr TKindOption kKindOptions[] = {
    {"any", TSearchKind::Where},
    {"columns", TSearchKind::Repeating},
    {"any-field", TSearchKind::Repeating},
    {"keep-empty", TSearchKind::Repeating},
    {"only-recurrences", TSearchKind::Repeating},
};

TSearchKind ChosenKind(const TArguments& arguments) {
  const int chosen = static_cast<int>(arguments.Has("quick")) +
                     static_cast<int>(arguments.Has("where")) +
                     static_cast<int>(arguments.Has("repeating"));
  if (chosen != 1) {
    throw EUsageError("Give exactly one of \"--quick\", \"--where\" and \"--repeating\"");
  }
  const TSearchKind kind = arguments.Has("quick")   ? TSearchKind::Quick
                           : arguments.Has("where") ? TSearchKind::Where
                                                    : TSearchKind::Repeating;
  for (const TKindOption& option : kKindOptions) {
    if (option.Kind != kind && arguments.Has(option.Name)) {
      throw EUsageError("The option \"--" + std::string(option.Name) +
                        "\" does not go with this search");
    }
  }
  if (kind == TSearchKind::Quick && arguments.Has("case")) {
    throw EUsageError("The quick search always ignores case");
  }
  return kind;
}

bool StartsWithWord(std::string_view text, std::string_view word) {
  if (text.size() < word.size() || (text.size() > word.size() && text[word.size()] != ' ')) {
    return false;
  }
  for (std::size_t i = 0; i < word.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(text[i]) != lower(word[i])) return false;
  }
  return true;
}

// The condition's operator at the start of the text, as its name or its index; -1 when none.
std::optional<TConditionKind> OperatorAt(std::string_view text, std::size_t& length) {
  for (std::size_t kind = 0; kind < kConditionNames.size(); ++kind) {
    const std::string index = std::to_string(kind);
    for (const std::string_view name : {kConditionNames[kind], std::string_view(index)}) {
      if (StartsWithWord(text, name)) {
        length = name.size();
        return static_cast<TConditionKind>(kind);
      }
    }
  }
  return std::nullopt;
}

std::int32_t LengthOf(std::string_view text) {
  std::int32_t length = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), length);
  if (error != std::errc() || end != text.data() + text.size() || length < 0) {
    throw EUsageError("The length \"" + std::string(text) + "\" is not a number");
  }
  return length;
}

// "COLUMN OPERATOR TEXT": the operator stands between blanks, and captions may hold blanks
// too, so of the places an operator stands the first whose left part names a column wins.
void AddCondition(const TCliContext& context, TExtendedSearch& search, std::string_view text) {
  std::string unknown;
  for (std::size_t blank = text.find(' '); blank != std::string_view::npos;
       blank = text.find(' ', blank + 1)) {
    std::size_t length = 0;
    const std::string_view rest = text.substr(blank + 1);
    const std::optional<TConditionKind> kind = OperatorAt(rest, length);
    const std::string_view name = text.substr(0, blank);
    if (!kind || name.find_first_not_of(' ') == std::string_view::npos) continue;
    TColumn* column = FindNamedColumn(context, search.Source().Columns(), name);
    if (column == nullptr) {
      if (unknown.empty()) unknown = name;
      continue;
    }
    const std::string_view value = rest.substr(std::min(length + 1, rest.size()));
    if (*kind >= TConditionKind::SameLength) {
      search.AddCondition(*column, *kind, LengthOf(value), {});
    } else {
      search.AddCondition(*column, *kind, 0, context.Text().Input(value));
    }
    return;
  }
  if (!unknown.empty()) throw EMervantaError("Unknown column \"" + unknown + "\"");
  throw EUsageError("The condition \"" + std::string(text) + "\" is not \"COLUMN OPERATOR TEXT\"");
}

std::unique_ptr<TSearch> WhereSearch(const TCliContext& context, const TArguments& arguments,
                                     TRecords& all) {
  auto search = std::make_unique<TExtendedSearch>(all);
  for (const std::string& condition : arguments.Values("where")) {
    AddCondition(context, *search, condition);
  }
  search->SetAnyCondition(arguments.Has("any"));
  search->SetIgnoreCase(!arguments.Has("case"));
  return search;
}

std::unique_ptr<TSearch> RepeatingSearch(const TCliContext& context, const TArguments& arguments,
                                         TRecords& all) {
  auto search = std::make_unique<TSearchEquals>(all);
  if (const std::string* names = arguments.Value("columns")) {
    for (TColumn* column : NamedColumns(context, all.Columns(), *names)) search->AddColumn(*column);
  } else {
    for (const auto& column : all.Columns()) search->AddColumn(*column);
  }
  search->SetAnyField(arguments.Has("any-field"));
  search->SetIgnoreCase(!arguments.Has("case"));
  search->SetIgnoreEmpty(!arguments.Has("keep-empty"));
  search->SetKeepOriginals(!arguments.Has("only-recurrences"));
  return search;
}

}  // namespace

std::string_view TSearchCommand::Details() const {
  return "OPERATOR is one of: Contain, Equal, Not contain, Not equal, Begin with, End with,\n"
         "Not begin with, Not end with, Match mask, \"<= number/date/time\",\n"
         "\">= number/date/time\", Same length, Longer than, Shorter than; or its index 0-13.\n"
         "For the three length operators TEXT is the length. \"Records found: N\" or\n"
         "\"No results found\" follows on the error stream; the exit status is 0 when records\n"
         "were found, 1 when none, 2 on an error.";
}

std::span<const std::span<const TOptionSpec>> TSearchCommand::Options() const {
  return kOptionLists;
}

int TSearchCommand::Run(TCliContext& context, const TArguments& arguments) const {
  arguments.ExpectWords(1, 1);
  const TSearchKind kind = ChosenKind(arguments);
  const auto table = OpenTable(context, arguments.Word(0), TTableAccess::Read);
  TTableSources& sources = table->Sources();
  std::unique_ptr<TSearch> search;
  switch (kind) {
    case TSearchKind::Quick:
      search = std::make_unique<TFastSearch>(sources.All,
                                             context.Text().Input(*arguments.Value("quick")));
      break;
    case TSearchKind::Where:
      search = WhereSearch(context, arguments, sources.All);
      break;
    case TSearchKind::Repeating:
      search = RepeatingSearch(context, arguments, sources.All);
      break;
  }
  // The results keep the order of "All", so sorting it first sorts them.
  SortListing(context, arguments, sources.All);
  const int found = search->Execute(sources.SearchResults);
  PrintListing(context, arguments, sources.SearchResults.Items(),
               ListedColumns(context, table->Columns(), nullptr));
  if (found == 0) {
    context.Inform("No results found");
    return kExitNothing;
  }
  context.Inform("Records found: " + GroupedCount(found));
  return kExitSuccess;
}

}  // namespace mervanta
