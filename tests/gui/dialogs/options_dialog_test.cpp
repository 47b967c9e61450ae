#include "dialogs/options_dialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>
#include <filesystem>
#include <memory>

#include "dialogs/fake_desktop_services.h"
#include "dialogs/tool_tree.h"
#include "model/table_sources.h"
#include "settings/color_button.h"
#include "settings/font_button.h"
#include "settings/options.h"
#include "settings/radio_group.h"
#include "settings/settings_location.h"
#include "support/msg_sender.h"
#include "test_support/recording_user_interface.h"
#include "views/grid.h"
#include "views/list_fixture.h"
#include "widget_picture.h"

namespace mervanta::test {
namespace {

QStringList Texts(const QTreeWidget& tree) {
  QStringList texts;
  for (int i = 0; i < tree.topLevelItemCount(); ++i) texts.append(tree.topLevelItem(i)->text(0));
  return texts;
}

// Counts the options' OptionsChanged notices.
struct TNoticeCounter {
  const TOptions* Options;
  int Count = 0;
  void Heard(const TMsg& msg) {
    if (msg.Sender == Options && msg.Code == TMsgCode::OptionsChanged) ++Count;
  }
};

// The dialog over options of its own, with a window's commands: two tools, one command of
// keys only and one of a group of exclusive commands, which are no tools.
class OptionsDialogTest : public testing::Test {
 protected:
  OptionsDialogTest() : Options(DefaultWorkDir()) {
    for (const char* name : {"f_New", "f_Open", "x_Hidden", "v_Grouped"}) {
      auto* command = new QAction(QString::fromLatin1(name).mid(2).prepend(u'&'), &Owner);
      command->setObjectName(QString::fromLatin1(name));
      Owner.addAction(command);
    }
    Owner.actions()[2]->setProperty("ToolExcluded", true);
    (new QActionGroup(&Owner))->addAction(Owner.actions()[3]);
    Options.Tools->Items->SetValue({"f_New", "", "gone", "x_Hidden", "f_Open"});
    Options.Main->WorkDir->SetValue({Folder.string() + "/"});
  }

  TOptionsForm& Open() {
    Form = std::make_unique<TOptionsForm>(&Owner, Owner.actions(), Options);
    Form->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
    return *Form;
  }
  template <class TControl>
  TControl& Control(const char* page, const char* name) {
    auto* control = Page(page).findChild<TControl*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << page << " " << name;
    return *control;
  }
  QWidget& Page(const char* name) {
    return *Form->findChild<QWidget*>(QString::fromLatin1(name), Qt::FindChildrenRecursively);
  }
  QTreeWidget& Categories() { return *Form->findChild<QTreeWidget*>(QStringLiteral("Categories")); }
  TToolTree& Tree(const char* name) {
    return *Form->findChild<TToolTree*>(QString::fromLatin1(name));
  }
  QPushButton& Button(QDialogButtonBox::StandardButton which) {
    return *Form->findChild<QDialogButtonBox*>(QStringLiteral("Buttons"))->button(which);
  }
  // Drops the selected entry of `from` onto the row of `to` (the empty area when -1), with
  // the data a drag from `from` carries.
  void Drop(TToolTree& from, int fromRow, TToolTree& to, int toRow) {
    from.setCurrentItem(from.topLevelItem(fromRow));
    QMimeData data;
    data.setData(QString::fromLatin1(TToolTree::kMimeType), from.objectName().toUtf8());
    const QPoint point = toRow >= 0 ? to.visualItemRect(to.topLevelItem(toRow)).center()
                                    : QPoint(5, to.viewport()->height() - 3);
    to.DropAt(data, point);
  }

