#pragma once

#include <span>
#include <string_view>

#include "framework/command.h"

namespace mervanta {

// Every command of the tool, in the order the help lists them.
std::span<const TCommand* const> Commands();
// Null for a name no command has.
const TCommand* FindCommand(std::string_view name);

}  // namespace mervanta
