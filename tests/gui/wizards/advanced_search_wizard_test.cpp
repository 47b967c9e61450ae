#include "wizards/advanced_search_wizard.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include "app/qt_search_dialogs.h"
#include "core/table/table_fixture.h"
#include "dialogs/columns_view.h"
#include "dialogs/fake_desktop_services.h"
#include "dialogs/modal_answer.h"
#include "dialogs/sources_view.h"
#include "dialogs/wizard.h"
#include "search/extended_search.h"
#include "search/search_equals.h"
#include "search/search_manager.h"
#include "settings/option_categories.h"
#include "settings/options.h"
#include "table/table.h"
#include "test_support/recording_user_interface.h"
#include "test_support/scoped_options.h"
#include "widget_picture.h"
#include "wizards/siner.h"

namespace mervanta::test {
namespace {

constexpr int kLongerThan = static_cast<int>(TConditionKind::LongerThan);

// Five plants with a name and a colour; two names differ only in case, three share a colour.
class AdvancedSearchWizardTest : public testing::Test {
 protected:
  AdvancedSearchWizardTest() {
    AddColumn(Table, "Name");
    AddColumn(Table, "Colour");
    for (const TRow& row : {TRow{"rose", "red"}, TRow{"tulip", "yellow"}, TRow{"lily", "white"},
                            TRow{"Rose", "red"}, TRow{"poppy", "red"}}) {
      AddRecord(Table, row);
    }
    Table.Sources().SetCurrentIndex(TTableSources::kAllIndex);
  }

  TSearchExForm& Open() {
    Form = std::make_unique<TSearchExForm>(nullptr, Table.Sources());
    Form->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
    return *Form;
  }
  template <typename T>
  T& Find(const QString& name) const {
    T* found = Form->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return *found;
  }
  QString Current() const { return Form->Wizard().CurrentPage()->objectName(); }
  void Click(const char* button) const { Find<QPushButton>(QString::fromLatin1(button)).click(); }
  // From wherever the wizard opened to the page after the initial one, for the kind's row.
  void StartWith(int kind) {
    Open();
    if (Current() == QStringLiteral("wp1")) Click("Next");
    Find<QListWidget>(QStringLiteral("Kinds")).setCurrentRow(kind);
    Click("Next");
  }
  void SetRow(int row, int column, int kind, const QString& text = {}, int number = 0) const {
    const TSiner& siner = *Form->Rows().at(static_cast<std::size_t>(row));
    siner.ColumnBox().setCurrentIndex(column);
    siner.ConditionBox().setCurrentIndex(kind);
    siner.TextField().setText(text);
    siner.NumberField().setValue(number);
  }
  void CheckColumn(const char* caption, bool on) const {
    Find<TColumnsView>(QStringLiteral("Columns"))
        .findItems(QString::fromLatin1(caption), Qt::MatchExactly)
        .front()
        ->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
  }
  // Leaves the conditions page and finishes: the search built, when it is a TKind.
  template <typename TKind>
  std::unique_ptr<TKind> Finish() {
    Click("Next");
    Click("Finish");
    std::unique_ptr<TSearch> search = Form->TakeSearch();
    if (dynamic_cast<TKind*>(search.get()) == nullptr) return nullptr;
    return std::unique_ptr<TKind>(static_cast<TKind*>(search.release()));
  }
  std::string Found() const { return TRecordsFixture::Rows(Table.Sources().SearchResults); }

