#include "views/help_topics.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "formula/formula_calculator.h"
#include "formula/methods_manager.h"

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

// The examples need no column: a reference is an error they would show.
class TNoColumns final : public TFoLinkResolver {
 public:
  bool ResolveLink(std::int32_t, const void*, std::string&, std::string_view&) override {
    return false;
  }
};

std::string Unescape(std::string text) {
  for (const auto& [entity, character] : {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}}) {
    for (size_t at = text.find(entity); at != std::string::npos; at = text.find(entity, at))
      text.replace(at, std::string_view(entity).size(), character);
  }
  return text;
}

TEST(HelpPages, TheFormulaPageDescribesEveryOperatorAndFunction) {
  const std::string page = Unescape(ReadWhole(fs::path(MERVANTA_HELP_PAGES) / "formulas.html"));
  for (const std::string& name : TMethodsManager::Names()) {
    const bool described = page.find("<code>" + name + "(") != std::string::npos ||
                           page.find("<code>" + name + "</code>") != std::string::npos;
    EXPECT_TRUE(described) << name;
  }
}

std::vector<std::string> Split(const std::string& cell) {
  std::vector<std::string> parts;
  const std::regex lineBreak("<br>");
  for (std::sregex_token_iterator part(cell.begin(), cell.end(), lineBreak, -1), end; part != end;
       ++part)
    parts.push_back(*part);
  return parts;
}

// Cells of each four-cell row of the formula page's tables.
std::vector<std::vector<std::string>> ExampleRows(const std::string& page) {
  const std::regex row(R"(<tr>([\s\S]*?)</tr>)");
  const std::regex cell(R"(<td>([\s\S]*?)</td>)");
  std::vector<std::vector<std::string>> rows;
  for (std::sregex_iterator match(page.begin(), page.end(), row), end; match != end; ++match) {
    const std::string text = (*match)[1];
    std::vector<std::string> cells;
    for (std::sregex_iterator each(text.begin(), text.end(), cell); each != end; ++each)
      cells.push_back((*each)[1]);
    if (cells.size() == 4) rows.push_back(std::move(cells));
  }
  return rows;
}

// An example that stands alone (no column reference) and whose result is written out must be
// what the formula engine computes.
TEST(HelpPages, FormulaExamplesGiveTheResultsShown) {
  const std::string page = ReadWhole(fs::path(MERVANTA_HELP_PAGES) / "formulas.html");
  const std::regex code("^<code>(.*)</code>$");
  TNoColumns resolver;
  int checked = 0;
  for (const std::vector<std::string>& row : ExampleRows(page)) {
    const std::vector<std::string> examples = Split(row[2]);
    const std::vector<std::string> results = Split(row[3]);
    if (examples.size() != results.size()) continue;
    for (size_t i = 0; i < examples.size(); ++i) {
      std::smatch formula;
      if (!std::regex_match(examples[i], formula, code)) continue;
      const std::string text = Unescape(formula[1]);
      if (text.find('#') != std::string::npos || results[i].find(' ') != std::string::npos)
        continue;
      TFormulaCalculator calculator;
      calculator.SetFormula(text);
      std::string result;
      calculator.Calculate(nullptr, result, resolver);
      EXPECT_EQ(result, Unescape(results[i])) << text;
      ++checked;
    }
  }
  EXPECT_GT(checked, 40);
}

}  // namespace
}  // namespace mervanta
