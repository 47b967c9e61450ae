#pragma once

#include <memory>
#include <string>

#include "framework/cli_context.h"

namespace mervanta {

class TTable;

enum class TTableAccess {
  // The table is only read: it never takes the lock from a running desktop program and no
  // file of it is written, not even the view state.
  Read,
  // The table will be saved: it must not be locked by another program or write-protected.
  Write,
};

// Opens the table as the desktop program does: a protected file needs its password, from
// --password, --password-file, $MERVANTA_PASSWORD or, on a terminal, the user; a wrong one
// fails with "Invalid password", one the code page cannot hold is refused. A description
// file (".kx") opens the table it describes. The current directory stays where it was.
std::unique_ptr<TTable> OpenTable(const TCliContext& context, const std::string& tableName,
                                  TTableAccess access);

// Saves the table under a new name, keeping the current directory.
void SaveTableAs(TTable& table, const std::string& fileName);

}  // namespace mervanta
