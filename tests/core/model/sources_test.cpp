#include "model/sources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/msg_sender.h"

namespace mervanta::test {
namespace {

// The container's notifications by code, and the current index each one found.
class TSourcesMessages {
 public:
  explicit TSourcesMessages(const TSources& sources) : Sources_(&sources) {}
  std::vector<std::string> Seen;

 private:
  void Heard(const TMsg& msg) {
    if (msg.Sender != Sources_) return;
    const char* name = msg.Code == TMsgCode::CurrentSourceChanged    ? "CurrentSourceChanged"
                       : msg.Code == TMsgCode::SourcesEnabledChanged ? "SourcesEnabledChanged"
                                                                     : "other";
    Seen.push_back(std::string(name) + " " + std::to_string(Sources_->CurrentIndex()));
  }

  const TSources* Sources_;
  TMsgSubscription Subscription_{BindListener<&TSourcesMessages::Heard>(this)};
};

// Three lists "0", "1", "2"; the first is the master of the others.
class SourcesTest : public testing::Test {
 protected:
  SourcesTest() {
    TRecords& master = Sources.AddSource("0", nullptr);
    Sources.AddSource("1", &master);
    Sources.AddSource("2", &master);
  }
  // Enabled flags as "101", and the current index.
  void Arrange(const std::string& enabled, int current) {
    for (int i = 0; i < Sources.SourceCount(); ++i) {
      Sources.SetSourceEnabled(i, enabled[static_cast<std::size_t>(i)] == '1');
    }
    Sources.SetCurrentIndex(current);
  }

  TSources Sources;
};

TEST(Sources, NewContainerHasNoListAndNothingCurrent) {
  TSources sources;
  EXPECT_EQ(sources.SourceCount(), 0);
  EXPECT_EQ(sources.CurrentIndex(), -1);
  EXPECT_EQ(sources.CurrentSource(), nullptr);
  EXPECT_EQ(sources.CurrentRecord(), nullptr);
  EXPECT_EQ(sources.NextEnabledSource(), -1);
}

TEST_F(SourcesTest, AddedListsShareTheColumnsAndAreEnabled) {
  ASSERT_EQ(Sources.SourceCount(), 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Sources.SourceName(i), std::to_string(i));
    EXPECT_TRUE(Sources.SourceEnabled(i));
    EXPECT_EQ(&Sources.Source(i).Columns(), &Sources.Columns());
    EXPECT_EQ(&Sources.Source(i).Master(), &Sources.Source(0));
  }
}

TEST_F(SourcesTest, CurrentRecordIsTheSelectedOneOfTheCurrentList) {
  TRecords& master = Sources.Source(0);
  TRecord& first = master.NewRecord(0);
  TRecord& second = master.NewRecord(0);
  master.Add(first);
  master.Add(second);
  Sources.Source(1).Add(second);
  Sources.Source(1).Add(first);
  Sources.SetCurrentIndex(1);
  EXPECT_EQ(Sources.CurrentSource(), &Sources.Source(1));
  Sources.Source(1).SetItemIndex(1);
  EXPECT_EQ(Sources.CurrentRecord(), &first);
  // An empty list has no selected record.
  Sources.SetCurrentIndex(2);
  EXPECT_EQ(Sources.CurrentRecord(), nullptr);
}

TEST_F(SourcesTest, ChangingTheCurrentListIsAnnouncedOnce) {
  TSourcesMessages messages(Sources);
  Sources.SetCurrentIndex(1);
  Sources.SetCurrentIndex(1);
  Sources.SetCurrentIndex(0);
  EXPECT_EQ(messages.Seen,
            (std::vector<std::string>{"CurrentSourceChanged 1", "CurrentSourceChanged 0"}));
}

struct TEnableCase {
  const char* Name;
  const char* Enabled;
  int Current;
  int Index;
  bool Flag;
  std::vector<std::string> Seen;
};

class SetSourceEnabledTest : public SourcesTest, public testing::WithParamInterface<TEnableCase> {};

TEST_P(SetSourceEnabledTest, MovesTheCurrentListOffADisabledOne) {
  const TEnableCase& c = GetParam();
  Arrange(c.Enabled, c.Current);
  TSourcesMessages messages(Sources);
  Sources.SetSourceEnabled(c.Index, c.Flag);
  EXPECT_EQ(Sources.SourceEnabled(c.Index), c.Flag);
  EXPECT_EQ(messages.Seen, c.Seen);
}

INSTANTIATE_TEST_SUITE_P(
    Sources, SetSourceEnabledTest,
    testing::Values(
        TEnableCase{"Unchanged", "111", 0, 2, true, {}},
        TEnableCase{"OtherThanCurrent", "111", 0, 2, false, {"SourcesEnabledChanged 0"}},
        TEnableCase{"Enabling", "110", 0, 2, true, {"SourcesEnabledChanged 0"}},
        TEnableCase{"CurrentGoesToTheNext",
                    "111",
                    1,
                    1,
                    false,
                    {"CurrentSourceChanged 2", "SourcesEnabledChanged 2"}},
        TEnableCase{"LastCurrentWrapsToTheFirst",
                    "111",
                    2,
                    2,
                    false,
                    {"CurrentSourceChanged 0", "SourcesEnabledChanged 0"}},
        TEnableCase{"NoneLeft",
                    "100",
                    0,
                    0,
                    false,
                    {"CurrentSourceChanged -1", "SourcesEnabledChanged -1"}},
        TEnableCase{"NothingCurrent", "111", -1, 0, false, {"SourcesEnabledChanged -1"}}),
    [](const testing::TestParamInfo<TEnableCase>& info) { return info.param.Name; });

struct TNextCase {
  const char* Enabled;
  int Current;
  int Next;
};

class NextEnabledSourceTest : public SourcesTest, public testing::WithParamInterface<TNextCase> {};

TEST_P(NextEnabledSourceTest, ScansOnFromTheCurrentThenFromTheStart) {
  Arrange(GetParam().Enabled, GetParam().Current);
  EXPECT_EQ(Sources.NextEnabledSource(), GetParam().Next);
}

INSTANTIATE_TEST_SUITE_P(Sources, NextEnabledSourceTest,
                         testing::Values(TNextCase{"111", -1, 0}, TNextCase{"001", -1, 2},
                                         TNextCase{"000", -1, -1}, TNextCase{"111", 0, 1},
                                         TNextCase{"101", 0, 2}, TNextCase{"111", 2, 0},
                                         TNextCase{"011", 2, 1}, TNextCase{"010", 1, 1},
                                         TNextCase{"000", 1, -1}));

TEST(Sources, CaptionGroupsTheCountsDigits) {
  TSources sources;
  TRecords& all = sources.AddSource("All", nullptr);
  TRecords& results = sources.AddSource("Search Results", &all);
  TRecord& record = all.NewRecord(0);
  all.Add(record);
  EXPECT_EQ(sources.SourceCaption(0), "All: 1");
  EXPECT_EQ(sources.SourceCaption(1), "Search Results: 0");
  // One record held over and over stands in for a big table.
  for (const auto& [count, caption] : {std::pair{1234, "Search Results: 1 234"},
                                       std::pair{1234567, "Search Results: 1 234 567"}}) {
    TRecordsUpdate update(results);
    while (results.Count() < count) results.Add(record);
    EXPECT_EQ(sources.SourceCaption(1), caption);
  }
}

}  // namespace
}  // namespace mervanta::test
