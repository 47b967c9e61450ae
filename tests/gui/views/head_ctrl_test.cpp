#include "views/head_ctrl.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <QTextDocumentFragment>
#include <QToolTip>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/columns.h"
#include "model/records.h"
#include "painted_region.h"
#include "support/msg_sender.h"
#include "widget_picture.h"

namespace mervanta::test {
namespace {

const QColor kArrowGrey(0x80, 0x80, 0x80);

// Name, the group Place over City and Country, and Year, 340 pixels of a heading 400 wide,
// over the records b, a and c.
class HeadCtrlTest : public testing::Test {
 protected:
  HeadCtrlTest()
      : Name(AddColumn("Name", 100)),
        City(AddColumn("Place:City", 90)),
        Country(AddColumn("Place:Country", 90)),
        Year(AddColumn("Year", 60)) {
    AddRecord({"b", "Oslo", "Norway", "1990"});
    AddRecord({"a", "Lyon", "France", "2001"});
    AddRecord({"c", "Graz", "Austria", "1985"});
    Options.Font->SetValue({.Name = "DejaVu Sans", .Size = 9});
    Head.SetRecords(&All);
    Head.resize(400, Head.height());
    Head.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&Head));
    // QTest sends a move with the buttons it believes held, which hovering needs none of.
    QTest::mouseRelease(&Head, Qt::LeftButton, {}, Empty());
  }

  TColumn& AddColumn(const std::string& caption, int width) {
    auto column = std::make_unique<TColumn>(TColumnStorage::Stored);
    column->Caption->SetValue(caption);
    column->Width->SetValue(width);
    return Columns.Add(std::move(column));
  }
  void AddRecord(const std::vector<std::string>& fields) {
    TRecord& record = All.NewRecord(static_cast<int>(fields.size()));
    for (std::size_t i = 0; i < fields.size(); ++i) {
      record.Fields().SetField(static_cast<int>(i), fields[i]);
    }
    All.Add(record);
  }
  std::string Names() const {
    std::string names;
    for (const TRecord* record : All.Items()) names += record->Fields().Field(0);
    return names;
  }

  const THeadButton& Button(std::string_view caption) const {
    for (const THeadButton& button : Head.Buttons()) {
      if (button.Caption == caption) return button;
    }
    throw std::logic_error("no button " + std::string(caption));
  }
  QPoint Middle(std::string_view caption) const {
    const THeadButton& button = Button(caption);
    return {(button.Left + button.Right) / 2 - Head.HorzPos(), (button.Top + button.Bottom) / 2};
  }
  // On the button's right edge, near its bottom.
  QPoint Edge(std::string_view caption) const {
    const THeadButton& button = Button(caption);
    return {button.Right - Head.HorzPos(), button.Bottom - 3};
  }
  QPoint Empty() const { return {Head.width() - 5, 5}; }

  void Drag(QPoint from, QPoint to) {
    QTest::mousePress(&Head, Qt::LeftButton, {}, from);
    QTest::mouseMove(&Head, to);
    QTest::mouseRelease(&Head, Qt::LeftButton, {}, to);
  }
  // What the window system sends for a double click.
  void DoubleClick(QPoint point) {
    QTest::mouseClick(&Head, Qt::LeftButton, {}, point);
    QTest::mouseDClick(&Head, Qt::LeftButton, {}, point);
    QTest::mouseRelease(&Head, Qt::LeftButton, {}, point);
  }
  void AskForHint(QPoint point) {
    QHelpEvent event(QEvent::ToolTip, point, Head.mapToGlobal(point));
    QApplication::sendEvent(&Head, &event);
  }
  // As the hint's own timer would.
  static void HideHint() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->inherits("QTipLabel")) widget->hide();
    }
  }

  THeadCategory Options;
  TColumns Columns;
  TRecords All{Columns};
  TColumn& Name;
  TColumn& City;
  TColumn& Country;
  TColumn& Year;
  // Outlives the heading that may draw with it.
  std::unique_ptr<QStyle> PlainStyle{QStyleFactory::create(QStringLiteral("Windows"))};
  THeadCtrl Head{Options};
};

