#pragma once

#include <string>
#include <string_view>

#include "support/file_names.h"

namespace mervanta {

class TXmlFile;

inline constexpr std::string_view kSettingsFileName = "Mervanta.xml";
inline constexpr std::string_view kSettingsRootName = "Mervanta";

// Beside the program when its folder is writable and it is not installed (a portable copy
// keeps its settings with it), otherwise $XDG_CONFIG_HOME/mervanta/Mervanta.xml, $XDG_CONFIG_HOME
// defaulting to
// ~/.config. The program folder ends in "/".
std::string SettingsFilePath(const std::string& programFolder = ProgramFolder());
// The folder that holds the settings file, with a trailing "/".
std::string DefaultWorkDir(const std::string& programFolder = ProgramFolder());

// Any failure to read leaves the document empty; the root is named "Mervanta" either way.
void LoadSettingsDocument(TXmlFile& document, const std::string& path);
// Creates the folder when missing and replaces the file atomically. A failure changes
// nothing on disk and is not reported to the user; it returns false so a front end may.
bool SaveSettingsDocument(const TXmlFile& document, const std::string& path);

}  // namespace mervanta
