#include <gtest/gtest.h>

#include "test_support/pinned_locale.h"

// Every test program runs in one pinned locale, whatever the machine's.
int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  mervanta::test::PinLocale();
  return RUN_ALL_TESTS();
}
