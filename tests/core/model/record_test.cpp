#include "model/record.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "field_test_helpers.h"
#include "model/byte_reader.h"
#include "settings/options.h"

namespace mervanta {
namespace {

using test::FieldsOf;
using test::TextsOf;
using test::TFieldTexts;

// A stored column, or a computed one that shows its text.
class TFakeColumn final : public TCellColumn {
 public:
  static TFakeColumn Stored(int field, bool counter = false) { return {field, counter, ""}; }
  static TFakeColumn Computed(std::string text) { return {-1, false, std::move(text)}; }

  bool IsCounter() const override { return Counter_; }
  void Calculate(const TRecord&, std::string& result) const override { result = Text_; }

 private:
  TFakeColumn(int field, bool counter, std::string text)
      : Counter_(counter), Text_(std::move(text)) {
    FieldIndex_ = field;
  }

  bool Counter_;
  std::string Text_;
};

TRecord RecordOf(const TFieldTexts& texts) {
  return TRecord(FieldsOf(texts));
}

TEST(Record, ValuesComeFromFieldsOrFromTheComputation) {
  TRecord record = RecordOf({"a", "b"});
  const TFakeColumn second = TFakeColumn::Stored(1);
  const TFakeColumn beyond = TFakeColumn::Stored(5);
  const TFakeColumn computed = TFakeColumn::Computed("sum");
  EXPECT_EQ(record.Value(second), "b");
  EXPECT_EQ(record.Value(beyond), "");
  EXPECT_EQ(record.Value(computed), "sum");

  record.SetValue(second, "B");
  record.SetValue(computed, "ignored");
  EXPECT_EQ(TextsOf(record.Fields()), (TFieldTexts{"a", "B"}));
}

TEST(Record, EmptyAndEqualTestsSkipComputedAndCounterColumnsWhenAskedTo) {
  const TFakeColumn text = TFakeColumn::Stored(0);
  const TFakeColumn counter = TFakeColumn::Stored(1, true);
  const TFakeColumn computed = TFakeColumn::Computed("always");
  const std::vector<const TCellColumn*> all{&text, &counter, &computed};
  const std::vector<const TCellColumn*> storedOnlyColumns{&text, &counter};
  using enum TColumnsConsidered;

  struct TCase {
    TFieldTexts Fields;
    TColumnsConsidered Considered;
    bool Empty;
  } emptyCases[] = {
      {{"", ""}, StoredOnly, true},   {{"", ""}, All, false}, {{"", "7"}, StoredOnly, true},
      {{"x", ""}, StoredOnly, false}, {{}, StoredOnly, true},
  };
  for (const TCase& c : emptyCases) {
    SCOPED_TRACE(testing::PrintToString(c.Fields) +
                 (c.Considered == StoredOnly ? " stored only" : ""));
    EXPECT_EQ(RecordOf(c.Fields).IsEmpty(all, c.Considered), c.Empty);
  }
  EXPECT_FALSE(RecordOf({"", "7"}).IsEmpty(storedOnlyColumns, TColumnsConsidered::All));

  struct TEqualCase {
    TFieldTexts A, B;
    TColumnsConsidered Considered;
    bool Equal;
  } equalCases[] = {
      {{"x", "1"}, {"x", "2"}, StoredOnly, true},
      {{"x", "1"}, {"x", "2"}, All, false},
      {{"x", "1"}, {"X", "1"}, All, false},
      {{"x"}, {"x", ""}, All, true},
  };
  for (const TEqualCase& c : equalCases) {
    SCOPED_TRACE(testing::PrintToString(c.A) + " " + testing::PrintToString(c.B));
    EXPECT_EQ(RecordOf(c.A).Equals(RecordOf(c.B), all, c.Considered), c.Equal);
  }
  // Columns in any order of their fields.
  const std::vector<const TCellColumn*> reversed{&counter, &text};
  EXPECT_FALSE(
      RecordOf({"x", "1"}).Equals(RecordOf({"y", "1"}), reversed, TColumnsConsidered::All));
  EXPECT_TRUE(RecordOf({"x", "1"}).Equals(RecordOf({"x", "1"}), reversed, TColumnsConsidered::All));
  EXPECT_FALSE(RecordOf({"x", ""}).IsEmpty(reversed, TColumnsConsidered::All));
}

TEST(Record, TestsAcceptOwningColumnLists) {
  std::vector<std::unique_ptr<TFakeColumn>> columns;
  columns.push_back(std::make_unique<TFakeColumn>(TFakeColumn::Stored(0)));
  EXPECT_TRUE(RecordOf({""}).IsEmpty(columns, TColumnsConsidered::StoredOnly));
  EXPECT_TRUE(RecordOf({"a"}).Equals(RecordOf({"a"}), columns, TColumnsConsidered::StoredOnly));
}

TEST(Record, CaptionShowsTheTrimmedStartOfTheFields) {
  struct TCase {
    TFieldTexts Fields;
    std::string Expected;
  } cases[] = {
      {{"Smith", "John"}, "\"Smith John\x85\""},
      {{}, "\"\x85\""},
      {{"", "\t x ", "\r\n"}, "\"x\x85\""},
      {{std::string(300, 'a')}, "\"" + std::string(199, 'a') + "\x85\""},
      {{std::string(197, 'a'), "bcd"}, "\"" + std::string(197, 'a') + " b\x85\""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Expected);
    EXPECT_EQ(RecordOf(c.Fields).Caption(), c.Expected);
  }
}

TEST(Record, WriteLineFollowsTheSeparatorAndQuotingOptions) {
  TOptions& options = Options();
  struct TRestore {
    TOptions& Options;
    ~TRestore() {
      Options.Main->SeparatorIndex->SetValue(0);
      Options.Other->QuoteAllFields->SetValue(false);
    }
  } restore{options};
  const TRecord record = RecordOf({"a", "b c"});
  struct TCase {
    int SeparatorIndex;
    bool QuoteAll;
    std::string Expected;
  } cases[] = {
      {0, false, "a;b c\r\n"},
      {1, false, "a,b c\r\n"},
      {2, false, "a\tb c\r\n"},
      {3, true, "\"a\"|\"b c\"\r\n"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Expected);
    options.Main->SeparatorIndex->SetValue(c.SeparatorIndex);
    options.Other->QuoteAllFields->SetValue(c.QuoteAll);
    std::string line;
    record.WriteLine(line);
    EXPECT_EQ(line, c.Expected);
  }
}

TEST(Record, ComesFromEveryStoredForm) {
  std::string bytes;
  RecordOf({"a", "b"}).WriteBinary(bytes);
  AppendInt32(bytes, 3);
  bytes += "c\1d";
  TByteReader reader(bytes);
  EXPECT_EQ(TextsOf(TRecord::FromBinary(reader, 2).Fields()), (TFieldTexts{"a", "b"}));
  EXPECT_EQ(TextsOf(TRecord::FromLegacy(reader).Fields()), (TFieldTexts{"c", "d"}));

  std::size_t pos = 0;
  TRecord record = TRecord::FromCsv("e;f\r\n", pos, ';');
  EXPECT_EQ(TextsOf(record.Fields()), (TFieldTexts{"e", "f"}));
  EXPECT_EQ(pos, 3u);
  EXPECT_FALSE(record.Found());
  EXPECT_FALSE(record.Chosen());
}

TEST(Record, EnsureFieldCountOnlyAdds) {
  TRecord record = RecordOf({"a", "b", "c"});
  record.EnsureFieldCount(2);
  EXPECT_EQ(record.Fields().Count(), 3);
  record.EnsureFieldCount(5);
  EXPECT_EQ(TextsOf(record.Fields()), (TFieldTexts{"a", "b", "c", "", ""}));
}

}  // namespace
}  // namespace mervanta
