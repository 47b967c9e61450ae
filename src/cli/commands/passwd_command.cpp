#include "commands/passwd_command.h"

#include <array>
#include <optional>
#include <string>

#include "framework/table_update.h"
#include "support/errors.h"
#include "table/table.h"

namespace mervanta {

namespace {

constexpr TOptionSpec kPasswdOptions[] = {
    {"new", "TEXT", "the new password, empty to remove it; every local user sees it"},
};
constexpr std::array<std::span<const TOptionSpec>, 1> kOptionLists{kPasswdOptions};

std::string Ask(const TCliContext& context, const std::string& prompt) {
  std::optional<std::string> typed = context.Terminal().AskHidden(prompt);
  if (!typed) throw EOperationAborted();
  return *typed;
}

std::string NewPassword(const TCliContext& context, const TArguments& arguments) {
  if (const std::string* given = arguments.Value("new")) return *given;
  if (!context.Terminal().AskHidden) {
    throw EMervantaError("Give the new password with --new: there is no terminal to ask on");
  }
  const std::string typed = Ask(context, "Enter new password: ");
  if (Ask(context, "Repeat new password: ") != typed) {
    throw EMervantaError("The passwords are different. Typing error.");
  }
  return typed;
}

}  // namespace

std::string_view TPasswdCommand::Details() const {
  return "The current password of a protected table is given as for every command. Without\n"
         "--new the new password is asked twice on the terminal, without echo. The data file\n"
         "is written protected by the new password, or as plain text when it is empty.";
}

std::span<const std::span<const TOptionSpec>> TPasswdCommand::Options() const {
  return kOptionLists;
}

int TPasswdCommand::Run(TCliContext& context, const TArguments& arguments) const {
  arguments.ExpectWords(1, 1);
  TTableUpdate table(context, arguments.Word(0));
  table->SetPassword(context.Text().Input(NewPassword(context, arguments)));
  table.Save();
  return kExitSuccess;
}

}  // namespace mervanta
