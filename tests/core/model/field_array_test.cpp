#include "model/field_array.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "field_test_helpers.h"
#include "model/byte_reader.h"
#include "support/errors.h"

namespace mervanta {
namespace {

using test::ExpectedDataSize;
using test::FieldsOf;
using test::TextsOf;
using test::TFieldTexts;

std::string Int32Bytes(std::int32_t value) {
  std::string bytes;
  AppendInt32(bytes, value);
  return bytes;
}

void ExpectStreamReadError(const std::function<void()>& read) {
  try {
    read();
    ADD_FAILURE() << "no error";
  } catch (const EMervantaError& error) {
    EXPECT_STREQ(error.what(), "Stream read error");
  }
}

TEST(FieldArray, BlockHoldsLengthPrefixedFieldsAndNothingElse) {
  TFieldArray fields = FieldsOf({"ab", "", "c"});
  EXPECT_EQ(std::string(fields.Data(), fields.DataSize()), std::string("\2\0ab\0\0\1\0c", 9));
  EXPECT_EQ(fields.FieldOffset(-1), 0u);
  EXPECT_EQ(fields.FieldOffset(2), 6u);
  EXPECT_EQ(fields.FieldOffset(3), 9u);
  EXPECT_EQ(fields.Field(7), "");
  EXPECT_EQ(fields.Field(-1), "");

  TFieldArray empty(3);
  EXPECT_EQ(std::string(empty.Data(), empty.DataSize()), std::string(6, '\0'));
  EXPECT_EQ(TFieldArray().Data(), nullptr);
}

TEST(FieldArray, CursorAnswersAsTheArrayInAnyOrder) {
  const TFieldArray fields = FieldsOf({"zero", "", "two", std::string(300, 'x'), "four"});
  const std::vector<int> orders[] = {{0, 1, 2, 3, 4}, {4, 2, 0},         {2, 2, 3},
                                     {3, 1, 4, 0},    {-1, 5, 1, 99, 3}, {}};
  for (const std::vector<int>& order : orders) {
    TFieldArray::TCursor cursor(fields);
    for (const int i : order) {
      SCOPED_TRACE(i);
      const std::string_view text = cursor.Field(i);
      EXPECT_EQ(text, fields.Field(i));
      if (!text.empty()) {
        EXPECT_EQ(text.data(), fields.Field(i).data()) << "a view, not a copy";
      }
    }
  }
  EXPECT_EQ(TFieldArray::TCursor(TFieldArray()).Field(0), "");
}

TEST(FieldArray, EditsKeepTheBlockExact) {
  struct TCase {
    const char* Name;
    std::function<void(TFieldArray&)> Edit;
    TFieldTexts Expected;
  } cases[] = {
      {"insert first", [](TFieldArray& f) { f.InsertField(0); }, {"", "a", "bb", "ccc"}},
      {"insert middle", [](TFieldArray& f) { f.InsertField(1); }, {"a", "", "bb", "ccc"}},
      {"insert beyond appends", [](TFieldArray& f) { f.InsertField(9); }, {"a", "bb", "ccc", ""}},
      {"delete first", [](TFieldArray& f) { f.DeleteField(0); }, {"bb", "ccc"}},
      {"delete last", [](TFieldArray& f) { f.DeleteField(2); }, {"a", "bb"}},
      {"delete missing", [](TFieldArray& f) { f.DeleteField(3); }, {"a", "bb", "ccc"}},
      {"delete all",
       [](TFieldArray& f) { f.DeleteField(0), f.DeleteField(0), f.DeleteField(0); },
       {}},
      {"move forward", [](TFieldArray& f) { f.MoveField(0, 2); }, {"bb", "ccc", "a"}},
      {"move back", [](TFieldArray& f) { f.MoveField(2, 0); }, {"ccc", "a", "bb"}},
      {"move one on", [](TFieldArray& f) { f.MoveField(0, 1); }, {"bb", "a", "ccc"}},
      {"move beyond end", [](TFieldArray& f) { f.MoveField(0, 9); }, {"bb", "ccc", "a"}},
      {"move missing", [](TFieldArray& f) { f.MoveField(5, 0); }, {"a", "bb", "ccc"}},
      {"set shorter", [](TFieldArray& f) { f.SetField(1, ""); }, {"a", "", "ccc"}},
      {"set longer", [](TFieldArray& f) { f.SetField(1, "longer"); }, {"a", "longer", "ccc"}},
      {"set same length", [](TFieldArray& f) { f.SetField(2, "xyz"); }, {"a", "bb", "xyz"}},
      {"set beyond adds fields",
       [](TFieldArray& f) { f.SetField(4, "e"); },
       {"a", "bb", "ccc", "", "e"}},
      {"set from own field",
       [](TFieldArray& f) { f.SetField(0, f.Field(2)); },
       {"ccc", "bb", "ccc"}},
      {"set from own field in place",
       [](TFieldArray& f) { f.SetField(2, f.Field(2).substr(1)); },
       {"a", "bb", "cc"}},
      {"append", [](TFieldArray& f) { f.AppendFields(2); }, {"a", "bb", "ccc", "", ""}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TFieldArray fields = FieldsOf({"a", "bb", "ccc"});
    c.Edit(fields);
    EXPECT_EQ(TextsOf(fields), c.Expected);
    EXPECT_EQ(fields.DataSize(), ExpectedDataSize(c.Expected));
  }
}

TEST(FieldArray, CopiesAreIndependentAndMovesLeaveNothingBehind) {
  TFieldArray original = FieldsOf({"a", "b"});
  TFieldArray copy = original;
  copy.SetField(0, "changed");
  EXPECT_EQ(TextsOf(original), (TFieldTexts{"a", "b"}));
  EXPECT_EQ(TextsOf(copy), (TFieldTexts{"changed", "b"}));

  TFieldArray moved = std::move(copy);
  EXPECT_EQ(TextsOf(moved), (TFieldTexts{"changed", "b"}));
  EXPECT_EQ(copy.Count(), 0);  // NOLINT(bugprone-use-after-move): moved-from arrays are empty
  EXPECT_EQ(copy.Field(0), "");
}

TEST(FieldArray, RefusesToBreakTheFormatLimits) {
  TFieldArray fields(1);
  fields.SetField(0, std::string(TFieldArray::kMaxFieldLength, 'x'));
  EXPECT_EQ(fields.Field(0).size(), TFieldArray::kMaxFieldLength);
  EXPECT_THROW(fields.SetField(0, std::string(TFieldArray::kMaxFieldLength + 1, 'x')),
               EMervantaError);
  EXPECT_EQ(fields.Field(0).size(), TFieldArray::kMaxFieldLength);

  fields.AppendFields(TFieldArray::kMaxFieldCount - 1);
  EXPECT_EQ(fields.Count(), TFieldArray::kMaxFieldCount);
  for (const auto& grow : std::initializer_list<std::function<void()>>{
           [&] { fields.AppendFields(1); }, [&] { fields.InsertField(0); },
           [&] { fields.SetField(TFieldArray::kMaxFieldCount, "x"); }}) {
    try {
      grow();
      ADD_FAILURE() << "grew past the limit";
    } catch (const EMervantaError& error) {
      EXPECT_STREQ(error.what(), "Too many columns (256 max)");
    }
  }
  EXPECT_EQ(fields.Count(), TFieldArray::kMaxFieldCount);
}

TEST(FieldArray, BinaryFormRoundTrips) {
  const TFieldTexts texts{"one", "", std::string("t\0o", 3), std::string(300, 'x')};
  std::string bytes;
  FieldsOf(texts).WriteBinary(bytes);
  EXPECT_EQ(bytes.substr(0, 4), Int32Bytes(static_cast<std::int32_t>(ExpectedDataSize(texts))));
  TFieldArray().WriteBinary(bytes);

  TByteReader reader(bytes);
  EXPECT_EQ(TextsOf(TFieldArray::ReadBinary(reader, 4)), texts);
  EXPECT_EQ(TextsOf(TFieldArray::ReadBinary(reader, 0)), TFieldTexts{});
  EXPECT_TRUE(reader.AtEnd());
}

TEST(FieldArray, BinaryReaderRejectsBlocksThatDoNotHoldTheirFields) {
  const std::string twoFields("\1\0a\0\0", 5);
  struct TCase {
    const char* Name;
    std::string Bytes;
    int Count;
  } cases[] = {
      {"negative size", Int32Bytes(-1), 0},
      {"size beyond the limit", Int32Bytes(16777473), 0},
      {"block cut short", Int32Bytes(5) + "\1\0a", 2},
      {"size field cut short", std::string("\5\0", 2), 2},
      {"fewer fields than announced", Int32Bytes(5) + twoFields, 3},
      {"more fields than announced", Int32Bytes(5) + twoFields, 1},
      {"prefix past the block", Int32Bytes(3) + std::string("\7\0a", 3), 1},
      {"field count over the limit", Int32Bytes(0), 257},
      {"negative field count", Int32Bytes(0), -1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TByteReader reader(c.Bytes);
    ExpectStreamReadError([&] { TFieldArray::ReadBinary(reader, c.Count); });
  }
}

TEST(FieldArray, LegacyFormSplitsAtOneBytes) {
  struct TCase {
    std::string Text;
    TFieldTexts Expected;
  } cases[] = {
      {"", {}},     {"a", {"a"}},         {"a\1b", {"a", "b"}},     {"a\1", {"a"}},
      {"\1", {""}}, {"a\1\1", {"a", ""}}, {"\1\1b", {"", "", "b"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    std::string bytes = Int32Bytes(static_cast<std::int32_t>(c.Text.size())) + c.Text;
    TByteReader reader(bytes);
    TFieldArray fields = TFieldArray::ReadLegacy(reader);
    EXPECT_EQ(TextsOf(fields), c.Expected);
    EXPECT_EQ(fields.DataSize(), ExpectedDataSize(c.Expected));
    EXPECT_TRUE(reader.AtEnd());
  }
}

TEST(FieldArray, LegacyReaderRejectsWhatNoFieldArrayCanHold) {
  const std::string tooManyFields(256, '\1');
  const std::string tooLongField(TFieldArray::kMaxFieldLength + 1, 'x');
  for (const std::string& bytes :
       {Int32Bytes(-5), Int32Bytes(16777473), Int32Bytes(4) + "abc",
        Int32Bytes(static_cast<std::int32_t>(tooManyFields.size() + 1)) + tooManyFields + "x",
        Int32Bytes(static_cast<std::int32_t>(tooLongField.size())) + tooLongField}) {
    SCOPED_TRACE(bytes.substr(0, 8));
    TByteReader reader(bytes);
    ExpectStreamReadError([&] { TFieldArray::ReadLegacy(reader); });
  }
}

}  // namespace
}  // namespace mervanta
