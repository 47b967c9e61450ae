#include "views/tabs_ctrl.h"

#include <gtest/gtest.h>

#include <QTest>
#include <optional>
#include <vector>

#include "painted_region.h"
#include "support/msg_sender.h"
#include "test_support/error_text.h"
#include "settings/qt_values.h"
#include "widget_picture.h"

namespace mervanta::test {
namespace {

// Three tabs on a strip 400 wide.
class TabsCtrlTest : public testing::Test {
 protected:
  TabsCtrlTest() {
    Tabs.SetTabs({QStringLiteral("All: 3"), QStringLiteral("Search Results: 0"),
                  QStringLiteral("Chosen: 1")});
    Tabs.resize(400, Tabs.height());
    Tabs.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&Tabs));
    QObject::connect(&Tabs, &TTabsCtrl::Changed, [this] { ++Changes; });
  }

  // Where the tabs are now.
  std::vector<TTabPlace> Places() const {
    QFont bold = Tabs.font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    std::vector<std::optional<int>> widths;
    for (int i = 0; i < Tabs.Tabs().size(); ++i) {
      if (Tabs.TabHidden(i)) {
        widths.emplace_back();
      } else {
        widths.emplace_back(metrics.horizontalAdvance(Tabs.Tabs()[i]));
      }
    }
    return PlaceTabs(widths, Tabs.height());
  }
  QPoint Middle(int index) const {
    const TTabPlace place = Places()[static_cast<std::size_t>(index)];
    return {(place.Left + place.Right) / 2, Tabs.height() / 2};
  }
  void Click(QPoint point) { QTest::mouseClick(&Tabs, Qt::LeftButton, {}, point); }

  TFlipExactCategory Colors;
  TTabsCtrl Tabs{Colors};
  int Changes = 0;
};

TEST_F(TabsCtrlTest, TheIndexMustNameATabOrNone) {
  for (const int index : {5, 3, -2}) {
    EXPECT_EQ(ErrorOf([&] { Tabs.SetTabIndex(index); }),
              "List index out of bounds (" + std::to_string(index) + ")");
  }
  EXPECT_EQ(ErrorOf([&] { Tabs.SetTabHidden(3, true); }), "List index out of bounds (3)");
  EXPECT_EQ(Changes, 0);
  Tabs.SetTabIndex(2);
  Tabs.SetTabIndex(2);
  EXPECT_EQ(Changes, 1);
  Tabs.SetTabIndex(-1);
  EXPECT_EQ(Tabs.TabIndex(), -1);
  EXPECT_EQ(Changes, 2);
}

TEST_F(TabsCtrlTest, ALeftClickOnAShownTabSelectsIt) {
  Click(Middle(1));
  EXPECT_EQ(Tabs.TabIndex(), 1);
  EXPECT_EQ(Changes, 1);
  Click(Middle(1));
  QTest::mouseClick(&Tabs, Qt::RightButton, {}, Middle(2));
  EXPECT_EQ(Changes, 1);

  const QPoint third = Middle(2);
  Tabs.SetTabHidden(2, true);
  Click(third);
  EXPECT_EQ(Tabs.TabIndex(), 1);
  // Hidden tabs take no room: the first one's place goes to the next shown one.
  const QPoint first = Middle(0);
  Tabs.SetTabHidden(0, true);
  Click(first);
  EXPECT_EQ(Tabs.TabIndex(), 1);
  Tabs.SetTabIndex(2);
  Click(first);
  EXPECT_EQ(Tabs.TabIndex(), 1);
  Tabs.SetTabHidden(1, true);
  Click(first);
  EXPECT_EQ(Tabs.TabIndex(), 1);
  EXPECT_EQ(Changes, 3);
}

