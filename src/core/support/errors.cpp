#include "support/errors.h"

#include <cstring>

namespace mervanta {

void RaiseFileError(const char* action, const std::string& path, int errorNumber) {
  std::string message = std::string(action) + " \"" + path + "\". " + std::strerror(errorNumber);
  throw EMervantaError(message);
}

void RaiseNotEnoughMemory(const std::string& fileName, std::uint64_t neededBytes) {
  constexpr std::uint64_t kMegabyte = 1024 * 1024;
  throw EMervantaError("Not enough memory to open \"" + fileName + "\" (" +
                       std::to_string((neededBytes + kMegabyte - 1) / kMegabyte) + " MB needed)");
}

}  // namespace mervanta
