#include "model/record_pool.h"

#include <gtest/gtest.h>

#include <vector>

namespace mervanta {
namespace {

TEST(RecordPool, ReusesFreedSlotsAndIgnoresWhatItDoesNotHold) {
  TRecordPool pool;
  std::vector<TRecord*> records;
  for (int i = 0; i < 1000; ++i) records.push_back(&pool.New(TFieldArray(i % 3)));
  EXPECT_EQ(pool.LiveCount(), 1000u);

  TRecord* freed = records[500];
  pool.Free(*freed);
  pool.Free(*freed);
  TRecord elsewhere;
  pool.Free(elsewhere);
  EXPECT_EQ(pool.LiveCount(), 999u);
  EXPECT_EQ(&pool.New(TFieldArray(4)), freed);
  EXPECT_EQ(freed->Fields().Count(), 4);

  // Records still held are destroyed with the pool: the sanitizer build sees no leak.
  pool.Reserve(5000);
  for (int i = 0; i < 5000; ++i) pool.New(TFieldArray(1)).Fields().SetField(0, "text");
  EXPECT_EQ(pool.LiveCount(), 6000u);
}

}  // namespace
}  // namespace mervanta
