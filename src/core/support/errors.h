#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace mervanta {

// The one base of every failure the program reports: it carries the text the user sees.
class EMervantaError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The user stopped a long operation, which left what it was changing as it was.
class EOperationAborted : public EMervantaError {
 public:
  EOperationAborted() : EMervantaError("Operation aborted") {}
};

// A failed system call on a file: the message names the file and the system's reason.
[[noreturn]] void RaiseFileError(const char* action, const std::string& path, int errorNumber);

// A load that ran out of memory: "Not enough memory to open "<file>" (N MB needed)", with N
// the whole load's need in megabytes, rounded up.
[[noreturn]] void RaiseNotEnoughMemory(const std::string& fileName, std::uint64_t neededBytes);

}  // namespace mervanta
