#include "application/cli_application.h"

#include <algorithm>
#include <array>
#include <vector>

#include "application/command_registry.h"
#include "framework/terminal_user_interface.h"
#include "framework/usage_error.h"
#include "settings/options.h"
#include "settings/settings_location.h"
#include "support/xml_file.h"
#include "version.h"

namespace mervanta {

namespace {

constexpr std::string_view kProgram = "mervanta-cli";

constexpr TOptionSpec kGlobalOptions[] = {
    {"options", "FILE", "the settings file (default: the desktop program's)"},
    {"password", "TEXT", "the password of a protected table (every local user sees it)"},
    {"password-file", "FILE", "the password as the first line of FILE (\"-\": standard input)"},
    {"yes", "", "answer yes to the questions of the program"},
    {"no", "", "answer no to them (the default)"},
    {"raw", "", "cell texts in the table's code page, not UTF-8"},
    {"quiet", "", "no informational messages"},
    {"help", "", "show the help and exit"},
    {"version", "", "show the version and exit"},
};
constexpr std::array<std::span<const TOptionSpec>, 1> kGlobalLists{kGlobalOptions};

void WriteOptionList(std::ostream& out, std::span<const TOptionSpec> options) {
  for (const TOptionSpec& option : options) {
    std::string left = "  --" + std::string(option.Name);
    if (!option.ValueName.empty()) left += " " + std::string(option.ValueName);
    left.resize(std::max<std::size_t>(left.size() + 2, 24), ' ');
    out << left << option.Help << '\n';
  }
}

constexpr std::string_view kPasswordNote =
    "A protected table's password is kept from other users when it comes from the prompt on\n"
    "a terminal, from --password-file or from $MERVANTA_PASSWORD; the process list shows\n"
    "--password to every user of the machine.\n";

void WriteToolHelp(std::ostream& out) {
  out << "Usage: " << kProgram << " [OPTIONS] COMMAND TABLE ...\n\n"
      << "Work with Mervanta tables from a terminal.\n\nCommands:\n";
  for (const TCommand* command : Commands()) {
    std::string name = "  " + std::string(command->Name());
    name.resize(std::max<std::size_t>(name.size() + 2, 12), ' ');
    out << name << command->Summary() << '\n';
  }
  out << "\nOptions:\n";
  WriteOptionList(out, kGlobalOptions);
  out << '\n'
      << kPasswordNote << "\nRun \"" << kProgram
      << " COMMAND --help\" for the help of a command.\n";
}

void WriteCommandHelp(std::ostream& out, const TCommand& command) {
  out << "Usage: " << kProgram << " [OPTIONS] " << command.Name() << ' ' << command.Synopsis()
      << "\n\n"
      << command.Summary() << '\n';
  if (!command.Details().empty()) out << '\n' << command.Details() << '\n';
  if (!command.Options().empty()) {
    out << "\nCommand options:\n";
    for (const auto& list : command.Options()) WriteOptionList(out, list);
  }
  out << "\nOptions:\n";
  WriteOptionList(out, kGlobalOptions);
  out << '\n' << kPasswordNote;
}

void ReportUsage(std::ostream& err, const char* message, std::string_view command) {
  err << kProgram << ": " << message << "\nTry \"" << kProgram << ' ';
  if (!command.empty()) err << command << ' ';
  err << "--help\".\n";
}

// Global options given after the command add to those given before it.
void TakeGlobalOptions(const TArguments& arguments, TGlobalOptions& globals) {
  if (const std::string* file = arguments.Value("options")) globals.OptionsFile = *file;
  if (const std::string* password = arguments.Value("password")) globals.Password = *password;
  if (const std::string* file = arguments.Value("password-file")) globals.PasswordFile = *file;
  if (globals.Password && globals.PasswordFile) {
    throw EUsageError("The options \"--password\" and \"--password-file\" exclude each other");
  }
  globals.Yes = globals.Yes || arguments.Has("yes");
  globals.Raw = globals.Raw || arguments.Has("raw");
  globals.Quiet = globals.Quiet || arguments.Has("quiet");
  if (globals.Yes && arguments.Has("no")) {
    throw EUsageError("The options \"--yes\" and \"--no\" exclude each other");
  }
}

// The CLI only reads the settings: nothing it does changes an option, so the user's file is
// never rewritten. Each run starts from the defaults, so that options the file does not hold
// are not those of an earlier run in the same process.
void LoadSettings(const TGlobalOptions& globals) {
  Options().Assign(TOptions(DefaultWorkDir()));
  TXmlFile document;
  LoadSettingsDocument(document, globals.OptionsFile.value_or(SettingsFilePath()));
  LoadOptions(document);
}

}  // namespace

int TCliApplication::Run(std::span<const std::string> words) {
  try {
    const TArguments leading = TArguments::Parse(words, kGlobalLists, TParseStop::AtFirstWord);
    if (leading.Has("help")) {
      WriteToolHelp(Out_);
      return kExitSuccess;
    }
    if (leading.Has("version")) {
      Out_ << kProgram << ' ' << kVersion << '\n';
      return kExitSuccess;
    }
    if (leading.Rest().empty()) throw EUsageError("No command given");
    TGlobalOptions globals;
    TakeGlobalOptions(leading, globals);
    return RunCommand(leading.Rest(), globals);
  } catch (const EUsageError& error) {
    ReportUsage(Err_, error.what(), {});
  } catch (const std::exception& error) {
    Err_ << kProgram << ": " << TCellText(TCellBytes::Converted).Message(error.what()) << '\n';
  }
  return kExitError;
}

int TCliApplication::RunCommand(std::span<const std::string> words, const TGlobalOptions& leading) {
  const TCommand* command = FindCommand(words.front());
  if (command == nullptr) throw EUsageError("Unknown command \"" + words.front() + "\"");
  std::vector<std::span<const TOptionSpec>> specs(command->Options().begin(),
                                                  command->Options().end());
  specs.push_back(kGlobalOptions);
  try {
    const TArguments arguments = TArguments::Parse(words.subspan(1), specs);
    if (arguments.Has("help")) {
      WriteCommandHelp(Out_, *command);
      return kExitSuccess;
    }
    TGlobalOptions globals = leading;
    TakeGlobalOptions(arguments, globals);
    return RunWithContext(*command, arguments, globals);
  } catch (const EUsageError& error) {
    ReportUsage(Err_, error.what(), command->Name());
    return kExitError;
  }
}

int TCliApplication::RunWithContext(const TCommand& command, const TArguments& arguments,
                                    const TGlobalOptions& globals) {
  TCliContext context(Out_, Err_, Terminal_, globals);
  LoadSettings(globals);
  TTerminalUserInterface userInterface(context);
  try {
    const int status = command.Run(context, arguments);
    Out_.flush();
    if (!Out_) throw EMervantaError("Cannot write the output");
    return status;
  } catch (const EUsageError&) {
    throw;
  } catch (const std::exception& error) {
    Out_.flush();
    Err_ << kProgram << ": " << context.Text().Message(error.what()) << '\n';
    return kExitError;
  }
}

}  // namespace mervanta
