#include "dialogs/wizard.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "support/errors.h"
#include "test_support/recording_user_interface.h"
#include "widget_picture.h"

namespace mervanta::test {
namespace {

// A wizard of up to four pages "P1" to "P4", each next to the one before, each with an edit
// that takes the focus, each recording its showings in Shown.
class WizardTest : public testing::Test {
 protected:
  void Make(int count, TWizardOptions options = {}) {
    Wizard = new TWizard(Form, options);
    for (int i = 1; i <= count; ++i) {
      auto* page = new TWizardPage(*Wizard);
      const QString name = QStringLiteral("P%1").arg(i);
      page->setObjectName(name);
      auto* edit = new QLineEdit(page);
      edit->setGeometry(page->ContentRect().left(), page->ContentRect().top(), 200, 22);
      page->OnShow = [this, name] { Shown.push_back(name); };
      if (!Pages.empty()) Pages.back()->SetNextPage(page);
      Pages.push_back(page);
    }
    Wizard->SetStartPage(Pages.front());
  }

  void Open() {
    Form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Form));
  }

  QPushButton& Button(const char* name) {
    return *Form.findChild<QPushButton*>(QString::fromLatin1(name));
  }
  QString Current() const {
    return Wizard->CurrentPage() ? Wizard->CurrentPage()->objectName() : QString();
  }

  TRecordingUserInterface Ui;
  QDialog Form;
  TWizard* Wizard = nullptr;
  std::vector<TWizardPage*> Pages;
  QStringList Shown;
};

TEST_F(WizardTest, AStartPageWithoutNextPageShowsFinishWithBackDisabled) {
  Make(1);
  Open();
  EXPECT_EQ(Form.size(), QSize(545, 388));
  EXPECT_EQ(Current(), QStringLiteral("P1"));
  EXPECT_EQ(Pages[0]->geometry(), QRect(0, 0, 545, 347));
  struct TCase {
    const char* Name;
    const char* Text;
    int Left;
    bool Visible;
    bool Enabled;
  };
  for (const auto& [name, text, left, visible, enabled] :
       {TCase{"Back", "< &Back", 310, true, false}, TCase{"Next", "&Next >", 383, false, true},
        TCase{"Finish", "Finish", 383, true, true}, TCase{"Cancel", "Cancel", 464, true, true}}) {
    QPushButton& button = Button(name);
    EXPECT_EQ(button.text(), QString::fromLatin1(text)) << name;
    EXPECT_EQ(button.size(), QSize(73, 23)) << name;
    EXPECT_EQ(button.x(), left) << name;
    EXPECT_GE(button.y(), 347) << name;
    EXPECT_LE(button.geometry().bottom(), 387) << name;
    EXPECT_EQ(button.isVisible(), visible) << name;
    EXPECT_EQ(button.isEnabled(), enabled) << name;
  }
  EXPECT_TRUE(Button("Finish").isDefault());
  EXPECT_EQ(Shown, QStringList{QStringLiteral("P1")});
  EXPECT_TRUE(Pages[0]->findChild<QLineEdit*>()->hasFocus());

  Button("Finish").click();
  EXPECT_FALSE(Form.isVisible());
  EXPECT_EQ(Form.result(), QDialog::Accepted);
}

TEST_F(WizardTest, BackAfterThreeNextStepsRaisesOnShowAgainInReverse) {
  Make(4);
  Open();
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(Button("Next").isVisible());
    EXPECT_TRUE(Button("Next").isDefault());
    Button("Next").click();
  }
  EXPECT_EQ(Current(), QStringLiteral("P4"));
  EXPECT_TRUE(Button("Finish").isVisible());
  EXPECT_FALSE(Button("Next").isVisible());
  EXPECT_TRUE(Pages[3]->findChild<QLineEdit*>()->hasFocus());
  EXPECT_FALSE(Pages[2]->isVisible());
  for (int i = 0; i < 3; ++i) Button("Back").click();
  EXPECT_EQ(Shown.join(' '), QStringLiteral("P1 P2 P3 P4 P3 P2 P1"));
  EXPECT_FALSE(Button("Back").isEnabled());
  EXPECT_TRUE(Pages[0]->isVisible());
  EXPECT_FALSE(Pages[1]->isVisible());
}

