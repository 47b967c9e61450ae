#include "support/trim.h"

#include <gtest/gtest.h>

#include <string>

namespace mervanta {
namespace {

using namespace std::string_literals;

TEST(Trim, DropsBlanksAndControlCharactersAtTheEndsOnly) {
  struct TCase {
    std::string Text;
    std::string Left, Right, Both;
  } cases[] = {
      {" \t a b\r\n\x01", "a b\r\n\x01", " \t a b", "a b"},
      {"\0x\0"s, "x\0"s, "\0x"s, "x"},
      // Above the space nothing is blank, the non-breaking space of the code pages included.
      {"\xA0x\xA0", "\xA0x\xA0", "\xA0x\xA0", "\xA0x\xA0"},
      {"  ", "", "", ""},
      {"", "", "", ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(TrimmedLeft(c.Text), c.Left);
    EXPECT_EQ(TrimmedRight(c.Text), c.Right);
    EXPECT_EQ(Trimmed(c.Text), c.Both);
  }
}

}  // namespace
}  // namespace mervanta
