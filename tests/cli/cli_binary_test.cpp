// The built tool as a separate process: exit statuses, the two streams and the files it
// leaves, on copies of the fixtures.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <thread>
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
  // Standard input.
  std::string Input = "";
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
    {"password from standard input",
     {"--password-file", "-", "eval", "@protected", "#3"},
     {},
     false,
     0,
     "30\n41\n25\n30\n\n",
     "",
     "pass\nmore\n"},
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
    const TCliResult result = RunCliProcess(words, test.Environment, test.Input);
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

bool EchoIsOn(int terminal) {
  termios settings{};
  return ::tcgetattr(terminal, &settings) == 0 && (settings.c_lflag & ECHO) != 0;
}

// Asks again until the answer is the wanted one or ten seconds have passed.
bool Eventually(const std::function<bool()>& condition) {
  for (int i = 0; i < 1000; ++i) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return condition();
}

// The tool on a pseudo-terminal of its own, which is its controlling terminal and its three
// streams, so that a Ctrl+C typed there interrupts it as one typed by the user would.
TEST(CliProcess, AnInterruptAtThePasswordPromptTurnsTheEchoBackOn) {
  TCliFolder folder;
  const std::string table = ProtectedCopy(folder, "people", "pass");
  std::vector<std::string> arguments = CliArguments({"show", table});
  std::vector<std::string> environment = CliEnvironment({});
  const std::vector<char*> argv = NullEnded(arguments);
  const std::vector<char*> envp = NullEnded(environment);

  const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(master, 0);
  ASSERT_EQ(::grantpt(master), 0);
  ASSERT_EQ(::unlockpt(master), 0);
  const std::string name = ::ptsname(master);
  // Kept open here to read the terminal's settings after the tool has ended.
  const int terminal = ::open(name.c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(terminal, 0);
  ASSERT_TRUE(EchoIsOn(terminal));

  const pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    ::setsid();
    const int own = ::open(name.c_str(), O_RDWR);  // the session's controlling terminal
    for (int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) ::dup2(own, stream);
    ::signal(SIGINT, SIG_DFL);
    ::execve(argv[0], argv.data(), envp.data());
    ::_exit(127);
  }
  const bool asked = Eventually([&] { return !EchoIsOn(terminal); });
  if (asked) {
    EXPECT_EQ(::write(master, "\x03", 1), 1);  // Ctrl+C
  }
  int status = 0;
  const bool ended = Eventually([&] { return ::waitpid(pid, &status, WNOHANG) == pid; });
  if (!ended) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
  }
  std::string shown(4096, '\0');
  const ssize_t got = ::read(master, shown.data(), shown.size());
  shown.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  EXPECT_TRUE(asked) << "the echo went off for the prompt";
  EXPECT_TRUE(ended);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << status;
  EXPECT_TRUE(EchoIsOn(terminal));
  EXPECT_NE(shown.find("Please enter password for \"people_protected\": "), std::string::npos)
      << shown;
  ::close(terminal);
  ::close(master);
}

}  // namespace
}  // namespace mervanta::test
