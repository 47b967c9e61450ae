#include "model/record_pool.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "field_test_helpers.h"
#include "support/block_arena.h"
#include "support/errors.h"

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

std::string_view BlockOf(const TFieldArray& fields) {
  return {fields.Data(), fields.DataSize()};
}

TEST(RecordPool, LoadedRecordsArePaddedAndEditedLikeAnyOther) {
  TRecordPool pool;
  const TFieldArray source = test::FieldsOf({"ab", "", "c"});
  TRecord& padded = pool.New(BlockOf(source), 3, 5);
  EXPECT_EQ(test::TextsOf(padded.Fields()), (test::TFieldTexts{"ab", "", "c", "", ""}));
  TRecord& exact = pool.New(BlockOf(source), 3, 2);
  EXPECT_EQ(test::TextsOf(exact.Fields()), (test::TFieldTexts{"ab", "", "c"}));
  pool.Widen(exact, 4);
  EXPECT_EQ(test::TextsOf(exact.Fields()), (test::TFieldTexts{"ab", "", "c", ""}));

  // Every edit of a block from the arena, in place or into a new block.
  TFieldArray& fields = padded.Fields();
  fields.SetField(0, "xy");
  fields.SetField(1, "longer text");
  fields.MoveField(1, 4);
  fields.DeleteField(0);
  fields.InsertField(0);
  fields.AppendFields(1);
  EXPECT_EQ(test::TextsOf(fields), (test::TFieldTexts{"", "c", "", "", "longer text", ""}));
  TFieldArray copy = exact.Fields();
  pool.Free(exact);
  EXPECT_EQ(test::TextsOf(copy), (test::TFieldTexts{"ab", "", "c", ""}));

  // A block larger than the arena takes, and more fields than a record holds.
  const std::string half(TBlockArena::kMaxBlockSize / 2, 'x');
  const TFieldArray large = test::FieldsOf({half, half});
  EXPECT_EQ(test::TextsOf(pool.New(BlockOf(large), 2, 3).Fields()),
            (test::TFieldTexts{half, half, ""}));
  EXPECT_THROW(pool.Widen(padded, TFieldArray::kMaxFieldCount + 1), EMervantaError);
}

}  // namespace
}  // namespace mervanta
