#include "wizards/automated_tasks_wizard.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "core/table/table_fixture.h"
#include "dialogs/columns_view.h"
#include "dialogs/fake_desktop_services.h"
#include "dialogs/sources_view.h"
#include "dialogs/wizard.h"
#include "operations/operation.h"
#include "settings/option_categories.h"
#include "settings/options.h"
#include "table/table.h"
#include "test_support/recording_user_interface.h"
#include "test_support/scoped_options.h"
#include "views/grid.h"
#include "widget_picture.h"

namespace mervanta::test {
namespace {

// A table of a stored "Name" and "Colour" and a computed column over three records.
class AutomatedTasksWizardTest : public testing::Test {
 protected:
  AutomatedTasksWizardTest() {
    AddColumn(Table, "Name");
    AddColumn(Table, "Colour");
    AddColumn(Table, "Upper", TColumnStorage::Virtual).Formula->SetValue("UpperCase(#1)");
    AddRecord(Table, {"  rose ", "red"});
    AddRecord(Table, {"tulip", " yellow"});
    AddRecord(Table, {"lily", "white "});
    Table.SetModified(false);
  }

  TAutomatedTasksForm& Open() {
    Form = std::make_unique<TAutomatedTasksForm>(nullptr, Table);
    Form->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
    return *Form;
  }
  template <typename T>
  T& Find(const char* name) const {
    T* found = Form->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return *found;
  }
  QString Current() const { return Form->Wizard().CurrentPage()->objectName(); }
  TWizardPage& Page() const { return *Form->Wizard().CurrentPage(); }
  void Click(const char* button) const { Find<QPushButton>(button).click(); }
  void ChooseKind(TOperationKind kind) const {
    Find<QListWidget>("Kinds").setCurrentRow(static_cast<int>(kind));
  }
  // From the welcome page to the page after the initial one.
  void StartWith(TOperationKind kind) {
    Open();
    if (Current() == QStringLiteral("wp1")) Click("Next");
    ChooseKind(kind);
    Click("Next");
  }
  void SelectColumn(const char* view, const char* caption) const {
    auto& columns = Find<TColumnsView>(view);
    columns.setCurrentItem(
        columns.findItems(QString::fromLatin1(caption), Qt::MatchExactly).front());
  }
  // The boxes start from the table's visible columns: all of them here.
  void Check(const char* caption, bool on = true) const {
    Find<TColumnsView>("ColumnsList")
        .findItems(QString::fromLatin1(caption), Qt::MatchExactly)
        .front()
        ->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
  }
  const TColumn& PreviewColumn(const char* caption) const {
    return *Form->Operation().Records->Columns().FindByCaption(caption);
  }
  TFieldPaintData Cell(int row, const char* caption) const {
    TGrid* grid = Form->PreviewGrid(Page());
    EXPECT_NE(grid, nullptr);
    return grid->List(0).LayOutField(row, PreviewColumn(caption), {.Width = 200});
  }
  std::string Field(int row, int column) const {
    return std::string(Table.Sources().Source(0).Item(row).Fields().Field(column));
  }

