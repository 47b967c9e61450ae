#include "settings/settings_location.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <exception>

#include "support/xml_file.h"

namespace mervanta {

namespace {

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] != '\0') return home;
  const passwd* user = ::getpwuid(::getuid());
  return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "";
}

std::string ConfigHome() {
  // Relative values are invalid by the base directory rules and are ignored.
  const char* configHome = std::getenv("XDG_CONFIG_HOME");
  if (configHome != nullptr && configHome[0] == '/') return configHome;
  return HomeFolder() + "/.config";
}

std::string WithDelimiter(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

// Creates every missing folder on the way to the file, private to the user as configuration
// folders should be.
bool MakeFoldersFor(const std::string& path) {
  for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
       slash = path.find('/', slash + 1)) {
    if (::mkdir(path.substr(0, slash).c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  return true;
}

}  // namespace

std::string SettingsFilePath(const std::string& programFolder) {
  if (::access(programFolder.c_str(), W_OK) == 0) {
    return WithDelimiter(programFolder) + std::string(kSettingsFileName);
  }
  return WithDelimiter(ConfigHome()) + "mervanta/" + std::string(kSettingsFileName);
}

std::string DefaultWorkDir(const std::string& programFolder) {
  std::string path = SettingsFilePath(programFolder);
  return path.substr(0, path.rfind('/') + 1);
}

void LoadSettingsDocument(TXmlFile& document, const std::string& path) {
  try {
    document.LoadFromFile(path);
  } catch (const std::exception&) {
    document.LoadFromString({});
  }
  document.Root()->Name = kSettingsRootName;
}

bool SaveSettingsDocument(const TXmlFile& document, const std::string& path) {
  if (!MakeFoldersFor(path)) return false;
  try {
    document.SaveToFile(path);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace mervanta
