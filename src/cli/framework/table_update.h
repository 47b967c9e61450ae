#pragma once

#include <memory>
#include <string>

#include "framework/cli_context.h"

namespace mervanta {

class TTable;

// A table opened for a command that changes it (see OpenTable). Its files change only through
// Save, the table's own atomic save: when the command fails or is refused they stay byte for
// byte as they were, the view state included.
class TTableUpdate {
 public:
  TTableUpdate(const TCliContext& context, const std::string& fileName);
  TTableUpdate(const TTableUpdate&) = delete;
  TTableUpdate& operator=(const TTableUpdate&) = delete;

  TTable& operator*() const { return *Table_; }
  TTable* operator->() const { return Table_.get(); }

  // Saves the table when anything changed.
  void Save();

 private:
  std::unique_ptr<TTable> Table_;
};

}  // namespace mervanta
