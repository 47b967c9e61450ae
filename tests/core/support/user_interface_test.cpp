#include "support/user_interface.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support/recording_user_interface.h"

namespace mervanta {
namespace {

TEST(UserInterface, MessagesEndInAFullStopUnlessTheyEndInPunctuation) {
  struct TCase {
    const char* Text;
    const char* Shown;
  } cases[] = {{"Invalid password", "Invalid password."},
               {"Records found: 5", "Records found: 5."},
               {"Columns:", "Columns:."},
               {"Save changes?", "Save changes?"},
               {"Done.", "Done."},
               {"Stop!", "Stop!"},
               {"(see help)", "(see help)"},
               {"Open \"a\"", "Open \"a\""},
               {"", ""}};
  for (const TCase& c : cases) EXPECT_EQ(CompleteMessageText(c.Text), c.Shown) << c.Text;
}

TEST(UserInterface, WithoutAFrontEndQuestionsAreAnsweredWithTheSafeChoice) {
  EXPECT_EQ(ShowMessageBox("Question?", "", TButtons::YesNo, TIcon::Question), TAnswer::No);
  EXPECT_EQ(ShowMessageBox("Save?", "", TButtons::YesNoCancel, TIcon::Question), TAnswer::Cancel);
  EXPECT_EQ(ShowMessageBox("Note"), TAnswer::Ok);
}

TEST(UserInterface, FrontEndsNestAndTheOneBeforeComesBack) {
  test::TRecordingUserInterface outer;
  {
    test::TRecordingUserInterface inner;
    ShowMessageBox("Inner");
    EXPECT_EQ(inner.Events, std::vector<std::string>{"message Mervanta: Inner."});
  }
  ShowMessageBox("Outer");
  EXPECT_EQ(outer.Events, std::vector<std::string>{"message Mervanta: Outer."});
  EXPECT_EQ(&UserInterface(), &outer);
}

}  // namespace
}  // namespace mervanta
