#include "model/records.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "records_fixture.h"
#include "support/errors.h"
#include "test_support/recording_user_interface.h"

namespace mervanta::test {
namespace {

using TMessages = std::vector<std::string>;

// All holds a to f; the operation works on `List`, a list on All's records.
struct TMembershipCase {
  const char* Name;
  const char* Before;  // List's records by name
  const char* Source;  // the other list's records
  std::function<void(TRecords& list, TRecords& source, TRecordsFixture& table)> Change;
  const char* After;
};

class MembershipTest : public testing::TestWithParam<TMembershipCase> {};

TEST_P(MembershipTest, ChangesTheEntries) {
  const TMembershipCase& c = GetParam();
  TRecordsFixture table;
  table.AddNamed("abcdef");
  TRecords list(table.Columns, &table.All);
  TRecords source(table.Columns, &table.All);
  for (const char* name = c.Before; *name != '\0'; ++name) list.Add(table.Named({name, 1}));
  for (const char* name = c.Source; *name != '\0'; ++name) source.Add(table.Named({name, 1}));
  c.Change(list, source, table);
  EXPECT_EQ(TRecordsFixture::Names(list), c.After);
}

INSTANTIATE_TEST_SUITE_P(
    Records, MembershipTest,
    testing::Values(
        TMembershipCase{"Add", "ab", "", [](auto& l, auto&, auto& t) { l.Add(t.Named("a")); },
                        "a b a"},
        TMembershipCase{"Insert", "ab", "",
                        [](auto& l, auto&, auto& t) { l.Insert(1, t.Named("c")); }, "a c b"},
        TMembershipCase{"InsertAtEnd", "ab", "",
                        [](auto& l, auto&, auto& t) { l.Insert(2, t.Named("c")); }, "a b c"},
        TMembershipCase{"InsertListReversesTheBlock", "ab", "cde",
                        [](auto& l, auto& s, auto&) { l.InsertList(1, s); }, "a e d c b"},
        TMembershipCase{"InsertListOfItself", "ab", "",
                        [](auto& l, auto&, auto&) { l.InsertList(1, l); }, "a b a b"},
        TMembershipCase{"AddList", "ab", "bc", [](auto& l, auto& s, auto&) { l.AddList(s); },
                        "a b b c"},
        TMembershipCase{"AddListOfItself", "ab", "", [](auto& l, auto&, auto&) { l.AddList(l); },
                        "a b a b"},
        TMembershipCase{"AddUniqueSkipsPresentAndRepeated", "ab", "cbdc",
                        [](auto& l, auto& s, auto&) { l.AddUnique(s); }, "a b c d"},
        TMembershipCase{"AddUniqueToAnEmptyListAddsAll", "", "cbc",
                        [](auto& l, auto& s, auto&) { l.AddUnique(s); }, "c b c"},
        TMembershipCase{"FlipRemovesPresent", "abc", "",
                        [](auto& l, auto&, auto& t) { l.Flip(t.Named("b")); }, "a c"},
        TMembershipCase{"FlipAppendsAbsent", "abc", "",
                        [](auto& l, auto&, auto& t) { l.Flip(t.Named("d")); }, "a b c d"},
        // One record after the other: d is appended, then taken out again and put back.
        TMembershipCase{"FlipListInTurn", "abca", "adcdde",
                        [](auto& l, auto& s, auto&) { l.FlipList(s); }, "b a d e"},
        TMembershipCase{"FlipListOfItselfEmpties", "abc", "",
                        [](auto& l, auto&, auto&) { l.FlipList(l); }, ""},
        TMembershipCase{"FlipListOnAnEmptyListAddsAll", "", "aba",
                        [](auto& l, auto& s, auto&) { l.FlipList(s); }, "a b a"},
        TMembershipCase{"Delete", "abc", "", [](auto& l, auto&, auto&) { l.Delete(0); }, "b c"},
        TMembershipCase{"RemoveTakesTheFirstOccurrence", "abab", "",
                        [](auto& l, auto&, auto& t) { EXPECT_EQ(l.Remove(t.Named("b")), 1); },
                        "a a b"},
        TMembershipCase{"RemoveAbsent", "ab", "",
                        [](auto& l, auto&, auto& t) { EXPECT_EQ(l.Remove(t.Named("c")), -1); },
                        "a b"},
        TMembershipCase{"RemoveListOncePerOccurrence", "abacad", "aac",
                        [](auto& l, auto& s, auto&) { l.RemoveList(s); }, "b a d"},
        TMembershipCase{"RemoveListOfItself", "abc", "",
                        [](auto& l, auto&, auto&) { l.RemoveList(l); }, ""},
        TMembershipCase{"MoveDown", "abcd", "", [](auto& l, auto&, auto&) { l.Move(0, 2); },
                        "b c a d"},
        TMembershipCase{"MoveUp", "abcd", "", [](auto& l, auto&, auto&) { l.Move(3, 1); },
                        "a d b c"},
        TMembershipCase{"Assign", "ab", "cd", [](auto& l, auto& s, auto&) { l.Assign(s); }, "c d"},
        TMembershipCase{"AssignItself", "ab", "", [](auto& l, auto&, auto&) { l.Assign(l); },
                        "a b"},
        TMembershipCase{"Clear", "ab", "", [](auto& l, auto&, auto&) { l.Clear(); }, ""},
        TMembershipCase{"Reverse", "abc", "", [](auto& l, auto&, auto&) { l.Reverse(); }, "c b a"}),
    [](const testing::TestParamInfo<TMembershipCase>& info) { return info.param.Name; });

TEST(Records, BadIndexesAreRefused) {
  TRecordsFixture table;
  table.AddNamed("ab");
  struct TCase {
    std::function<void(TRecordsFixture&)> Change;
    const char* Message;
  } cases[] = {
      {[](auto& t) { t.All.Item(2); }, "List index out of bounds (2)"},
      {[](auto& t) { t.All.Delete(-1); }, "List index out of bounds (-1)"},
      {[](auto& t) { t.All.Insert(3, t.Named("a")); }, "List index out of bounds (3)"},
      {[](auto& t) { t.All.InsertList(3, t.Other); }, "List index out of bounds (3)"},
      {[](auto& t) { t.All.Move(0, 2); }, "List index out of bounds (2)"},
      {[](auto& t) { t.All.SetCapacity(1); }, "List capacity out of bounds (1)"},
      {[](auto& t) { t.All.SetCapacity(TRecords::kMaxListSize + 1); },
       "List capacity out of bounds (536870912)"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Message);
    try {
      c.Change(table);
      ADD_FAILURE() << "no failure";
    } catch (const EMervantaError& error) {
      EXPECT_STREQ(error.what(), c.Message);
    }
    EXPECT_EQ(TRecordsFixture::Names(table.All), "a b");
  }
}

TEST(Records, CapacityGrowsByFoursThenSixteensThenQuarters) {
  TRecordsFixture table;
  TRecord& record = table.Make({"x"});
  std::vector<int> capacities;
  for (int i = 0; i < 100; ++i) {
    table.All.Add(record);
    if (capacities.empty() || capacities.back() != table.All.Capacity()) {
      capacities.push_back(table.All.Capacity());
    }
  }
  EXPECT_EQ(capacities, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95, 118}));
  table.All.SetCapacity(100);
  EXPECT_EQ(table.All.Capacity(), 100);
  table.All.Clear();
  EXPECT_EQ(table.All.Capacity(), 0);
}

