#include "views/flip_list.h"

#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <QUrl>

#include "model/columns.h"
#include "model/records.h"
#include "views/link_url.h"
#include "views/list_fixture.h"
#include "settings/qt_values.h"
#include "views/url_catcher.h"
#include "widget_picture.h"

namespace mervanta::test {
namespace {

using FlipListTest = ListFixture;

std::string Lines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += (i == 0 ? "" : "\r\n") + std::to_string(i);
  return text;
}

TEST_F(FlipListTest, ARowIsAsTallAsItsTallestCellUpToTheCap) {
  Column("A", 100);
  Column("B", 100);
  Options.Flip->Exact->VertSpace->SetValue(3);
  AddRecord(Table, {"one", "two"});
  AddRecord(Table, {Lines(12), "x"});
  AddRecord(Table, {"x", Lines(40)});
  const auto list = MakeList();
  const int line = list->LineHeight();
  struct TCase {
    int Row;
    bool HorzLines;
    int Height;
  } cases[] = {{0, false, 6 + line},
               {1, false, 12 * line + 6},
               {1, true, 12 * line + 7},
               {2, false, kMaxRowHeight},
               {2, true, kMaxRowHeight + 1}};
  for (const TCase& c : cases) {
    Options.Flip->HorzLines->SetValue(c.HorzLines);
    EXPECT_EQ(list->ItemHeight(c.Row), c.Height) << c.Row << " " << c.HorzLines;
  }
}

TEST_F(FlipListTest, PicturesAndIconsAreSizedAndPlacedInTheirCells) {
  TColumn& photo = Column("Photo", 100, TColumnType::Picture);
  TColumn& sign = Column("Sign", 60);
  AddRecord(Table, {"wide.png", "+"});
  AddRecord(Table, {"missing.png", "-"});
  Options.Flip->VertLines->SetValue(true);
  Options.Flip->Exact->PictureSpace->SetValue(1);
  const auto list = MakeList();
  // 98 pixels of room: the picture takes the width and half of it as height, 48.5 → 48.
  const TFieldPaintData wide = list->LayOutField(0, photo, {.Width = 99});
  EXPECT_EQ(wide.Layout.ContentWidth, 97);
  EXPECT_EQ(wide.Layout.ContentHeight, 48);
  // A name that cannot be read shows the placeholder, a picture like any other.
  const TFieldPaintData missing = list->LayOutField(1, photo, {.Width = 99});
  ASSERT_NE(missing.Picture, nullptr);
  EXPECT_FALSE(missing.IsIcon);

  const TFieldPaintData icon = list->LayOutField(0, sign, {.Width = 60});
  ASSERT_TRUE(icon.IsIcon);
  EXPECT_EQ(icon.Layout.ContentLeft,
            (60 - 2 * Options.Flip->Exact->HorzSpace->Value() - icon.Layout.ContentWidth) / 2 +
                Options.Flip->Exact->HorzSpace->Value());
  Options.Flip->Icons->SetValue(false);
  const TFieldPaintData text = list->LayOutField(0, sign, {.Width = 60});
  EXPECT_EQ(text.Picture, nullptr);
  EXPECT_EQ(text.Layout.Lines, std::vector<std::string_view>{"+"});
}

TEST_F(FlipListTest, AFoundRangeOrCaretShowsTheTextInsteadOfThePicture) {
  TColumn& photo = Column("Photo", 100, TColumnType::Picture);
  TRecord& record = AddRecord(Table, {"wide.png"});
  record.SetFound(true);
  const auto list = MakeList();
  list->SetEvents({.GetFoundRange = [](const TColumn&, int& start, int& end, const TRecord&) {
    start = 1;
    end = 4;
  }});
  const TFieldPaintData field = list->LayOutField(0, photo, {.Width = 100});
  EXPECT_EQ(field.Picture, nullptr);
  EXPECT_EQ(field.FoundStart, 1);
  EXPECT_EQ(field.FoundEnd, 4);
}

TEST_F(FlipListTest, AnEmptyListPaintsOnlyItsBackground) {
  Column("A", 100);
  Options.Flip->Exact->BkColor->SetValue(RGB(10, 20, 30));
  const auto list = MakeList(200, 100);
  EXPECT_EQ(list->ItemAt(0, false), -1);
  EXPECT_EQ(list->ItemAt(50, true), 0);
  const QImage image = list->viewport()->grab().toImage();
  for (const QPoint point : {QPoint(0, 0), QPoint(150, 80), QPoint(199, 99)}) {
    EXPECT_EQ(image.pixelColor(point), QColor(10, 20, 30)) << point.x() << "," << point.y();
  }
}

class FlipListNavigationTest : public ListFixture {
 protected:
  FlipListNavigationTest() {
    Column("A", 100);
    for (int i = 0; i < 100; ++i) AddRecord(Table, {std::to_string(i)});
    Table.Sources().All.SetItemIndex(0);
    List = MakeList(300, 10 * RowHeight() + RowHeight() / 2);
  }
  int RowHeight() const {
    return TByteFont(ToQFont(Options.Flip->Font->Value())).LineHeight() +
           2 * Options.Flip->Exact->VertSpace->Value();
  }
  int Selected() const { return Table.Sources().All.ItemIndex(); }

