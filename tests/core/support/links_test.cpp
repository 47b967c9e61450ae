#include "support/links.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "test_support/temp_dir.h"

namespace mervanta {

void PrintTo(const TLinkRange& range, std::ostream* out) {
  *out << "{" << range.Start << ", " << range.Length << "}";
}

namespace {

using TLinks = std::vector<TLinkRange>;

TEST(Links, IsURLWantsWwwOrASchemeWithTwoSlashes) {
  struct TCase {
    const char* Word;
    bool Url;
  } cases[] = {
      {"www.ab", true},     {"www.a", false},         {"http://a", true},
      {"http://", false},   {"http:/a.com", false},   {"http:\\\\host", true},
      {"ftp:/\\x", true},   {"https://x.org", true},  {"https:/x.org", false},
      {"url://x", true},    {"gopher://h", true},     {"wais://h", true},
      {"xhttp://a", false}, {"mailto:a@b.cd", false}, {"http//a.b.c", false},
      {"file:///", true},   {"nntp:x//", false},      {"", false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Word);
    EXPECT_EQ(IsURL(c.Word), c.Url);
  }
}

TEST(Links, IsEmailWantsLowercaseNameAtHostWithADot) {
  struct TCase {
    const char* Word;
    bool Email;
  } cases[] = {
      {"a@b.cd", true},     {"a@b.c", false},    {"ab@cdef", false},       {"@ab.cd", false},
      {"ab@.cd", false},    {"ab@c.d.e", true},  {"a_b-c.d@e-f.gh", true}, {"Ab@cd.ef", false},
      {"a+b@cd.ef", false}, {"a@b@c.de", false}, {"me@site.org,", false},  {"", false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Word);
    EXPECT_EQ(IsEmail(c.Word), c.Email);
  }
}

TEST(Links, FindLinksCutsTheTextIntoWords) {
  struct TCase {
    const char* Text;
    bool Urls, Emails;
    TLinks Links;
  } cases[] = {
      {"", true, true, {}},
      {"see www.site.com, or mail me@site.org", true, true, {{5, 12}, {27, 11}}},
      {"see www.site.com, or mail me@site.org", true, false, {{5, 12}}},
      {"see www.site.com, or mail me@site.org", false, true, {{27, 11}}},
      {"see www.site.com, or mail me@site.org", false, false, {}},
      {"Visit HTTP://Example.COM now", true, false, {{7, 18}}},
      {"Write to Me@Site.ORG", false, true, {{10, 11}}},
      {"(http://a.b);<x@y.com>", true, true, {{2, 10}, {15, 7}}},
      {"go!www.abc.d!", true, false, {{4, 9}}},
      {"a\r\nwww.ab.c\tb", true, false, {{4, 8}}},
      {"href=\"http://a.b\" url=http://x.y", true, false, {}},
      {"http:/one.slash only", true, false, {}},
      {"www.a@b.cd", true, true, {{1, 10}}},
      {"@home: me@x.org", false, true, {{8, 8}}},
      {"caf\xE9 www.ab.c", true, false, {{6, 8}}},
      {"no links at all", true, true, {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.Text));
    EXPECT_EQ(FindLinks(c.Text, {.Urls = c.Urls, .Emails = c.Emails}, {}), c.Links);
  }
}

// Relative names start from the table's folder, which is not the current one here.
TEST(Links, FileModeTakesAnExistingFileOrFolderWhole) {
  test::TTempDir folder;
  const std::string file = folder.Write("my notes.txt", "");
  std::filesystem::create_directory(folder.File("caf\xC3\xA9"));  // named in UTF-8 on disk
  const std::string ansiFolder = folder.File("caf\xE9");          // as a cell holds it
  struct TCase {
    std::string Text;
    bool Urls;
    TLinks Links;
  } cases[] = {
      {file, false, {{1, static_cast<std::int32_t>(file.size())}}},
      {folder.Path(), false, {{1, static_cast<std::int32_t>(folder.Path().size())}}},
      {ansiFolder, false, {{1, static_cast<std::int32_t>(ansiFolder.size())}}},
      {folder.File("missing.txt"), false, {}},
      {"my notes.txt", false, {{1, 12}}},
      {"./caf\xE9/../my notes.txt", false, {{1, 22}}},
      {"missing.txt", false, {}},
      {file + std::string(1, '\0') + "tail", false, {}},
      {"www.example.com", true, {{1, 15}}},
      {"", true, {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.Text));
    EXPECT_EQ(FindLinks(c.Text, {.Urls = c.Urls, .Files = true}, folder.Path()), c.Links);
  }
}

}  // namespace
}  // namespace mervanta