TEST_F(HeadCtrlTest, AClickSortsByItsColumnAndAnotherReverses) {
  QTest::mouseClick(&Head, Qt::LeftButton, {}, Middle("Name"));
  EXPECT_EQ(All.SortColumn(), &Name);
  EXPECT_EQ(All.SortDirection(), TSortDirection::Ascending);
  EXPECT_EQ(Names(), "abc");
  QTest::mouseClick(&Head, Qt::LeftButton, {}, Middle("Name"));
  EXPECT_EQ(All.SortDirection(), TSortDirection::Descending);
  EXPECT_EQ(Names(), "cba");
  QTest::mouseClick(&Head, Qt::LeftButton, {}, Middle("Year"));
  EXPECT_EQ(All.SortColumn(), &Year);
  EXPECT_EQ(Names(), "cba");

  // Neither a group nor a release over another button sorts.
  QTest::mouseClick(&Head, Qt::LeftButton, {}, Middle("Place"));
  QTest::mousePress(&Head, Qt::LeftButton, {}, Middle("Name"));
  QTest::mouseRelease(&Head, Qt::LeftButton, {}, Middle("City"));
  EXPECT_EQ(All.SortColumn(), &Year);
  EXPECT_EQ(All.SortDirection(), TSortDirection::Ascending);
}

TEST_F(HeadCtrlTest, AShiftClickAddsASortKey) {
  QTest::mouseClick(&Head, Qt::LeftButton, {}, Middle("Country"));
  QTest::mouseClick(&Head, Qt::LeftButton, Qt::ShiftModifier, Middle("Name"));
  EXPECT_EQ(All.SortColumn(), &Country);
  ASSERT_EQ(All.ExtraKeys().size(), 1u);
  EXPECT_EQ(All.ExtraKeys()[0], &Name);
}

TEST_F(HeadCtrlTest, DraggingARightEdgeSetsTheWidthFromTheScrolledPosition) {
  Head.SetHorzPos(30);
  QTest::mouseMove(&Head, Edge("Name"));
  EXPECT_EQ(Head.cursor().shape(), Qt::SplitHCursor);
  QTest::mouseMove(&Head, Middle("Name"));
  EXPECT_EQ(Head.cursor().shape(), Qt::ArrowCursor);

  // The edge at 100 shows at 70; dropped at 90 it is at 30 + 90.
  Drag(Edge("Name"), {90, 20});
  EXPECT_EQ(Name.Width->Value(), 120);
  EXPECT_EQ(Button("Name").Right, 120);
  EXPECT_EQ(Button("City").Left, 120);
  EXPECT_EQ(All.SortColumn(), nullptr);
  // Past the column's left edge the width stops at its smallest.
  Drag(Edge("Name"), {-50, 20});
  EXPECT_EQ(Name.Width->Value(), 7);
  // The group's last child is grabbed through the group.
  Drag({Edge("Country").x(), 3}, {Edge("Country").x() + 20, 3});
  EXPECT_EQ(Country.Width->Value(), 110);
}

TEST_F(HeadCtrlTest, DeniedSortingNeitherSortsNorLightsUpButStillResizes) {
  QTest::mouseMove(&Head, Empty());
  const QImage plain = Head.grab().toImage();
  QTest::mouseMove(&Head, Middle("Name"));
  EXPECT_NE(Head.grab().toImage(), plain);

  All.SetDenySort(true);
  QTest::mouseMove(&Head, Empty());
  QTest::mouseMove(&Head, Middle("Name"));
  EXPECT_EQ(Head.grab().toImage(), plain);
  QTest::mouseClick(&Head, Qt::LeftButton, {}, Middle("Name"));
  EXPECT_EQ(All.SortColumn(), nullptr);
  Drag(Edge("Year"), {Edge("Year").x() + 15, 20});
  EXPECT_EQ(Year.Width->Value(), 75);
}

TEST_F(HeadCtrlTest, ADoubleClickOnAnEdgeAsksForTheBestFit) {
  std::vector<TColumn*> asked;
  QObject::connect(&Head, &THeadCtrl::BestFitRequested,
                   [&asked](TColumn* column) { asked.push_back(column); });
  DoubleClick(Edge("City"));
  EXPECT_EQ(asked, std::vector<TColumn*>{&City});
  EXPECT_EQ(City.Width->Value(), 90);
  // On a caption, each click of the two sorts.
  DoubleClick(Middle("City"));
  EXPECT_EQ(asked.size(), 1u);
  EXPECT_EQ(All.SortColumn(), &City);
  EXPECT_EQ(All.SortDirection(), TSortDirection::Descending);
}

TEST_F(HeadCtrlTest, ColumnAndOptionNoticesRebuildTheButtons) {
  const int grouped = Head.height();
  Year.Caption->SetValue("Dates:Year");
  EXPECT_EQ(Head.Buttons().size(), 6u);
  Name.Visible->SetValue(false);
  EXPECT_EQ(Head.Buttons().size(), 5u);
  EXPECT_EQ(Button("City").Left, 0);

  Options.Grouped->SetValue(false);
  EXPECT_EQ(Head.Buttons().size(), 5u);
  MsgSender().Send(&Options, TMsgCode::OptionsChanged);
  EXPECT_EQ(Head.Buttons().size(), 3u);
  EXPECT_LT(Head.height(), grouped);

  Head.SetRecords(nullptr);
  EXPECT_TRUE(Head.Buttons().empty());
  EXPECT_EQ(Head.height(), Head.fontMetrics().height() + 6);
}

