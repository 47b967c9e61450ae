#pragma once

#include <exception>
#include <functional>
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

// One file of a set as a reader gets it: open at its start, or the reason it is not.
struct TOpenedFile {
  int Fd = -1;
  std::exception_ptr Failure;
};

// Calls `read` with the files saved together under `anchor` (see TFileCommit) as they were at
// one moment: while a save is unfinished its journal tells which files count. When one of
// them changed while `read` ran, `read` is called again on the files opened anew, so it must
// start its work over each time. Nothing is written, so a reader needs no lock. Throws
// EMervantaError when the files keep changing.
void ReadFilesTogether(const std::string& anchor, const std::vector<std::string>& paths,
                       const std::function<void(const std::vector<TOpenedFile>&)>& read);

// The contents of those files as they were at one moment, each read whole.
std::vector<TFileContent> ReadFilesTogether(const std::string& anchor,
                                            const std::vector<std::string>& paths);

// One of those files as it counts now, open for reading, for a look at its start; a file
// that cannot be opened or is no regular file throws EMervantaError.
TFileDescriptor OpenCommittedFile(const std::string& anchor, const std::string& path);

}  // namespace mervanta
