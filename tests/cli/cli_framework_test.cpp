// What every command shares: passwords, questions, the files a reading command must leave
// alone, opening for writing, the terminal front end and the help.
#include <gtest/gtest.h>
#include <signal.h>

#include <optional>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "application/command_registry.h"
#include "cli_runner.h"
#include "framework/table_files.h"
#include "framework/terminal_user_interface.h"
#include "settings/options.h"
#include "support/errors.h"
#include "support/locked_file.h"
#include "support/progress.h"
#include "table/table.h"
#include "test_support/child_process.h"
#include "test_support/scoped_environment.h"

namespace mervanta::test {
namespace {

struct TPasswordCase {
  const char* Name;
  std::vector<std::string> Options;
  const char* Environment;
  // What the terminal answers; no terminal when unset.
  std::optional<std::optional<std::string>> Typed;
  int Status;
  const char* Err;
  // The content of the file that "@file" names; "@missing" names none.
  const char* File = "";
};

// Runs "show" of the table protected by `password` as each case says.
void RunPasswordCases(const std::string& password, std::span<const TPasswordCase> cases) {
  TCliFolder folder;
  const std::string table = ProtectedCopy(folder, "people", password);
  for (const TPasswordCase& test : cases) {
    SCOPED_TRACE(test.Name);
    TScopedEnvironment environment("MERVANTA_PASSWORD", test.Environment);
    std::vector<std::string> prompts;
    TTerminal terminal;
    if (test.Typed) {
      terminal.AskHidden = [&](const std::string& prompt) {
        prompts.push_back(prompt);
        return *test.Typed;
      };
    }
    std::vector<std::string> words = test.Options;
    for (std::string& word : words) {
      if (word == "@file") word = folder.Write("password.txt", test.File);
      if (word == "@missing") word = folder.File("missing.txt");
    }
    words.insert(words.end(), {"show", table, "--columns", "Age"});
    const TCliResult result = RunCli(words, terminal);
    EXPECT_EQ(result.Status, test.Status);
    EXPECT_EQ(result.Out, test.Status == 0 ? "30\n41\n25\n30\n\n" : "");
    EXPECT_NE(result.Err.find(test.Err), std::string::npos) << result.Err;
    if (test.Typed) {
      EXPECT_EQ(prompts,
                std::vector<std::string>{"Please enter password for \"people_protected\": "});
    }
  }
}

TEST(CliPassword, ComesFromTheOptionAFileTheEnvironmentOrTheTerminal) {
  const TPasswordCase cases[] = {
      {"option", {"--password", "s\xC3\xA9same"}, nullptr, std::nullopt, 0, ""},
      {"option before environment", {"--password", "s\xC3\xA9same"}, "wrong", std::nullopt, 0, ""},
      {"environment", {}, "s\xC3\xA9same", std::nullopt, 0, ""},
      {"raw bytes", {"--raw", "--password", "s\xE9same"}, nullptr, std::nullopt, 0, ""},
      {"terminal", {}, nullptr, std::optional<std::string>("s\xC3\xA9same"), 0, ""},
      {"wrong",
       {"--password", "sesame"},
       nullptr,
       std::nullopt,
       2,
       "mervanta-cli: Invalid password\n"},
      {"empty", {"--password", ""}, nullptr, std::nullopt, 2, "mervanta-cli: Invalid password\n"},
      {"wrong on the terminal",
       {},
       nullptr,
       std::optional<std::string>("x"),
       2,
       "Invalid password"},
      {"given up on the terminal",
       {},
       nullptr,
       std::optional<std::string>(),
       2,
       "Operation aborted"},
      {"nobody to ask", {}, nullptr, std::nullopt, 2, "is protected: give its password"},
      {"file", {"--password-file", "@file"}, nullptr, std::nullopt, 0, "", "s\xC3\xA9same\n"},
      {"file: its first line, less CR LF",
       {"--password-file", "@file"},
       nullptr,
       std::nullopt,
       0,
       "",
       "s\xC3\xA9same\r\nnext\n"},
      {"file: no line end",
       {"--password-file", "@file"},
       nullptr,
       std::nullopt,
       0,
       "",
       "s\xC3\xA9same"},
      {"file before environment",
       {"--password-file", "@file"},
       "wrong",
       std::nullopt,
       0,
       "",
       "s\xC3\xA9same"},
      {"file: empty", {"--password-file", "@file"}, nullptr, std::nullopt, 2, "Invalid password"},
      {"file: missing",
       {"--password-file", "@missing"},
       nullptr,
       std::nullopt,
       2,
       "missing.txt\". No such file or directory"},
      {"file and option",
       {"--password", "s\xC3\xA9same", "--password-file", "@file"},
       nullptr,
       std::nullopt,
       2,
       "The options \"--password\" and \"--password-file\" exclude each other"},
  };
  RunPasswordCases("s\xE9same", cases);
}

// A table protected by "??????", which is what typing "пароль" gave when such letters were
// made to fit: wherever such a password comes from now, it is refused and opens nothing.
TEST(CliPassword, OneTheCodePageCannotHoldIsRefusedWhereverItComesFrom) {
  constexpr const char* kCyrillic =
      "The character \"\xD0\xBF\" (U+043F) cannot be stored in code "
      "page 1252";
  const TPasswordCase cases[] = {
      {"what it was made into", {"--password", "??????"}, nullptr, std::nullopt, 0, ""},
      {"option",
       {"--password", "\xD0\xBF\xD0\xB0\xD1\x80\xD0\xBE\xD0\xBB\xD1\x8C"},
       nullptr,
       std::nullopt,
       2,
       kCyrillic},
      {"file",
       {"--password-file", "@file"},
       nullptr,
       std::nullopt,
       2,
       kCyrillic,
       "\xD0\xBF\xD0\xB0\xD1\x80\xD0\xBE\xD0\xBB\xD1\x8C\n"},
      {"environment",
       {},
       "\xD0\xBA\xD0\xBB\xD1\x8E\xD1\x87\xD0\xB8\xD0\xBA",
       std::nullopt,
       2,
       "The character \"\xD0\xBA\" (U+043A) cannot be stored in code page 1252"},
      {"terminal",
       {},
       nullptr,
       std::optional<std::string>("\xF0\x9F\x98\x80\xF0\x9F\x98\x80\xF0\x9F\x98\x80"
                                  "\xF0\x9F\x98\x80\xF0\x9F\x98\x80\xF0\x9F\x98\x80"),
       2,
       "The character \"\xF0\x9F\x98\x80\" (U+1F600) cannot be stored in code page 1252"},
      {"not UTF-8",
       {"--password", "\xFF\xFF\xFF\xFF\xFF\xFF"},
       nullptr,
       std::nullopt,
       2,
       "The text is not valid UTF-8 (byte 0xFF at position 1)"},
  };
  RunPasswordCases("??????", cases);
}

TEST(CliPassword, IsNotAskedForAPlainTable) {
  TCliFolder folder;
  TTerminal terminal;
  terminal.AskHidden = [](const std::string&) -> std::optional<std::string> {
    ADD_FAILURE() << "asked for a password";
    return std::nullopt;
  };
  const TCliResult result =
      RunCli({"--password", "x", "search", folder.Table("people"), "--quick", "Ann"}, terminal);
  EXPECT_EQ(result.Status, 0);
}

TEST(CliQuestions, TheUtf16QuestionIsAnsweredByYesOrNo) {
  TCliFolder folder;
  // "Ann;Oslo" in UTF-16 with its byte-order mark.
  const std::string table = folder.Write("wide.csv", std::string("\xFF\xFE"
                                                                 "A\0n\0n\0;\0O\0s\0l\0o\0\r\0\n\0",
                                                                 22));
  const TCliResult declined = RunCli({"show", table});
  EXPECT_EQ(declined.Status, 2);
  EXPECT_EQ(declined.Out, "");
  EXPECT_NE(declined.Err.find("[answered no]\n"), std::string::npos) << declined.Err;
  EXPECT_NE(declined.Err.find("mervanta-cli: Operation aborted\n"), std::string::npos);

  // Accepted, the text is read as it stands, as the desktop program reads it.
  const TCliResult accepted = RunCli({"--yes", "show", table, "--quiet"});
  EXPECT_EQ(accepted.Status, 0) << accepted.Err;
  EXPECT_NE(accepted.Out.find("A\0n\0n\0"), std::string::npos);
  EXPECT_EQ(accepted.Err, "");
}

// The reading commands, which must change no file, not even while another program holds the
// table.
const std::vector<std::vector<std::string>> kReadingCommands = {
    {"info", "@"},
    {"stats", "@"},
    {"show", "@", "--sort", "Age"},
    {"search", "@", "--quick", "o", "--sort", "City"},
    {"search", "@", "--repeating"},
    {"eval", "@", "#1"},
};

void ExpectReadingLeavesFiles(bool locked) {
  TCliFolder folder;
  const std::string data = folder.ReadFile("people.csv");
  const std::string description = folder.ReadFile("people.kx");
  TLockedFile holder;
  if (locked) {
    ASSERT_EQ(holder.Acquire(folder.Table("people")), TLockedFile::TStatus::Held);
  }
  for (std::vector<std::string> words : kReadingCommands) {
    SCOPED_TRACE(words.front());
    words[1] = folder.Table("people");
    const TCliResult result = RunCli(words);
    EXPECT_LE(result.Status, 1) << result.Err;
    EXPECT_EQ(folder.ReadFile("people.csv"), data);
    EXPECT_EQ(folder.ReadFile("people.kx"), description);
  }
  const TCliResult info = RunCli({"info", folder.Table("people")});
  EXPECT_NE(info.Out.find(locked ? "Status: Read-only\n" : "Status: Editing\n"), std::string::npos);
}

TEST(CliReading, ChangesNoFile) {
  ExpectReadingLeavesFiles(false);
}

TEST(CliReading, WorksWhileAnotherProgramHoldsTheTable) {
  ExpectReadingLeavesFiles(true);
}

TEST(CliWriting, RefusesATableThatAnotherProgramHolds) {
  TCliFolder folder;
  const std::string description = folder.ReadFile("people.kx");
  TLockedFile holder;
  ASSERT_EQ(holder.Acquire(folder.Table("people")), TLockedFile::TStatus::Held);
  std::ostringstream out, err;
  const TCliContext context(out, err, {}, {});
  try {
    OpenTable(context, folder.Table("people"), TTableAccess::Write);
    ADD_FAILURE() << "opened for writing";
  } catch (const EMervantaError& error) {
    EXPECT_EQ(std::string(error.what()),
              "The file you are trying to open is already in use by another application or is "
              "read-only. You will not be able to edit the table.\n" +
                  folder.Table("people"));
  }
  EXPECT_EQ(folder.ReadFile("people.kx"), description);
}

TEST(CliWriting, KeepsTheStoredSelectionThroughASave) {
  TCliFolder folder;
  Options().Other->SaveSelection->SetValue(true);
  std::ostringstream out, err;
  const TCliContext context(out, err, {}, {});
  {
    const auto table = OpenTable(context, folder.Table("people"), TTableAccess::Write);
    EXPECT_FALSE(table->ReadOnly());
    table->Save();
  }
  EXPECT_NE(folder.ReadFile("people.kx").find("<SelIndex value=\"2\" />"), std::string::npos)
      << folder.ReadFile("people.kx");
}

TEST(CliSettings, TheOptionsFileAppliesAndStaysAsItIs) {
  TCliFolder folder;
  const std::string settings = folder.Write(
      "Mervanta.xml",
      "<Mervanta>\r\n\t<Options>\r\n\t\t<Main>\r\n\t\t\t<SeparatorIndex value=\"3\" />\r\n"
      "\t\t</Main>\r\n\t\t<Other>\r\n\t\t\t<QuoteAllFields value=\"Y\" />\r\n\t\t</Other>\r\n"
      "\t</Options>\r\n</Mervanta>\r\n");
  const std::string before = folder.ReadFile("Mervanta.xml");
  // The file's options stay in this process; the in-process runs of later tests expect the
  // defaults.
  struct TDefaultsAfterwards {
    ~TDefaultsAfterwards() {
      TItemIndexProperty& separator = *Options().Main->SeparatorIndex;
      separator.SetValue(separator.Default());
      TBooleanProperty& quoteAll = *Options().Other->QuoteAllFields;
      quoteAll.SetValue(quoteAll.Default());
    }
  } defaultsAfterwards;
  const TCliResult result = RunCli({"--options", settings, "show", folder.Table("people"),
                                    "--format", "csv", "--columns", "#1,Age", "--sort", "Age"});
  EXPECT_EQ(result.Status, 0) << result.Err;
  EXPECT_EQ(result.Out,
            "\"Dora\"|\"\"\r\n\"Carl\"|\"25\"\r\n\"Ann\"|\"30\"\r\n\"ann\"|\"30\"\r\n"
            "\"Bj\xC3\xB6rn\"|\"41\"\r\n");
  EXPECT_EQ(folder.ReadFile("Mervanta.xml"), before);

  // The next run in the same process starts from the defaults again.
  const TCliResult next = RunCli(
      {"show", folder.Table("people"), "--format", "csv", "--columns", "#1,Age", "--sort", "Age"});
  EXPECT_EQ(next.Out, "Dora;\r\nCarl;25\r\nAnn;30\r\nann;30\r\nBj\xC3\xB6rn;41\r\n");
}

struct TUiRun {
  std::string Err;
  TAnswer Answer;
};

TUiRun RunUserInterface(const TGlobalOptions& globals, bool onTerminal,
                        const std::function<TAnswer()>& body) {
  std::ostringstream out, err;
  TTerminal terminal;
  terminal.ErrIsTerminal = onTerminal;
  const TCliContext context(out, err, terminal, globals);
  TTerminalUserInterface userInterface(context);
  const TAnswer answer = body();
  return {err.str(), answer};
}

TEST(CliTerminal, AnswersQuestionsAndSilencesInformationOnlyWhenQuiet) {
  struct TCase {
    const char* Name;
    TGlobalOptions Globals;
    TButtons Buttons;
    TIcon Icon;
    TAnswer Answer;
    const char* Err;
  };
  TGlobalOptions yes, quiet;
  yes.Yes = true;
  quiet.Quiet = true;
  const TCase cases[] = {
      {"information", {}, TButtons::Ok, TIcon::Information, TAnswer::Ok, "Done.\n"},
      {"quiet information", quiet, TButtons::Ok, TIcon::Information, TAnswer::Ok, ""},
      {"quiet warning", quiet, TButtons::Ok, TIcon::Warning, TAnswer::Ok, "Done.\n"},
      {"question", {}, TButtons::YesNo, TIcon::Question, TAnswer::No, "Done. [answered no]\n"},
      {"question with yes", yes, TButtons::YesNoCancel, TIcon::Question, TAnswer::Yes,
       "Done. [answered yes]\n"},
      {"ok or cancel",
       {},
       TButtons::OkCancel,
       TIcon::Warning,
       TAnswer::Cancel,
       "Done. [answered no]\n"},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.Name);
    const TUiRun run = RunUserInterface(
        test.Globals, false, [&] { return ShowMessageBox("Done", "", test.Buttons, test.Icon); });
    EXPECT_EQ(run.Answer, test.Answer);
    EXPECT_EQ(run.Err, test.Err);
  }
}

TEST(CliTerminal, DrawsProgressOnlyOnATerminal) {
  const auto loop = [] {
    UserInterface().ShowProgress(10);
    UserInterface().SetProgressPosition(5);
    UserInterface().SetProgressText("50%");
    UserInterface().Beep();
    UserInterface().CloseProgress();
    return TAnswer::Ok;
  };
  EXPECT_EQ(RunUserInterface({}, false, loop).Err, "");
  TGlobalOptions quiet;
  quiet.Quiet = true;
  EXPECT_EQ(RunUserInterface(quiet, true, loop).Err, "");
  const std::string drawn = RunUserInterface({}, true, loop).Err;
  EXPECT_NE(drawn.find("\r[###############...............] 50%"), std::string::npos) << drawn;
  EXPECT_NE(drawn.find('\a'), std::string::npos);
  EXPECT_TRUE(drawn.ends_with("\r")) << "the bar's line is blanked at the end";
}

TEST(CliTerminal, AnInterruptStopsTheRunningLoopAndOtherwiseEndsTheProcess) {
  // The exit status of a child that interrupts itself `interrupts` times: 0 when the loop
  // stopped with "Operation aborted" and the process lived on, -1 when the interrupt ended it.
  const auto interrupted = [](bool inLoop, int interrupts) {
    return RunInChild([=] {
      bool aborted = false;
      RunUserInterface({}, false, [&] {
        std::optional<TProgressScope> loop;
        if (inLoop) loop.emplace(10);
        for (int i = 0; i < interrupts; ++i) ::raise(SIGINT);
        try {
          TProgress::Step();
        } catch (const EOperationAborted& error) {
          aborted = std::string(error.what()) == "Operation aborted";
        }
        return TAnswer::Ok;
      });
      return aborted ? 0 : 1;
    });
  };
  EXPECT_EQ(interrupted(true, 1), 0);
  EXPECT_EQ(interrupted(false, 1), -1);
  EXPECT_EQ(interrupted(true, 2), -1);
}

TEST(CliHelp, ListsEveryCommandAndHelpsWithEach) {
  const TCliResult tool = RunCli({"--help"});
  EXPECT_EQ(tool.Status, 0);
  EXPECT_EQ(tool.Err, "");
  EXPECT_NE(tool.Out.find("  --password-file FILE  the password as the first line of FILE"),
            std::string::npos);
  EXPECT_NE(tool.Out.find("kept from other users when it comes from the prompt on\na terminal, "
                          "from --password-file or from $MERVANTA_PASSWORD"),
            std::string::npos)
      << tool.Out;
  for (const TCommand* command : Commands()) {
    SCOPED_TRACE(std::string(command->Name()));
    EXPECT_NE(tool.Out.find("  " + std::string(command->Name()) + " "), std::string::npos);
    const TCliResult help = RunCli({std::string(command->Name()), "--help"});
    EXPECT_EQ(help.Status, 0);
    EXPECT_TRUE(
        help.Out.starts_with("Usage: mervanta-cli [OPTIONS] " + std::string(command->Name()) + " "))
        << help.Out;
    for (const auto& list : command->Options()) {
      for (const TOptionSpec& option : list) {
        EXPECT_NE(help.Out.find("--" + std::string(option.Name)), std::string::npos);
      }
    }
  }
  const TCliResult none = RunCli({});
  EXPECT_EQ(none.Status, 2);
  EXPECT_NE(none.Err.find("No command given"), std::string::npos);
}

}  // namespace
}  // namespace mervanta::test
