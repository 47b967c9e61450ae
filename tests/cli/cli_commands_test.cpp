// The reading commands in-process on the fixture table "people": five records, a hidden
// column "Note" with quotes, a line break and a separator in it, and a computed column "Tag".
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "test_support/short_of_memory.h"

namespace mervanta::test {
namespace {

using namespace std::string_literals;

constexpr const char* kAllRecords =
    "Ann\tOslo\t30\tOSLO-30\n"
    "Bj\xC3\xB6rn\tMalm\xC3\xB6\t41\tMALM\xC3\x96-41\n"
    "Carl\tOslo\t25\tOSLO-25\n"
    "ann\toslo\t30\tOSLO-30\n"
    "Dora\t\t\t-\n";

struct TCommandCase {
  const char* Name;
  // "@" stands for the table, "@kx" for its description file, "@missing" for a file that does
  // not exist.
  std::vector<std::string> Words;
  int Status;
  std::string Out;
  // Expected within the error stream; empty means the stream must be empty.
  std::string Err;
};

const TCommandCase kCases[] = {
    {"show: the shown columns as tab text by default", {"show", "@"}, 0, kAllRecords, ""},
    {"show: csv with quotes where needed, sorted, with captions",
     {"show", "@", "--sort", "city", "--format", "csv", "--header", "--columns", "#1, note,City"},
     0,
     "First name;Note;City\r\nDora;;\r\nBj\xC3\xB6rn;;Malm\xC3\xB6\r\n"
     "Ann;\"likes \"\"tea\"\"\";Oslo\r\nCarl;\"line1\r\nline2\";Oslo\r\nann;\"x;y\";oslo\r\n",
     ""},
    {"show: tab text keeps the line feeds of line breaks",
     {"show", "@", "--columns", "Note", "--format", "tsv"},
     0,
     "likes \"tea\"\n\nline1\nline2\nx;y\n\n",
     ""},
    {"show: an aligned table, descending by two keys",
     {"show", "@", "--columns", "First name,Note,Age", "--format", "table", "--header", "--sort",
      "Age", "--sort", "#1", "--desc"},
     0,
     "First name  Note         Age\n"
     "----------  -----------  ---\n"
     "Bj\xC3\xB6rn                    41\n"
     "ann         x;y          30\n"
     "Ann         likes \"tea\"  30\n"
     "Carl        line1 line2  25\n"
     "Dora\n",
     ""},
    {"show: a key named again adds nothing",
     {"show", "@", "--columns", "First name", "--sort", "#1", "--sort", "#1"},
     0,
     "Ann\nBj\xC3\xB6rn\nCarl\nDora\nann\n",
     ""},
    {"show: the description file opens its table",
     {"show", "@kx", "--columns", "Age"},
     0,
     "30\n41\n25\n30\n\n",
     ""},
    {"show: raw bytes of the code page",
     {"show", "@", "--raw", "--columns", "First name"},
     0,
     "Ann\nBj\xF6rn\nCarl\nann\nDora\n",
     ""},
    {"search: quick, ignoring case",
     {"search", "@", "--quick", "OSLO"},
     0,
     "Ann\tOslo\t30\tOSLO-30\nCarl\tOslo\t25\tOSLO-25\nann\toslo\t30\tOSLO-30\n",
     "Records found: 3\n"},
    {"search: a condition ignoring case",
     {"search", "@", "--where", "First name Equal ann"},
     0,
     "Ann\tOslo\t30\tOSLO-30\nann\toslo\t30\tOSLO-30\n",
     "Records found: 2\n"},
    {"search: a condition with case",
     {"search", "@", "--where", "First name Equal ann", "--case"},
     0,
     "ann\toslo\t30\tOSLO-30\n",
     "Records found: 1\n"},
    {"search: every condition must hold",
     {"search", "@", "--where", "Age >= number/date/time 30", "--where", "City begin with O"},
     0,
     "Ann\tOslo\t30\tOSLO-30\nann\toslo\t30\tOSLO-30\n",
     "Records found: 2\n"},
    {"search: any condition, operators by index",
     {"search", "@", "--where", "Age 10 41", "--where", "#1 0 arl", "--any"},
     0,
     "Bj\xC3\xB6rn\tMalm\xC3\xB6\t41\tMALM\xC3\x96-41\nCarl\tOslo\t25\tOSLO-25\n",
     "Records found: 2\n"},
    {"search: a length condition",
     {"search", "@", "--where", "Note Longer than 3", "--format", "csv", "--header"},
     0,
     "First name;City;Age;Tag\r\nAnn;Oslo;30;OSLO-30\r\nCarl;Oslo;25;OSLO-25\r\n",
     "Records found: 2\n"},
    {"search: repeating records with their originals",
     {"search", "@", "--repeating", "--columns", "First name,City"},
     0,
     "Ann\tOslo\t30\tOSLO-30\nann\toslo\t30\tOSLO-30\n",
     "Records found: 2\n"},
    {"search: only the recurrences",
     {"search", "@", "--repeating", "--columns", "First name,City", "--only-recurrences"},
     0,
     "ann\toslo\t30\tOSLO-30\n",
     "Records found: 1\n"},
    {"search: repeats with case find none",
     {"search", "@", "--repeating", "--columns", "First name,City", "--case"},
     1,
     "",
     "No results found\n"},
    {"search: nothing found", {"search", "@", "--quick", "zzz"}, 1, "", "No results found\n"},
    {"search: quiet",
     {"search", "@", "--quick", "Carl", "--quiet"},
     0,
     "Carl\tOslo\t25\tOSLO-25\n",
     ""},
    {"eval: a formula per record",
     {"eval", "@", "UpperCase(#1)+\"/\"+#5"},
     0,
     "ANN/OSLO-30\nBJ\xC3\x96RN/MALM\xC3\x96-41\nCARL/OSLO-25\nANN/OSLO-30\nDORA/-\n",
     ""},
    {"eval: once without a table", {"eval", "-", "6*7"}, 0, "42\n", ""},
    {"eval: a faulty formula shows its error", {"eval", "-", "1+"}, 0, "<error 46>\n", ""},

    {"error: a quick search term the code page cannot hold",
     {"search", "@", "--quick", "\xD0\x9E\xD1\x81\xD0\xBB\xD0\xBE"},
     2,
     "",
     "mervanta-cli: The character \"\xD0\x9E\" (U+041E) cannot be stored in code page 1252\n"},
    {"error: a condition text the code page cannot hold",
     {"search", "@", "--where", "City Not contain \xC5\x81"},
     2,
     "",
     "The character \"\xC5\x81\" (U+0141) cannot be stored in code page 1252"},
    {"error: a formula the code page cannot hold",
     {"eval", "@", "#1+\"\xE2\x86\x92\""},
     2,
     "",
     "The character \"\xE2\x86\x92\" (U+2192) cannot be stored in code page 1252"},
    {"error: a column name that is no UTF-8",
     {"show", "@", "--columns", "Ag\xE9"},
     2,
     "",
     "The text is not valid UTF-8 (byte 0xE9 at position 3)"},
    {"error: missing file", {"show", "@missing"}, 2, "", "No such file or directory"},
    {"error: unknown column",
     {"show", "@", "--columns", "Age,Nope"},
     2,
     "",
     "mervanta-cli: Unknown column \"Nope\"\n"},
    {"error: unknown sort column", {"show", "@", "--sort", "#6"}, 2, "", "Unknown column \"#6\""},
    {"error: unknown condition column",
     {"search", "@", "--where", "Nope Equal x"},
     2,
     "",
     "Unknown column \"Nope\""},
    {"error: invalid mask",
     {"search", "@", "--where", "First name Match mask ["},
     2,
     "",
     "mervanta-cli: '[' is an invalid mask at (1)\n"},
    {"error: no operator",
     {"search", "@", "--where", "Age is x"},
     2,
     "",
     "is not \"COLUMN OPERATOR TEXT\"\nTry \"mervanta-cli search --help\"."},
    {"error: a length that is no number",
     {"search", "@", "--where", "Note Longer than x"},
     2,
     "",
     "The length \"x\" is not a number"},
    {"error: no kind of search", {"search", "@"}, 2, "", "Give exactly one of"},
    {"error: an option of another search",
     {"search", "@", "--quick", "a", "--any"},
     2,
     "",
     "The option \"--any\" does not go with this search"},
    {"error: unknown format", {"show", "@", "--format", "xml"}, 2, "", "Unknown format \"xml\""},
    {"error: descending without a key", {"show", "@", "--desc"}, 2, "", "needs \"--sort\""},
    {"error: too many words", {"show", "@", "extra"}, 2, "", "Unexpected argument \"extra\""},
    {"error: too few words", {"eval", "@"}, 2, "", "Too few arguments"},
    {"error: unknown option", {"show", "@", "--bogus"}, 2, "", "Unknown option \"--bogus\""},
    {"error: unknown command", {"frobnicate", "@"}, 2, "", "Unknown command \"frobnicate\""},
    {"error: yes and no", {"--yes", "show", "@", "--no"}, 2, "", "exclude each other"},
};

TEST(CliCommands, RunOnTheFixture) {
  for (const TCommandCase& test : kCases) {
    SCOPED_TRACE(test.Name);
    TCliFolder folder;
    std::vector<std::string> words = test.Words;
    for (std::string& word : words) {
      if (word == "@") word = folder.Table("people");
      if (word == "@kx") word = folder.File("people.kx");
      if (word == "@missing") word = folder.Table("missing");
    }
    const TCliResult result = RunCli(words);
    EXPECT_EQ(result.Status, test.Status);
    EXPECT_EQ(result.Out, test.Out);
    if (test.Err.empty()) {
      EXPECT_EQ(result.Err, "");
    } else {
      EXPECT_NE(result.Err.find(test.Err), std::string::npos) << result.Err;
    }
  }
}

TEST(CliCommands, InfoGivesTheSummaryAndTheColumns) {
  TCliFolder folder;
  const TCliResult result = RunCli({"info", folder.Table("people")});
  EXPECT_EQ(result.Status, 0);
  EXPECT_EQ(result.Err, "");
  for (const std::string& line :
       {"Table: people\n\n"s, "File: " + folder.Table("people") + "\n",
        "Total records number: 5\nPassword: No\nStatus: Editing\n\n"s,
        "1\tFirst name\tstored\tGeneral\t\n"s, "4\tNote\tstored\tGeneral\t\n"s,
        "5\tTag\tvirtual\t\tUpperCase(#2)+\"-\"+#3\n"s}) {
    EXPECT_NE(result.Out.find(line), std::string::npos) << line << "\nin\n" << result.Out;
  }
}

TEST(CliCommands, ReadingCommandsReadADamagedTableAndSayWhy) {
  TCliFolder folder;
  const std::string text = folder.ReadFile("people.csv");
  folder.Write("people.csv", text + std::string(4, '\0'));
  const std::string notice = "The text of the data file ends at a zero byte at offset " +
                             std::to_string(text.size()) +
                             "; saving would lose the rest of the file.\n";

  const TCliResult show = RunCli({"show", folder.Table("people")});
  EXPECT_EQ(show.Status, 0);
  EXPECT_EQ(show.Out, kAllRecords);
  EXPECT_EQ(show.Err, notice);
  const TCliResult info = RunCli({"info", folder.Table("people")});
  EXPECT_EQ(info.Status, 0);
  const std::string status =
      "Status: Read-only\nText ends at: offset " + std::to_string(text.size()) + " (a zero byte)\n";
  EXPECT_NE(info.Out.find(status), std::string::npos) << info.Out;
}

TEST(CliCommands, RunningOutOfMemoryNamesTheTable) {
  TCliFolder folder;
  TShortOfMemory shortOfMemory;
  const TCliResult result = RunCli({"show", folder.Table("people")});
  EXPECT_EQ(result.Status, 2);
  EXPECT_TRUE(result.Err.starts_with("mervanta-cli: Not enough memory to open \"" +
                                     folder.Table("people") + "\" ("))
      << result.Err;
}

TEST(CliCommands, StatsCountsEveryColumn) {
  TCliFolder folder;
  const TCliResult result = RunCli({"stats", folder.Table("people")});
  EXPECT_EQ(result.Status, 0);
  EXPECT_NE(result.Out.find("All: 5\n"), std::string::npos) << result.Out;
  EXPECT_NE(result.Out.find("Age (min: 25; max: 41; Sum total: 126; average: 31.5; empty: 1)\n"),
            std::string::npos)
      << result.Out;
}

TEST(CliCommands, NewMakesATableOfTheNamedColumns) {
  TCliFolder folder;
  const std::string name = folder.File("fresh");
  const TCliResult created = RunCli({"new", name, "Title",
                                     "Pr\xC3\xA9"
                                     "cis",
                                     ""});
  ASSERT_EQ(created.Status, 0) << created.Err;
  EXPECT_EQ(created.Out, "");
  EXPECT_EQ(folder.ReadFile("fresh.csv"), "");
  EXPECT_NE(folder.ReadFile("fresh.kx")
                .find("Pr\xE9"
                      "cis"),
            std::string::npos);

  const TCliResult shown = RunCli({"show", name + ".csv", "--header"});
  EXPECT_EQ(shown.Status, 0);
  EXPECT_EQ(shown.Out,
            "Title\tPr\xC3\xA9"
            "cis\tColumn1\n");

  const TCliResult again = RunCli({"new", name + ".csv", "Other"});
  EXPECT_EQ(again.Status, 2);
  EXPECT_NE(again.Err.find("already exists"), std::string::npos);
  EXPECT_EQ(folder.ReadFile("fresh.csv"), "");

  // Nor is a description file replaced that has no data file beside it.
  const std::string orphan = folder.Write("orphan.kx", "<Table />");
  const TCliResult orphaned = RunCli({"new", folder.File("orphan"), "A"});
  EXPECT_EQ(orphaned.Status, 2);
  EXPECT_NE(orphaned.Err.find("Cannot create the table: \"" + orphan + "\" already exists"),
            std::string::npos)
      << orphaned.Err;
  EXPECT_EQ(folder.ReadFile("orphan.kx"), "<Table />");
  EXPECT_FALSE(std::filesystem::exists(folder.File("orphan.csv")));

  EXPECT_EQ(RunCli({"new", folder.File("no_columns")}).Status, 2);
  const TCliResult unfit = RunCli({"new", folder.File("unfit"), "Title", "\xE2\x82\xB9"});
  EXPECT_EQ(unfit.Status, 2);
  EXPECT_NE(unfit.Err.find("The character \"\xE2\x82\xB9\" (U+20B9) cannot be stored"),
            std::string::npos)
      << unfit.Err;
  EXPECT_FALSE(std::filesystem::exists(folder.File("unfit.csv")));
  EXPECT_FALSE(std::filesystem::exists(folder.File("unfit.kx")));
  const TCliResult tooMany = RunCli([&] {
    std::vector<std::string> words{"new", folder.File("wide")};
    for (int i = 0; i <= 256; ++i) words.push_back("C" + std::to_string(i));
    return words;
  }());
  EXPECT_EQ(tooMany.Status, 2);
  EXPECT_NE(tooMany.Err.find("Too many columns (256 max)"), std::string::npos);
}

TEST(CliCommands, AlignsForATerminalByDefault) {
  TCliFolder folder;
  TTerminal terminal;
  terminal.OutIsTerminal = true;
  const TCliResult result =
      RunCli({"show", folder.Table("people"), "--columns", "#3,#1"}, terminal);
  EXPECT_EQ(result.Out, "30  Ann\n41  Bj\xC3\xB6rn\n25  Carl\n30  ann\n    Dora\n");
}

}  // namespace
}  // namespace mervanta::test
