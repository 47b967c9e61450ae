#include "framework/command_registry.h"

#include <array>

#include "commands/eval_command.h"
#include "commands/info_command.h"
#include "commands/new_command.h"
#include "commands/search_command.h"
#include "commands/show_command.h"
#include "commands/stats_command.h"

namespace mervanta {

namespace {

const TNewCommand kNew;
const TInfoCommand kInfo;
const TStatsCommand kStats;
const TShowCommand kShow;
const TSearchCommand kSearch;
const TEvalCommand kEval;

constexpr std::array<const TCommand*, 6> kCommands{&kNew,  &kInfo,   &kStats,
                                                   &kShow, &kSearch, &kEval};

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