TEST_F(WizardTest, ARefusalInOnBeforeNextKeepsThePage) {
  for (const char* button : {"Next", "Finish"}) {
    SCOPED_TRACE(button);
    QDialog form;
    TWizard wizard(form);
    TWizardPage first(wizard);
    TWizardPage second(wizard);
    if (QByteArray(button) == "Next") first.SetNextPage(&second);
    wizard.SetStartPage(&first);
    bool refuse = true;
    first.OnBeforeNext = [&refuse] {
      if (refuse) throw EMervantaError("Enter a condition");
    };
    form.show();
    auto& push = *form.findChild<QPushButton*>(QString::fromLatin1(button));
    push.click();
    EXPECT_EQ(wizard.CurrentPage(), &first);
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.findChild<QPushButton*>(QStringLiteral("Back"))->isEnabled());
    ASSERT_FALSE(Ui.Icons.empty());
    EXPECT_EQ(Ui.Icons.back(), TIcon::Error);
    EXPECT_NE(Ui.Events.back().find("Enter a condition"), std::string::npos);

    refuse = false;
    push.click();
    if (QByteArray(button) == "Next") {
      EXPECT_EQ(wizard.CurrentPage(), &second);
    } else {
      EXPECT_FALSE(form.isVisible());
      EXPECT_EQ(form.result(), QDialog::Accepted);
    }
  }
}

TEST_F(WizardTest, EscCancelsOnlyOnTheStartPage) {
  Make(3);
  Open();
  Button("Next").click();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  EXPECT_TRUE(Form.isVisible());
  EXPECT_EQ(Current(), QStringLiteral("P2"));

  Button("Back").click();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  EXPECT_FALSE(Form.isVisible());
  EXPECT_EQ(Form.result(), QDialog::Rejected);
}

TEST_F(WizardTest, CancelClosesOnAnyPage) {
  Make(3);
  Open();
  Button("Next").click();
  Button("Cancel").click();
  EXPECT_FALSE(Form.isVisible());
  EXPECT_EQ(Form.result(), QDialog::Rejected);
}

TEST_F(WizardTest, SkipFirstPagePassesTheStartPageAndBackReturnsToIt) {
  Make(2, woSkipFirstPage);
  Open();
  EXPECT_EQ(Current(), QStringLiteral("P2"));
  EXPECT_TRUE(Button("Back").isEnabled());
  Button("Back").click();
  EXPECT_EQ(Current(), QStringLiteral("P1"));
  EXPECT_EQ(Shown.join(' '), QStringLiteral("P1 P2 P1"));
}

TEST_F(WizardTest, SkipFirstPageStaysOnAStartPageThatIsTheLast) {
  Make(1, woSkipFirstPage);
  Open();
  EXPECT_EQ(Current(), QStringLiteral("P1"));
  EXPECT_TRUE(Button("Finish").isVisible());
}

TEST_F(WizardTest, DoneDisabledKeepsFinishFromClosing) {
  Make(2, woDoneDisabled);
  Open();
  Button("Next").click();
  EXPECT_TRUE(Button("Finish").isVisible());
  EXPECT_FALSE(Button("Finish").isEnabled());
  Wizard->Finish();
  EXPECT_TRUE(Form.isVisible());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_TRUE(Form.isVisible());
}

TEST_F(WizardTest, NoAutoExecuteWaitsForBuild) {
  Make(2, woNoAutoExecute);
  Open();
  EXPECT_EQ(Form.findChild<QPushButton*>(QStringLiteral("Next")), nullptr);
  EXPECT_EQ(Wizard->CurrentPage(), nullptr);
  Wizard->Build();
  EXPECT_EQ(Current(), QStringLiteral("P1"));
  EXPECT_TRUE(Button("Next").isVisible());
}

TEST_F(WizardTest, ChangingTheCurrentPagesNextPageSwapsNextAndFinish) {
  Make(2);
  Open();
  Pages[0]->SetNextPage(nullptr);
  EXPECT_TRUE(Button("Finish").isVisible());
  EXPECT_FALSE(Button("Next").isVisible());
  Pages[0]->SetNextPage(Pages[1]);
  EXPECT_TRUE(Button("Next").isVisible());
  delete Pages[1];
  EXPECT_EQ(Pages[0]->NextPage(), nullptr);
  EXPECT_TRUE(Button("Finish").isVisible());
  EXPECT_FALSE(Button("Next").isVisible());
}

TEST_F(WizardTest, APageRemovedFromTheHistoryIsPassedOverByBack) {
  Make(3);
  Open();
  Button("Next").click();
  Button("Next").click();
  delete Pages[1];
  Button("Back").click();
  EXPECT_EQ(Current(), QStringLiteral("P1"));
  EXPECT_FALSE(Button("Back").isEnabled());
}

// The colour of a pixel of what the page shows.
QColor Pixel(const QImage& image, int x, int y) {
  return image.pixelColor(x, y);
}

