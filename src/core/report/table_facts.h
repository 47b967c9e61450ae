#pragma once

#include <string>

namespace mervanta {

// What the table report says of a table as a whole; the table fills it in.
struct TTableFacts {
  std::string DisplayName;
  // Empty for a table that was never saved.
  std::string FileName;
  std::string DescriptionFileName;
  int RecordCount = 0;
  bool Protected = false;
  bool ReadOnly = false;
  bool Modified = false;
};

}  // namespace mervanta
