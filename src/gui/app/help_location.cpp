#include "app/help_location.h"

#include <system_error>

#include "support/install_layout.h"

namespace mervanta {

std::string ChooseHelpBase(const std::string& override, const std::filesystem::path& programDir,
                           const std::filesystem::path& sourcePages) {
  if (!override.empty()) return override;
  const std::filesystem::path folder =
      IsInstalledProgram(programDir) ? InstalledHelpFolder(programDir) : sourcePages;
  std::error_code error;
  std::string address =
      "file://" + std::filesystem::absolute(folder, error).lexically_normal().string();
  if (!address.ends_with('/')) address += '/';
  return address;
}

}  // namespace mervanta
