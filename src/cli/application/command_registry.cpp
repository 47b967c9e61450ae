#include "application/command_registry.h"

#include <array>

#include "commands/add_command.h"
#include "commands/column_command.h"
#include "commands/delete_command.h"
#include "commands/eval_command.h"
#include "commands/export_command.h"
#include "commands/import_command.h"
#include "commands/info_command.h"
#include "commands/new_command.h"
#include "commands/option_command.h"
#include "commands/passwd_command.h"
#include "commands/search_command.h"
#include "commands/show_command.h"
#include "commands/sort_command.h"
#include "commands/stats_command.h"
#include "commands/task_command.h"

namespace mervanta {

namespace {

const TNewCommand kNew;
const TInfoCommand kInfo;
const TStatsCommand kStats;
const TShowCommand kShow;
const TSearchCommand kSearch;
const TEvalCommand kEval;
const TAddCommand kAdd;
const TDeleteCommand kDelete;
const TImportCommand kImport;
const TExportCommand kExport;
const TSortCommand kSort;
const TColumnCommand kColumn;
const TOptionCommand kOption;
const TPasswdCommand kPasswd;
const TTaskCommand kTask;

constexpr std::array<const TCommand*, 15> kCommands{&kNew,  &kInfo,   &kStats,  &kShow,   &kSearch,
                                                    &kEval, &kAdd,    &kDelete, &kImport, &kExport,
                                                    &kSort, &kColumn, &kOption, &kPasswd, &kTask};

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
