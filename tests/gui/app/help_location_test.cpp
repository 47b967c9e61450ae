#include "app/help_location.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "test_support/temp_dir.h"

namespace mervanta {
namespace {

TEST(HelpLocation, PrefersTheOverrideThenTheInstalledPagesThenTheSourcePages) {
  const test::TTempDir folder;
  const std::string prefix = folder.Path();
  std::filesystem::create_directories(prefix + "/bin");
  std::filesystem::create_directories(prefix + "/share/doc/mervanta/help");
  const std::string source = folder.File("source/docs/help");
  const std::string installed = "file://" + prefix + "/share/doc/mervanta/help/";

  // Without an index the installed folder is not taken for installed pages.
  EXPECT_EQ(ChooseHelpBase("", prefix + "/bin", source), "file://" + source + "/");
  folder.Write("share/doc/mervanta/help/index.html", "<html></html>");
  EXPECT_EQ(ChooseHelpBase("", prefix + "/bin", source), installed);
  EXPECT_EQ(ChooseHelpBase("", prefix + "/bin/../bin", source), installed);
  EXPECT_EQ(ChooseHelpBase("", prefix + "/build/src/gui", source), "file://" + source + "/");
  EXPECT_EQ(ChooseHelpBase("https://example.org/help/", prefix + "/bin", source),
            "https://example.org/help/");
}

TEST(HelpLocation, MakesARelativeSourceFolderAbsolute) {
  const std::string base = ChooseHelpBase("", "/nonexistent/bin", "docs/help/");
  EXPECT_EQ(base, "file://" + (std::filesystem::current_path() / "docs/help/").string());
}

}  // namespace
}  // namespace mervanta
