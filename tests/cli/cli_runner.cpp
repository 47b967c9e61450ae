#include "cli_runner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "application/cli_application.h"
#include "support/file_io.h"
#include "table/table.h"
#include "test_support/scoped_options.h"

extern char** environ;

namespace mervanta::test {

namespace {

std::vector<std::string> WithDefaultSettings(std::vector<std::string> words) {
  words.insert(words.begin(), {"--options", kNoSettings});
  return words;
}

}  // namespace

std::vector<char*> NullEnded(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

TCliResult RunCli(std::vector<std::string> words, TTerminal terminal) {
  // The run reads the settings file over the options; the test's own are back afterwards.
  const TScopedDefaultOptions options;
  std::ostringstream out, err;
  TCliApplication application(out, err, std::move(terminal));
  TCliResult result;
  result.Status = application.Run(WithDefaultSettings(std::move(words)));
  result.Out = out.str();
  result.Err = err.str();
  return result;
}

std::vector<std::string> CliArguments(const std::vector<std::string>& words) {
  std::vector<std::string> arguments = WithDefaultSettings(words);
  arguments.insert(arguments.begin(), MERVANTA_CLI_PATH);
  return arguments;
}

std::vector<std::string> CliEnvironment(const std::vector<std::string>& environment) {
  std::vector<std::string> variables;
  for (char** variable = environ; *variable != nullptr; ++variable) {
    const std::string_view text(*variable);
    if (!text.starts_with("MERVANTA_") && !text.starts_with("LC_") && !text.starts_with("LANG")) {
      variables.emplace_back(text);
    }
  }
  variables.insert(variables.end(), {"MERVANTA_CODEPAGE=1252", "MERVANTA_OEMCP=850", "LC_ALL=C"});
  variables.insert(variables.end(), environment.begin(), environment.end());
  return variables;
}

TCliResult RunCliProcess(const std::vector<std::string>& words,
                         const std::vector<std::string>& environment, const std::string& input) {
  TTempDir streams;
  const std::string inPath = streams.Write("in", input);
  const std::string outPath = streams.File("out");
  const std::string errPath = streams.File("err");
  std::vector<std::string> arguments = CliArguments(words);
  std::vector<std::string> variables = CliEnvironment(environment);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, inPath.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  std::vector<char*> argv = NullEnded(arguments);
  std::vector<char*> envp = NullEnded(variables);
  pid_t pid = 0;
  TCliResult result;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  result.Out = ReadWholeFile(outPath);
  result.Err = ReadWholeFile(errPath);
  return result;
}

TCliFolder::TCliFolder() {
  for (const auto& entry : std::filesystem::directory_iterator(DataFile("cli"))) {
    std::filesystem::copy_file(entry.path(),
                               std::filesystem::path(Path()) / entry.path().filename());
  }
}

std::string TCliFolder::ReadFile(const std::string& name) const {
  return ReadWholeFile(File(name));
}

std::string ProtectedCopy(const TCliFolder& folder, const std::string& name,
                          const std::string& password) {
  const std::string copy = folder.File(name + "_protected.csv");
  std::filesystem::copy_file(folder.Table(name), copy);
  std::filesystem::copy_file(folder.File(name + ".kx"), folder.File(name + "_protected.kx"));
  const std::filesystem::path current = std::filesystem::current_path();
  {
    TTable table;
    table.Open(copy, "", false);
    table.SetPassword(password);
    table.Save();
  }
  std::filesystem::current_path(current);
  return copy;
}

}  // namespace mervanta::test
