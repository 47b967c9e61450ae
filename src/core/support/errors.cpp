#include "support/errors.h"

#include <locale.h>
#include <string.h>

namespace mervanta {

void RaiseFileError(const char* action, const std::string& path, int errorNumber) {
  // The system's reason in English, as every message of the program, whatever language the
  // C library's locale has been set to.
  static const locale_t english = newlocale(LC_MESSAGES_MASK, "C", nullptr);
  std::string message =
      std::string(action) + " \"" + path + "\". " + ::strerror_l(errorNumber, english);
  throw EMervantaError(message);
}

void RaiseNotEnoughMemory(const std::string& fileName, std::uint64_t neededBytes) {
  constexpr std::uint64_t kMegabyte = 1024 * 1024;
  throw EMervantaError("Not enough memory to open \"" + fileName + "\" (" +
                       std::to_string((neededBytes + kMegabyte - 1) / kMegabyte) + " MB needed)");
}

}  // namespace mervanta
