#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/columns.h"
#include "model/record.h"

namespace mervanta::test {
namespace {

// One column per entry: a stored one holds the text of its first record, a virtual one
// (formula after "=") computes it.
class ColumnValues : public ::testing::Test {
 protected:
  void Build(const std::vector<std::string>& cells) {
    std::vector<std::string> stored;
    for (const std::string& cell : cells) {
      const bool isVirtual = !cell.empty() && cell[0] == '=';
      auto column =
          std::make_unique<TColumn>(isVirtual ? TColumnStorage::Virtual : TColumnStorage::Stored);
      if (isVirtual) column->Formula->SetValue(cell.substr(1));
      Columns.Add(std::move(column));
      if (!isVirtual) stored.push_back(cell);
    }
    Record = TRecord(Columns.StoredCount());
    for (int i = 0; i < Columns.Count(); ++i) {
      if (!Columns[i].IsVirtual()) Record.SetValue(Columns[i], cells[static_cast<size_t>(i)]);
    }
  }

  TColumns Columns;
  TRecord Record;
};

TEST_F(ColumnValues, FormulasSeeTheColumnsOfTheSameRecordInColumnOrder) {
  Build({"5", "=Val(#1)+1", "=Val(#2)*2", "=#5", "=#4", "=#0", "=#99", "x", "=#9", "=#8+#1"});
  const char* const expected[] = {"5",          "6",          "12", "<error 82>", "<error 82>",
                                  "<error 83>", "<error 83>", "x",  "<error 82>", "x5"};
  for (int i = 0; i < Columns.Count(); ++i) {
    SCOPED_TRACE(i + 1);
    std::string buffer;
    EXPECT_EQ(Record.Value(Columns[i], buffer), expected[i]);
  }
}

TEST_F(ColumnValues, ReferencesFollowTheColumnsWhenTheyMove) {
  Build({"a", "=\"x\"", "=\"y\"", "=#2"});
  EXPECT_EQ(Record.Value(Columns[3]), "x");
  Columns.Move(Columns[2], 1);
  EXPECT_EQ(Record.Value(Columns[3]), "y");
  Columns.Move(Columns[3], 1);
  EXPECT_EQ(Record.Value(Columns[1]), "<error 82>") << "#2 is now the formula itself";
}

TEST_F(ColumnValues, ReferencesToStoredCellsFollowTheColumnList) {
  Build({"a", "b", "=#1+#2+#1"});
  TColumn& formula = Columns[2];
  EXPECT_EQ(Record.Value(formula), "aba");
  Columns.Move(formula, 0);
  EXPECT_EQ(Record.Value(formula), "<error 82>") << "#1 is now the formula itself";
  Columns.Move(formula, 1);
  EXPECT_EQ(Record.Value(formula), "<error 82>") << "#2 is now the formula itself";
  Columns.Move(formula, 2);
  EXPECT_EQ(Record.Value(formula), "aba");

  auto added = std::make_unique<TColumn>(TColumnStorage::Stored);
  TColumn& third = Columns.Add(std::move(added));
  formula.Formula->SetValue("#4+#1");
  EXPECT_EQ(Record.Value(formula), "a") << "the record holds no field for the new column yet";
  Record.EnsureFieldCount(3);
  Record.SetValue(third, "c");
  EXPECT_EQ(Record.Value(formula), "ca");
}

TEST_F(ColumnValues, StoredCellsAreAnsweredBeforehandUpToTheLastOneCertainlyRead) {
  Build({"a", "=\"v\"", "b", "c", "d"});
  struct TCase {
    std::vector<TFoLinkColumn> Columns;
    std::string Answered;  // per column: its text, or "-" when left to be asked when reached
  };
  const TCase cases[] = {
      {{{1, true}, {3, false}, {4, true}, {5, false}}, "a b c -"},
      {{{1, false}, {2, true}, {5, false}}, "- - -"},
      {{{2, false}, {3, false}, {5, true}}, "- b d"},
      {{{0, true}, {1, true}, {9, true}}, "- a -"},
      {{{1, false}, {4, false}}, "- -"},
  };
  for (const TCase& test : cases) {
    std::vector<TFoLinkText> texts(test.Columns.size());
    Columns.ResolveStoredLinks(&Record, test.Columns, texts);
    std::string answered;
    for (const TFoLinkText& text : texts) {
      if (!answered.empty()) answered += ' ';
      answered += text.Known ? std::string(text.Text) : "-";
    }
    EXPECT_EQ(answered, test.Answered) << "case " << &test - cases;
  }
}

TEST_F(ColumnValues, AStoredCellIsReadInPlaceAndWrittenToItsField) {
  Build({"=#2", "first", "=#2", "second"});
  std::string buffer;
  const std::string_view second = Record.Value(Columns[3], buffer);
  EXPECT_EQ(second, "second");
  EXPECT_EQ(second.data(), Record.Fields().Field(1).data()) << "no copy";
  EXPECT_TRUE(buffer.empty());

  Record.SetValue(Columns[3], "changed");
  Record.SetValue(Columns[2], "ignored");
  EXPECT_EQ(Record.Fields().Count(), 2);
  EXPECT_EQ(Record.Fields().Field(0), "first");
  EXPECT_EQ(Record.Fields().Field(1), "changed");
}

TEST_F(ColumnValues, EmptyAndEqualRecordsSkipVirtualAndCounterColumnsWhenAskedTo) {
  Build({"", "7", "=\"x\""});
  Columns[1].SetColumnType(TColumnType::Counter);
  EXPECT_TRUE(Record.IsEmpty(Columns, TColumnsConsidered::StoredOnly));
  EXPECT_FALSE(Record.IsEmpty(Columns, TColumnsConsidered::All));

  TRecord other = Record;
  other.SetValue(Columns[1], "8");
  EXPECT_TRUE(Record.Equals(other, Columns, TColumnsConsidered::StoredOnly));
  EXPECT_FALSE(Record.Equals(other, Columns, TColumnsConsidered::All));
  other.SetValue(Columns[0], "A");
  Record.SetValue(Columns[0], "a");
  EXPECT_FALSE(Record.Equals(other, Columns, TColumnsConsidered::StoredOnly)) << "case counts";
}

TEST_F(ColumnValues, VirtualCellsTakePartInTheFullComparison) {
  Build({"1", "2", "=Val(#1)+Val(#2)"});
  TRecord other = Record;
  other.SetValue(Columns[0], "2");
  other.SetValue(Columns[1], "1");
  const std::vector<const TColumn*> sumOnly{&Columns[2]};
  EXPECT_TRUE(Record.Equals(other, sumOnly, TColumnsConsidered::All));
  EXPECT_FALSE(Record.Equals(other, Columns, TColumnsConsidered::All));
  EXPECT_FALSE(Record.IsEmpty(sumOnly, TColumnsConsidered::All));
  EXPECT_TRUE(Record.IsEmpty(sumOnly, TColumnsConsidered::StoredOnly))
      << "nothing left to consider";
}

}  // namespace
}  // namespace mervanta::test