TEST(Records, ItemIndexIsClampedAndAnnounced) {
  TRecordsFixture table;
  TRecordsMessages messages(table.All);
  table.All.SetItemIndex(3);
  EXPECT_EQ(table.All.ItemIndex(), -1);
  table.AddNamed("abc");
  EXPECT_EQ(table.All.ItemIndex(), 0) << "an update's end gives a filled list a current record";
  messages.Seen.clear();

  table.All.SetItemIndex(7);
  table.All.SetItemIndex(-5);
  table.All.SetItemIndex(0);
  EXPECT_EQ(messages.Seen, (TMessages{"ItemIndexChanged 0", "ItemIndexChanged 2"}));

  messages.Seen.clear();
  table.All.SetItemIndex(2);
  table.All.Delete(2);
  table.All.Clear();
  EXPECT_EQ(table.All.ItemIndex(), -1);
  EXPECT_EQ(messages.Seen,
            (TMessages{"ItemIndexChanged 0", "BeginUpdate", "CountChanged", "ItemIndexChanged 2",
                       "EndUpdate", "BeginUpdate", "CountChanged", "ItemIndexChanged 1",
                       "HasCurrentChanged 1", "EndUpdate"}));
}

TEST(Records, UpdatesBatchTheirNotificationsUnderOneWaitCursor) {
  TRecordingUserInterface ui;
  TRecordsFixture table;
  table.AddNamed("abc");
  table.Other.AddList(table.All);
  TRecordsMessages messages(table.Other);
  ui.Events.clear();

  table.Other.BeginUpdate();
  table.Other.Reverse();
  table.Other.Delete(0);
  table.Other.Add(table.Named("a"));
  table.Other.Move(0, 1);
  EXPECT_EQ(messages.Seen, TMessages{"BeginUpdate"});
  EXPECT_EQ(table.Other.UpdateCount(), 1);
  table.Other.EndUpdate();
  EXPECT_EQ(messages.Seen, (TMessages{"BeginUpdate", "CountChanged", "OrderChanged", "EndUpdate"}));
  EXPECT_EQ(ui.Events, (TMessages{"cursor busy", "cursor default"}));

  messages.Seen.clear();
  table.Other.Reverse();
  table.Other.Remove(table.Make({"f"}));
  table.Other.EndUpdate();
  EXPECT_EQ(messages.Seen,
            (TMessages{"BeginUpdate", "OrderChanged", "EndUpdate", "BeginUpdate", "EndUpdate"}));
}

