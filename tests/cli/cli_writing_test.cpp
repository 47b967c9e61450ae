// The commands that change a table, in-process on copies of the fixtures "people" (five
// records, a hidden column "Note", a computed "Tag") and "stock" (a counter "No", "Item" that
// must not be empty, "Code" that must not repeat, "Year" defaulting to "$Year$", a computed
// "Label", and equal records prevented).
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "support/file_io.h"
#include "support/file_names.h"
#include "support/locked_file.h"
#include "support/macros.h"
#include "test_support/child_process.h"

namespace mervanta::test {
namespace {

using namespace std::string_literals;

const std::string kAnn = "Ann;Oslo;30;\"likes \"\"tea\"\"\"\r\n";
const std::string kBjorn = "Bj\xF6rn;Malm\xF6;41;\r\n";
const std::string kCarl = "Carl;Oslo;25;\"line1\r\nline2\"\r\n";
const std::string kAnnLower = "ann;oslo;30;\"x;y\"\r\n";
const std::string kDora = "Dora;;;\r\n";
const std::string kPeople = kAnn + kBjorn + kCarl + kAnnLower + kDora;
const std::string kStock = "1;Pen;P1;2023\r\n2;Ink;;2023\r\n";

// The file that "@import" names.
constexpr const char* kImported = "Eve;Bergen\r\n;\r\n  Finn ;Oslo\r\n";

struct TWriteCase {
  const char* Name;
  // Run first, as a step of the case.
  std::vector<std::string> Setup;
  // "@" stands for the table "people", "@stock" for "stock", "@empty" for a table made by
  // the setup, "@import" for a file to import, "@out" for a file to write and "@missing"
  // for one that does not exist.
  std::vector<std::string> Words;
  int Status;
  // Expected within the error stream; empty means the stream must be empty.
  std::string Err;
  // The table's data file afterwards; none when both of its files must be byte for byte as
  // they were before the command.
  std::optional<std::string> Data = std::nullopt;
  // Expected within the description file, the output file or the output stream.
  std::string Description = "";
  std::string Output = "";
  std::string Out = "";
};

std::string ThisYear() {
  return ExpandMacros("$Year$");
}

const std::vector<TWriteCase>& Cases() {
  static const std::vector<TWriteCase> cases = {
      // add
      {"add: values fill the columns in order",
       {},
       {"add", "@", "Eve", "Bergen"},
       0,
       "",
       kPeople + "Eve;Bergen;;\r\n"},
      {"add: typed in UTF-8, trimmed",
       {},
       {"add", "@", " \xC3\x96la ", "", "", "two words\t"},
       0,
       "",
       kPeople + "\xD6la;;;two words\r\n"},
      {"add: first with InsertFirst",
       {"option", "@", "InsertFirst", "Y"},
       {"add", "@", "Eve"},
       0,
       "",
       "Eve;;;\r\n" + kPeople},
      {"add: blanks kept with NoTrim",
       {"option", "@", "NoTrim", "Y"},
       {"add", "@", " Eve "},
       0,
       "",
       kPeople + "\" Eve \";;;\r\n"},
      {"add: a counter and a default with a macro",
       {},
       {"add", "@stock", "Cap", "C1"},
       0,
       "",
       kStock + "3;Cap;C1;" + ThisYear() + "\r\n"},
      {"add: a default given empty",
       {},
       {"add", "@stock", "Cap", "", ""},
       0,
       "",
       kStock + "3;Cap;;\r\n"},
      {"add: refused as empty, the counter ignored",
       {},
       {"add", "@stock", "", "", " "},
       1,
       "Cannot add an empty record to the table. Please specify at least one value.\n"},
      {"add: refused as equal but for the counter",
       {},
       {"add", "@stock", "Pen", "P1", "2023"},
       1,
       "This record already exists in this table.\n"},
      {"add: refused for an empty value",
       {},
       {"add", "@stock", "", "C2"},
       1,
       "Value in column \"Item\" cannot be empty\n"},
      {"add: refused for a repeated value",
       {},
       {"add", "@stock", "Pot", "P1"},
       1,
       "This value already exists in column \"Code\".\n"},
      {"add: refused even when quiet",
       {},
       {"add", "@stock", "Pot", "P1", "--quiet"},
       1,
       "This value already exists in column \"Code\".\n"},
      {"add: a letter the code page cannot hold",
       {},
       {"add", "@", "Eve", "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0"},
       2,
       "mervanta-cli: The character \"\xD0\x9C\" (U+041C) cannot be stored in code page 1252\n"},
      {"add: bytes that are no UTF-8",
       {},
       {"add", "@", "Bj\xF6rn"},
       2,
       "The text is not valid UTF-8 (byte 0xF6 at position 3)"},
      {"add: raw bytes of the code page",
       {},
       {"add", "@", "Bj\xF6rn", "--raw"},
       0,
       "",
       kPeople + "Bj\xF6rn;;;\r\n"},
      {"add: more values than columns",
       {},
       {"add", "@stock", "a", "b", "c", "d"},
       2,
       "The table has 3 columns to fill, not 4"},

      // delete
      {"delete: positions in any order",
       {},
       {"delete", "@", "5", "1", "3"},
       0,
       "",
       kBjorn + kAnnLower},
      {"delete: a position given twice",
       {},
       {"delete", "@", "2", "2"},
       0,
       "",
       kAnn + kCarl + kAnnLower + kDora},
      {"delete: a position out of range deletes nothing",
       {},
       {"delete", "@", "1", "6"},
       2,
       "The record index 6 is not from 1 to 5"},
      {"delete: a position that is no number",
       {},
       {"delete", "@", "x"},
       2,
       "The record index \"x\" is not a whole number"},

      // import
      {"import: trimmed, the empty record dropped",
       {},
       {"import", "@", "@import"},
       0,
       "2 records added.\n",
       kPeople + "Eve;Bergen;;\r\nFinn;Oslo;;\r\n"},
      {"import: a missing file imports nothing",
       {},
       {"import", "@", "@import", "@missing"},
       2,
       "No such file or directory"},

      // export
      {"export: chosen columns as CSV",
       {},
       {"export", "@", "--format", "csv", "--output", "@out", "--columns", "Age, first NAME"},
       0,
       "",
       std::nullopt,
       "",
       "Ann;30\r\nBj\xF6rn;41\r\nCarl;25\r\nann;30\r\nDora;\r\n"},
      {"export: the print page",
       {},
       {"export", "@", "--print", "--output", "@out", "--columns", "Tag"},
       0,
       "",
       std::nullopt,
       "",
       "<tr><td><b>Tag</b></td></tr>\r\n    <tr><td>OSLO-30</td></tr>"},
      {"export: cards",
       {},
       {"export", "@", "--format", "html", "--card", "--output", "@out"},
       0,
       "",
       std::nullopt,
       "",
       "<tr><td><b>City</b></td><td>Malm\xF6</td></tr>"},
      {"export: unknown format",
       {},
       {"export", "@", "--format", "pdf", "--output", "@out"},
       2,
       "Unknown format \"pdf\""},
      {"export: cards are HTML",
       {},
       {"export", "@", "--format", "csv", "--card", "--output", "@out"},
       2,
       "make HTML pages only"},
      {"export: no output", {}, {"export", "@", "--format", "csv"}, 2, "\"--output\" is required"},
      {"export: not over the table",
       {},
       {"export", "@", "--format", "txt", "--output", "@"},
       2,
       "Cannot export over the table's own file"},
      {"export: unknown column",
       {},
       {"export", "@", "--format", "txt", "--output", "@out", "--columns", "Nope"},
       2,
       "Unknown column \"Nope\""},
      {"export: an empty table",
       {"new", "@empty", "A"},
       {"export", "@empty", "--format", "txt", "--output", "@out"},
       2,
       "The source is empty"},

      // sort
      {"sort: by one column",
       {},
       {"sort", "@", "--by", "city"},
       0,
       "",
       kDora + kBjorn + kAnn + kCarl + kAnnLower},
      {"sort: by two keys, descending",
       {},
       {"sort", "@", "--by", "Age", "--by", "#1", "--desc"},
       0,
       "",
       kBjorn + kAnnLower + kAnn + kCarl + kDora},
      {"sort: turned off",
       {"option", "@", "DenySort", "Y"},
       {"sort", "@", "--by", "City"},
       1,
       "Sorting is turned off for this table\n"},
      {"sort: no key", {}, {"sort", "@"}, 2, "Give the columns to sort by with \"--by\""},
      {"sort: unknown column", {}, {"sort", "@", "--by", "Town"}, 2, "Unknown column \"Town\""},

      // column
      {"column: add",
       {},
       {"column", "@", "add", "Email"},
       0,
       "",
       "Ann;Oslo;30;\"likes \"\"tea\"\"\";\r\nBj\xF6rn;Malm\xF6;41;;\r\n"
       "Carl;Oslo;25;\"line1\r\nline2\";\r\nann;oslo;30;\"x;y\";\r\nDora;;;;\r\n",
       "<Caption value=\"Email\" />"},
      {"column: add a computed one",
       {},
       {"column", "@", "add-virtual", "Twice", "#3*2"},
       0,
       "",
       kPeople,
       "<Caption value=\"Twice\" />\r\n\t\t\t<Formula value=\"#3*2\" />"},
      {"column: delete",
       {},
       {"column", "@", "delete", "note"},
       0,
       "",
       "Ann;Oslo;30\r\nBj\xF6rn;Malm\xF6;41\r\nCarl;Oslo;25\r\nann;oslo;30\r\nDora;;\r\n"},
      {"column: move",
       {},
       {"column", "@", "move", "Age", "1"},
       0,
       "",
       "30;Ann;Oslo;\"likes \"\"tea\"\"\"\r\n41;Bj\xF6rn;Malm\xF6;\r\n"
       "25;Carl;Oslo;\"line1\r\nline2\"\r\n30;ann;oslo;\"x;y\"\r\n;Dora;;\r\n"},
      {"column: set a choice by name",
       {},
       {"column", "@", "set", "Age", "type", "counter"},
       0,
       "",
       kPeople,
       "<Caption value=\"Age\" />\r\n\t\t\t<Type value=\"1\" />"},
      {"column: set a text",
       {},
       {"column", "@", "set", "City", "Caption", "T\xC3\xB6wn"},
       0,
       "",
       kPeople,
       "<Caption value=\"T\xF6wn\" />"},
      {"column: a caption the code page cannot hold",
       {},
       {"column", "@", "add", "\xCE\xA9"},
       2,
       "The character \"\xCE\xA9\" (U+03A9) cannot be stored in code page 1252"},
      {"column: a formula the code page cannot hold",
       {},
       {"column", "@", "add-virtual", "Mark", "#1+\"\xE2\x9C\x93\""},
       2,
       "The character \"\xE2\x9C\x93\" (U+2713) cannot be stored in code page 1252"},
      {"column: a property text the code page cannot hold",
       {},
       {"column", "@", "set", "City", "Default", "\xE2\x82\xBD"},
       2,
       "The character \"\xE2\x82\xBD\" (U+20BD) cannot be stored in code page 1252"},
      {"column: a number out of range",
       {},
       {"column", "@", "set", "Age", "Width", "5"},
       2,
       "The Width 5 is not from 7 to 1000"},
      {"column: a choice there is not",
       {},
       {"column", "@", "set", "Age", "Type", "Date"},
       2,
       "Invalid value \"Date\" for Type: 0 General, 1 Counter, 2 File, 3 Picture"},
      {"column: a computed column has no type",
       {},
       {"column", "@", "set", "Tag", "Type", "1"},
       2,
       "Unknown property \"Type\" (there are Alignment, Caption"},
      {"column: a position out of range",
       {},
       {"column", "@", "move", "Age", "6"},
       2,
       "The position 6 is not from 1 to 5"},
      {"column: unknown column", {}, {"column", "@", "delete", "Nope"}, 2, "Unknown column"},
      {"column: unknown action", {}, {"column", "@", "rename", "Age"}, 2, "Unknown action"},
      {"column: missing words", {}, {"column", "@", "move", "Age"}, 2, "Too few arguments"},
      {"column: the last stored column stays",
       {"new", "@empty", "A"},
       {"column", "@empty", "delete", "A"},
       2,
       "Table must contain at least one nonvirtual column"},

      // option
      {"option: on",
       {},
       {"option", "@", "notrim", "y"},
       0,
       "",
       kPeople,
       "<Options>\r\n\t\t<NoTrim value=\"Y\" />"},
      {"option: not Y or N",
       {},
       {"option", "@", "NoTrim", "maybe"},
       2,
       "Invalid value \"maybe\" for NoTrim: Y or N"},
      {"option: a value the code page cannot hold",
       {},
       {"option", "@", "NoTrim", "\xD0\x94"},
       2,
       "The character \"\xD0\x94\" (U+0414) cannot be stored in code page 1252"},
      {"option: unknown", {}, {"option", "@", "Sorted", "Y"}, 2, "Unknown property \"Sorted\""},

      // task
      {"task: a case change by name",
       {},
       {"task", "@", "Upper case", "--column", "City"},
       0,
       "",
       "Ann;OSLO;30;\"likes \"\"tea\"\"\"\r\nBj\xF6rn;MALM\xD6;41;\r\n"
       "Carl;OSLO;25;\"line1\r\nline2\"\r\nann;OSLO;30;\"x;y\"\r\nDora;;;\r\n"},
      {"task: numbers into two columns",
       {},
       {"task", "@", "0", "--columns", "Age,Note", "--number", "10:5"},
       0,
       "",
       "Ann;Oslo;10;10\r\nBj\xF6rn;Malm\xF6;15;15\r\nCarl;Oslo;20;20\r\nann;oslo;25;25\r\n"
       "Dora;;30;30\r\n"},
      {"task: insert after a text",
       {},
       {"task", "@", "insert", "--column", "#1", "--position", "2:n", "--text", "-"},
       0,
       "",
       "An-n;Oslo;30;\"likes \"\"tea\"\"\"\r\nBj\xF6rn-;Malm\xF6;41;\r\n"
       "-Carl;Oslo;25;\"line1\r\nline2\"\r\nan-n;oslo;30;\"x;y\"\r\n-Dora;;;\r\n"},
      {"task: delete an interval",
       {},
       {"task", "@", "Delete", "--column", "First name", "--from", "0:2", "--to", "0:1"},
       0,
       "",
       "An;Oslo;30;\"likes \"\"tea\"\"\"\r\nB\xF6rn;Malm\xF6;41;\r\n"
       "Crl;Oslo;25;\"line1\r\nline2\"\r\nan;oslo;30;\"x;y\"\r\nDra;;;\r\n"},
      {"task: preview",
       {},
       {"task", "@", "4", "--column", "City", "--preview"},
       0,
       "",
       std::nullopt,
       "",
       "",
       "OSLO\nMALM\xC3\x96\nOSLO\nOSLO\n\n"},
      {"task: preview of computed values into two columns",
       {},
       {"task", "@", "Fill", "--columns", "Note,#1", "--value-of", "Tag", "--preview"},
       0,
       "",
       std::nullopt,
       "",
       "",
       "OSLO-30\tOSLO-30\nMALM\xC3\x96-41\tMALM\xC3\x96-41\nOSLO-25\tOSLO-25\nOSLO-30\tOSLO-30\n-"
       "\t-\n"},
      {"task: a text the code page cannot hold",
       {},
       {"task", "@", "Fill", "--columns", "City", "--text", "\xE2\x84\x96"},
       2,
       "The character \"\xE2\x84\x96\" (U+2116) cannot be stored in code page 1252"},
      {"task: a position text the code page cannot hold",
       {},
       {"task", "@", "insert", "--column", "#1", "--position", "2:\xD0\xBD", "--text", "-"},
       2,
       "The character \"\xD0\xBD\" (U+043D) cannot be stored in code page 1252"},
      {"passwd: a password the code page cannot hold",
       {},
       {"passwd", "@", "--new", "\xD0\xBF\xD0\xB0\xD1\x80\xD0\xBE\xD0\xBB\xD1\x8C"},
       2,
       "The character \"\xD0\xBF\" (U+043F) cannot be stored in code page 1252"},
      {"task: unknown kind",
       {},
       {"task", "@", "10"},
       2,
       "Unknown task \"10\" (there are 0 \"Fill\""},
      {"task: an option the kind does not take",
       {},
       {"task", "@", "Fill", "--column", "City", "--text", "x"},
       2,
       "The option \"--column\" does not go with the task \"Fill\""},
      {"task: a computed target",
       {},
       {"task", "@", "Fill", "--columns", "City,Tag", "--text", "x"},
       2,
       "The column \"Tag\" is computed"},
      {"task: no data", {}, {"task", "@", "Fill", "--columns", "City"}, 2, "Give exactly one of"},
      {"task: two data",
       {},
       {"task", "@", "Fill", "--columns", "City", "--text", "x", "--number", "1:1"},
       2,
       "Give exactly one of"},
      {"task: a name no kind has", {}, {"task", "@", "Trim"}, 2, "Unknown task \"Trim\""},
      {"task: a target missing", {}, {"task", "@", "9"}, 2, "The task needs \"--columns\""},
      {"task: a mode out of range",
       {},
       {"task", "@", "1", "--column", "City", "--text", "x", "--position", "6:1"},
       2,
       "The position mode 6 is not from 0 to 5"},
      {"task: a position without its colon",
       {},
       {"task", "@", "1", "--column", "City", "--text", "x", "--position", "1"},
       2,
       "The option \"--position\" takes a colon"},
      {"task: another source",
       {},
       {"task", "@", "9", "--columns", "City", "--source", "chosen"},
       2,
       "Unknown source \"chosen\""},
      {"task: an empty table",
       {"new", "@empty", "A"},
       {"task", "@empty", "9", "--columns", "A"},
       2,
       "The source is empty"},
  };
  return cases;
}

using TRunner = std::function<TCliResult(const std::vector<std::string>&)>;

void RunCases(const TRunner& run) {
  for (const TWriteCase& test : Cases()) {
    SCOPED_TRACE(test.Name);
    TCliFolder folder;
    folder.Write("import.csv", kImported);
    const auto expand = [&folder](std::vector<std::string> words) {
      for (std::string& word : words) {
        if (word == "@") word = folder.Table("people");
        if (word == "@stock") word = folder.Table("stock");
        if (word == "@empty") word = folder.Table("empty");
        if (word == "@import") word = folder.File("import.csv");
        if (word == "@out") word = folder.File("out");
        if (word == "@missing") word = folder.Table("missing");
      }
      return words;
    };
    if (!test.Setup.empty()) {
      ASSERT_EQ(RunCli(expand(test.Setup)).Status, 0);
    }
    const std::vector<std::string> words = expand(test.Words);
    const std::string table = FileTitle(words[1]);
    const std::string data = folder.ReadFile(table + ".csv");
    const std::string description = folder.ReadFile(table + ".kx");

    const TCliResult result = run(words);
    EXPECT_EQ(result.Status, test.Status);
    if (test.Err.empty()) {
      EXPECT_EQ(result.Err, "");
    } else {
      EXPECT_NE(result.Err.find(test.Err), std::string::npos) << result.Err;
    }
    EXPECT_EQ(result.Out, test.Out);
    if (test.Data) {
      EXPECT_EQ(folder.ReadFile(table + ".csv"), *test.Data);
    } else {
      EXPECT_EQ(folder.ReadFile(table + ".csv"), data);
      EXPECT_EQ(folder.ReadFile(table + ".kx"), description);
    }
    EXPECT_NE(folder.ReadFile(table + ".kx").find(test.Description), std::string::npos)
        << folder.ReadFile(table + ".kx");
    if (!test.Output.empty()) {
      EXPECT_NE(folder.ReadFile("out").find(test.Output), std::string::npos)
          << folder.ReadFile("out");
    }
  }
}

TEST(CliWriting, ChangesTheTableOrLeavesItsFilesAlone) {
  RunCases([](const std::vector<std::string>& words) { return RunCli(words); });
}

TEST(CliWriting, TheBuiltToolDoesTheSame) {
  RunCases([](const std::vector<std::string>& words) { return RunCliProcess(words); });
}

// The tool keeps the folder it was started in, which is not the table's.
TEST(CliExport, PicturesOfThePrintPageStartFromTheTablesFolder) {
  TCliFolder folder;
  const std::string table = folder.Table("people");
  ASSERT_EQ(RunCli({"column", table, "set", "City", "Type", "3"}).Status, 0);
  const TCliResult result =
      RunCli({"export", table, "--print", "--output", folder.File("out"), "--columns", "City"});
  ASSERT_EQ(result.Status, 0) << result.Err;
  const std::string page = folder.ReadFile("out");
  EXPECT_NE(page.find("<img src=\"" + folder.Path() + "/Oslo\""), std::string::npos) << page;
}

// One run of every writing command that changes the fixture.
const std::vector<std::vector<std::string>> kWritingCommands = {
    {"add", "@", "Eve"},
    {"delete", "@", "1"},
    {"import", "@", "@import"},
    {"sort", "@", "--by", "Age"},
    {"column", "@", "add", "Email"},
    {"option", "@", "NoTrim", "Y"},
    {"passwd", "@", "--new", "x"},
    {"task", "@", "4", "--column", "City"},
};

struct TRefusalCase {
  const char* Name;
  // Whether another program holds the table meanwhile.
  bool Locked;
  // The table is its copy protected by "pass", opened with this password.
  const char* Password;
  // What becomes of the data file's bytes before the commands run.
  std::string (*Damage)(std::string bytes);
  std::string Err;
};

TEST(CliWriting, EveryCommandRefusesATableItCannotChange) {
  const TRefusalCase cases[] = {
      {"locked by another program", true, nullptr, nullptr,
       "The file you are trying to open is already in use by another application or is "
       "read-only. You will not be able to edit the table.\n"},
      {"wrong password", false, "guess", nullptr, "mervanta-cli: Invalid password\n"},
      {"zero bytes after the text", false, nullptr,
       [](std::string bytes) { return bytes + std::string(4, '\0'); },
       "The text of the data file ends at a zero byte at offset " + std::to_string(kPeople.size()) +
           "; saving would lose the rest of the file. You will not be able to edit the table.\n"},
      {"a damaged protection signature", false, nullptr,
       [](std::string bytes) { return "QASSWORDED\n\x16\x02\x07"s + bytes; },
       "The data file starts like a password-protected file whose signature is damaged; saving "
       "would store it as plain text. You will not be able to edit the table.\n"},
  };
  for (const TRefusalCase& test : cases) {
    TCliFolder folder;
    const std::string table =
        test.Password ? ProtectedCopy(folder, "people", "pass") : folder.Table("people");
    if (test.Damage) folder.Write("people.csv", test.Damage(kPeople));
    const std::string import = folder.Write("import.csv", kImported);
    const std::string data = ReadWholeFile(table);
    const std::string description = folder.ReadFile(FileTitle(table) + ".kx");
    TLockedFile holder;
    if (test.Locked) {
      ASSERT_EQ(holder.Acquire(table), TLockedFile::TStatus::Held);
    }
    for (std::vector<std::string> words : kWritingCommands) {
      SCOPED_TRACE(std::string(test.Name) + ": " + words.front());
      words[1] = table;
      std::ranges::replace(words, "@import"s, import);
      if (test.Password) words.insert(words.begin(), {"--password", test.Password});
      const TCliResult result = RunCli(words);
      EXPECT_EQ(result.Status, 2);
      EXPECT_NE(result.Err.find(test.Err), std::string::npos) << result.Err;
      EXPECT_EQ(ReadWholeFile(table), data);
      EXPECT_EQ(folder.ReadFile(FileTitle(table) + ".kx"), description);
    }
  }
}

TEST(CliWriting, EveryCommandSucceedsOnItsOwnTable) {
  for (std::vector<std::string> words : kWritingCommands) {
    SCOPED_TRACE(words.front());
    TCliFolder folder;
    const std::string files = folder.ReadFile("people.csv") + folder.ReadFile("people.kx");
    words[1] = folder.Table("people");
    std::ranges::replace(words, "@import"s, folder.Write("import.csv", kImported));
    const TCliResult result = RunCli(words);
    EXPECT_EQ(result.Status, 0) << result.Err;
    EXPECT_NE(folder.ReadFile("people.csv") + folder.ReadFile("people.kx"), files);
  }
}

TEST(CliWriting, MissingTableIsAnError) {
  TCliFolder folder;
  for (std::vector<std::string> words : kWritingCommands) {
    SCOPED_TRACE(words.front());
    words[1] = folder.Table("missing");
    const TCliResult result = RunCli(words);
    EXPECT_EQ(result.Status, 2);
    EXPECT_NE(result.Err.find("No such file or directory"), std::string::npos) << result.Err;
    EXPECT_FALSE(std::filesystem::exists(folder.Table("missing")));
  }
}

TEST(CliWriting, AReadOnlyTableIsRefused) {
  TCliFolder folder;
  std::filesystem::permissions(folder.Path(), std::filesystem::perms::all);
  std::filesystem::permissions(folder.Table("people"), std::filesystem::perms::owner_read |
                                                           std::filesystem::perms::group_read |
                                                           std::filesystem::perms::others_read);
  EXPECT_EQ(RunAsNobody([&folder] {
              const TCliResult result = RunCli({"add", folder.Table("people"), "Eve"});
              const bool refused =
                  result.Err.find("is already in use by another application or is read-only") !=
                  std::string::npos;
              return result.Status == 2 && refused ? 0 : 1;
            }),
            0);
  EXPECT_EQ(folder.ReadFile("people.csv"), kPeople);
}

// Neither a FIFO (waited on forever once), a device, nor a description file holding records
// is taken for a table (a ".kx" names the data file beside it, which is missing here); a
// settings file that is a FIFO is no settings.
TEST(CliWriting, RefusesFilesThatAreNoTable) {
  TCliFolder folder;
  const std::string fifo = folder.File("fifo.csv");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string device = folder.File("device.csv");
  std::filesystem::create_symlink("/dev/null", device);
  const std::string named = folder.Write("named.kx", kPeople);
  struct TCase {
    std::vector<std::string> Words;
    int Status;
    std::string Err;
  } cases[] = {
      {{"add", fifo, "Eve"}, 2, "\"" + fifo + "\" is not a regular file"},
      {{"show", fifo}, 2, "\"" + fifo + "\" is not a regular file"},
      {{"add", device, "Eve"}, 2, "\"" + device + "\" is not a regular file"},
      {{"add", named, "Eve"}, 2, "No such file or directory"},
      {{"--options", fifo, "show", folder.Table("people"), "--columns", "#1"}, 0, ""},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.Words.front() + " " + test.Words[1]);
    EXPECT_EQ(RunInChild(
                  [&test] {
                    const TCliResult result = RunCli(test.Words);
                    const bool said = test.Err.empty()
                                          ? result.Err.empty()
                                          : result.Err.find(test.Err) != std::string::npos;
                    return result.Status == test.Status && said ? 0 : 1;
                  },
                  std::chrono::seconds(10)),
              0);
  }
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
  EXPECT_EQ(folder.ReadFile("named.kx"), kPeople);
  EXPECT_FALSE(std::filesystem::exists(folder.Table("named")));
}

TEST(CliPasswd, SetsChangesAndRemovesThePassword) {
  TCliFolder folder;
  const std::string table = folder.Table("people");
  const auto ages = [&](std::vector<std::string> globals) {
    globals.insert(globals.end(), {"show", table, "--columns", "Age"});
    return RunCli(globals);
  };

  ASSERT_EQ(RunCli({"passwd", table, "--new", "s\xC3\xA9same"}).Status, 0);
  EXPECT_TRUE(folder.ReadFile("people.csv").starts_with("PASSWORDED"));
  EXPECT_EQ(ages({}).Status, 2);
  EXPECT_EQ(ages({"--raw", "--password", "s\xE9same"}).Out, "30\n41\n25\n30\n\n");

  ASSERT_EQ(RunCli({"--password", "s\xC3\xA9same", "passwd", table, "--new", "next"}).Status, 0);
  EXPECT_EQ(ages({"--password", "s\xC3\xA9same"}).Status, 2);
  EXPECT_EQ(ages({"--password", "next"}).Status, 0);

  ASSERT_EQ(RunCli({"--password", "next", "passwd", table, "--new", ""}).Status, 0);
  EXPECT_EQ(folder.ReadFile("people.csv"), kPeople);
}

TEST(CliPasswd, AsksTwiceOnTheTerminal) {
  struct TCase {
    const char* Name;
    // The answers in turn; a missing answer gives up.
    std::vector<std::optional<std::string>> Typed;
    bool Terminal;
    int Status;
    const char* Err;
  } cases[] = {
      {"the same twice", {"pass", "pass"}, true, 0, ""},
      {"typing error", {"pass", "Pass"}, true, 2, "The passwords are different. Typing error."},
      {"given up", {"pass", std::nullopt}, true, 2, "Operation aborted"},
      {"no terminal", {}, false, 2, "Give the new password with --new"},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.Name);
    TCliFolder folder;
    std::vector<std::string> prompts;
    TTerminal terminal;
    if (test.Terminal) {
      terminal.AskHidden = [&](const std::string& prompt) {
        prompts.push_back(prompt);
        return test.Typed[prompts.size() - 1];
      };
    }
    const TCliResult result = RunCli({"passwd", folder.Table("people")}, terminal);
    EXPECT_EQ(result.Status, test.Status);
    EXPECT_NE(result.Err.find(test.Err), std::string::npos) << result.Err;
    EXPECT_EQ(folder.ReadFile("people.csv").starts_with("PASSWORDED"), test.Status == 0);
    if (test.Terminal) {
      EXPECT_EQ(prompts,
                (std::vector<std::string>{"Enter new password: ", "Repeat new password: "}));
    }
  }
}

TEST(CliWriting, TheBuiltToolRefusesALockedTableAndAWrongPassword) {
  TCliFolder folder;
  const std::string table = ProtectedCopy(folder, "people", "pass");
  const std::string data = ReadWholeFile(table);
  const TCliResult wrong = RunCliProcess({"--password", "guess", "add", table, "Eve"});
  EXPECT_EQ(wrong.Status, 2);
  EXPECT_EQ(wrong.Err, "mervanta-cli: Invalid password\n");

  TLockedFile holder;
  ASSERT_EQ(holder.Acquire(table), TLockedFile::TStatus::Held);
  const TCliResult locked = RunCliProcess({"add", table, "Eve"}, {"MERVANTA_PASSWORD=pass"});
  EXPECT_EQ(locked.Status, 2);
  EXPECT_NE(locked.Err.find("already in use by another application"), std::string::npos)
      << locked.Err;
  EXPECT_EQ(ReadWholeFile(table), data);
}

}  // namespace
}  // namespace mervanta::test