  TScopedDefaultOptions Defaults;
  TFakeDesktopServices Services;
  TRecordingUserInterface Ui;
  TTable Table;
  std::unique_ptr<TAutomatedTasksForm> Form;
};

TEST_F(AutomatedTasksWizardTest, EachKindVisitsOnlyThePagesItsParametersNeed) {
  struct TCase {
    TOperationKind Kind;
    QStringList Pages;
  };
  for (const auto& [kind, pages] :
       {TCase{TOperationKind::Trim, {"wpColumnsList", "wpPreview"}},
        TCase{TOperationKind::Insert, {"wpOneColumn", "wpPosition", "wpPasteData", "wpPreview"}},
        TCase{TOperationKind::Replace,
              {"wpOneColumn", "wpInterval", "wpPasteData", "wpPreview"}}}) {
    SCOPED_TRACE(static_cast<int>(kind));
    StartWith(kind);
    QStringList visited{Current()};
    while (Page().NextPage() != nullptr) {
      if (Current() == QStringLiteral("wpColumnsList")) Check("Colour");
      Click("Next");
      visited << Current();
    }
    EXPECT_EQ(visited, pages);
    EXPECT_TRUE(Find<QPushButton>("Finish").isVisible());
  }
}

TEST_F(AutomatedTasksWizardTest, GoingBackAndChoosingAnotherKindRebuildsTheChain) {
  StartWith(TOperationKind::Insert);
  ASSERT_EQ(Current(), QStringLiteral("wpOneColumn"));
  Click("Back");
  ChooseKind(TOperationKind::AnsiToOem);
  Click("Next");
  EXPECT_EQ(Current(), QStringLiteral("wpColumnsList"));
  EXPECT_EQ(Form->Operation().Kind, TOperationKind::AnsiToOem);
  // Nothing checked: the page stays, without a message.
  Check("Name", false);
  Check("Colour", false);
  Click("Next");
  EXPECT_EQ(Current(), QStringLiteral("wpColumnsList"));
  EXPECT_TRUE(Ui.Messages().empty());
  Check("Colour");
  Click("Next");
  EXPECT_EQ(Current(), QStringLiteral("wpPreview"));
  EXPECT_EQ(Form->Operation().Columns, std::vector<const TColumn*>{&PreviewColumn("Colour")});
  EXPECT_FALSE(PreviewColumn("Name").Visible->Value());
}

TEST_F(AutomatedTasksWizardTest, AnEmptySourceKeepsTheInitialPageWithAMessage) {
  Open();
  if (Current() == QStringLiteral("wp1")) Click("Next");
  auto& sources = Find<TSourcesView>("Sources");
  for (int row = 0; row < sources.topLevelItemCount(); ++row) {
    sources.setCurrentItem(sources.topLevelItem(row));
    if (Table.Sources().Source(sources.SelectedSource()).Count() == 0) break;
  }
  ASSERT_EQ(Table.Sources().Source(sources.SelectedSource()).Count(), 0);
  Click("Next");
  EXPECT_EQ(Current(), QStringLiteral("wp2"));
  ASSERT_EQ(Ui.Messages().size(), 1u);
  EXPECT_NE(Ui.Messages()[0].find("The source is empty"), std::string::npos) << Ui.Messages()[0];
}

TEST_F(AutomatedTasksWizardTest, TheKindChosenLastIsSelectedNextTime) {
  Open();
  ChooseKind(TOperationKind::InvertRegister);
  Click("Cancel");
  Open();
  EXPECT_EQ(Find<QListWidget>("Kinds").currentRow(),
            static_cast<int>(TOperationKind::InvertRegister));
}

TEST_F(AutomatedTasksWizardTest, TheHelpButtonOpensTheWizardsTopic) {
  Open();
  Find<QAbstractButton>("HelpButton").click();
  EXPECT_EQ(Services.HelpTopics, std::vector<std::string>{"automatedtasks"});
  EXPECT_TRUE(Form->isVisible());
}

TEST_F(AutomatedTasksWizardTest, TheWelcomePageShowsOnlyWhenTheOptionAsksForIt) {
  for (const bool welcome : {true, false}) {
    Options().Other->WizardsWelcome->SetValue(welcome);
    Open();
    EXPECT_EQ(Current(), welcome ? QStringLiteral("wp1") : QStringLiteral("wp2")) << welcome;
  }
}

TEST_F(AutomatedTasksWizardTest, PositionAndIntervalGridsMarkTheResolvedOffsetsAsTheFieldsChange) {
  StartWith(TOperationKind::Insert);
  SelectColumn("OneColumn", "Name");
  Click("Next");
  ASSERT_EQ(Current(), QStringLiteral("wpPosition"));
  EXPECT_EQ(Cell(1, "Name").Caret, 0);
  EXPECT_EQ(Cell(1, "Colour").Caret, -1);
  Find<QComboBox>("PositionMode").setCurrentIndex(static_cast<int>(TPositionMode::SubstringEnd));
  EXPECT_TRUE(Find<QLineEdit>("PositionText").isVisible());
  EXPECT_FALSE(Find<QSpinBox>("PositionNumber").isVisible());
  Find<QLineEdit>("PositionText").setText(QStringLiteral("li"));
  EXPECT_EQ(Cell(1, "Name").Caret, 4);  // "tulip": after "li"
  EXPECT_EQ(Cell(2, "Name").Caret, 2);  // "lily"
  SaveWidgetPicture(*Form, "automated_tasks_wpPosition");

  Click("Back");
  Click("Back");
  ChooseKind(TOperationKind::Delete);
  Click("Next");
  SelectColumn("OneColumn", "Name");
  Click("Next");
  ASSERT_EQ(Current(), QStringLiteral("wpInterval"));
  Find<QSpinBox>("StartNumber").setValue(1);
  Find<QSpinBox>("EndNumber").setValue(2);
  const TFieldPaintData tulip = Cell(1, "Name");
  EXPECT_EQ(std::pair(tulip.CaretA, tulip.CaretB), std::pair(1, 3));
  EXPECT_EQ(std::pair(tulip.MarkStart, tulip.MarkEnd), std::pair(2, 3));
  SaveWidgetPicture(*Form, "automated_tasks_wpInterval");
  SaveWidgetPicture(*Form->PreviewGrid(Page()), "automated_tasks_interval_grid");
}

TEST_F(AutomatedTasksWizardTest, FinishWritesWhatThePreviewShowedIntoTheTable) {
  Options().Other->WizardsWelcome->SetValue(true);
  Open();
  SaveWidgetPicture(*Form, "automated_tasks_wp1");
  Click("Next");
  ChooseKind(TOperationKind::Insert);
  SaveWidgetPicture(*Form, "automated_tasks_wp2");
  Click("Next");
  SelectColumn("OneColumn", "Colour");
  SaveWidgetPicture(*Form, "automated_tasks_wpOneColumn");
  Click("Next");
  Find<QComboBox>("PositionMode")
      .setCurrentIndex(static_cast<int>(TPositionMode::SymbolIndexFromEnd));
  Click("Next");
  Find<QComboBox>("DataKind").setCurrentIndex(static_cast<int>(TOperationDataKind::ColumnValue));
  SelectColumn("DataColumn", "Upper");
  SaveWidgetPicture(*Form, "automated_tasks_wpPasteData");
  Click("Next");
  ASSERT_EQ(Current(), QStringLiteral("wpPreview"));
  EXPECT_EQ(Cell(0, "Colour").Text, "red  ROSE ");
  EXPECT_EQ(Cell(0, "Name").Text, "  rose ");
  SaveWidgetPicture(*Form, "automated_tasks_wpPreview");
  EXPECT_EQ(Field(0, 1), "red");
  EXPECT_FALSE(Table.Modified());

  Click("Finish");
  EXPECT_EQ(Form->result(), QDialog::Accepted);
  for (const auto& [row, colour] :
       {std::pair(0, "red  ROSE "), std::pair(1, " yellowTULIP"), std::pair(2, "white LILY")}) {
    EXPECT_EQ(Field(row, 1), colour);
    EXPECT_EQ(Field(row, 0), std::string(row == 0 ? "  rose " : row == 1 ? "tulip" : "lily"));
  }
  EXPECT_TRUE(Table.Modified());
}

TEST_F(AutomatedTasksWizardTest, TrimOnCheckedColumnsChangesOnlyThoseColumns) {
  StartWith(TOperationKind::Trim);
  Check("Colour", false);
  SaveWidgetPicture(*Form, "automated_tasks_wpColumnsList");
  Click("Next");
  Click("Finish");
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(Field(row, 0), std::string(row == 0 ? "rose" : row == 1 ? "tulip" : "lily"));
  }
  EXPECT_EQ(Field(1, 1), " yellow");
}

}  // namespace
}  // namespace mervanta::test
