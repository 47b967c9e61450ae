#include "support/file_names.h"

#include <limits.h>
#include <unistd.h>

namespace mervanta {

std::string ProgramFolder() {
  char path[PATH_MAX];
  ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return "./";
  std::string folder(path, static_cast<std::size_t>(length));
  return folder.substr(0, folder.rfind('/') + 1);
}

}  // namespace mervanta
