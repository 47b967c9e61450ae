#include "support/install_layout.h"

#include <system_error>

namespace mervanta {

std::filesystem::path InstalledHelpFolder(const std::filesystem::path& programFolder) {
  return (programFolder / ".." / "share" / "doc" / "mervanta" / "help").lexically_normal();
}

bool IsInstalledProgram(const std::filesystem::path& programFolder) {
  std::error_code error;
  return std::filesystem::is_regular_file(InstalledHelpFolder(programFolder) / "index.html", error);
}

}  // namespace mervanta
