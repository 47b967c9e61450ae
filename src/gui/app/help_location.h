#pragma once

#include <filesystem>
#include <string>

namespace mervanta {

// Where the help pages are, as a "file:" URL ending in "/": the override when it is not
// empty; else the installed pages, "share/doc/mervanta/help" beside the program's "bin"
// folder; else the pages of the source tree the program was built from, so a program run
// from its build folder shows the pages that go with it.
std::string ChooseHelpBase(const std::string& override, const std::filesystem::path& programDir,
                           const std::filesystem::path& sourcePages);

}  // namespace mervanta
