#include "support/errors.h"

#include <cstring>

namespace mervanta {

void RaiseFileError(const char* action, const std::string& path, int errorNumber) {
  std::string message = std::string(action) + " \"" + path + "\". " + std::strerror(errorNumber);
  throw EMervantaError(message);
}

}  // namespace mervanta
