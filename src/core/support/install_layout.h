#pragma once

#include <filesystem>

namespace mervanta {

// An installed program lives in a "bin" folder with its help pages in
// "share/doc/mervanta/help" beside it; a program run from its build folder or copied to a
// portable folder has no such pages.
std::filesystem::path InstalledHelpFolder(const std::filesystem::path& programFolder);
bool IsInstalledProgram(const std::filesystem::path& programFolder);

}  // namespace mervanta