TEST_F(WizardTest, PagesPaintTheirBandsAndLinesWhereTheyBelong) {
  Make(2);
  QPixmap halfImage(30, 40);
  halfImage.fill(Qt::green);
  Wizard->SetHalfImage(halfImage);
  QPixmap headImage(20, 10);
  headImage.fill(Qt::red);
  Wizard->SetHeadImage(headImage);
  Wizard->SetHeadColor(QColor(0x10, 0x20, 0x30));
  Pages[0]->SetPageKind(pkHalf);
  Open();
  const QPalette& palette = Form.palette();
  const QImage half = Pages[0]->grab().toImage();
  Button("Next").click();
  const QImage head = Pages[1]->grab().toImage();
  struct TCase {
    const QImage* Image;
    int X, Y;
    QColor Color;
  };
  const QColor button = palette.color(QPalette::Button);
  const QColor shadow = palette.color(QPalette::Dark);
  const QColor light = palette.color(QPalette::Light);
  for (const auto& [image, x, y, color] : {
           TCase{&half, 5, 5, QColor(0x83, 0xAD, 0xFC)},
           TCase{&half, 110, 20, Qt::green},
           TCase{&half, 139, 59, Qt::green},
           TCase{&half, 140, 20, QColor(0x83, 0xAD, 0xFC)},
           TCase{&half, 110, 60, QColor(0x83, 0xAD, 0xFC)},
           TCase{&head, 503, 22, Qt::red},
           TCase{&head, 522, 31, Qt::red},
           TCase{&head, 502, 22, QColor(0x10, 0x20, 0x30)},
           TCase{&head, 523, 31, QColor(0x10, 0x20, 0x30)},
           TCase{&head, 503, 32, QColor(0x10, 0x20, 0x30)},
           TCase{&half, 159, 344, QColor(0x83, 0xAD, 0xFC)},
           TCase{&half, 160, 300, Qt::white},
           TCase{&half, 544, 5, Qt::white},
           TCase{&half, 80, 345, shadow},
           TCase{&half, 300, 346, light},
           TCase{&head, 5, 5, QColor(0x10, 0x20, 0x30)},
           TCase{&head, 544, 53, QColor(0x10, 0x20, 0x30)},
           TCase{&head, 5, 54, shadow},
           TCase{&head, 5, 55, light},
           TCase{&head, 5, 56, button},
           TCase{&head, 540, 344, button},
           TCase{&head, 5, 345, shadow},
           TCase{&head, 5, 346, light},
       }) {
    EXPECT_EQ(Pixel(*image, x, y).rgb(), color.rgb())
        << (image == &half ? "half " : "head ") << x << "," << y;
  }
}

TEST_F(WizardTest, OnHalfPaintPaintsTheBandInsteadOfTheHalfColor) {
  Make(1);
  Pages[0]->SetPageKind(pkHalf);
  QRect band;
  Wizard->OnHalfPaint = [&band](QPainter& painter, const QRect& rect) {
    band = rect;
    painter.fillRect(rect, Qt::darkGreen);
  };
  Open();
  const QImage image = Pages[0]->grab().toImage();
  EXPECT_EQ(band, QRect(0, 0, 160, 345));
  EXPECT_EQ(Pixel(image, 5, 340), QColor(Qt::darkGreen));
}

TEST_F(WizardTest, APageWithoutAWizardIsFilledWithTheButtonFace) {
  auto wizard = std::make_unique<TWizard>(Form);
  TWizardPage page(*wizard);
  page.SetCaption(QStringLiteral("Orphan"));
  wizard.reset();
  EXPECT_EQ(page.Wizard(), nullptr);
  const QImage image = page.grab().toImage();
  for (const QPoint& point : {QPoint(5, 5), QPoint(30, 20), QPoint(80, 200)}) {
    EXPECT_EQ(image.pixelColor(point).rgb(), Form.palette().color(QPalette::Button).rgb())
        << point.x();
  }
}

TEST_F(WizardTest, PicturesOfAHalfPageAndAHeadPage) {
  Make(2);
  Pages[0]->SetPageKind(pkHalf);
  Pages[0]->SetCaption(QStringLiteral("Welcome to the search wizard"));
  Pages[0]->SetNoteText(QStringLiteral("To continue, click Next."));
  Pages[0]->findChild<QLineEdit*>()->move(Pages[0]->ContentRect().topLeft());
  Pages[1]->SetCaption(QStringLiteral("Conditions"));
  Pages[1]->SetSubCaption(QStringLiteral("Choose the columns to search and what they hold."));
  Pages[1]->SetNoteText(QStringLiteral("Empty conditions are ignored."));
  Open();
  EXPECT_FALSE(SaveWidgetPicture(Form, "wizard_half_page").empty());
  Button("Next").click();
  EXPECT_FALSE(SaveWidgetPicture(Form, "wizard_head_page").empty());
}

}  // namespace
}  // namespace mervanta::test