  std::filesystem::path Folder = std::filesystem::temp_directory_path();
  TFakeDesktopServices Services;
  TRecordingUserInterface Ui;
  TOptions Options;
  QWidget Owner;
  std::unique_ptr<TOptionsForm> Form;
};

TEST_F(OptionsDialogTest, EveryCategoryHasANodeAndAPageWithItsControls) {
  Open();
  QStringList nodes;
  for (QTreeWidgetItemIterator it(&Categories()); *it != nullptr; ++it) {
    nodes.append((*it)->text(0));
  }
  EXPECT_EQ(nodes, (QStringList{"General", "Lists", "Colors and Spaces", "Column Headings",
                                "Search", "Card", "Export", "Print", "Tools", "Other"}));
  EXPECT_EQ(Categories().topLevelItem(1)->child(0)->text(0), "Colors and Spaces");
  EXPECT_EQ(Form->findChild<QLabel*>(QStringLiteral("Caption"))->text(), "General");

  struct TPageControls {
    const char* Page;
    int Checks, Colors, Numbers, Fonts, Lists, Radios, Edits, Memos, Trees;
  };
  const TPageControls pages[] = {
      {"Main", 1, 0, 0, 0, 0, 2, 0, 1, 0},   {"Flip", 12, 0, 0, 1, 0, 0, 0, 0, 0},
      {"Exact", 0, 15, 3, 0, 0, 0, 0, 0, 0}, {"Head", 5, 0, 0, 1, 0, 0, 0, 0, 0},
      {"Search", 7, 0, 0, 0, 0, 0, 0, 0, 0}, {"Card", 5, 0, 1, 1, 0, 0, 0, 0, 0},
      {"Export", 6, 0, 0, 0, 1, 0, 1, 0, 0}, {"Print", 4, 0, 0, 1, 0, 0, 0, 0, 0},
      {"Tools", 0, 0, 0, 0, 1, 0, 0, 0, 2},  {"Other", 7, 0, 0, 0, 0, 0, 0, 0, 0}};
  auto* stack = Form->findChild<QStackedWidget*>();
  for (int index = 0; index < 10; ++index) {
    const TPageControls& expected = pages[index];
    QWidget& page = Page(expected.Page);
    EXPECT_EQ(stack->indexOf(&page), index) << expected.Page;
    EXPECT_EQ(page.findChildren<QCheckBox*>().size(), expected.Checks) << expected.Page;
    EXPECT_EQ(page.findChildren<TColorButton*>().size(), expected.Colors) << expected.Page;
    EXPECT_EQ(page.findChildren<QSpinBox*>().size(), expected.Numbers) << expected.Page;
    EXPECT_EQ(page.findChildren<TFontButton*>().size(), expected.Fonts) << expected.Page;
    EXPECT_EQ(page.findChildren<QComboBox*>().size(), expected.Lists) << expected.Page;
    EXPECT_EQ(page.findChildren<TRadioGroup*>().size(), expected.Radios) << expected.Page;
    EXPECT_EQ(page.findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly).size(), expected.Edits)
        << expected.Page;
    EXPECT_EQ(page.findChildren<QPlainTextEdit*>().size(), expected.Memos) << expected.Page;
    EXPECT_EQ(page.findChildren<TToolTree*>().size(), expected.Trees) << expected.Page;
  }
  // Each labelled control's label names its option.
  for (const QLabel* label : Form->findChildren<QLabel*>()) {
    EXPECT_FALSE(label->text().isEmpty()) << label->buddy()->objectName().toStdString();
  }
  EXPECT_EQ(Page("Exact").findChild<QLabel*>()->text(), "Background");
  EXPECT_TRUE(Control<TFontButton>("Print", "Font").PrinterFonts());
  EXPECT_FALSE(Control<TFontButton>("Flip", "Font").PrinterFonts());
  EXPECT_EQ(Control<QSpinBox>("Card", "Lines").maximum(), 32);

  // Each page as the user sees it, selected through its node.
  for (QTreeWidgetItemIterator it(&Categories()); *it != nullptr; ++it) {
    Categories().setCurrentItem(*it);
    EXPECT_EQ(Form->findChild<QLabel*>(QStringLiteral("Caption"))->text(), (*it)->text(0));
    EXPECT_EQ(stack->currentIndex(), nodes.indexOf((*it)->text(0)));
    QTest::qWait(0);
    EXPECT_FALSE(
        SaveWidgetPicture(*Form, "options_" + stack->currentWidget()->objectName().toStdString())
            .empty());
  }

