#include "model/mask_matcher.h"

#include <gtest/gtest.h>

#include <string>

#include "support/errors.h"

namespace mervanta {
namespace {

TEST(MaskMatcher, MatchesWholeValuesIgnoringCase) {
  struct TCase {
    const char* Mask;
    std::string Value;
    bool Expected;
  } cases[] = {
      {"*", "", true},
      {"*", "abc", true},
      {"", "", true},
      {"", "a", false},
      {"?", "", false},
      {"?", "a", true},
      {"??", "a", false},
      {"a*c", "abbbc", true},
      {"a*c", "abcd", false},
      {"*.txt", "FILE.TXT", true},
      {"*.txt", "file.txt.bak", false},
      {"*a*b", "xaxb", true},
      {"**a", "ba", true},
      {"a*b*c", "aXbYbZc", true},
      {"[a-c]x", "bx", true},
      {"[a-c]x", "dx", false},
      {"[!a-c]x", "dx", true},
      {"[!a-c]x", "ax", false},
      {"[abc]", "B", true},
      {"[c-a]", "b", true},
      {"[a-]", "-", true},
      {"[a-]", "b", false},
      {"a[*]b", "a*b", true},
      {"a[*]b", "axb", false},
      {"a]", "A]", true},
      {"*", std::string("\0\xFF", 2), true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.Mask) + " on " + c.Value);
    EXPECT_EQ(TMaskMatcher(c.Mask).Matches(c.Value), c.Expected);
  }
}

TEST(MaskMatcher, NamesWhereAMaskIsMalformed) {
  struct TCase {
    const char* Mask;
    const char* Message;
  } cases[] = {
      {"[abc", "'[abc' is an invalid mask at (1)"}, {"ab[", "'ab[' is an invalid mask at (3)"},
      {"[]", "'[]' is an invalid mask at (2)"},     {"x[!]", "'x[!]' is an invalid mask at (4)"},
      {"a[!x", "'a[!x' is an invalid mask at (2)"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Mask);
    try {
      TMaskMatcher matcher(c.Mask);
      ADD_FAILURE() << "no error";
    } catch (const EMervantaError& error) {
      EXPECT_STREQ(error.what(), c.Message);
    }
  }
}

TEST(MaskMatcher, ManyStarsAgainstALongValueStayCheap) {
  const std::string value(200000, 'a');
  EXPECT_FALSE(TMaskMatcher("*a*a*a*a*a*a*a*a*a*a*b").Matches(value));
  EXPECT_TRUE(TMaskMatcher("*a*a*a*a*a*a*a*a*a*a*a").Matches(value));
  EXPECT_FALSE(TMaskMatcher("*a?a?a?a?a?a?a?a?a?b*").Matches(value));
}

}  // namespace
}  // namespace mervanta