TEST(Records, AFailingListenerStillEndsTheUpdate) {
  TRecordingUserInterface ui;
  TRecordsFixture table;
  table.AddNamed("a");
  struct TThrower {
    void Heard(const TMsg& msg) {
      if (msg.Code == TMsgCode::CountChanged) throw EMervantaError("listener");
    }
    TMsgSubscription Subscription{BindListener<&TThrower::Heard>(this)};
  };
  {
    TThrower thrower;
    EXPECT_THROW(table.All.Add(table.Named("a")), EMervantaError);
  }
  EXPECT_EQ(table.All.UpdateCount(), 0);
  EXPECT_EQ(ui.Cursor(), TCursor::Default);
  EXPECT_EQ(table.All.Count(), 2);
}

TEST(Records, QueriesCompareCells) {
  TRecordsFixture table(2);
  TColumn& computed = table.AddColumn("V", TColumnStorage::Virtual);
  computed.Formula->SetValue("UpperCase(#1)");
  TRecord& ab = table.Make({"a", "b"});
  TRecord& abAgain = table.Make({"a", "b"});
  TRecord& ac = table.Make({"a", "c"});
  TRecord& longer = table.Make({"abcdef", ""});
  for (TRecord* record : {&ab, &abAgain, &ac, &longer}) table.All.Add(*record);
  TColumn& first = table.Column("A");

  EXPECT_TRUE(table.All.IsDuplicate(ab, nullptr, TColumnsConsidered::StoredOnly));
  EXPECT_FALSE(table.All.IsDuplicate(ab, &abAgain, TColumnsConsidered::StoredOnly));
  EXPECT_FALSE(table.All.IsDuplicate(ac, nullptr, TColumnsConsidered::All));
  EXPECT_TRUE(table.All.ValueExists("c", table.Column("B"), nullptr));
  EXPECT_FALSE(table.All.ValueExists("c", table.Column("B"), &ac));
  EXPECT_TRUE(table.All.ValueExists("A", computed, nullptr));
  EXPECT_FALSE(table.All.ValueExists("A", first, nullptr));

  struct TLengthCase {
    int Cap, LastIndex, Length;
  } lengths[] = {{254, 99, 6}, {254, 2, 1}, {3, 99, 3}, {254, -1, 0}, {0, 99, 0}};
  for (const TLengthCase& c : lengths) {
    SCOPED_TRACE(testing::Message() << "cap " << c.Cap << " last " << c.LastIndex);
    EXPECT_EQ(table.All.MaxValueLength(first, c.Cap, c.LastIndex), c.Length);
  }
  EXPECT_EQ(table.All.MaxValueLength(computed, 254, 99), 6);
}

