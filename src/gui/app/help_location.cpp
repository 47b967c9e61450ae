#include "app/help_location.h"

#include <system_error>

namespace mervanta {

std::string ChooseHelpBase(const std::string& override, const std::filesystem::path& programDir,
                           const std::filesystem::path& sourcePages) {
  if (!override.empty()) return override;
  const std::filesystem::path installed =
      programDir.parent_path() / "share" / "doc" / "mervanta" / "help";
  std::error_code error;
  const bool isInstalled = std::filesystem::is_regular_file(installed / "index.html", error);
  const std::filesystem::path& folder = isInstalled ? installed : sourcePages;
  std::string address =
      "file://" + std::filesystem::absolute(folder, error).lexically_normal().string();
  if (!address.ends_with('/')) address += '/';
  return address;
}

}  // namespace mervanta