TEST_F(TabsCtrlTest, NewTabsKeepTheFlagsOfTheOldAndPullTheIndexBack) {
  Tabs.SetTabIndex(2);
  Tabs.SetTabHidden(1, true);
  Changes = 0;
  Tabs.SetTabs({QStringLiteral("A"), QStringLiteral("B")});
  EXPECT_EQ(Tabs.TabIndex(), 1);
  EXPECT_TRUE(Tabs.TabHidden(1));
  Tabs.SetTabs({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
  EXPECT_FALSE(Tabs.TabHidden(2));
  EXPECT_EQ(Tabs.TabIndex(), 1);
  Tabs.SetTabs({});
  EXPECT_EQ(Tabs.TabIndex(), -1);
  EXPECT_EQ(Changes, 0);
}

TEST_F(TabsCtrlTest, TheGripSquareHoldsNoTab) {
  Tabs.resize(Places()[1].Right, Tabs.height());
  Tabs.SetSizeGrip(true);
  const QPoint grip(Tabs.width() - Tabs.GripWidth() / 2, Tabs.height() / 2);
  QTest::mouseMove(&Tabs, grip);
  EXPECT_EQ(Tabs.cursor().shape(), Qt::SizeFDiagCursor);
  Click(grip);
  EXPECT_EQ(Tabs.TabIndex(), -1);
  Tabs.SetSizeGrip(false);
  QTest::mouseMove(&Tabs, grip + QPoint(1, 0));
  EXPECT_EQ(Tabs.cursor().shape(), Qt::ArrowCursor);
  Click(grip);
  EXPECT_EQ(Tabs.TabIndex(), -1);
}

TEST_F(TabsCtrlTest, ItRepaintsWhenTheOptionsChange) {
  TPaintedRegion painted(Tabs);
  painted.Take();
  MsgSender().Send(&Colors, TMsgCode::RecordActivated);
  EXPECT_TRUE(painted.Take().isEmpty());
  MsgSender().Send(&Colors, TMsgCode::OptionsChanged);
  EXPECT_EQ(painted.Take(), QRegion(Tabs.rect()));
}

TEST_F(TabsCtrlTest, PicturesShowTheActiveTabJoiningTheListAbove) {
  const int strip = Tabs.height();
  const QRgb face = Tabs.palette().color(QPalette::Button).rgb();
  const QRgb shadow = Tabs.palette().color(QPalette::Dark).rgb();
  const QRgb background = ToQColor(Colors.BkColor->Value()).rgb();
  Tabs.SetTabIndex(0);
  Tabs.SetTabHidden(1, true);
  Tabs.SetSizeGrip(true);
  QImage picture = Tabs.grab().toImage();
  EXPECT_FALSE(SaveWidgetPicture(Tabs, "tabs_hidden_tab").empty());
  const std::vector<TTabPlace> places = Places();
  // The active tab is open to the list above; the others lie under the top line.
  EXPECT_EQ(picture.pixel(places[0].Left + 1, 0), background);
  EXPECT_EQ(picture.pixel(places[0].Left + 1, strip - 3), background);
  EXPECT_EQ(picture.pixel(places[2].Left + 1, 0), shadow);
  EXPECT_EQ(picture.pixel(places[2].Left + 1, strip - 3), face);
  EXPECT_EQ(picture.pixel(places[2].Left + 1, strip - 1), qRgb(0, 0, 0));

  // Without tabs shown, only the top line and the grip.
  for (int i = 0; i < 3; ++i) Tabs.SetTabHidden(i, true);
  picture = Tabs.grab().toImage();
  EXPECT_FALSE(SaveWidgetPicture(Tabs, "tabs_all_hidden").empty());
  const int grip = Tabs.width() - Tabs.GripWidth();
  for (int x = 0; x < grip; ++x) {
    EXPECT_EQ(picture.pixel(x, 0), shadow) << x;
    for (int y = 1; y < strip; ++y) ASSERT_EQ(picture.pixel(x, y), face) << x << "," << y;
  }
}

}  // namespace
}  // namespace mervanta::test
