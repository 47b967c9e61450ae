#include "settings/settings_location.h"

#include <unistd.h>

#include <cstdlib>
#include <exception>

#include "support/install_layout.h"
#include "support/xml_file.h"

namespace mervanta {

namespace {

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

}  // namespace

std::string SettingsFilePath(const std::string& programFolder) {
  // An installed program's folder is the system's, even for root who may write to it.
  if (!IsInstalledProgram(programFolder) && ::access(programFolder.c_str(), W_OK) == 0) {
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
  if (!MakeFolders(FolderOf(path))) return false;
  try {
    document.SaveToFile(path);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace mervanta
