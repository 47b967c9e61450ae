#include "model/table_sources.h"

#include <gtest/gtest.h>

#include <string>

#include "support/xml_file.h"

namespace mervanta::test {
namespace {

TEST(TableSources, AreAllSearchResultsAndChosenAllEmpty) {
  TTableSources sources;
  ASSERT_EQ(sources.SourceCount(), 3);
  EXPECT_EQ(&sources.Source(TTableSources::kAllIndex), &sources.All);
  EXPECT_EQ(&sources.Source(TTableSources::kSearchResultsIndex), &sources.SearchResults);
  EXPECT_EQ(&sources.Source(TTableSources::kChosenIndex), &sources.Chosen);
  EXPECT_TRUE(sources.All.IsMaster());
  EXPECT_EQ(&sources.SearchResults.Master(), &sources.All);
  EXPECT_EQ(&sources.Chosen.Master(), &sources.All);
  EXPECT_EQ(sources.SourceCaption(0), "All: 0");
  EXPECT_EQ(sources.SourceCaption(1), "Search Results: 0");
  EXPECT_EQ(sources.SourceCaption(2), "Chosen: 0");
  EXPECT_EQ(sources.CurrentIndex(), -1);
}

struct TViewState {
  int HorzPoz;
  int SelIndex;
  int TopIndex;
};

struct TSaveCase {
  const char* Name;
  TViewState State;
  const char* Xml;
};

class SaveViewStateTest : public testing::TestWithParam<TSaveCase> {};

// "All" holds ten records, so that its selected index can be any of 0 to 9.
TEST_P(SaveViewStateTest, WritesTheValuesThatAreNotZero) {
  TTableSources sources;
  for (int i = 0; i < 10; ++i) sources.All.Add(sources.All.NewRecord(0));
  const TViewState& state = GetParam().State;
  sources.HorzPoz->SetValue(state.HorzPoz);
  sources.All.SetItemIndex(state.SelIndex);
  sources.TopIndex->SetValue(state.TopIndex);
  TXmlFile document;
  document.Root()->Name = "Table";
  sources.SaveViewState(*document.Root());
  EXPECT_EQ(sources.SelIndex->Value(), state.SelIndex);
  EXPECT_EQ(document.SaveToString(), GetParam().Xml);
}

INSTANTIATE_TEST_SUITE_P(
    TableSources, SaveViewStateTest,
    testing::Values(
        TSaveCase{"SelIndexOnly",
                  {0, 5, 0},
                  "<Table>\r\n\t<Session>\r\n\t\t<SelIndex value=\"5\" />\r\n\t</Session>\r\n"
                  "</Table>\r\n"},
        TSaveCase{"AllZero", {0, 0, 0}, "<Table />\r\n"},
        TSaveCase{"Unbounded",
                  {-40, 9, 123456},
                  "<Table>\r\n\t<Session>\r\n\t\t<HorzPoz value=\"-40\" />\r\n"
                  "\t\t<SelIndex value=\"9\" />\r\n\t\t<TopIndex value=\"123456\" />\r\n"
                  "\t</Session>\r\n</Table>\r\n"}),
    [](const testing::TestParamInfo<TSaveCase>& info) { return info.param.Name; });

TEST(TableSources, SavingRemovesValuesThatWentBackToZero) {
  TTableSources sources;
  TXmlFile document;
  document.LoadFromString(
      "<Table><Session><TopIndex value=\"3\" /><Other value=\"x\" /></Session></Table>");
  sources.SaveViewState(*document.Root());
  EXPECT_EQ(document.SaveToString(),
            "<Table>\r\n\t<Session>\r\n\t\t<Other value=\"x\" />\r\n\t\t<SelIndex value=\"-1\" "
            "/>\r\n\t</Session>\r\n</Table>\r\n");
}

struct TLoadCase {
  const char* Name;
  const char* Xml;
  TViewState State;
};

class LoadViewStateTest : public testing::TestWithParam<TLoadCase> {};

TEST_P(LoadViewStateTest, ReadsTheValuesWithZeroForMissingOnes) {
  TTableSources sources;
  TXmlFile document;
  document.LoadFromString(GetParam().Xml);
  sources.LoadViewState(*document.Root());
  const TViewState& state = GetParam().State;
  EXPECT_EQ(sources.HorzPoz->Value(), state.HorzPoz);
  EXPECT_EQ(sources.SelIndex->Value(), state.SelIndex);
  EXPECT_EQ(sources.TopIndex->Value(), state.TopIndex);
}

INSTANTIATE_TEST_SUITE_P(
    TableSources, LoadViewStateTest,
    testing::Values(TLoadCase{"NoSession", "<Table />", {0, 0, 0}},
                    TLoadCase{"AllThree",
                              "<Table><Session><TopIndex value=\"7\" /><HorzPoz value=\"-2\" />"
                              "<SelIndex value=\"2147483647\" /></Session></Table>",
                              {-2, 2147483647, 7}},
                    TLoadCase{"NotNumbers",
                              "<Table><Session><HorzPoz value=\"wide\" /><SelIndex value=\"\" />"
                              "</Session></Table>",
                              {0, 0, 0}},
                    TLoadCase{"OtherElementsOnly",
                              "<Table><LastSession><SelIndex value=\"4\" />"
                              "</LastSession></Table>",
                              {0, 0, 0}}),
    [](const testing::TestParamInfo<TLoadCase>& info) { return info.param.Name; });

}  // namespace
}  // namespace mervanta::test
