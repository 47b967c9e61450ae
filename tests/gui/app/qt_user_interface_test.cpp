#include "app/qt_user_interface.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QProgressBar>

#include "app/progress_window.h"
#include "widget_picture.h"

namespace mervanta {
namespace {

TProgressWindow* ShownProgress() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->objectName() == "ProgressWindow" && widget->isVisible()) {
      return static_cast<TProgressWindow*>(widget);
    }
  }
  return nullptr;
}

TEST(QtUserInterface, TheExecutingWindowShowsTheStepsAndGoesAtTheEnd) {
  TQtUserInterface ui;
  ui.ShowProgress(980);
  TProgressWindow* window = ShownProgress();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->size(), QSize(264, 81));
  EXPECT_FALSE(window->isActiveWindow());
  ui.SetProgressText("45%");
  ui.SetProgressPosition(441);
  EXPECT_EQ(window->findChild<QProgressBar*>()->value(), 441);
  EXPECT_TRUE(window->findChild<QLabel*>() != nullptr);
  test::SaveWidgetPicture(*window, "progress_window");
  ui.CloseProgress();
  EXPECT_EQ(ShownProgress(), nullptr);
}

TEST(QtUserInterface, TheWaitCursorIsShownOnceWhateverTheCalls) {
  {
    TQtUserInterface ui;
    ui.SetCursor(TCursor::Hourglass);
    ui.SetCursor(TCursor::Hourglass);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    ui.SetCursor(TCursor::Default);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    ui.SetCursor(TCursor::Hourglass);
  }
  // A front end that goes puts the cursor back.
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace mervanta
