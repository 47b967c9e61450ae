#include "framework/column_names.h"

#include <charconv>

#include "model/columns.h"
#include "support/errors.h"

namespace mervanta {

namespace {

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

TColumn* FindNamedColumn(const TCliContext& context, const TColumns& columns,
                         std::string_view name) {
  if (TColumn* column = columns.FindByCaption(context.Text().Input(name))) return column;
  if (name.starts_with('#')) {
    const char* end = name.data() + name.size();
    int number = 0;
    const auto [stop, error] = std::from_chars(name.data() + 1, end, number);
    if (error == std::errc() && stop == end && number >= 1 && number <= columns.Count()) {
      return &columns[number - 1];
    }
  }
  return nullptr;
}

TColumn& NamedColumn(const TCliContext& context, const TColumns& columns, std::string_view name) {
  if (TColumn* column = FindNamedColumn(context, columns, name)) return *column;
  throw EMervantaError("Unknown column \"" + std::string(name) + "\"");
}

std::vector<TColumn*> NamedColumns(const TCliContext& context, const TColumns& columns,
                                   std::string_view names) {
  std::vector<TColumn*> result;
  while (true) {
    const std::size_t comma = names.find(',');
    result.push_back(&NamedColumn(context, columns, Trimmed(names.substr(0, comma))));
    if (comma == std::string_view::npos) return result;
    names.remove_prefix(comma + 1);
  }
}

}  // namespace mervanta
