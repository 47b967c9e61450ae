#pragma once

#include <exception>
#include <string>
#include <vector>

#include "support/file_descriptor.h"

namespace mervanta {

// One file of a set read together.
struct TFileContent {
  std::string Bytes;
  // Set, and Bytes empty, when the file could not be read.
  std::exception_ptr Failure;
};

// The contents of files saved together under `anchor` (see TFileCommit), as they were at one
// moment: while a save is unfinished its journal tells which files count, and files that
// change while they are read are read again. Nothing is written, so a reader needs no lock.
// Throws EMervantaError when the files keep changing.
std::vector<TFileContent> ReadFilesTogether(const std::string& anchor,
                                            const std::vector<std::string>& paths);

// One of those files as it counts now, open for reading, for a look at its start; a file
// that cannot be opened or is no regular file throws EMervantaError.
TFileDescriptor OpenCommittedFile(const std::string& anchor, const std::string& path);

}  // namespace mervanta
