#include "support/progress.h"

#include <gtest/gtest.h>

#include "test_support/recording_user_interface.h"
#include "test_support/scoped_progress.h"

namespace mervanta {
namespace {

std::uint32_t FakeNow = 0;
std::uint32_t FakeClock() {
  return FakeNow;
}

class ProgressTest : public testing::Test {
 protected:
  ProgressTest() { FakeNow = 1000; }
  // Runs `total` steps, advancing the clock by `msPerStep` before each.
  void Run(int total, int steps, std::uint32_t msPerStep) {
    TProgressScope scope(total);
    for (int i = 0; i < steps; ++i) {
      FakeNow += msPerStep;
      TProgress::Step();
    }
  }
  std::vector<std::string> EventsWithout(const std::string& prefix) const {
    std::vector<std::string> kept;
    for (const auto& event : Ui.Events) {
      if (event.rfind(prefix, 0) != 0) kept.push_back(event);
    }
    return kept;
  }
  test::TScopedProgress Progress{&FakeClock};
  test::TRecordingUserInterface Ui;
};

TEST_F(ProgressTest, QuickOperationsShowOnlyTheWaitCursor) {
  Run(1000, 1000, 0);
  EXPECT_EQ(Ui.Events, (std::vector<std::string>{"cursor busy", "cursor default"}));
}

TEST_F(ProgressTest, ALongOperationShowsTheWindowAndRebasesTheBar) {
  Run(1000, 1000, 11);  // 20 steps take 220 ms
  ASSERT_GE(Ui.Events.size(), 5u);
  EXPECT_EQ(Ui.Events[0], "cursor busy");
  EXPECT_EQ(Ui.Events[1], "show 980") << "the bar covers the 980 steps left after step 20";
  EXPECT_EQ(Ui.Events[2], "text 0%");
  EXPECT_EQ(Ui.Events[3], "position 0");
  EXPECT_EQ(Ui.Events[4], "text 1%");
  EXPECT_EQ(Ui.Events.end()[-4], "text 100%");
  EXPECT_EQ(Ui.Events.end()[-3], "position 980");
  EXPECT_EQ(Ui.Events.end()[-2], "cursor default");
  EXPECT_EQ(Ui.Events.end()[-1], "close");
  int texts = 0, positions = 0;
  for (const auto& event : Ui.Events) {
    texts += event.rfind("text ", 0) == 0;
    positions += event.rfind("position ", 0) == 0;
  }
  EXPECT_EQ(texts, 101) << "each percentage once";
  EXPECT_EQ(positions, 21) << "the bar moves every 5 %";
}

TEST_F(ProgressTest, NoWindowWhenPastThirtyPercentOrSwitchedOff) {
  Run(100, 100, 7);  // 200 ms pass only at step 29, but the check falls on step 40 (40 %)
  EXPECT_EQ(Ui.Events, (std::vector<std::string>{"cursor busy", "cursor default"}));
  Ui.Events.clear();
  TProgress::SetWindowEnabled(false);
  Run(1000, 1000, 50);
  EXPECT_EQ(Ui.Events, (std::vector<std::string>{"cursor busy", "cursor default"}));
}

TEST_F(ProgressTest, AnEmptyTotalShowsNothingAndDividesByNothing) {
  Run(0, 100, 50);
  EXPECT_EQ(Ui.Events, (std::vector<std::string>{"cursor busy", "cursor default"}));
}

TEST_F(ProgressTest, ANestedBracketIsIgnoredWithItsSteps) {
  {
    TProgressScope outer(100);
    Run(1000, 1000, 50);  // an inner routine reporting its own progress
    EXPECT_TRUE(TProgress::IsRunning());
  }
  EXPECT_FALSE(TProgress::IsRunning());
  EXPECT_EQ(Ui.Events, (std::vector<std::string>{"cursor busy", "cursor default"}));
}

TEST_F(ProgressTest, BusyCursorNests) {
  TProgress::BeginBusy();
  TProgress::BeginBusy();
  TProgress::EndBusy();
  EXPECT_EQ(Ui.Cursor(), TCursor::Hourglass);
  TProgress::EndBusy();
  TProgress::EndBusy();  // unmatched: ignored
  EXPECT_EQ(Ui.Events, (std::vector<std::string>{"cursor busy", "cursor default"}));
}

}  // namespace
}  // namespace mervanta
