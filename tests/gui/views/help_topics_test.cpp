#include "views/help_topics.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

namespace mervanta {
namespace {

namespace fs = std::filesystem;

std::string ReadWhole(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(HelpPages, EveryTopicTheProgramOpensHasItsPage) {
  const fs::path pages = MERVANTA_HELP_PAGES;
  EXPECT_TRUE(fs::is_regular_file(pages / "index.html"));
  for (const std::string_view topic : HelpTopics()) {
    EXPECT_TRUE(fs::is_regular_file(pages / (std::string(topic) + ".html"))) << topic;
    EXPECT_TRUE(IsHelpTopic(topic));
  }
  EXPECT_FALSE(IsHelpTopic("index"));
  EXPECT_FALSE(IsHelpTopic(""));
}

// Every page links back to the index, and every link, anchor and picture between the pages
// is there.
TEST(HelpPages, EveryLinkAndPictureResolves) {
  const fs::path pages = MERVANTA_HELP_PAGES;
  const std::regex reference(R"re((?:href|src)="([^"]*)")re");
  int checkedPages = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(pages)) {
    if (entry.path().extension() != ".html") continue;
    ++checkedPages;
    const std::string page = entry.path().filename().string();
    const std::string text = ReadWhole(entry.path());
    bool linksTheIndex = false;
    for (std::sregex_iterator match(text.begin(), text.end(), reference), end; match != end;
         ++match) {
      const std::string target = (*match)[1];
      if (target.starts_with("http:") || target.starts_with("https:")) continue;
      const size_t hash = target.find('#');
      const std::string file = target.substr(0, hash);
      const fs::path resolved = file.empty() ? entry.path() : pages / file;
      ASSERT_TRUE(fs::is_regular_file(resolved)) << page << " -> " << target;
      if (file == "index.html") linksTheIndex = true;
      if (hash != std::string::npos) {
        const std::string anchor = "id=\"" + target.substr(hash + 1) + "\"";
        EXPECT_NE(ReadWhole(resolved).find(anchor), std::string::npos) << page << " -> " << target;
      }
    }
    EXPECT_TRUE(linksTheIndex || page == "index.html") << page << " has no link to the index";
    EXPECT_EQ(text.find("<script"), std::string::npos) << page;
  }
  EXPECT_GT(checkedPages, static_cast<int>(HelpTopics().size()));
}

}  // namespace
}  // namespace mervanta
