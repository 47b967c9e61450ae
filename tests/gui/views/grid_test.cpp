#include "views/grid.h"

#include <gtest/gtest.h>

#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSplitter>
#include <QTest>
#include <algorithm>

#include "model/columns.h"
#include "model/table_sources.h"
#include "test_support/recording_user_interface.h"
#include "views/head_ctrl.h"
#include "views/list_fixture.h"
#include "views/tabs_ctrl.h"
#include "widget_picture.h"

namespace mervanta::test {
namespace {

// A table of a hundred records "r0" … "r99" in a grid 600 × 300, "All" current.
class GridTest : public ListFixture {
 protected:
  GridTest() {
    Column("Name", 120);
    Column("Note", 200);
    for (int i = 0; i < 100; ++i)
      AddRecord(Table, {std::string("r").append(std::to_string(i)), "note"});
    Sources.SetCurrentIndex(TTableSources::kAllIndex);
    Sources.All.SetItemIndex(0);
  }

  TGrid& MakeGrid() {
    Grid = std::make_unique<TGrid>(Options, Pictures);
    Grid->resize(600, 300);
    Grid->show();
    Grid->Build(Sources, {});
    return *Grid;
  }
  void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(&Grid->List(Sources.CurrentIndex()), static_cast<Qt::Key>(key), modifiers);
  }
  void Type(const char* text) { QTest::keyClicks(&Grid->List(Sources.CurrentIndex()), text); }
  int Beeps() const {
    return static_cast<int>(std::count(Ui.Events.begin(), Ui.Events.end(), "beep"));
  }
  std::vector<int> ShownLists() const {
    std::vector<int> shown;
    for (int i = 0; i < Grid->ListCount(); ++i) {
      if (Grid->List(i).isVisible()) shown.push_back(i);
    }
    return shown;
  }

