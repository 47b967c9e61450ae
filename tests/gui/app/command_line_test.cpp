#include "app/command_line.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace mervanta {
namespace {

TCommandLine Parse(std::initializer_list<const char*> words) {
  const std::vector<std::string> parameters(words.begin(), words.end());
  return ParseCommandLine(parameters, "/opt/mervanta/");
}

TEST(CommandLine, SwitchesMatchWhateverTheCaseOfTheirLetters) {
  const TCommandLine line = Parse({"notable", "NOOPTIONS", "NoHelp", "noabout", "READ"});
  EXPECT_FALSE(line.Table);
  EXPECT_FALSE(line.Options);
  EXPECT_FALSE(line.Help);
  EXPECT_FALSE(line.About);
  EXPECT_TRUE(line.Read);
  EXPECT_FALSE(line.Single);
  EXPECT_TRUE(line.Unknown.empty());

  const TCommandLine simplest = Parse({"simplest"});
  EXPECT_TRUE(simplest.Read && simplest.Single && simplest.Simplest);
  const TCommandLine plain = Parse({});
  EXPECT_TRUE(plain.Table && plain.Options && plain.Help && plain.About);
  EXPECT_EQ(plain.Title, "Mervanta");
  EXPECT_EQ(plain.OptionsFile, "");
}

// The start folder as the program sees it, with the trailing "/".
std::string StartFolder() {
  return (std::filesystem::current_path() / "").string();
}

TEST(CommandLine, TheLastTableNamedIsOpened) {
  EXPECT_EQ(Parse({"/a/one.csv", "Read", "/b/two.CSV"}).TableFile, "/b/two.CSV");
  // A table's name is taken before any switch or key is looked for.
  EXPECT_EQ(Parse({"Title=x.csv"}).TableFile, StartFolder() + "Title=x.csv");
}

TEST(CommandLine, ADescriptionFileOpensTheTableItDescribes) {
  EXPECT_EQ(Parse({"/a/one.csv", "/b/garden.kx"}).TableFile, "/b/garden.csv");
  EXPECT_EQ(Parse({"sub/garden.kx"}).TableFile, StartFolder() + "sub/garden.csv");
  EXPECT_EQ(Parse({"/b/garden.kx", "/a/one.csv"}).TableFile, "/a/one.csv");
  EXPECT_TRUE(Parse({"/b/garden.kx"}).Unknown.empty());
}

TEST(CommandLine, RelativeNamesAreReadAgainstTheStartFolder) {
  // The window changes into the work directory later; these names must not follow it.
  EXPECT_EQ(Parse({"./sub/../garden.csv"}).TableFile, StartFolder() + "garden.csv");
  EXPECT_EQ(Parse({"Options=sub/my.xml"}).OptionsFile, StartFolder() + "sub/my.xml");
}

TEST(CommandLine, KeysAreDequotedAndABareSettingsFileLivesBesideTheProgram) {
  struct TCase {
    const char* Parameter;
    const char* OptionsFile;
    const char* Title;
  } cases[] = {
      {"Options=my.xml", "/opt/mervanta/my.xml", "Mervanta"},
      {"options=\"/home/ann/my settings.xml\"", "/home/ann/my settings.xml", "Mervanta"},
      {"Title=\"Home Library\"", "", "Home Library"},
      {"title=a=b", "", "a=b"},
  };
  for (const TCase& c : cases) {
    const TCommandLine line = Parse({c.Parameter});
    EXPECT_EQ(line.OptionsFile, c.OptionsFile) << c.Parameter;
    EXPECT_EQ(line.Title, c.Title) << c.Parameter;
    EXPECT_TRUE(line.Unknown.empty()) << c.Parameter;
  }
}

TEST(CommandLine, UnknownParametersAreCollectedOnceEach) {
  const TCommandLine line = Parse({"-x", "Colour=red", "Single", "NoTables"});
  EXPECT_EQ(line.Unknown, (std::vector<std::string>{"-x", "Colour=red", "NoTables"}));
  EXPECT_TRUE(line.Single);
  EXPECT_EQ(UnknownParameterMessage("-x"), "Unknown command line parameter \"-x\"");
}

TEST(CommandLine, TheToolkitsOwnArgumentsAreNoUnknownParameters) {
  TCommandLine line = Parse({"-style", "fusion", "Colour=red", "a.csv"});
  ForgetParametersTaken(line, std::vector<std::string>{"Colour=red", "a.csv"});
  EXPECT_EQ(line.Unknown, (std::vector<std::string>{"Colour=red"}));
  EXPECT_TRUE(line.TableFile.ends_with("/a.csv"));
}

}  // namespace
}  // namespace mervanta