  TScopedDefaultOptions Defaults;
  TFakeDesktopServices Services;
  TRecordingUserInterface Ui;
  TTable Table;
  std::unique_ptr<TSearchExForm> Form;
};

TEST_F(AdvancedSearchWizardTest, ARowShowsTheFieldsItsColumnAndKindCallFor) {
  struct TCase {
    int Column;
    int Kind;
    bool Condition;
    bool Text;
    bool Number;
  };
  Open();
  const TSiner& row = *Form->Rows().front();
  // Each case follows the one before, so every change of either box is seen.
  for (const TCase& c :
       {TCase{0, 0, false, false, false}, TCase{1, 0, true, true, false},
        TCase{1, kLongerThan, true, false, true}, TCase{0, kLongerThan, false, false, false},
        TCase{2, kLongerThan, true, false, true}, TCase{2, 11, true, false, true},
        TCase{2, 13, true, false, true}, TCase{2, 10, true, true, false},
        TCase{2, 8, true, true, false}, TCase{0, 8, false, false, false}}) {
    SCOPED_TRACE(testing::Message() << c.Column << " " << c.Kind);
    row.ColumnBox().setCurrentIndex(c.Column);
    row.ConditionBox().setCurrentIndex(c.Kind);
    EXPECT_EQ(row.Active(), c.Column > 0);
    EXPECT_EQ(!row.ConditionBox().isHidden(), c.Condition);
    EXPECT_EQ(!row.TextField().isHidden(), c.Text);
    EXPECT_EQ(!row.NumberField().isHidden(), c.Number);
  }
}

TEST_F(AdvancedSearchWizardTest, RowsOfferNoColumnThenTheTablesColumnsAndTheFourteenKinds) {
  Open();
  ASSERT_EQ(Form->Rows().size(), 7u);
  const TSiner& row = *Form->Rows().back();
  QStringList columns;
  for (int index = 0; index < row.ColumnBox().count(); ++index)
    columns << row.ColumnBox().itemText(index);
  EXPECT_EQ(columns, (QStringList{QString(), QStringLiteral("Name"), QStringLiteral("Colour")}));
  EXPECT_EQ(row.ConditionBox().count(), 14);
  EXPECT_EQ(row.ConditionBox().itemText(kLongerThan), QStringLiteral("Longer than"));
  EXPECT_EQ(row.ConditionBox().currentIndex(), 0);
}

TEST_F(AdvancedSearchWizardTest, AnEmptySourceKeepsTheInitialPageWithAMessage) {
  Open();
  Click("Next");
  auto& sources = Find<TSourcesView>(QStringLiteral("Sources"));
  const QString chosen =
      QString::fromStdString(Table.Sources().SourceCaption(TTableSources::kChosenIndex));
  sources.setCurrentItem(sources.findItems(chosen, Qt::MatchExactly).front());
  ASSERT_EQ(sources.SelectedSource(), TTableSources::kChosenIndex);
  Click("Next");
  EXPECT_EQ(Current(), QStringLiteral("wp2"));
  ASSERT_EQ(Ui.Messages().size(), 1u);
  EXPECT_NE(Ui.Messages()[0].find("The source is empty"), std::string::npos) << Ui.Messages()[0];
}

TEST_F(AdvancedSearchWizardTest, ConditionPagesRefuseSilentlyUntilTheyHoldSomethingToSearchBy) {
  StartWith(0);
  ASSERT_EQ(Current(), QStringLiteral("wpValues"));
  Click("Next");
  EXPECT_EQ(Current(), QStringLiteral("wpValues"));
  SetRow(6, 1, 0);
  Click("Next");
  EXPECT_EQ(Current(), QStringLiteral("wpOperation"));

  StartWith(1);
  ASSERT_EQ(Current(), QStringLiteral("wpRepeats"));
  CheckColumn("Name", false);
  CheckColumn("Colour", false);
  Click("Next");
  EXPECT_EQ(Current(), QStringLiteral("wpRepeats"));
  CheckColumn("Colour", true);
  Click("Next");
  EXPECT_EQ(Current(), QStringLiteral("wpOperation"));
  EXPECT_TRUE(Ui.Messages().empty());
}

TEST_F(AdvancedSearchWizardTest, TheOperationIsOfferedOnlyOnceSomethingWasFound) {
  StartWith(0);
  SetRow(0, 1, 0);
  Click("Next");
  EXPECT_FALSE(Find<QGroupBox>(QStringLiteral("Operation")).isEnabled());
  EXPECT_TRUE(Find<QRadioButton>(QStringLiteral("Operation0")).isChecked());
  Click("Finish");
  std::unique_ptr<TSearch> search = Form->TakeSearch();
  ASSERT_NE(search, nullptr);
  EXPECT_EQ(search->Operation(), TSearchOperation::Replace);

  Table.Sources().SearchResults.Add(Table.Sources().All.Item(0));
  StartWith(0);
  SetRow(0, 1, 0);
  Click("Next");
  EXPECT_TRUE(Find<QGroupBox>(QStringLiteral("Operation")).isEnabled());
  Find<QRadioButton>(QStringLiteral("Operation2")).click();
  Click("Finish");
  EXPECT_EQ(Form->TakeSearch()->Operation(), TSearchOperation::Remove);
}

TEST_F(AdvancedSearchWizardTest, WithoutTheWelcomeOptionBackStillShowsTheWelcomePageWhichStays) {
  Options().Other->WizardsWelcome->SetValue(false);
  Open();
  EXPECT_EQ(Current(), QStringLiteral("wp2"));
  Click("Back");
  EXPECT_EQ(Current(), QStringLiteral("wp1"));
  Click("Next");
  Click("Back");
  EXPECT_EQ(Current(), QStringLiteral("wp1"));
  Options().Other->WizardsWelcome->SetValue(true);
  Open();
  EXPECT_EQ(Current(), QStringLiteral("wp1"));
}

TEST_F(AdvancedSearchWizardTest, FinishBuildsASearchByTheActiveRowsInTheirOrder) {
  StartWith(0);
  SetRow(1, 2, static_cast<int>(TConditionKind::BeginWith), QStringLiteral("r"), 4);
  SetRow(3, 0, 0, QStringLiteral("ignored"));
  SetRow(4, 1, kLongerThan, QStringLiteral("kept"), 4);
  Find<QCheckBox>(QStringLiteral("AnyCondition")).setChecked(true);
  const auto values = Finish<TExtendedSearch>();
  ASSERT_NE(values, nullptr);
  EXPECT_EQ(&values->Source(), &Table.Sources().All);
  EXPECT_TRUE(values->AnyCondition());
  EXPECT_TRUE(values->IgnoreCase());
  ASSERT_EQ(values->Conditions().size(), 2u);
  const TCondition& first = values->Conditions()[0];
  EXPECT_EQ(first.Column().Caption->Value(), "Colour");
  EXPECT_EQ(first.Kind(), TConditionKind::BeginWith);
  EXPECT_EQ(first.Text(), "r");
  const TCondition& second = values->Conditions()[1];
  EXPECT_EQ(second.Column().Caption->Value(), "Name");
  EXPECT_EQ(second.Kind(), TConditionKind::LongerThan);
  EXPECT_EQ(second.Number(), 4);
  EXPECT_EQ(second.Text(), "kept");
}

TEST_F(AdvancedSearchWizardTest, CancellingHandsNoSearchOver) {
  TQtSearchDialogs dialogs(nullptr);
  AnswerNextModal<TSearchExForm>([](TSearchExForm& form) {
    form.findChild<QPushButton*>(QStringLiteral("Next"))->click();
    form.findChild<QPushButton*>(QStringLiteral("Cancel"))->click();
  });
  Table.SearchManager().AdvancedSearch();
  EXPECT_EQ(Table.SearchManager().CurrentSearch(), nullptr);
}

TEST_F(AdvancedSearchWizardTest, RepeatingRecordsAreFoundThroughTheSearchManager) {
  TQtSearchDialogs dialogs(nullptr);
  // Only the colour compared: the later red plants repeat the first one.
  AnswerNextModal<TSearchExForm>([](TSearchExForm& form) {
    const auto find = [&form](const char* name) {
      return form.findChild<QWidget*>(QString::fromLatin1(name));
    };
    static_cast<QPushButton*>(find("Next"))->click();
    static_cast<QListWidget*>(find("Kinds"))->setCurrentRow(1);
    static_cast<QPushButton*>(find("Next"))->click();
    static_cast<TColumnsView*>(find("Columns"))->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
    static_cast<QRadioButton*>(find("Conclusion1"))->click();  // only recurrences
    static_cast<QPushButton*>(find("Next"))->click();
    static_cast<QPushButton*>(find("Finish"))->click();
  });
  Table.SearchManager().AdvancedSearch();
  EXPECT_EQ(Found(), "Rose|red/poppy|red");
  const auto* repeats = dynamic_cast<const TSearchEquals*>(Table.SearchManager().CurrentSearch());
  ASSERT_NE(repeats, nullptr);
  EXPECT_FALSE(repeats->KeepOriginals());
  ASSERT_EQ(repeats->Columns().size(), 1u);
  EXPECT_EQ(repeats->Columns()[0]->Caption->Value(), "Colour");
}

TEST_F(AdvancedSearchWizardTest, RepeatingRecordsTakeTheOptionsOfTheirPage) {
  StartWith(1);
  CheckColumn("Colour", false);
  Find<QCheckBox>(QStringLiteral("CaseSensitiveRepeats")).setChecked(true);
  Find<QCheckBox>(QStringLiteral("AnyField")).setChecked(true);
  Find<QCheckBox>(QStringLiteral("IgnoreEmpty")).setChecked(true);
  const auto repeats = Finish<TSearchEquals>();
  ASSERT_NE(repeats, nullptr);
  EXPECT_TRUE(repeats->AnyField());
  EXPECT_FALSE(repeats->IgnoreCase());
  EXPECT_TRUE(repeats->IgnoreEmpty());
  EXPECT_TRUE(repeats->KeepOriginals());
  ASSERT_EQ(repeats->Columns().size(), 1u);
  EXPECT_EQ(repeats->Columns()[0]->Caption->Value(), "Name");
}

TEST_F(AdvancedSearchWizardTest, TheHelpButtonOpensTheWizardsTopicAndThePlaceIsKept) {
  Open();
  Find<QAbstractButton>(QStringLiteral("HelpButton")).click();
  EXPECT_EQ(Services.HelpTopics, std::vector<std::string>{"advancedsearch"});
  EXPECT_EQ(Form->windowTitle(), QStringLiteral("Advanced Search"));
  Form->move(60, 40);
  Click("Cancel");
  Open();
  EXPECT_EQ(Form->pos(), QPoint(60, 40));
}

TEST_F(AdvancedSearchWizardTest, EveryPageIsPictured) {
  Table.Sources().SearchResults.Add(Table.Sources().All.Item(0));
  Open();
  SaveWidgetPicture(*Form, "advanced_search_welcome");
  Click("Next");
  SaveWidgetPicture(*Form, "advanced_search_initial");
  Click("Next");
  SetRow(0, 1, 0, QStringLiteral("ro"));
  SetRow(1, 2, kLongerThan, {}, 3);
  SetRow(2, 1, static_cast<int>(TConditionKind::LessOrEqual), QStringLiteral("m"));
  SaveWidgetPicture(*Form, "advanced_search_values");
  Click("Next");
  SaveWidgetPicture(*Form, "advanced_search_operation");
  Click("Back");
  Click("Back");
  Find<QListWidget>(QStringLiteral("Kinds")).setCurrentRow(1);
  Click("Next");
  SaveWidgetPicture(*Form, "advanced_search_repeats");
}

}  // namespace
}  // namespace mervanta::test
