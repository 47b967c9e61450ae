#include "app/message_box.h"

#include <gtest/gtest.h>

namespace mervanta {
namespace {

TEST(MessageBox, TextsEndingInALetterDigitOrColonGetAFullStop) {
  struct TCase {
    const char* Text;
    const char* Shown;
  } cases[] = {{"Invalid password", "Invalid password."},
               {"Records found: 12", "Records found: 12."},
               {"Columns:", "Columns:."},
               {"Delete record?", "Delete record?"},
               {"Done.", "Done."},
               {"Stop!", "Stop!"},
               {"(see above)", "(see above)"},
               {"Open \"a.csv\"", "Open \"a.csv\""},
               {"caf\xE9", "caf\xE9."},
               {"", ""}};
  for (const TCase& c : cases) EXPECT_EQ(WithFullStop(c.Text), c.Shown) << c.Text;
}

}  // namespace
}  // namespace mervanta
