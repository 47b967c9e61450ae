// The built tool as a separate process: exit statuses, the two streams and the files it
// leaves, on copies of the fixtures.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "support/locked_file.h"
#include "version.h"

namespace mervanta::test {
namespace {

struct TProcessCase {
  const char* Name;
  // "@" stands for the fixture "people", "@protected" for its copy protected by "pass",
  // "@missing" for a file that does not exist, "@new" for a name no file has yet.
  std::vector<std::string> Words;
  std::vector<std::string> Environment;
  // Another process holds the table's lock meanwhile.
  bool Locked;
  int Status;
  std::optional<std::string> Out;
  std::string Err;
};

const TProcessCase kCases[] = {
    {"show",
     {"show", "@", "--columns", "#1,Tag", "--sort", "Tag"},
     {},
     false,
     0,
     "Dora\t-\nBj\xC3\xB6rn\tMALM\xC3\x96-41\nCarl\tOSLO-25\nAnn\tOSLO-30\nann\tOSLO-30\n",
     ""},
    {"show while another program holds the table",
     {"show", "@", "--columns", "City", "--format", "csv"},
     {},
     true,
     0,
     "Oslo\r\nMalm\xC3\xB6\r\nOslo\r\noslo\r\n\r\n",
     ""},
    {"search found",
     {"search", "@", "--quick", "malm\xC3\x96"},
     {},
     false,
     0,
     "Bj\xC3\xB6rn\tMalm\xC3\xB6\t41\tMALM\xC3\x96-41\n",
     "Records found: 1\n"},
    {"search found nothing",
     {"search", "@", "--where", "Age Equal 99"},
     {},
     false,
     1,
     "",
     "No results found\n"},
    {"eval", {"eval", "-", "Max(3;9;4)"}, {}, false, 0, "9\n", ""},
    {"info", {"info", "@"}, {}, false, 0, std::nullopt, ""},
    {"stats", {"stats", "@"}, {}, false, 0, std::nullopt, ""},
    {"new", {"new", "@new", "A", "B"}, {}, false, 0, "", ""},
    {"password in the environment",
     {"eval", "@protected", "#3"},
     {"MERVANTA_PASSWORD=pass"},
     false,
     0,
     "30\n41\n25\n30\n\n",
     ""},
    {"error: wrong password",
     {"--password", "nope", "show", "@protected"},
     {},
     false,
     2,
     "",
     "mervanta-cli: Invalid password\n"},
    {"error: no password without a terminal",
     {"show", "@protected"},
     {},
     false,
     2,
     "",
     "is protected"},
    {"error: missing file", {"stats", "@missing"}, {}, false, 2, "", "No such file or directory\n"},
    {"error: unknown column",
     {"search", "@", "--repeating", "--columns", "Town"},
     {},
     false,
     2,
     "",
     "mervanta-cli: Unknown column \"Town\"\n"},
    {"error: invalid mask",
     {"search", "@", "--where", "City 8 [a-"},
     {},
     false,
     2,
     "",
     "is an invalid mask at"},
    {"error: usage",
     {"show"},
     {},
     false,
     2,
     "",
     "Too few arguments\nTry \"mervanta-cli show --help\".\n"},
    {"version", {"--version"}, {}, false, 0, "mervanta-cli " + std::string(kVersion) + "\n", ""},
};

TEST(CliProcess, RunsEveryCommand) {
  TCliFolder folder;
  const std::string protectedTable = ProtectedCopy(folder, "people", "pass");
  const std::string data = folder.ReadFile("people.csv");
  const std::string description = folder.ReadFile("people.kx");
  for (const TProcessCase& test : kCases) {
    SCOPED_TRACE(test.Name);
    std::vector<std::string> words = test.Words;
    for (std::string& word : words) {
      if (word == "@") word = folder.Table("people");
      if (word == "@protected") word = protectedTable;
      if (word == "@missing") word = folder.Table("missing");
      if (word == "@new") word = folder.File("created");
    }
    TLockedFile holder;
    if (test.Locked) {
      ASSERT_EQ(holder.Acquire(folder.Table("people")), TLockedFile::TStatus::Held);
    }
    const TCliResult result = RunCliProcess(words, test.Environment);
    EXPECT_EQ(result.Status, test.Status);
    if (test.Out) {
      EXPECT_EQ(result.Out, *test.Out);
    }
    if (test.Err.empty()) {
      EXPECT_EQ(result.Err, "");
    } else {
      EXPECT_NE(result.Err.find(test.Err), std::string::npos) << result.Err;
    }
    EXPECT_EQ(folder.ReadFile("people.csv"), data);
    EXPECT_EQ(folder.ReadFile("people.kx"), description);
  }
  const TCliResult created = RunCliProcess({"info", folder.File("created.csv")});
  EXPECT_NE(created.Out.find("\n1\tA\tstored\tGeneral\t\n2\tB\tstored\tGeneral\t\n"),
            std::string::npos)
      << created.Out;
}

}  // namespace
}  // namespace mervanta::test