  TTableSources& Sources = Table.Sources();
  TRecordingUserInterface Ui;
  std::unique_ptr<TGrid> Grid;
};

TEST_F(GridTest, TabsAndControlDigitsSwitchBetweenTheEnabledLists) {
  Sources.SetSourceEnabled(TTableSources::kChosenIndex, true);
  Sources.SetSourceEnabled(TTableSources::kSearchResultsIndex, false);
  MakeGrid();
  EXPECT_EQ(Grid->Tabs().Tabs(), (QStringList{"All: 100", "Search Results: 0", "Chosen: 0"}));
  EXPECT_TRUE(Grid->Tabs().TabHidden(1));
  Press(Qt::Key_Tab);
  EXPECT_EQ(Sources.CurrentIndex(), TTableSources::kChosenIndex);
  EXPECT_EQ(Grid->Tabs().TabIndex(), 2);
  EXPECT_EQ(ShownLists(), std::vector<int>{2});
  EXPECT_EQ(Grid->Head().Records(), &Sources.Chosen);
  Press(Qt::Key_2, Qt::ControlModifier);
  EXPECT_EQ(Sources.CurrentIndex(), TTableSources::kChosenIndex);
  Press(Qt::Key_1, Qt::ControlModifier);
  EXPECT_EQ(Sources.CurrentIndex(), TTableSources::kAllIndex);
  Press(Qt::Key_Tab);
  Press(Qt::Key_Tab);
  EXPECT_EQ(Sources.CurrentIndex(), TTableSources::kAllIndex);
}

TEST_F(GridTest, CaptionsFollowTheRecordCounts) {
  MakeGrid();
  Sources.SearchResults.Add(Sources.All.Item(3));
  EXPECT_EQ(Grid->Tabs().Tabs().at(1), "Search Results: 1");
}

TEST_F(GridTest, TypingFindsARecordAndStopsAtTwelveCharacters) {
  Options.Search->UseBlind->SetValue(true);
  Sources.All.Item(57).Fields().SetField(1, "a note on r57");
  MakeGrid();
  Type("r57");
  EXPECT_EQ(Sources.All.ItemIndex(), 57);
  EXPECT_EQ(Grid->BlindText(), "r57");
  EXPECT_EQ(Beeps(), 0);
  // The grid marks where the typed text stands in each cell.
  const TFieldPaintData field = Grid->List(0).LayOutField(57, Sources.Columns()[1], {.Width = 200});
  EXPECT_EQ(field.MarkStart, 11);
  EXPECT_EQ(field.MarkEnd, 13);

  Type("xxxxxxxxxxx");
  EXPECT_EQ(Grid->BlindText(), "r57xxxxxxxxx");
  EXPECT_EQ(Beeps(), 9 + 2) << "nine not found, then two more keys past the limit";
  Press(Qt::Key_Backspace);
  EXPECT_EQ(Grid->BlindText(), "");
  EXPECT_EQ(Grid->List(0).LayOutField(57, Sources.Columns()[1], {.Width = 200}).MarkStart, 0);
}

TEST_F(GridTest, WithTypedTextControlArrowsStepBetweenItsMatchesWithoutWrapping) {
  Options.Search->UseBlind->SetValue(true);
  MakeGrid();
  Type("r9");
  EXPECT_EQ(Sources.All.ItemIndex(), 9);
  Press(Qt::Key_Down, Qt::ControlModifier);
  EXPECT_EQ(Sources.All.ItemIndex(), 90);
  Press(Qt::Key_Up, Qt::ControlModifier);
  EXPECT_EQ(Sources.All.ItemIndex(), 9);
  const int beeps = Beeps();
  Press(Qt::Key_Up, Qt::ControlModifier);
  EXPECT_EQ(Sources.All.ItemIndex(), 9);
  EXPECT_EQ(Beeps(), beeps + 1);
  Press(Qt::Key_Escape);
  EXPECT_EQ(Grid->BlindText(), "");
}

TEST_F(GridTest, WithoutTheOptionTypingFindsNothing) {
  Options.Search->UseBlind->SetValue(false);
  MakeGrid();
  Type("r5");
  EXPECT_EQ(Grid->BlindText(), "");
  EXPECT_EQ(Sources.All.ItemIndex(), 0);
}

TEST_F(GridTest, ControlArrowsStepBetweenFoundRecords) {
  for (const int found : {10, 30}) Sources.All.Item(found).SetFound(true);
  MakeGrid();
  Sources.All.SetItemIndex(20);
  Press(Qt::Key_Down, Qt::ControlModifier);
  EXPECT_EQ(Sources.All.ItemIndex(), 30);
  Press(Qt::Key_Down, Qt::ControlModifier);
  EXPECT_EQ(Sources.All.ItemIndex(), 30);
  EXPECT_EQ(Beeps(), 1);
  Press(Qt::Key_Up, Qt::ControlModifier);
  Press(Qt::Key_Up, Qt::ControlModifier);
  EXPECT_EQ(Sources.All.ItemIndex(), 10);
}

TEST_F(GridTest, ArrowsScrollSidewaysAndEverythingFollows) {
  MakeGrid();
  Sources.Columns()[1].Width->SetValue(900);
  const int maximum = Grid->HorzScroll().maximum();
  EXPECT_GT(maximum, 0);
  Press(Qt::Key_Right);
  Press(Qt::Key_Right);
  Press(Qt::Key_Left);
  EXPECT_EQ(Grid->HorzScroll().value(), 14);
  EXPECT_EQ(Grid->List(0).HorzPos(), 14);
  EXPECT_EQ(Grid->Head().HorzPos(), 14);
  EXPECT_EQ(Sources.HorzPoz->Value(), 14);
  // Columns narrower than the list leave nothing to scroll.
  Sources.Columns()[1].Width->SetValue(100);
  EXPECT_EQ(Grid->HorzScroll().maximum(), 0);
}

TEST_F(GridTest, ControlSpaceOpensTheListsMenuNearItsCorner) {
  QMenu menu;
  menu.addAction("Open");
  Grid = std::make_unique<TGrid>(Options, Pictures);
  Grid->resize(600, 300);
  Grid->show();
  Grid->Build(Sources, {.PopupMenus = {&menu}});
  Press(Qt::Key_Space, Qt::ControlModifier);
  EXPECT_TRUE(menu.isVisible());
  EXPECT_EQ(menu.pos(), Grid->List(0).mapToGlobal(QPoint(30, 30)));
  menu.hide();
}

TEST_F(GridTest, EnterAndDoubleClicksAskToOpenTheRecord) {
  MakeGrid();
  QSignalSpy opened(Grid.get(), &TGrid::OpenRequested);
  Press(Qt::Key_Return);
  QTest::mouseDClick(Grid->List(0).viewport(), Qt::LeftButton, {}, QPoint(10, 5));
  QTest::mouseRelease(Grid->List(0).viewport(), Qt::LeftButton, {}, QPoint(10, 5));
  EXPECT_EQ(opened.count(), 2);
}

TEST_F(GridTest, ReopeningShowsTheTopRowSelectionAndHorizontalPositionOfTheSession) {
  Sources.Columns()[1].Width->SetValue(900);
  Sources.TopIndex->SetValue(40);
  Sources.SelIndex->SetValue(45);
  Sources.HorzPoz->SetValue(30);
  MakeGrid();
  EXPECT_EQ(Grid->List(0).TopIndex(), 40);
  EXPECT_EQ(Sources.All.ItemIndex(), 45);
  EXPECT_EQ(Grid->HorzScroll().value(), 30);
  EXPECT_EQ(Grid->List(0).HorzPos(), 30);
  // Scrolling the list keeps its top row in the session.
  Grid->List(0).SetTopIndex(50);
  EXPECT_EQ(Sources.TopIndex->Value(), 50);
}

TEST_F(GridTest, SplitShowsAllAboveAndTheOtherListsBelow) {
  Sources.SetSourceEnabled(TTableSources::kChosenIndex, true);
  MakeGrid();
  Grid->SetSplit(true);
  ASSERT_NE(Grid->TopTabs(), nullptr);
  EXPECT_EQ(Grid->TopTabs()->Tabs(), QStringList{"All: 100"});
  EXPECT_EQ(Grid->Tabs().Tabs(), (QStringList{"Search Results: 0", "Chosen: 0"}));
  EXPECT_EQ(ShownLists(), (std::vector<int>{0, 1}));
  // No ratio stored: half each.
  const QList<int> sizes = Grid->findChild<QSplitter*>()->sizes();
  EXPECT_NEAR(sizes[0], 150, 1);

  Grid->Tabs().SetTabIndex(1);
  EXPECT_EQ(Sources.CurrentIndex(), TTableSources::kChosenIndex);
  EXPECT_EQ(ShownLists(), (std::vector<int>{0, 2}));

  // Dragging the splitter keeps the new share of the grid.
  QSplitterHandle* handle = Grid->findChild<QSplitter*>()->handle(1);
  QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(5, 2));
  QTest::mouseMove(handle, QPoint(5, 42));
  QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(5, 42));
  EXPECT_NEAR(Grid->SplitRatio(), (150.0 + 40) / 300, 0.01);

  Grid->SetSplit(false);
  EXPECT_EQ(Grid->TopTabs(), nullptr);
  EXPECT_EQ(Sources.CurrentIndex(), TTableSources::kAllIndex);
  EXPECT_EQ(Grid->Tabs().Tabs().size(), 3);
  EXPECT_EQ(ShownLists(), std::vector<int>{0});
}

}  // namespace
}  // namespace mervanta::test

