#include "dialogs/quick_search_dialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "search/quick_search_history.h"
#include "settings/options.h"
#include "support/xml_tag.h"
#include "test_support/scoped_options.h"
#include "views/desktop_services.h"
#include "widget_picture.h"

namespace mervanta::test {
namespace {

class QuickSearchDialogTest : public testing::Test {
 protected:
  QuickSearchDialogTest() {
    Options().Search->StoreQuickSearchHistory->SetValue(true);
    History().WriteString("History", "tulip,rose,\"red oak\"");
  }
  ~QuickSearchDialogTest() override { History().DeleteParam("History"); }
  static TXmlTag& History() { return DesktopServices().SessionElement("SearchFastForm"); }

  TScopedDefaultOptions DefaultOptions;
};

TEST_F(QuickSearchDialogTest, PageKeysStepThroughTheHistoryHeldAtItsEnds) {
  TQuickSearchDialog dialog(nullptr, "rose");
  dialog.show();
  QLineEdit& edit = *dialog.Field().lineEdit();
  ASSERT_EQ(dialog.Field().count(), 3);
  struct TCase {
    Qt::Key Key;
    const char* Text;
  } cases[] = {{Qt::Key_PageDown, "red oak"},
               {Qt::Key_PageDown, "red oak"},
               {Qt::Key_PageUp, "rose"},
               {Qt::Key_PageUp, "tulip"},
               {Qt::Key_PageUp, "tulip"}};
  for (const TCase& c : cases) {
    QTest::keyClick(&edit, c.Key);
    EXPECT_EQ(edit.text(), c.Text);
    EXPECT_EQ(edit.selectedText(), c.Text);
  }
  edit.setText("not there");
  QTest::keyClick(&edit, Qt::Key_PageUp);
  EXPECT_EQ(edit.text(), "tulip");
  SaveWidgetPicture(dialog, "quick_search_dialog");
}

TEST_F(QuickSearchDialogTest, OkKeepsTheTextFirstInTheHistory) {
  std::string text = "rose";
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<TQuickSearchDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->Field().setEditText("lily");
    dialog->accept();
  });
  ASSERT_TRUE(QuickSearchDialog(nullptr, text));
  EXPECT_EQ(text, "lily");
  EXPECT_EQ(TQuickSearchHistory(DesktopServices().SettingsRoot()).Items(),
            (TStringList{"lily", "tulip", "rose", "red oak"}));

  QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
  EXPECT_FALSE(QuickSearchDialog(nullptr, text));
  EXPECT_EQ(text, "lily");
}

TEST_F(QuickSearchDialogTest, WithoutTheOptionTheListStartsEmpty) {
  Options().Search->StoreQuickSearchHistory->SetValue(false);
  TQuickSearchDialog dialog(nullptr, "");
  EXPECT_EQ(dialog.Field().count(), 0);
}

}  // namespace
}  // namespace mervanta::test
