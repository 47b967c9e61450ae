#pragma once

#include <string>

namespace mervanta {

// The folder of the running program, with a trailing "/".
std::string ProgramFolder();

}  // namespace mervanta
