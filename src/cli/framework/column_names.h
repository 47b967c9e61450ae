#pragma once

#include <string_view>
#include <vector>

#include "framework/cli_context.h"

namespace mervanta {

class TColumn;
class TColumns;

// A column as the user names it: by its caption, ignoring the case of A to Z as the column
// list finds captions, or as "#N" for the N-th column; null when none has that name.
TColumn* FindNamedColumn(const TCliContext& context, const TColumns& columns,
                         std::string_view name);
// The named column; raises "Unknown column "%s"" when there is none.
TColumn& NamedColumn(const TCliContext& context, const TColumns& columns, std::string_view name);
// Names separated by commas, blanks around each ignored.
std::vector<TColumn*> NamedColumns(const TCliContext& context, const TColumns& columns,
                                   std::string_view names);

}  // namespace mervanta