namespace mervanta::test {
namespace {

// The sample garden as the grid shows it, saved for a look: pictures, the placeholder of a
// damaged one, sign icons, wrapped notes, links, the group heading, the sort arrow, a found
// record with its found words and the typed text marked, and the tabs.
TEST(GridPicture, TheGardenTableAsAPersonSeesIt) {
  TTableFolder folder;
  TTable table;
  table.Open(MERVANTA_EXAMPLES "/garden.csv", "", true);
  TOptions options(DefaultWorkDir());
  options.Flip->Font->SetValue({.Name = "DejaVu Sans", .Size = 9});
  options.Head->Font->SetValue({.Name = "DejaVu Sans", .Size = 9});
  options.Search->UseBlind->SetValue(true);
  TPictureCache pictures;
  TTableSources& sources = table.Sources();
  sources.SetCurrentIndex(TTableSources::kAllIndex);
  sources.All.Sort(sources.Columns()[1], TSortKey::Only);
  for (TRecord* record : sources.All.Items()) {
    if (record->Fields().Field(3).find("sun") != std::string_view::npos) {
      sources.SearchResults.Add(*record);
    }
  }
  TGrid grid(options, pictures);
  grid.resize(900, 720);
  grid.show();
  TGridSetup setup{.TableFolder = table.Folder()};
  setup.Events.GetFoundRange = [](const TColumn& column, int& start, int& end,
                                  const TRecord& record) {
    std::string buffer;
    const std::size_t at = record.Value(column, buffer).find("sun");
    if (at == std::string_view::npos) return;
    start = static_cast<int>(at) + 1;
    end = static_cast<int>(at) + 3;
  };
  grid.Build(sources, std::move(setup));
  sources.All.SetItemIndex(1);
  QTest::keyClicks(&grid.List(0), "frost");
  const std::string picture = SaveWidgetPicture(grid, "grid_garden");
  EXPECT_FALSE(picture.empty());
  EXPECT_EQ(grid.BlindText(), "frost");
  EXPECT_EQ(sources.All.Item(sources.All.ItemIndex()).Fields().Field(1), "Sunflower");
}

}  // namespace
}  // namespace mervanta::test
