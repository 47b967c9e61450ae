#include "dialogs/new_table_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QAbstractButton>

#include "dialogs/fake_desktop_services.h"
#include "dialogs/modal_answer.h"
#include "support/locale.h"
#include "table/table.h"
#include "test_support/error_text.h"
#include "test_support/recording_user_interface.h"
#include "widget_picture.h"

namespace mervanta::test {
namespace {

std::vector<std::string> Captions(const TTable& table) {
  std::vector<std::string> captions;
  for (const auto& column : table.Columns()) {
    EXPECT_FALSE(column->IsVirtual());
    captions.push_back(column->Caption->Value());
  }
  return captions;
}

QString NumberedLines(int count) {
  QStringList lines;
  for (int i = 1; i <= count; ++i) lines.append(QStringLiteral("C%1").arg(i));
  return lines.join(QLatin1Char('\n'));
}

class NewTableDialogTest : public testing::Test {
 protected:
  NewTableDialogTest() {
    Form.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&Form));
  }

  QPlainTextEdit& Columns() { return *Form.findChild<QPlainTextEdit*>(QStringLiteral("Columns")); }
  QCheckBox& Option(const char* name) {
    return *Form.findChild<QCheckBox*>(QString::fromLatin1(name));
  }
  void PressOk() {
    Form.findChild<QDialogButtonBox*>(QStringLiteral("Buttons"))
        ->button(QDialogButtonBox::Ok)
        ->click();
  }

  TRecordingUserInterface Ui;
  bool Answer = true;
  // The captions of the table each time it was handed over.
  std::vector<std::vector<std::string>> Created;
  TNewForm Form{nullptr, [this](TTable& table) {
                  Created.push_back(Captions(table));
                  return Answer;
                }};
};

TEST_F(NewTableDialogTest, OffersTheDefaultColumnsAndTheTableOptionsByTheirCaptions) {
  EXPECT_EQ(Form.windowTitle(), QStringLiteral("Creating Table"));
  EXPECT_EQ(Columns().toPlainText(), QStringLiteral("Column1\nColumn2\nColumn3"));
  const std::vector<std::pair<const char*, const char*>> options{
      {"AllowEmpty", "Allow empty records"},
      {"NoEquals", "Prevent duplicate records"},
      {"InsertFirst", "Insert new records at the beginning of the list"},
      {"NoTrim", "Do not delete extreme blanks for values"},
      {"DenySort", "Turn off sorting"}};
  for (const auto& [name, caption] : options) {
    EXPECT_EQ(Option(name).text(), QString::fromLatin1(caption)) << name;
    EXPECT_FALSE(Option(name).isChecked()) << name;
  }
  EXPECT_TRUE(Columns().hasFocus());
  // No help unless the program offers it.
  EXPECT_EQ(Form.findChild<QAbstractButton*>(QStringLiteral("HelpButton")), nullptr);
  EXPECT_FALSE(SaveWidgetPicture(Form, "new_table_dialog").empty());
}

TEST_F(NewTableDialogTest, RefusalsAreShownAsErrorsAndKeepTheTypedLines) {
  const std::string unfit = ErrorOf([] { Utf8ToAnsi("\xE2\x82\xAC\xCE\xA9"); });
  const std::vector<std::pair<QString, std::string>> cases{
      {QString(), "Table must contain at least one nonvirtual column."},
      {QStringLiteral(" \n\t\n  \n"), "Table must contain at least one nonvirtual column."},
      {NumberedLines(257), "Too many columns (256 max)"},
      {NumberedLines(256) + QStringLiteral("\n\n") + NumberedLines(1),
       "Too many columns (256 max)"},
      {QStringLiteral("Name\n\u20AC\u03A9"), CompleteMessageText(unfit)},
  };
  for (const auto& [text, message] : cases) {
    Ui.Events.clear();
    Ui.Icons.clear();
    Columns().setPlainText(text);
    PressOk();
    EXPECT_EQ(Ui.Events, std::vector<std::string>{"message Mervanta: " + message});
    EXPECT_EQ(Ui.Icons, std::vector<TIcon>{TIcon::Error});
    EXPECT_TRUE(Form.isVisible());
    EXPECT_EQ(Columns().toPlainText(), text);
  }
  EXPECT_TRUE(Created.empty());
}

