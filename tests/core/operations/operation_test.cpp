#include "operations/operation.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "core/model/records_fixture.h"
#include "core/table/table_fixture.h"
#include "support/progress.h"
#include "table/table.h"
#include "test_support/pinned_locale.h"
#include "test_support/recording_user_interface.h"
#include "test_support/scoped_progress.h"

namespace mervanta::test {
namespace {

TEST(Operation, KindsHaveTheirNamesAndNeeds) {
  struct TKindCase {
    TOperationKind Kind;
    const char* Name;
    int Needs;
  };
  const TKindCase cases[] = {
      {TOperationKind::Fill, "Fill", 18},
      {TOperationKind::Insert, "Insert", 21},
      {TOperationKind::Replace, "Replace", 25},
      {TOperationKind::Delete, "Delete", 9},
      {TOperationKind::UpperCase, "Upper case", 9},
      {TOperationKind::LowerCase, "Lower case", 9},
      {TOperationKind::InvertRegister, "Invert register", 9},
      {TOperationKind::AnsiToOem, "ANSI -> OEM", 2},
      {TOperationKind::OemToAnsi, "OEM -> ANSI", 2},
      {TOperationKind::Trim, "Delete leading and trailing blanks", 2},
      {static_cast<TOperationKind>(10), "", 0},
      {static_cast<TOperationKind>(255), "", 0},
  };
  for (const TKindCase& each : cases) {
    SCOPED_TRACE(static_cast<int>(each.Kind));
    EXPECT_EQ(TOperation::KindName(each.Kind), each.Name);
    EXPECT_EQ(static_cast<int>(TOperation::Needs(each.Kind)), each.Needs);
  }
}

struct TPositionCase {
  const char* Name;
  TPositionMode Mode;
  const char* Text;
  std::int32_t Index;
  const char* Cell;
  int Expected;
};

void PrintTo(const TPositionCase& each, std::ostream* out) {
  *out << each.Name;
}

class ResolvePositionTest : public testing::TestWithParam<TPositionCase> {};

TEST_P(ResolvePositionTest, GivesAnOffsetWithinTheText) {
  const TPositionCase& each = GetParam();
  const TOperationPosition position{each.Mode, each.Text, each.Index};
  EXPECT_EQ(TOperation::ResolvePosition(position, each.Cell), each.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Operation, ResolvePositionTest,
    testing::Values(
        TPositionCase{"Index", TPositionMode::SymbolIndex, "", 2, "abcdef", 2},
        TPositionCase{"IndexPastTheEnd", TPositionMode::SymbolIndex, "", 99, "abcdef", 6},
        TPositionCase{"NegativeIndex", TPositionMode::SymbolIndex, "", -3, "abcdef", 0},
        TPositionCase{"IndexFromTheEnd", TPositionMode::SymbolIndexFromEnd, "", 2, "abcdef", 4},
        TPositionCase{"IndexFromTheEndPastTheStart", TPositionMode::SymbolIndexFromEnd, "", 99,
                      "abcdef", 0},
        TPositionCase{"SmallestIndexFromTheEnd", TPositionMode::SymbolIndexFromEnd, "", INT_MIN,
                      "abc", 3},
        TPositionCase{"BeginOfFirst", TPositionMode::SubstringBegin, "ab", 0, "xabyab", 1},
        TPositionCase{"EndOfFirst", TPositionMode::SubstringEnd, "ab", 0, "xabyab", 3},
        TPositionCase{"BeginOfLast", TPositionMode::SubstringBeginFromEnd, "ab", 0, "xabyab", 4},
        TPositionCase{"EndOfLast", TPositionMode::SubstringEndFromEnd, "ab", 0, "xabyab", 6},
        TPositionCase{"LastAtTheStart", TPositionMode::SubstringBeginFromEnd, "ab", 0, "abxy", 0},
        TPositionCase{"CaseSensitive", TPositionMode::SubstringBegin, "AB", 0, "abAB", 2},
        TPositionCase{"AbsentBegin", TPositionMode::SubstringBegin, "q", 0, "abc", 0},
        TPositionCase{"AbsentEnd", TPositionMode::SubstringEnd, "q", 0, "abc", 0},
        TPositionCase{"AbsentBeginFromTheEnd", TPositionMode::SubstringBeginFromEnd, "q", 0, "abc",
                      3},
        TPositionCase{"AbsentEndFromTheEnd", TPositionMode::SubstringEndFromEnd, "q", 0, "abc", 3},
        TPositionCase{"EmptyFromTheStart", TPositionMode::SubstringEnd, "", 0, "abc", 0},
        TPositionCase{"EmptyFromTheEnd", TPositionMode::SubstringBeginFromEnd, "", 0, "abc", 3},
        TPositionCase{"LongerThanTheText", TPositionMode::SubstringEndFromEnd, "abcd", 0, "abc", 3},
        TPositionCase{"UnknownMode", static_cast<TPositionMode>(6), "", 2, "abc", 0}),
    [](const auto& info) { return info.param.Name; });

// Stored columns A and B and the virtual V = A + A, over records of All; the operation
// works on the list Other.
class OperationTest : public testing::Test {
 protected:
  OperationTest() : Table(2), A(Table.Column("A")), B(Table.Column("B")) {
    Table.AddColumn("V", TColumnStorage::Virtual).Formula->SetValue("#1+#1");
    Operation.Records = &Table.Other;
  }

  // The cell of A: what the operation computes, then what it writes.
  void ExpectResult(const std::string& cell, const std::string& expected) {
    TRecord& record = Table.Make({cell, "b"});
    Table.All.Add(record);
    Table.Other.Add(record);
    Operation.Column = &A;
    Operation.Columns = {&A};
    EXPECT_EQ(Operation.ComputeText(0, A), expected);
    Operation.Execute();
    EXPECT_EQ(record.Fields().Field(0), expected);
    EXPECT_EQ(record.Fields().Field(1), "b");
  }

  TRecordsFixture Table;
  TColumn& A;
  TColumn& B;
  TOperation Operation;
};

struct TEditCase {
  const char* Name;
  std::function<void(TOperation&)> Set;
  const char* Cell;
  const char* Expected;
};

void PrintTo(const TEditCase& each, std::ostream* out) {
  *out << each.Name;
}

class OperationEditTest : public OperationTest, public testing::WithParamInterface<TEditCase> {};

TEST_P(OperationEditTest, ComputesAndWritesTheNewText) {
  GetParam().Set(Operation);
  ExpectResult(GetParam().Cell, GetParam().Expected);
}

TOperationPosition Substring(TPositionMode mode, std::string text) {
  return {mode, std::move(text), 0};
}

TOperationPosition Index(TPositionMode mode, std::int32_t index) {
  return {mode, {}, index};
}

// Sets the kind and the data text; the interval stays the whole text unless given.
std::function<void(TOperation&)> Kind(
    TOperationKind kind, std::string data = {},
    TOperationPosition start = Index(TPositionMode::SymbolIndex, 0),
    TOperationPosition end = Index(TPositionMode::SymbolIndexFromEnd, 0)) {
  return [=](TOperation& operation) {
    operation.Kind = kind;
    operation.Data.Text = data;
    operation.IntervalStart = start;
    operation.IntervalEnd = end;
  };
}

std::function<void(TOperation&)> InsertAt(TOperationPosition position) {
  return [=](TOperation& operation) {
    operation.Kind = TOperationKind::Insert;
    operation.Data.Text = "X";
    operation.Position = position;
  };
}

INSTANTIATE_TEST_SUITE_P(
    Operation, OperationEditTest,
    testing::Values(
        TEditCase{"Fill", Kind(TOperationKind::Fill, "new"), "old", "new"},
        TEditCase{"InsertAtIndex", InsertAt(Index(TPositionMode::SymbolIndex, 1)), "abc", "aXbc"},
        TEditCase{"InsertBeforeAnAbsentSubstring",
                  InsertAt(Substring(TPositionMode::SubstringBegin, "q")), "abc", "Xabc"},
        TEditCase{"InsertAfterAnAbsentSubstringFromTheEnd",
                  InsertAt(Substring(TPositionMode::SubstringBeginFromEnd, "q")), "abc", "abcX"},
        TEditCase{"InsertAfterTheLastSubstring",
                  InsertAt(Substring(TPositionMode::SubstringEndFromEnd, "b")), "abab", "ababX"},
        TEditCase{"ReplaceTheWholeText", Kind(TOperationKind::Replace, "new"), "old", "new"},
        TEditCase{"ReplaceWithSwappedEnds",
                  Kind(TOperationKind::Replace, "-", Index(TPositionMode::SymbolIndexFromEnd, 1),
                       Index(TPositionMode::SymbolIndex, 1)),
                  "abcd", "a-d"},
        TEditCase{"DeleteTheFirstOccurrence",
                  Kind(TOperationKind::Delete, {}, Substring(TPositionMode::SubstringBegin, "xy"),
                       Substring(TPositionMode::SubstringEnd, "xy")),
                  "axybxy", "abxy"},
        TEditCase{"DeleteAnAbsentSubstring",
                  Kind(TOperationKind::Delete, {}, Substring(TPositionMode::SubstringBegin, "q"),
                       Substring(TPositionMode::SubstringEnd, "q")),
                  "abc", "abc"},
        TEditCase{"UpperCaseOfAnInterval",
                  Kind(TOperationKind::UpperCase, {}, Index(TPositionMode::SymbolIndex, 1),
                       Index(TPositionMode::SymbolIndexFromEnd, 1)),
                  "abcd", "aBCd"},
        TEditCase{"LowerCaseOfNationalLetters", Kind(TOperationKind::LowerCase), "\xC9T\xC9",
                  "\xE9t\xE9"},
        TEditCase{"InvertRegisterLeavesDigits", Kind(TOperationKind::InvertRegister), "aB3c\xC9",
                  "Ab3C\xE9"},
        TEditCase{"InvertRegisterOfAnInterval",
                  Kind(TOperationKind::InvertRegister, {}, Index(TPositionMode::SymbolIndex, 0),
                       Index(TPositionMode::SymbolIndex, 2)),
                  "abCD", "ABCD"},
        TEditCase{"AnsiToOemIgnoresTheInterval",
                  Kind(TOperationKind::AnsiToOem, {}, Index(TPositionMode::SymbolIndex, 0),
                       Index(TPositionMode::SymbolIndex, 1)),
                  "\xE9t\xE9", "\x82t\x82"},
        TEditCase{"OemToAnsi", Kind(TOperationKind::OemToAnsi), "\x82t\x82", "\xE9t\xE9"},
        TEditCase{"TrimIgnoresTheInterval",
                  Kind(TOperationKind::Trim, {}, Index(TPositionMode::SymbolIndex, 2),
                       Index(TPositionMode::SymbolIndex, 3)),
                  "\t  a b \r\n", "a b"},
        TEditCase{"TrimAllBlanks", Kind(TOperationKind::Trim), " \x01 ", ""},
        TEditCase{"UnknownKindChangesNothing", Kind(static_cast<TOperationKind>(10), "new"), "old",
                  "old"}),
    [](const auto& info) { return info.param.Name; });

TEST_F(OperationTest, CasesFollowTheCyrillicCodePage) {
  TLocaleSettings cyrillic = PinnedLocaleSettings();
  cyrillic.AnsiCodePage = 1251;
  cyrillic.OemCodePage = 866;
  TScopedLocale locale(cyrillic);
  struct TCyrillicCase {
    TOperationKind Kind;
    const char* Cell;
    const char* Expected;
  };
  // "абв" and "АБВ" in code page 1251, "а" in 866.
  const TCyrillicCase cases[] = {
      {TOperationKind::UpperCase, "\xE0\xE1\xE2", "\xC0\xC1\xC2"},
      {TOperationKind::LowerCase, "\xC0\xC1z", "\xE0\xE1z"},
      {TOperationKind::InvertRegister,
       "\xC0\xE1"
       "z1",
       "\xE0\xC1Z1"},
      {TOperationKind::AnsiToOem, "\xE0", "\xA0"},
  };
  Table.All.Add(Table.Make({""}));
  Operation.Column = &A;
  Operation.Columns = {&A};
  Operation.Records = &Table.All;
  for (const TCyrillicCase& each : cases) {
    SCOPED_TRACE(TOperation::KindName(each.Kind));
    Table.All.Item(0).Fields().SetField(0, each.Cell);
    Operation.Kind = each.Kind;
    EXPECT_EQ(Operation.ComputeText(0, A), each.Expected);
  }
}

TEST_F(OperationTest, AppliesToItsColumnOrItsColumnList) {
  TColumn& v = Table.Column("V");
  Operation.Column = &A;
  Operation.Columns = {&B, &v};
  struct TAppliesCase {
    TOperationKind Kind;
    bool A, B, V;
  };
  const TAppliesCase cases[] = {
      {TOperationKind::Insert, true, false, false},
      {TOperationKind::Delete, true, false, false},
      {TOperationKind::Fill, false, true, true},
      {TOperationKind::Trim, false, true, true},
      {static_cast<TOperationKind>(10), false, false, false},
  };
  for (const TAppliesCase& each : cases) {
    SCOPED_TRACE(static_cast<int>(each.Kind));
    Operation.Kind = each.Kind;
    EXPECT_EQ(Operation.AppliesTo(A), each.A);
    EXPECT_EQ(Operation.AppliesTo(B), each.B);
    EXPECT_EQ(Operation.AppliesTo(v), each.V);
  }
}

TEST_F(OperationTest, NumbersFollowTheProcessedListAndWrapAround) {
  struct TNumberCase {
    std::int32_t Start;
    std::int32_t Step;
    const char* Rows;
  };
  const TNumberCase cases[] = {
      {10, 5, "15|y/b|y/10|y"},
      {-1, -1, "-2|y/b|y/-1|y"},
      {INT_MAX, 1, "-2147483648|y/b|y/2147483647|y"},
      {0, INT_MIN, "-2147483648|y/b|y/0|y"},
  };
  for (const char* name : {"a", "b", "c"}) Table.All.Add(Table.Make({name, "y"}));
  Table.Other.Add(Table.All.Item(2));
  Table.Other.Add(Table.All.Item(0));
  Operation.Kind = TOperationKind::Fill;
  Operation.Columns = {&A};
  Operation.Data.Kind = TOperationDataKind::Number;
  for (const TNumberCase& each : cases) {
    SCOPED_TRACE(each.Rows);
    Operation.Data.Start = each.Start;
    Operation.Data.Step = each.Step;
    Table.All.Item(1).Fields().SetField(0, "b");
    Operation.Execute();
    EXPECT_EQ(TRecordsFixture::Rows(Table.All), each.Rows);
  }
}

TEST_F(OperationTest, ColumnValuesAreReadAsTheyAreAtThatMoment) {
  // A doubles first, then B takes the virtual column computed from the new A.
  TRecord& record = Table.Make({"x", "y"});
  Table.All.Add(record);
  Table.Other.Add(record);
  Operation.Kind = TOperationKind::Fill;
  Operation.Columns = {&B, &A};
  Operation.Data.Kind = TOperationDataKind::ColumnValue;
  Operation.Data.Column = &Table.Column("V");
  EXPECT_EQ(Operation.ComputeText(0, B), "xx") << "the preview sees the stored texts";
  Operation.Execute();
  EXPECT_EQ(TRecordsFixture::Rows(Table.All), "xx|xxxx");
}

TEST_F(OperationTest, AVirtualTargetIsLeftOutAndAMissingDataColumnGivesNothing) {
  TColumn& v = Table.Column("V");
  TRecord& record = Table.Make({"a", "b"});
  Table.All.Add(record);
  Table.Other.Add(record);
  Operation.Kind = TOperationKind::Fill;
  Operation.Columns = {&v, &B};
  Operation.Data.Kind = TOperationDataKind::ColumnValue;
  EXPECT_EQ(Operation.ComputeText(0, v), "");
  Operation.Execute();
  EXPECT_EQ(TRecordsFixture::Rows(Table.All), "a|");
}

TEST_F(OperationTest, TextsLongerThanAFieldAreCut) {
  const std::string full(TFieldArray::kMaxFieldLength, 'x');
  Operation.Kind = TOperationKind::Insert;
  Operation.Data.Text = "ab";
  ExpectResult(full, "ab" + full.substr(2));
}

TEST_F(OperationTest, FieldsChangedComesFromTheMasterEvenForAnEmptyList) {
  Operation.Kind = TOperationKind::Fill;
  Operation.Columns = {&A};
  for (bool empty : {true, false}) {
    SCOPED_TRACE(empty);
    if (!empty) {
      Table.All.Add(Table.Make({"a"}));
      Table.Other.Add(Table.All.Item(0));
    }
    TRecordsMessages all(Table.All), other(Table.Other);
    Operation.Execute();
    EXPECT_EQ(all.Seen, std::vector<std::string>{"FieldsChanged"});
    EXPECT_TRUE(other.Seen.empty());
  }
}

TEST(OperationOnTable, MakesTheTableModified) {
  TTable table;
  TColumn& a = AddColumn(table, "A");
  AddRecord(table, {"x"});
  table.Sources().Chosen.Add(table.Sources().All.Item(0));
  table.SetModified(false);
  TOperation operation;
  operation.Records = &table.Sources().Chosen;
  operation.Columns = {&a};
  operation.Data.Text = "new";
  operation.Execute();
  EXPECT_TRUE(table.Modified());
  EXPECT_EQ(Rows(table), "new");
}

std::uint32_t SlowClockNow = 0;
std::uint32_t SlowClock() {
  return SlowClockNow += 1000;
}

TEST_F(OperationTest, ShowsProgressPerRecord) {
  for (int i = 0; i < 100; ++i) Table.Other.Add(Table.Make({"a", "b"}));
  TRecordingUserInterface ui;
  const TScopedProgress progress(&SlowClock);
  Operation.Kind = TOperationKind::Trim;
  Operation.Columns = {&A, &B};
  Operation.Execute();
  // The window shows after the first 20 steps, for the 80 that are left.
  ASSERT_FALSE(ui.Events.empty());
  EXPECT_EQ(ui.Events[1], "show 80");
  EXPECT_EQ(ui.Events.end()[-3], "position 80");
}

}  // namespace
}  // namespace mervanta::test
