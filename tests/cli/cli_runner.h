#pragma once

#include <string>
#include <vector>

#include "framework/cli_context.h"
#include "test_support/temp_dir.h"

namespace mervanta::test {

// What one run of the tool left behind.
struct TCliResult {
  int Status = -1;
  std::string Out;
  std::string Err;
};

// Settings that no test finds, so that every run starts from the default options.
inline constexpr const char* kNoSettings = "/nonexistent/Mervanta.xml";

// The tool run in-process on string streams, with the default options.
TCliResult RunCli(std::vector<std::string> words, TTerminal terminal = {});

// The built tool run as a process: standard input `input`, the code pages pinned, the
// environment otherwise this process's with `environment` ("NAME=value") added.
TCliResult RunCliProcess(const std::vector<std::string>& words,
                         const std::vector<std::string>& environment = {},
                         const std::string& input = "");

// The texts as an argument or environment array of execve.
std::vector<char*> NullEnded(std::vector<std::string>& texts);

// The built tool's command line, the default options included.
std::vector<std::string> CliArguments(const std::vector<std::string>& words);
// The environment of the tool's process: this process's without the variables that choose
// the tool's settings, the code pages pinned, and `environment` added.
std::vector<std::string> CliEnvironment(const std::vector<std::string>& environment);

// A copy of the fixture tables of tests/data/cli in a fresh folder.
class TCliFolder : public TTempDir {
 public:
  TCliFolder();
  // The folder's copy of a fixture table's data file.
  std::string Table(const std::string& name) const { return File(name + ".csv"); }
  std::string ReadFile(const std::string& name) const;
};

// A protected copy of a table with the password.
std::string ProtectedCopy(const TCliFolder& folder, const std::string& name,
                          const std::string& password);

}  // namespace mervanta::test
