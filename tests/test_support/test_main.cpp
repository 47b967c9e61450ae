#include <gtest/gtest.h>
#include <locale.h>

#include <cstdlib>
#include <cstring>
#include <cstdio>
#include <iostream>

#include "test_support/pinned_locale.h"

namespace {

// MERVANTA_TEST_C_LOCALE names a C library locale to run under, as the desktop toolkit sets
// the user's at start; the program's numbers must not change with it. The run fails when the
// locale is missing or writes numbers with a full stop, since it would then prove nothing.
bool SetCLibraryLocale() {
  const char* name = std::getenv("MERVANTA_TEST_C_LOCALE");
  if (name == nullptr || *name == '\0') return true;
  if (::setlocale(LC_ALL, name) == nullptr) {
    std::cerr << "The C library locale \"" << name << "\" is missing (scripts/setup.sh makes it)\n";
    return false;
  }
  if (std::strcmp(::localeconv()->decimal_point, ",") != 0) {
    std::cerr << "The C library locale \"" << name << "\" has no decimal comma\n";
    return false;
  }
  return true;
}

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
  if (!SetCLibraryLocale()) return 1;
  testing::UnitTest::GetInstance()->listeners().Append(new TShuffleSeedPrinter);
  mervanta::test::PinLocale();
  return RUN_ALL_TESTS();
}
