#pragma once

#include "framework/cli_context.h"

namespace mervanta {

// The terminal the process runs in, as its standard descriptors show it; the password is
// asked on standard input with its echo turned off.
TTerminal ProcessTerminal();

}  // namespace mervanta