// Records named by letters; upper case ones are chosen, "*" marks the next one found.
void Mark(TRecordsFixture& table, std::string_view marks) {
  bool found = false;
  for (char mark : marks) {
    if (mark == '*') {
      found = true;
      continue;
    }
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(mark)));
    TRecord& record = table.Make({std::string(1, lower)});
    record.SetChosen(mark != lower);
    record.SetFound(found);
    found = false;
    table.All.Add(record);
  }
}

TEST(Records, ReorderingCommandsKeepTheCurrentRecord) {
  struct TCase {
    const char* Name;
    const char* Marks;
    const char* Current;
    std::function<void(TRecords&)> Change;
    const char* After;
  } cases[] = {
      {"current down", "abcd", "b", [](TRecords& l) { l.MoveCurrent(TMove::Down); }, "a c b d"},
      {"current up", "abcd", "b", [](TRecords& l) { l.MoveCurrent(TMove::Up); }, "b a c d"},
      {"current to the end", "abcd", "b", [](TRecords& l) { l.MoveCurrent(TMove::ToLast); },
       "a c d b"},
      {"current to the start", "abcd", "c", [](TRecords& l) { l.MoveCurrent(TMove::ToFirst); },
       "c a b d"},
      {"current at the bottom edge", "abcd", "d", [](TRecords& l) { l.MoveCurrent(TMove::Down); },
       "a b c d"},
      {"current at the top edge", "abcd", "a", [](TRecords& l) { l.MoveCurrent(TMove::ToFirst); },
       "a b c d"},
      {"chosen down as a block", "aBCdeF", "a", [](TRecords& l) { l.MoveChosen(TMove::Down); },
       "a d b c e f"},
      {"chosen up, not past another chosen", "AbcDE", "c",
       [](TRecords& l) { l.MoveChosen(TMove::Up); }, "a b d e c"},
      {"chosen to the end", "aBcDe", "c", [](TRecords& l) { l.MoveChosen(TMove::ToLast); },
       "a c e b d"},
      {"chosen to the start", "aBcDe", "c", [](TRecords& l) { l.MoveChosen(TMove::ToFirst); },
       "b d a c e"},
      {"arrange by marks", "A*B*cdE*f*g", "c", [](TRecords& l) { l.ArrangeByMarks(); },
       "d c f g b a e"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TRecordsFixture table;
    Mark(table, c.Marks);
    table.All.SetItemIndex(table.All.IndexOf(table.Named(c.Current)));
    c.Change(table.All);
    EXPECT_EQ(TRecordsFixture::Names(table.All), c.After);
    EXPECT_EQ(&table.All.Item(table.All.ItemIndex()), &table.Named(c.Current));
  }
}

TEST(Records, MarksAndSetMarks) {
  TRecordsFixture table;
  Mark(table, "aB*c*D");
  std::vector<TRecordMarks> marks;
  for (const TRecord* record : table.All.Items()) marks.push_back(TRecords::Marks(*record));
  EXPECT_EQ(marks, (std::vector<TRecordMarks>{TRecordMarks::None, TRecordMarks::Chosen,
                                              TRecordMarks::Found, TRecordMarks::ChosenAndFound}));

  table.All.SetMarks(std::nullopt, false);
  for (const TRecord* record : table.All.Items()) EXPECT_FALSE(record->Chosen());
  EXPECT_TRUE(table.Named("c").Found());
  table.All.SetMarks(false, std::nullopt);
  for (const TRecord* record : table.All.Items()) EXPECT_FALSE(record->Found());
}

TEST(Records, OnlyTheMasterOwnsRecordsAndFreeingIsSafe) {
  TRecordsFixture table;
  table.AddNamed("abc");
  table.Other.AddList(table.All);
  table.Other.Add(table.Named("a"));
  table.Other.Clear();
  EXPECT_EQ(table.All.Count(), 3);

  // A list that holds a record twice gives it back once; foreign records are not taken.
  TRecords held(table.Columns, &table.All);
  held.AddList(table.All);
  held.Add(table.Named("a"));
  TRecord foreign;
  held.Add(foreign);
  table.All.Clear();
  held.FreeAll();
  EXPECT_EQ(held.Count(), 0);

  TRecord& reused = table.All.NewRecord(2);
  EXPECT_EQ(reused.Fields().Count(), 2);
  EXPECT_FALSE(reused.Found() || reused.Chosen());
  table.All.FreeRecord(reused);
}

}  // namespace
}  // namespace mervanta::test
