#include "dialogs/table_properties_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTest>
#include <QTreeWidget>
#include <fstream>
#include <sstream>

#include "core/table/table_fixture.h"
#include "dialogs/column_dialog.h"
#include "dialogs/columns_view.h"
#include "dialogs/modal_answer.h"
#include "dialogs/password_dialog.h"
#include "dialogs/report_page.h"
#include "formula/methods_manager.h"
#include "model/notices.h"
#include "test_support/recording_user_interface.h"
#include "views/grid.h"
#include "views/head_ctrl.h"
#include "views/list_fixture.h"
#include "widget_picture.h"

namespace mervanta::test {
namespace {

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// A table of one stored column "Name" and two virtual ones, "Upper" and "Size", over two
// records; the dialog is made per test.
class TablePropertiesTest : public ListFixture {
 protected:
  TablePropertiesTest() {
    Column("Name", 120);
    AddColumn(Table, "Upper", TColumnStorage::Virtual).Formula->SetValue("UpperCase(#1)");
    AddColumn(Table, "Size", TColumnStorage::Virtual).Formula->SetValue("Length(#1)");
    AddRecord(Table, {"rose"});
    AddRecord(Table, {"lily"});
  }

  TTableForm& Open(TTable& table) {
    Form = std::make_unique<TTableForm>(nullptr, table);
    Form->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
    return *Form;
  }
  template <class T>
  T& Find(const char* name) const {
    T* widget = Form->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return *widget;
  }
  TColumnsView& View() const { return Find<TColumnsView>("ColumnsView"); }
  QTreeWidgetItem* Node(const char* caption) const {
    const auto found = View().findItems(QString::fromLatin1(caption), Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.front();
  }
  void Select(const char* caption) const { View().setCurrentItem(Node(caption)); }
  void Click(const char* button) const { Find<QPushButton>(button).click(); }
  // The enabled state of the six column buttons, as "1" and "0".
  std::string ButtonStates() const {
    std::string states;
    for (const char* name : {"AddColumn", "AddVirtual", "Edit", "Delete", "MoveUp", "MoveDown"}) {
      states += Find<QPushButton>(name).isEnabled() ? '1' : '0';
    }
    return states;
  }
  void ShowCategory(const char* caption) const {
    auto& tree = Find<QTreeWidget>("Categories");
    const auto found =
        tree.findItems(QString::fromLatin1(caption), Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(found.size(), 1) << caption;
    tree.setCurrentItem(found.front());
  }
  TReportPage& Page(const char* name) const { return Find<TReportPage>(name); }
  std::vector<std::string> Messages() const {
    std::vector<std::string> messages;
    for (const std::string& event : Ui.Events) {
      if (event.starts_with("message ")) messages.push_back(event.substr(8));
    }
    return messages;
  }

  TRecordingUserInterface Ui;
  std::unique_ptr<TTableForm> Form;
};

TEST_F(TablePropertiesTest, ShowsTheCategoriesAndTheColumnsWithTheirVisibility) {
  Table.Columns()[1].Visible->SetValue(false);
  Open(Table);
  EXPECT_EQ(Form->windowTitle(), "Table Properties");
  EXPECT_EQ(Find<QLabel>("Caption").text(), "Columns");
  ASSERT_EQ(View().topLevelItemCount(), 3);
  const std::pair<const char*, Qt::CheckState> nodes[] = {
      {"Name", Qt::Checked}, {"Upper", Qt::Unchecked}, {"Size", Qt::Checked}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(View().topLevelItem(i)->text(0), nodes[i].first);
    EXPECT_EQ(View().topLevelItem(i)->checkState(0), nodes[i].second);
  }
  EXPECT_EQ(View().topLevelItem(0)->toolTip(0), "Column: Name");
  EXPECT_EQ(ButtonStates(), "110000") << "nothing selected";
  SaveWidgetPicture(*Form, "table_properties_columns");

  const std::pair<const char*, int> categories[] = {
      {"Options", 1}, {"Report", 2}, {"Calculations", 3}, {"KX-file", 4}, {"Columns", 0}};
  for (const auto& [caption, page] : categories) {
    ShowCategory(caption);
    EXPECT_EQ(Find<QLabel>("Caption").text(), caption);
    EXPECT_EQ(Find<QStackedWidget>("Pages").currentIndex(), page);
  }
}

TEST_F(TablePropertiesTest, ColumnButtonsFollowTheSelection) {
  Open(Table);
  const std::pair<const char*, const char*> cases[] = {
      {"Name", "111101"}, {"Upper", "111111"}, {"Size", "111110"}};
  for (const auto& [caption, states] : cases) {
    Select(caption);
    EXPECT_EQ(ButtonStates(), states) << caption;
  }
}

TEST_F(TablePropertiesTest, DeletingAsksWithTheWarningOnlyForAStoredColumnAndKeepsTheLastOne) {
  Open(Table);
  Select("Name");
  Click("Delete");
  EXPECT_EQ(Messages(), std::vector<std::string>{
                            "Mervanta: Table must contain at least one nonvirtual column."});
  EXPECT_EQ(Captions(Table.Columns()), "Name =Upper =Size");

  Click("AddColumn");
  EXPECT_EQ(Captions(Table.Columns()), "Name =Upper =Size Column1");
  EXPECT_EQ(View().currentItem()->text(0), "Column1");
  struct TCase {
    const char* Caption;
    TAnswer Answer;
    const char* Question;
    const char* Left;
  };
  const TCase cases[] = {
      {"Upper", TAnswer::No, "Are you sure you want to delete the column \"Upper\"?",
       "Name =Upper =Size Column1"},
      {"Upper", TAnswer::Yes, "Are you sure you want to delete the column \"Upper\"?",
       "Name =Size Column1"},
      {"Name", TAnswer::Yes,
       "Are you sure you want to delete the column \"Name\"?\n"
       "Warning! All values in this column will be lost.",
       "=Size Column1"},
  };
  for (const TCase& each : cases) {
    Ui.Events.clear();
    Ui.Icons.clear();
    Ui.Answers = {each.Answer};
    Select(each.Caption);
    Click("Delete");
    EXPECT_EQ(Messages(), std::vector<std::string>{std::string("Confirmation: ") + each.Question});
    EXPECT_EQ(Ui.Icons, std::vector<TIcon>{TIcon::Warning});
    EXPECT_EQ(Captions(Table.Columns()), each.Left);
  }
}

TEST_F(TablePropertiesTest, AddingMovingAndDroppingKeepTheColumnSelected) {
  Open(Table);
  Click("AddVirtual");
  EXPECT_EQ(Captions(Table.Columns()), "Name =Upper =Size =VirtualColumn1");
  EXPECT_EQ(ButtonStates(), "111110");
  Click("MoveUp");
  Click("MoveUp");
  EXPECT_EQ(Captions(Table.Columns()), "Name =VirtualColumn1 =Upper =Size");
  Click("MoveDown");
  EXPECT_EQ(Captions(Table.Columns()), "Name =Upper =VirtualColumn1 =Size");
  EXPECT_EQ(View().currentItem()->text(0), "VirtualColumn1");

  View().MoveSelectedOnto(Node("Name"));
  EXPECT_EQ(Captions(Table.Columns()), "=VirtualColumn1 Name =Upper =Size");
  EXPECT_EQ(ButtonStates(), "111101");
  View().MoveSelectedOnto(nullptr);
  EXPECT_EQ(Captions(Table.Columns()), "Name =Upper =Size =VirtualColumn1");
  EXPECT_EQ(View().currentItem()->text(0), "VirtualColumn1");
}

TEST_F(TablePropertiesTest, UntickingAColumnHidesItInTheGridAtOnce) {
  Table.Sources().SetCurrentIndex(TTableSources::kAllIndex);
  TGrid grid(Options, Pictures);
  grid.resize(600, 300);
  grid.show();
  grid.Build(Table.Sources(), {});
  ASSERT_EQ(grid.Head().Buttons().size(), 3u);
  Open(Table);
  Node("Upper")->setCheckState(0, Qt::Unchecked);
  EXPECT_FALSE(Table.Columns()[1].Visible->Value());
  EXPECT_EQ(grid.Head().Buttons().size(), 2u);
  Node("Upper")->setCheckState(0, Qt::Checked);
  EXPECT_EQ(grid.Head().Buttons().size(), 3u);
}

TEST_F(TablePropertiesTest, TheOptionsAreWrittenWhenTheDialogCloses) {
  Open(Table);
  ShowCategory("Options");
  Find<QCheckBox>("NoEquals").setChecked(true);
  Find<QCheckBox>("DenySort").setChecked(true);
  SaveWidgetPicture(*Form, "table_properties_options");
  EXPECT_FALSE(Table.Options().NoEquals->Value());
  Find<QDialogButtonBox>("Buttons").button(QDialogButtonBox::Close)->click();
  EXPECT_FALSE(Form->isVisible());
  EXPECT_TRUE(Table.Options().NoEquals->Value());
  EXPECT_TRUE(Table.Options().DenySort->Value());
  EXPECT_FALSE(Table.Options().AllowEmpty->Value());
}

TEST_F(TablePropertiesTest, TheReportPagesAreBuiltWhenFirstShownAndEmptiedByAColumnChange) {
  Open(Table);
  EXPECT_TRUE(Page("Report").toPlainText().isEmpty());
  ShowCategory("Report");
  EXPECT_TRUE(
      Page("Report").toPlainText().startsWith("Table: (Untitled)\n\nFile: (file is not saved)"));
  EXPECT_EQ(Page("Report").textCursor().position(), 0);
  SaveWidgetPicture(*Form, "table_properties_report");
  ShowCategory("Calculations");
  EXPECT_EQ(Page("Calculations").toPlainText(),
            "All: 2\n\nName (no calculations)\nUpper (no calculations)\nSize (min: 4; max: 4; "
            "Sum total: 8; average: 4)\n");
  SaveWidgetPicture(*Form, "table_properties_calculations");

  Page("Calculations").CopyAll();
  EXPECT_EQ(QApplication::clipboard()->text(), Page("Calculations").toPlainText());

  ShowCategory("Columns");
  Click("AddColumn");
  EXPECT_TRUE(Page("Report").toPlainText().isEmpty());
  EXPECT_TRUE(Page("Calculations").toPlainText().isEmpty());
  ShowCategory("Calculations");
  EXPECT_TRUE(Page("Calculations").toPlainText().contains("Column1 (empty: 2)"));

  QTest::keyClick(&Page("Calculations"), Qt::Key_Escape);
  EXPECT_FALSE(Form->isVisible()) << "Esc in a text closes the dialog";
}

TEST_F(TablePropertiesTest, TheDescriptionPageShowsTheFileAndTheTextSavesToAFile) {
  TTableFolder folder;
  const std::string path = folder.Write("garden.csv", "rose\r\n");
  TTable table;
  table.Open(path, "", false);
  table.Save();
  Open(table);
  ShowCategory("KX-file");
  const QString text = Page("KxFile").toPlainText();
  EXPECT_TRUE(text.startsWith("<Table>\n\t<Columns>")) << text.toStdString();
  SaveWidgetPicture(*Form, "table_properties_kx_file");

  const std::string saved = folder.File("report.txt");
  Page("KxFile").SaveAs(saved);
  EXPECT_EQ(FileText(saved), text.toStdString() + "\n");
  Page("KxFile").SaveAs(folder.Path());
  ASSERT_EQ(Messages().size(), 1u) << "a folder is no file to write";
}

TEST_F(TablePropertiesTest, AReadOnlyTableCanOnlyBeLookedAt) {
  TTableFolder folder;
  const std::string path = folder.Write("garden.csv", "rose;red\r\n");
  TTable table;
  table.Open(path, "", true);
  ASSERT_TRUE(table.ReadOnly());
  Open(table);
  Select("Column1");
  EXPECT_EQ(ButtonStates(), "001000");
  EXPECT_FALSE(Find<QCheckBox>("AllowEmpty").isEnabled());
  EXPECT_FALSE(Find<QPushButton>("Password").isEnabled());
  EXPECT_EQ(View().dragDropMode(), QAbstractItemView::NoDragDrop);

  bool answered = false;
  AnswerNextModal<TColumnForm>([&answered](TColumnForm& form) {
    answered = true;
    EXPECT_FALSE(
        form.findChild<QDialogButtonBox*>("Buttons")->button(QDialogButtonBox::Ok)->isEnabled());
    form.reject();
  });
  Click("Edit");
  EXPECT_TRUE(answered);
}

TEST_F(TablePropertiesTest, ANewPasswordIsSavedOnlyWithTheTable) {
  TTableFolder folder;
  const std::string path = folder.Write("garden.csv", "rose\r\n");
  TTable table;
  table.Open(path, "", false);
  Open(table);
  ShowCategory("Options");
  AnswerNextModal<TSetPasswordForm>([](TSetPasswordForm& form) {
    form.findChild<QLineEdit*>("New")->setText("secret");
    form.findChild<QLineEdit*>("Repeat")->setText("secret");
    form.accept();
  });
  Click("Password");
  EXPECT_EQ(table.Password(), "secret");
  EXPECT_TRUE(table.Modified());
  EXPECT_EQ(Messages(), std::vector<std::string>{
                            "Information: Password change successful. Please save the table."});
  Form->close();
  EXPECT_EQ(FileText(path), "rose\r\n");
  table.Save();
  EXPECT_EQ(FileText(path).find("rose"), std::string::npos) << "saved protected";
}

// The password dialog on its own: what it refuses and what it takes.
TEST_F(TablePropertiesTest, ThePasswordDialogChecksTheCurrentPasswordAndTheRepetition) {
  struct TCase {
    const char* Current;
    const char* Typed;
    const char* New;
    const char* Repeat;
    const char* Message;
  };
  const TCase cases[] = {
      {"Secret", "secret", "new", "new", "Mervanta: Invalid password."},
      {"Secret", "Secret", "new", "New", "Mervanta: The passwords are different. Typing error."},
      {"", "", "new", "newer", "Mervanta: The passwords are different. Typing error."},
      {"Secret", "Secret", "", "",
       "Information: Password change successful. Please save the table."},
      {"", "", "new", "new", "Information: Password change successful. Please save the table."},
  };
  for (const TCase& each : cases) {
    Ui.Events.clear();
    TSetPasswordForm form(nullptr, each.Current);
    form.show();
    auto* current = form.findChild<QLineEdit*>("Current");
    EXPECT_EQ(current->isEnabled(), *each.Current != '\0');
    current->setText(each.Typed);
    form.findChild<QLineEdit*>("New")->setText(each.New);
    form.findChild<QLineEdit*>("Repeat")->setText(each.Repeat);
    if (*each.Current == '\0' && *each.New != '\0') SaveWidgetPicture(form, "password_dialog");
    form.accept();
    EXPECT_EQ(Messages(), std::vector<std::string>{each.Message}) << each.Typed;
    const bool taken = std::string_view(each.Message).starts_with("Information");
    EXPECT_EQ(form.result() == QDialog::Accepted, taken) << each.Typed;
    if (taken) {
      EXPECT_EQ(form.NewPassword(), each.New);
    }
  }
}

// Counts the notices of one column list.
class NoticeCounter {
 public:
  explicit NoticeCounter(const TColumns& columns) : Columns_(columns) {}
  std::vector<TMsgCode> Codes;

 private:
  void Heard(const TMsg& msg) {
    if (msg.Sender == &Columns_) Codes.push_back(msg.Code);
  }
  const TColumns& Columns_;
  TMsgSubscription Subscription_{BindListener<&NoticeCounter::Heard>(this)};
};

TEST_F(TablePropertiesTest, TheColumnDialogWritesOnOkWithOneNoticeAndNothingOnCancel) {
  TColumn& name = Table.Columns()[0];
  for (const bool ok : {false, true}) {
    NoticeCounter notices(Table.Columns());
    TColumnForm form(nullptr, name, false);
    form.show();
    EXPECT_EQ(form.windowTitle(), "Column");
    form.findChild<QLineEdit*>("Caption")->setText("Flower");
    form.findChild<QLineEdit*>("Description")->setText("Its name");
    form.findChild<QCheckBox*>("UniqueValues")->setChecked(true);
    auto* type = form.findChild<QWidget*>("Type");
    type->findChildren<QRadioButton*>().at(1)->setChecked(true);
    form.findChild<QLineEdit*>("Default")->setText("$Date$");
    if (ok) {
      SaveWidgetPicture(form, "column_dialog_common");
      form.accept();
      EXPECT_EQ(notices.Codes, std::vector<TMsgCode>{TMsgCode::ColumnChanged});
      EXPECT_EQ(name.Caption->Value(), "Flower");
      EXPECT_EQ(name.Description->Value(), "Its name");
      EXPECT_TRUE(name.UniqueValues->Value());
      EXPECT_EQ(name.ColumnType(), TColumnType::Counter);
      EXPECT_EQ(name.Default->Value(), "$Date$");
    } else {
      form.reject();
      EXPECT_TRUE(notices.Codes.empty());
      EXPECT_EQ(name.Caption->Value(), "Name");
      EXPECT_EQ(name.Description->Value(), "");
      EXPECT_FALSE(name.UniqueValues->Value());
      EXPECT_EQ(name.ColumnType(), TColumnType::General);
      EXPECT_EQ(name.Default->Value(), "");
    }
  }
}

TEST_F(TablePropertiesTest, TheVirtualColumnDialogListsTheColumnCodesAndTheMethods) {
  TColumn& size = Table.Columns()[2];
  TColumnForm form(nullptr, size, false);
  form.resize(520, 420);
  form.show();
  auto* codes = form.findChild<QListWidget*>("ColumnCodes");
  ASSERT_EQ(codes->count(), 3);
  EXPECT_EQ(codes->item(0)->text(), "#1 - Name");
  EXPECT_EQ(codes->item(2)->text(), "#3 - Size");
  auto* methods = form.findChild<QListWidget*>("Methods");
  EXPECT_EQ(methods->count(), static_cast<int>(TMethodsManager::Names().size()));
  EXPECT_FALSE(methods->findItems("UpperCase", Qt::MatchExactly).isEmpty());
  EXPECT_EQ(form.findChild<QLineEdit*>("Formula")->text(), "Length(#1)");
  EXPECT_EQ(form.findChild<QWidget*>("Type"), nullptr);
  SaveWidgetPicture(form, "column_dialog_virtual");
  form.findChild<QLineEdit*>("Formula")->setText("#1");
  form.accept();
  std::string cell;
  size.Calculate(Table.Sources().All.Item(0), cell);
  EXPECT_EQ(cell, "rose");
}

}  // namespace
}  // namespace mervanta::test
