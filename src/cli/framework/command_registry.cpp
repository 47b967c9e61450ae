#include "framework/command_registry.h"

#include <array>

#include "commands/info_command.h"

namespace mervanta {

namespace {

const TInfoCommand kInfo;

constexpr std::array<const TCommand*, 1> kCommands{&kInfo};

}  // namespace

std::span<const TCommand* const> Commands() {
  return kCommands;
}

const TCommand* FindCommand(std::string_view name) {
  for (const TCommand* command : kCommands) {
    if (command->Name() == name) return command;
  }
  return nullptr;
}

}  // namespace mervanta
