#include <gtest/gtest.h>

#include <cstdio>

#include "test_support/pinned_locale.h"

namespace {

// The brief printer is silent about the order of a shuffled run; this names its seed, so
// that a failure can be repeated with --gtest_random_seed.
class TShuffleSeedPrinter final : public testing::EmptyTestEventListener {
  void OnTestIterationStart(const testing::UnitTest& unitTest, int) override {
    if (GTEST_FLAG_GET(shuffle) && GTEST_FLAG_GET(brief)) {
      std::printf("Tests shuffled with --gtest_random_seed=%d\n", unitTest.random_seed());
    }
  }
};

}  // namespace

// Every test program runs in one pinned locale, whatever the machine's.
int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  testing::UnitTest::GetInstance()->listeners().Append(new TShuffleSeedPrinter);
  mervanta::test::PinLocale();
  return RUN_ALL_TESTS();
}
