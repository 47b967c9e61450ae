#pragma once

#include <span>
#include <string>

namespace mervanta {

class TTableOptions;
class TTableSources;

// Appends the records of delimited files to a table's "All", file after file. Each file is
// read as the table's data file would be, with at least a field per stored column; fields are
// taken by position. The table's options decide what is kept: values are trimmed unless
// NoTrim, empty records dropped unless AllowEmpty, and with NoEquals records equal to one
// already in "All" dropped (records of one file are not compared with each other). With
// InsertFirst each file's records go to the top, the last one first. The user is told
// "%s records added" and "All" becomes the current list. Returns the number added.
//
// A file that cannot be read or parsed raises its error: the files before it stay imported
// and the rest are not read.
int ImportRecords(TTableSources& sources, const TTableOptions& options,
                  std::span<const std::string> fileNames);

}  // namespace mervanta