TEST_F(NewTableDialogTest, TakesTrimmedCaptionsInOrderUpTo256) {
  const std::vector<std::pair<QString, std::vector<std::string>>> cases{
      {QStringLiteral("  Name \n\n\tCity\t\n   \nPhone\n"), {"Name", "City", "Phone"}},
      {QStringLiteral("Zip\r\nAddress line"), {"Zip", "Address line"}},
      {QStringLiteral("Caf\u00E9"), {"Caf\xE9"}},
  };
  Answer = false;
  for (const auto& [text, captions] : cases) {
    Columns().setPlainText(text);
    PressOk();
    EXPECT_EQ(Created.back(), captions);
  }
  Answer = true;
  Columns().setPlainText(NumberedLines(256) + QStringLiteral("\n \n"));
  PressOk();
  ASSERT_EQ(Created.back().size(), 256u);
  EXPECT_EQ(Created.back().back(), "C256");
  EXPECT_TRUE(Ui.Icons.empty()) << "no message";
}

TEST_F(NewTableDialogTest, TheDialogClosesOnlyWhenTheTableWasStored) {
  Columns().setPlainText(QStringLiteral("Title\nAuthor"));
  Answer = false;
  PressOk();
  EXPECT_TRUE(Form.isVisible());
  EXPECT_EQ(Form.TakeTable(), nullptr);
  Answer = true;
  PressOk();
  EXPECT_FALSE(Form.isVisible());
  EXPECT_EQ(Form.result(), QDialog::Accepted);
  const std::unique_ptr<TTable> table = Form.TakeTable();
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(Captions(*table), (std::vector<std::string>{"Title", "Author"}));
  EXPECT_EQ(Created.size(), 2u);
}

TEST(NewTableDialog, EachCheckBoxSetsItsOwnTableOption) {
  const std::vector<const char*> names{"AllowEmpty", "NoEquals", "InsertFirst", "NoTrim",
                                       "DenySort"};
  for (const char* checked : names) {
    TTableOptions* options = nullptr;
    TNewForm form(nullptr, [&options](TTable& table) {
      options = &table.Options();
      return true;
    });
    form.findChild<QCheckBox*>(QString::fromLatin1(checked))->setChecked(true);
    form.accept();
    ASSERT_NE(options, nullptr);
    for (int i = 0; i < options->PropertyCount(); ++i) {
      const auto& option = static_cast<const TBooleanProperty&>(options->PropertyAt(i));
      EXPECT_EQ(option.Value(), option.Name() == checked) << checked << " checked";
    }
  }
}

TEST_F(NewTableDialogTest, EscapeInTheColumnsCancels) {
  QTest::keyClick(&Columns(), Qt::Key_Escape);
  EXPECT_FALSE(Form.isVisible());
  EXPECT_EQ(Form.result(), QDialog::Rejected);
  EXPECT_EQ(Form.TakeTable(), nullptr);
  EXPECT_TRUE(Created.empty());
}

TEST(NewTableDialog, TheHelpButtonOpensItsTopicWhenHelpIsOffered) {
  TFakeDesktopServices services;
  TNewForm form(nullptr, [](TTable&) { return true; });
  auto* help = form.findChild<QAbstractButton*>(QStringLiteral("HelpButton"));
  ASSERT_NE(help, nullptr);
  help->click();
  EXPECT_EQ(services.HelpTopics, std::vector<std::string>{"newtable"});
  EXPECT_TRUE(form.result() != QDialog::Accepted);
}

TEST(NewTableDialog, AnswersTheStoredTableOrNoneWhenCancelled) {
  for (const bool ok : {true, false}) {
    AnswerNextModal<TNewForm>([ok](TNewForm& form) { ok ? form.accept() : form.reject(); });
    std::unique_ptr<TTable> table = NewTableDialog(nullptr, [](TTable&) { return true; });
    ASSERT_EQ(table != nullptr, ok);
    if (ok) {
      EXPECT_EQ(Captions(*table).size(), 3u);
    }
  }
}

}  // namespace
}  // namespace mervanta::test