  std::unique_ptr<TFlipList> List;
};

TEST_F(FlipListNavigationTest, KeysMoveTheSelectionAndTheViewFollows) {
  // Ten rows and a half are in view: ten count as the page.
  ASSERT_EQ(List->VisibleRows(), 10);
  struct TCase {
    Qt::Key Key;
    int Selected;
    int Top;
  } cases[] = {{Qt::Key_Down, 1, 0}, {Qt::Key_PageDown, 11, 2}, {Qt::Key_PageDown, 21, 12},
               {Qt::Key_Up, 20, 12}, {Qt::Key_PageUp, 10, 10},  {Qt::Key_End, 99, 90},
               {Qt::Key_Home, 0, 0}, {Qt::Key_Up, 0, 0}};
  for (const TCase& c : cases) {
    QTest::keyClick(List->viewport(), c.Key);
    EXPECT_EQ(Selected(), c.Selected) << c.Key;
    EXPECT_EQ(List->TopIndex(), c.Top) << c.Key;
  }
}

TEST_F(FlipListNavigationTest, TheScrollBarCountsItems) {
  const QScrollBar& bar = *List->verticalScrollBar();
  EXPECT_EQ(bar.pageStep(), List->VisibleRows() + 1);
  EXPECT_EQ(bar.maximum(), 100 - List->VisibleRows());
  List->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(List->TopIndex(), List->VisibleRows());
  List->verticalScrollBar()->setValue(95);
  // The last row stands whole at the bottom: ten rows and a half fit, so the top is 90.
  EXPECT_EQ(List->TopIndex(), 90);
  EXPECT_EQ(Selected(), 0);
}

TEST_F(FlipListNavigationTest, TheWheelScrollsFourItemsAndKeepsTheSelection) {
  QWheelEvent down(QPointF(10, 10), List->mapToGlobal(QPointF(10, 10)), {}, {0, -120}, Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(List->viewport(), &down);
  EXPECT_EQ(List->TopIndex(), 4);
  QWheelEvent up(QPointF(10, 10), List->mapToGlobal(QPointF(10, 10)), {}, {0, 240}, Qt::NoButton,
                 Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(List->viewport(), &up);
  EXPECT_EQ(List->TopIndex(), 0);
  EXPECT_EQ(Selected(), 0);
}

TEST_F(FlipListNavigationTest, ClicksSelectTheRowUnderTheMouseAndDoubleClicksAskToOpen) {
  QSignalSpy opened(List.get(), &TFlipList::ItemDoubleClicked);
  QTest::mouseClick(List->viewport(), Qt::LeftButton, {}, QPoint(20, 3 * RowHeight() + 2));
  EXPECT_EQ(Selected(), 3);
  QTest::mouseClick(List->viewport(), Qt::RightButton, {}, QPoint(20, 5 * RowHeight() + 2));
  EXPECT_EQ(Selected(), 5);
  // Below the last row the last one is taken.
  List->SetTopIndex(90);
  QTest::mouseClick(List->viewport(), Qt::LeftButton, {},
                    QPoint(20, List->viewport()->height() - 1));
  EXPECT_EQ(Selected(), 99);
  QTest::mouseDClick(List->viewport(), Qt::LeftButton, {}, QPoint(20, 2));
  // QTest holds the button after a double click until it is released, as a user would.
  QTest::mouseRelease(List->viewport(), Qt::LeftButton, {}, QPoint(20, 2));
  EXPECT_EQ(opened.count(), 1);
}

TEST_F(FlipListNavigationTest, DraggingBelowTheListScrollsItRowByRow) {
  QTest::mousePress(List->viewport(), Qt::LeftButton, {}, QPoint(20, 2));
  QTest::mouseMove(List->viewport(), QPoint(20, List->viewport()->height() + 30));
  const int first = Selected();
  QTest::qWait(200);
  EXPECT_GT(Selected(), first);
  QTest::mouseRelease(List->viewport(), Qt::LeftButton, {}, QPoint(20, 2));
  const int released = Selected();
  QTest::qWait(150);
  EXPECT_EQ(Selected(), released);
}

class FlipListLinkTest : public ListFixture {
 protected:
  FlipListLinkTest() {
    Column("Name", 80);
    Column("Contact", 300);
    TColumn& hidden = Column("Secret", 50);
    hidden.Visible->SetValue(false);
    AddRecord(Table, {"Ann B", "www.a.org ann@b.org", "x&y"});
    List = MakeList();
  }
  // A point on the word of the Contact cell.
  QPoint On(std::string_view word) const {
    const int left = 80 + Options.Flip->Exact->HorzSpace->Value();
    const std::string_view text = "www.a.org ann@b.org";
    const std::size_t at = text.find(word);
    const TByteFont measure(List->font());
    return {left + measure.TextWidth(text.substr(0, at)) + 3,
            Options.Flip->Exact->VertSpace->Value() + 3};
  }

  TUrlCatcher Catcher;
  std::unique_ptr<TFlipList> List;
};

TEST_F(FlipListLinkTest, ALinkOpensWhenReleasedOverTheLinkPressed) {
  EXPECT_EQ(List->LinkAt(On("www")), "www.a.org");
  EXPECT_EQ(List->LinkAt(On("ann")), "ann@b.org");
  EXPECT_EQ(List->LinkAt(QPoint(5, 5)), "");

  QTest::mousePress(List->viewport(), Qt::LeftButton, {}, On("www"));
  QTest::mouseRelease(List->viewport(), Qt::LeftButton, {}, On("ann"));
  EXPECT_TRUE(Catcher.Opened.empty());

  QTest::mouseClick(List->viewport(), Qt::LeftButton, {}, On("www"));
  ASSERT_EQ(Catcher.Opened.size(), 1u);
  EXPECT_EQ(Catcher.Opened[0], QUrl("http://www.a.org"));
}

TEST_F(FlipListLinkTest, AnEmailCarriesEveryColumnWhenAsked) {
  Options.Other->AddFieldsToEmail->SetValue(false);
  QTest::mouseClick(List->viewport(), Qt::LeftButton, {}, On("ann"));
  Options.Other->AddFieldsToEmail->SetValue(true);
  QTest::mouseClick(List->viewport(), Qt::LeftButton, {}, On("ann"));
  ASSERT_EQ(Catcher.Opened.size(), 2u);
  EXPECT_EQ(Catcher.Opened[0].toEncoded().toStdString(), "mailto:ann@b.org");
  // The body is encoded byte by byte; the address keeps the dots that need no encoding.
  EXPECT_EQ(Catcher.Opened[1], QUrl::fromEncoded("mailto:ann@b.org?Body=Name%3A%20Ann%20B%0D%0A"
                                                 "Contact%3A%20www%2Ea%2Eorg%20ann%40b%2Eorg%0D%0A"
                                                 "Secret%3A%20x%26y%0D%0A"));
  EXPECT_EQ(PercentEncoded("a.b\xE9-Z9"), "a%2Eb%E9%2DZ9");
}

// The colour at a point of what the list shows.
QColor PixelAt(TFlipList& list, QPoint point) {
  return list.viewport()->grab().toImage().pixelColor(point);
}

TEST_F(FlipListTest, AFoundSelectedRowShowsItsColourBehindTheTextOnly) {
  Column("A", 200);
  AddRecord(Table, {"ooooo"}).SetFound(true);
  Table.Sources().All.SetItemIndex(0);
  const TFlipExactCategory& exact = *Options.Flip->Exact;
  const auto list = MakeList();
  list->setFocus();
  // Above the small letters.
  const int y = exact.VertSpace->Value() + 1;
  const QPoint insideText(exact.HorzSpace->Value() + 1, y);
  const QPoint pastText(190, y);
  EXPECT_EQ(PixelAt(*list, insideText), ToQColor(exact.SelFoundColor->Value()));
  EXPECT_EQ(PixelAt(*list, pastText), ToQColor(exact.SelInactColor->Value()))
      << "offscreen windows have no focus, so the selection is inactive";
  SaveWidgetPicture(*list, "flip_list_found_selected");
}

TEST_F(FlipListTest, BestFitTakesTheWidestCellAndItsSpacing) {
  TColumn& column = Column("A", 30);
  AddRecord(Table, {"short"});
  AddRecord(Table, {"a much longer text\r\nx"});
  const auto list = MakeList();
  list->BestFitWidth(column);
  const TByteFont measure(list->font());
  EXPECT_EQ(column.Width->Value(),
            measure.TextWidth("a much longer text") + 2 * Options.Flip->Exact->HorzSpace->Value());
}

}  // namespace
}  // namespace mervanta::test

namespace mervanta::test {
namespace {

// The areas the list is asked to paint, as the window system reports them.
class TPaintedAreas : public QObject {
 public:
  explicit TPaintedAreas(QWidget& widget) { widget.installEventFilter(this); }
  std::vector<QRect> Areas;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) Areas.push_back(static_cast<QPaintEvent*>(event)->rect());
    return false;
  }
};

TEST_F(FlipListNavigationTest, ScrollingPaintsOnlyWhatItUncovers) {
  QApplication::processEvents();
  TPaintedAreas painted(*List->viewport());
  List->SetTopIndex(1);
  QApplication::processEvents();
  ASSERT_EQ(painted.Areas.size(), 1u);
  // One row left at the top: what is below the last row moved up is painted.
  EXPECT_EQ(painted.Areas[0].height(), RowHeight());
  EXPECT_EQ(painted.Areas[0].bottom(), List->viewport()->height() - 1);
}

TEST_F(ListFixture, AHintShowsTheTextOfACellThatDoesNotFitOnce) {
  Column("A", 60);
  AddRecord(Table, {"short"});
  AddRecord(Table, {"a text far too long for its column"});
  const auto list = MakeList();
  const int rowHeight = list->ItemHeight(0);
  const auto hintAt = [&](int row) {
    QToolTip::hideText();
    // The tip goes after a moment.
    for (int i = 0; i < 100 && QToolTip::isVisible(); ++i) QTest::qWait(10);
    const QPoint point(10, row * rowHeight + 3);
    QHelpEvent help(QEvent::ToolTip, point, list->viewport()->mapToGlobal(point));
    QApplication::sendEvent(list->viewport(), &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
  };
  EXPECT_EQ(hintAt(0), "");
  EXPECT_EQ(hintAt(1), "a text far too long for its column");
  EXPECT_EQ(hintAt(1), "") << "the same cell is not offered twice in a row";
  Options.Flip->ShowHints->SetValue(false);
  EXPECT_EQ(hintAt(0), "");
  EXPECT_EQ(hintAt(1), "");
}

}  // namespace
}  // namespace mervanta::test
