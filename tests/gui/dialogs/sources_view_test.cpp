#include "dialogs/sources_view.h"

#include <gtest/gtest.h>

#include "core/table/table_fixture.h"
#include "model/table_sources.h"

namespace mervanta::test {
namespace {

QStringList Rows(const TSourcesView& view) {
  QStringList rows;
  for (int i = 0; i < view.topLevelItemCount(); ++i) rows.push_back(view.topLevelItem(i)->text(0));
  return rows;
}

TEST(SourcesView, ShowsTheEnabledListsWithTheirCountsAndFollowsThem) {
  TTable table;
  AddColumn(table, "A");
  for (const char* name : {"a", "b", "c"}) AddRecord(table, {name});
  TTableSources& sources = table.Sources();
  sources.SetSourceEnabled(TTableSources::kSearchResultsIndex, false);
  sources.SetSourceEnabled(TTableSources::kChosenIndex, true);
  sources.SetCurrentIndex(TTableSources::kChosenIndex);
  TSourcesView view(sources);
  EXPECT_EQ(Rows(view), (QStringList{"All: 3", "Chosen: 0"}));
  EXPECT_EQ(view.SelectedSource(), TTableSources::kChosenIndex);

  sources.Chosen.Add(sources.All.Item(1));
  EXPECT_EQ(Rows(view), (QStringList{"All: 3", "Chosen: 1"}));
  sources.SetSourceEnabled(TTableSources::kSearchResultsIndex, true);
  EXPECT_EQ(Rows(view), (QStringList{"All: 3", "Search Results: 0", "Chosen: 1"}));
  EXPECT_EQ(view.SelectedSource(), TTableSources::kChosenIndex) << "the selection stays";
}

}  // namespace
}  // namespace mervanta::test