  Form->findChild<QAbstractButton*>(QStringLiteral("HelpButton"))->click();
  EXPECT_EQ(Services.HelpTopics, std::vector<std::string>{"options"});
  Form->reject();
  EXPECT_TRUE(Services.SessionElement("OptionsForm").Exists("Width"));
}

TEST_F(OptionsDialogTest, ToolsShowAsCommandsAndSeparatorsAndAreSavedBackByName) {
  Open();
  EXPECT_EQ(Texts(Tree("AvailableTools")), (QStringList{"(Separator)", "New", "Open"}));
  // An unknown name is a separator; a command that is no tool is left out.
  EXPECT_EQ(Texts(Tree("SelectedTools")),
            (QStringList{"New", "(Separator)", "(Separator)", "Open"}));
  QTest::mouseClick(&Button(QDialogButtonBox::Apply), Qt::LeftButton);
  EXPECT_EQ(Options.Tools->Items->Value(), (TStringList{"f_New", "", "", "f_Open"}));
}

TEST_F(OptionsDialogTest,
       DropsCopyFromTheAvailableToolsMoveWithinTheSelectedAndRemoveOnTheAvailable) {
  Open();
  Categories().setCurrentItem(Categories().topLevelItem(7));
  TToolTree& available = Tree("AvailableTools");
  TToolTree& selected = Tree("SelectedTools");
  Drop(selected, 1, available, 0);  // removed
  Drop(selected, 1, available, -1);
  Drop(available, 0, selected, -1);  // two separators at the end
  Drop(available, 0, selected, -1);
  EXPECT_EQ(selected.currentItem(), selected.topLevelItem(3));
  Drop(available, 2, selected, 0);  // "Open" before the first
  Drop(selected, 2, selected, 0);   // "Open" (the second) moved to the top
  Drop(selected, 0, selected, -1);  // and to the end
  EXPECT_EQ(Texts(available), (QStringList{"(Separator)", "New", "Open"}));
  EXPECT_EQ(Texts(selected), (QStringList{"Open", "New", "(Separator)", "(Separator)", "Open"}));
  EXPECT_EQ(selected.currentItem(), selected.topLevelItem(4));
  QTest::mouseClick(&Button(QDialogButtonBox::Ok), Qt::LeftButton);
  EXPECT_EQ(Options.Tools->Items->Value(), (TStringList{"f_Open", "f_New", "", "", "f_Open"}));
}

TEST_F(OptionsDialogTest, AMissingFolderIsWarnedOnceAndKept) {
  Open();
  const std::string folder = Folder.string() + "/";
  Control<QPlainTextEdit>("Main", "WorkDir")
      .setPlainText(
          QString::fromStdString("  /no/such/folder  \n\n" + Folder.string() + "\n/no/other\n"));
  QTest::mouseClick(&Button(QDialogButtonBox::Apply), Qt::LeftButton);
  EXPECT_EQ(Ui.Events, std::vector<std::string>{
                           "message Warning: Specified program directory does not exist."});
  EXPECT_EQ(Ui.Icons, std::vector<TIcon>{TIcon::Information});
  EXPECT_EQ(Options.Main->WorkDir->Value(),
            (TStringList{"/no/such/folder/", folder, "/no/other/"}));
  EXPECT_EQ(Control<QPlainTextEdit>("Main", "WorkDir").toPlainText().toStdString(),
            "/no/such/folder/\n" + folder + "\n/no/other/");

  // Existing folders, or none at all (the default then), pass quietly.
  Ui.Events.clear();
  Control<QPlainTextEdit>("Main", "WorkDir").setPlainText(QStringLiteral("  \n"));
  QTest::mouseClick(&Button(QDialogButtonBox::Apply), Qt::LeftButton);
  EXPECT_EQ(Options.Main->WorkDir->Value(), Options.Main->WorkDir->Default());
  EXPECT_TRUE(Ui.Events.empty() ||
              !std::filesystem::is_directory(Options.Main->WorkDir->Default().front()));
}

TEST_F(OptionsDialogTest, ResetShowsTheDefaultColoursAndSpacesOnlyAndCancelKeepsTheOptions) {
  const TColor chosen = RGB(1, 2, 3);
  Options.Flip->Exact->BkColor->SetValue(chosen);
  Options.Flip->Exact->HorzSpace->SetValue(9);
  Options.Flip->Font->EditValue([](TFont& font) { font.Size = 20; });
  Open();
  QTest::mouseClick(&Control<QPushButton>("Exact", "Reset"), Qt::LeftButton);
  EXPECT_EQ(Control<TColorButton>("Exact", "BkColor").Color(), RGB(255, 255, 255));
  EXPECT_EQ(Control<QSpinBox>("Exact", "HorzSpace").value(), 5);
  EXPECT_EQ(Control<TFontButton>("Flip", "Font").Font().Size, 20);
  TNoticeCounter notices{&Options};
  TMsgSubscription listener(BindListener<&TNoticeCounter::Heard>(&notices));
  Button(QDialogButtonBox::Cancel).click();
  EXPECT_EQ(Options.Flip->Exact->BkColor->Value(), chosen);
  EXPECT_EQ(Options.Flip->Exact->HorzSpace->Value(), 9);
  EXPECT_EQ(notices.Count, 0);

  Open();
  QTest::mouseClick(&Control<QPushButton>("Exact", "Reset"), Qt::LeftButton);
  QTest::mouseClick(&Button(QDialogButtonBox::Apply), Qt::LeftButton);
  Button(QDialogButtonBox::Cancel).click();
  EXPECT_TRUE(Options.Flip->Exact->BkColor->IsDefault());
  EXPECT_TRUE(Options.Flip->Exact->HorzSpace->IsDefault());
  EXPECT_EQ(Options.Flip->Font->Value().Size, 20);
  EXPECT_EQ(notices.Count, 1);
}

// An open grid over a small table follows the dialog's Apply.
class OptionsDialogGridTest : public ListFixture {
 protected:
  TRecordingUserInterface Ui;
  TFakeDesktopServices Services;
};

TEST_F(OptionsDialogGridTest, ApplyRepaintsAnOpenGridWithTheNewColours) {
  Column("Name", 120);
  AddRecord(Table, {"one"});
  AddRecord(Table, {"two"});
  Table.Sources().SetCurrentIndex(TTableSources::kAllIndex);
  TGrid grid(Options, Pictures);
  grid.resize(400, 300);
  grid.show();
  grid.Build(Table.Sources(), {});
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
  const QPoint empty(200, 250);
  EXPECT_EQ(grid.grab().toImage().pixelColor(empty), QColor(Qt::white));

  QWidget owner;
  TOptionsForm form(&owner, {}, Options);
  form.show();
  form.findChild<TColorButton*>(QStringLiteral("BkColor"))->SetColor(RGB(0xFF, 0, 0));
  form.findChild<QDialogButtonBox*>(QStringLiteral("Buttons"))
      ->button(QDialogButtonBox::Apply)
      ->click();
  QCoreApplication::processEvents();
  EXPECT_EQ(grid.grab().toImage().pixelColor(empty), QColor(Qt::red));
  SaveWidgetPicture(grid, "options_applied_to_grid");
}

}  // namespace
}  // namespace mervanta::test