TEST_F(HeadCtrlTest, ItRepaintsWhatItsRecordsAndScrollingChange) {
  TPaintedRegion painted(Head);
  painted.Take();
  TRecords other(Columns, &All);
  other.AddList(All);
  other.Sort(Name, TSortKey::Only);
  EXPECT_TRUE(painted.Take().isEmpty());
  All.Sort(Name, TSortKey::Only);
  EXPECT_FALSE(painted.Take().isEmpty());
  // Scrolling moves what is painted and paints only the strip it uncovers.
  Head.SetHorzPos(30);
  EXPECT_EQ(painted.Take(), QRegion(Head.width() - 30, 0, 30, Head.height()));
}

TEST_F(HeadCtrlTest, HintsShowTheSummaryOncePerButtonButNotOnEdges) {
  Name.Description->SetValue(
      "Given name and family name as printed on the title page of the first edition, "
      "without honours or titles, and with the initials the author used.");
  AskForHint(Edge("Name"));
  EXPECT_FALSE(QToolTip::isVisible());

  AskForHint(Middle("Name"));
  ASSERT_TRUE(QToolTip::isVisible());
  const QStringList lines = QToolTip::text().split(u'\n');
  EXPECT_EQ(lines.front(), QStringLiteral("Column: Name"));
  EXPECT_GT(lines.size(), 3);
  const QFontMetrics metrics(QToolTip::font());
  for (const QString& line : lines) {
    EXPECT_LE(metrics.horizontalAdvance(line), Head.screen()->availableGeometry().width() / 4)
        << line.toStdString();
  }
  EXPECT_EQ(lines.join(u' '), QStringLiteral("Column: Name Description: Given name and family "
                                             "name as printed on the title page of the first "
                                             "edition, without honours or titles, and with the "
                                             "initials the author used."));

  HideHint();
  AskForHint(Middle("Name") + QPoint(5, 0));
  EXPECT_FALSE(QToolTip::isVisible());
  AskForHint(Middle("Place"));
  ASSERT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text(), QStringLiteral("Place"));

  // A caption that looks like markup shows as it is typed.
  HideHint();
  Year.Caption->SetValue("<b>Year</b>");
  AskForHint(Middle("<b>Year</b>"));
  EXPECT_EQ(
      QTextDocumentFragment::fromHtml(QToolTip::text()).toPlainText().replace(u'\u00A0', u' '),
      QStringLiteral("Column: <b>Year</b>"));

  HideHint();
  Options.ShowHints->SetValue(false);
  AskForHint(Middle("Name"));
  EXPECT_FALSE(QToolTip::isVisible());
}

// Pictures of a grouped heading with a wrapped caption and the sort arrow, themed and plain.
TEST_F(HeadCtrlTest, PicturesShowGroupsWrappedCaptionsAndTheSortArrow) {
  Year.Caption->SetValue("Year of the first edition");
  All.Sort(Name, TSortKey::Only);
  QTest::mouseMove(&Head, Middle("City"));
  ASSERT_NE(PlainStyle, nullptr);
  for (const char* name : {"head_themed", "head_plain"}) {
    if (std::string(name) == "head_plain") Head.setStyle(PlainStyle.get());
    const QImage picture = Head.grab().toImage();
    EXPECT_FALSE(SaveWidgetPicture(Head, name).empty());
    // The arrow points up, its tip at (right - 6, top + 2), its base on top + 9.
    const THeadButton& button = Button("Name");
    EXPECT_EQ(picture.pixelColor(button.Right - 6, button.Top + 3), kArrowGrey) << name;
    EXPECT_EQ(picture.pixelColor(button.Right - 9, button.Top + 9), kArrowGrey) << name;
    EXPECT_NE(picture.pixelColor(button.Right - 9, button.Top + 3), kArrowGrey) << name;
  }
  // The plain face: a grey line right and below.
  const QImage plain = Head.grab().toImage();
  const THeadButton& year = Button("Year of the first edition");
  EXPECT_GT(year.Bottom - year.Top, 2 * Head.fontMetrics().height());
  EXPECT_EQ(plain.pixelColor(year.Right - 1, year.Top + 2), kArrowGrey);
  EXPECT_EQ(plain.pixelColor(year.Left + 2, year.Bottom - 1), kArrowGrey);
}

}  // namespace
}  // namespace mervanta::test
