#include "app/main_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <filesystem>
#include <tuple>

#include "app/about_box.h"
#include "app/global.h"
#include "core/table/table_fixture.h"
#include "dialogs/modal_answer.h"
#include "dialogs/new_table_dialog.h"
#include "dialogs/print_dialog.h"
#include "dialogs/quick_search_dialog.h"
#include "dialogs/select_table_dialog.h"
#include "dialogs/sources_view.h"
#include "model/records.h"
#include "search/quick_search_history.h"
#include "settings/option_categories.h"
#include "settings/options.h"
#include "styles/styled_button.h"
#include "support/file_io.h"
#include "table/table.h"
#include "table/table_preload.h"
#include "test_support/recording_user_interface.h"
#include "test_support/scoped_environment.h"
#include "test_support/scoped_options.h"
#include "views/card_form.h"
#include "views/card_item.h"
#include "views/card_items.h"
#include "views/grid.h"
#include "views/tabs_ctrl.h"
#include "widget_picture.h"
#include "wizards/advanced_search_wizard.h"
#include "wizards/siner.h"

namespace mervanta::test {
namespace {

class MainWindowTest : public testing::Test {
 protected:
  explicit MainWindowTest(TCommandLine line = {}) {
    line.OptionsFile = Folder.File("settings.xml");
    Global = std::make_unique<TGlobal>(std::move(line));
    Window = std::make_unique<TMainWindow>(*Global);
    Window->Prompts().Password = [this](const QString& prompt) {
      Ui.Events.push_back("password " + prompt.toStdString());
      return PasswordAnswer;
    };
    Window->Prompts().SaveFile = [this](const QString&) { return SaveAnswer; };
    Window->Prompts().OpenFile = [this] {
      ++OpenAsked;
      return QString();
    };
    Window->Prompts().OpenFiles = [this] { return ImportAnswer; };
    Window->resize(800, 500);
    Window->show();
    // Keys reach the commands of the active window only.
    QApplication::setActiveWindow(Window.get());
  }

  std::string Plants() const {
    return Folder.Write("plants.csv", "rose;red\r\ntulip;yellow\r\nlily;white\r\n");
  }
  QString Title() const { return Window->windowTitle(); }
  std::vector<std::string> Messages() const {
    std::vector<std::string> messages;
    for (const std::string& event : Ui.Events) {
      if (event.starts_with("message ")) messages.push_back(event.substr(8));
    }
    return messages;
  }
  bool Can(const char* command) const { return Window->Commands()[command].isEnabled(); }
  void Run(const char* command) { Window->Commands()[command].trigger(); }

  TScopedDefaultOptions Defaults;
  TTableFolder Folder;
  TRecordingUserInterface Ui;
  std::unique_ptr<TGlobal> Global;
  std::unique_ptr<TMainWindow> Window;
  std::optional<std::string> PasswordAnswer;
  QString SaveAnswer;
  QStringList ImportAnswer;
  int OpenAsked = 0;
};

TEST_F(MainWindowTest, AnOpenTableIsShownAndNamedInTheTitle) {
  EXPECT_EQ(Title(), "Mervanta");
  EXPECT_FALSE(Can("f_Save"));
  EXPECT_FALSE(Can("r_Add"));
  ASSERT_TRUE(Window->OpenTable(Plants()));
  EXPECT_EQ(Title(), "Mervanta - plants");
  ASSERT_NE(Window->Grid(), nullptr);
  EXPECT_EQ(Window->Grid()->Tabs().Tabs().at(0), "All: 3");
  EXPECT_TRUE(Can("r_Add"));
  EXPECT_TRUE(Can("r_Edit"));
  EXPECT_FALSE(Can("f_Save"));
  ASSERT_TRUE(Window->CloseTable());
  EXPECT_EQ(Title(), "Mervanta");
  EXPECT_EQ(Window->Grid(), nullptr);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(MainWindowTest, TheTablesDialogsOpenOnTheOpenTableByTheirKeys) {
  struct TCase {
    const char* Command;
    Qt::Key Key;
    const char* Dialog;
    const char* Title;
  };
  const TCase cases[] = {
      {"s_Table", Qt::Key_T, "mervanta::TTableForm", "Table Properties"},
      {"s_Export", Qt::Key_E, "mervanta::TExportForm", "Export"},
      {"s_Operations", Qt::Key_R, "mervanta::TAutomatedTasksForm", "Automated tasks"},
  };
  for (const TCase& each : cases) EXPECT_FALSE(Can(each.Command)) << each.Command;
  ASSERT_TRUE(Window->OpenTable(Plants()));
  for (const TCase& each : cases) {
    SCOPED_TRACE(each.Command);
    ASSERT_TRUE(Can(each.Command));
    EXPECT_TRUE(Window->Commands()[each.Command].isVisible());
    std::string dialog, title;
    AnswerNextModal<QDialog>([&dialog, &title](QDialog& form) {
      dialog = form.metaObject()->className();
      title = form.windowTitle().toStdString();
      form.reject();
    });
    QApplication::setActiveWindow(Window.get());
    QTest::keyClick(Window.get(), each.Key, Qt::ControlModifier);
    EXPECT_EQ(dialog, each.Dialog);
    EXPECT_EQ(title, each.Title);
  }
}

TEST_F(MainWindowTest, AdvancedSearchWithCtrlWFindsByTheWizardsConditions) {
  EXPECT_FALSE(Can("r_FindEx"));
  ASSERT_TRUE(Window->OpenTable(Plants()));
  ASSERT_TRUE(Can("r_FindEx"));
  // A name beginning with "r" or a colour ending in "e".
  AnswerNextModal<TSearchExForm>([](TSearchExForm& form) {
    const auto next = [&form](const char* button) {
      form.findChild<QPushButton*>(QString::fromLatin1(button))->click();
    };
    next("Next");
    next("Next");
    for (const auto& [row, column, kind, text] : {std::tuple{0, 1, TConditionKind::BeginWith, "r"},
                                                  std::tuple{2, 2, TConditionKind::EndWith, "e"}}) {
      const TSiner& siner = *form.Rows().at(row);
      siner.ColumnBox().setCurrentIndex(column);
      siner.ConditionBox().setCurrentIndex(static_cast<int>(kind));
      siner.TextField().setText(QString::fromLatin1(text));
    }
    form.findChild<QCheckBox*>(QStringLiteral("AnyCondition"))->setChecked(true);
    next("Next");
    next("Finish");
  });
  QTest::keyClick(&Window->Grid()->List(0), Qt::Key_W, Qt::ControlModifier);
  EXPECT_EQ(TRecordsFixture::Rows(Window->Table()->Sources().SearchResults), "rose|red/lily|white");
}

TEST_F(MainWindowTest, CtrlPPrintsAListCtrlShiftPTheCurrentRecordAndThePagesGoWithTheWindow) {
  const TScopedEnvironment temporaryFolder("TMPDIR", Folder.Path().c_str());
  const auto pages = [this] {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(Folder.Path())) {
      if (entry.path().filename().string().starts_with("QRV")) found.push_back(entry.path());
    }
    return found;
  };
  EXPECT_FALSE(Can("s_Print"));
  EXPECT_FALSE(Can("x_PrintRecord"));
  ASSERT_TRUE(Window->OpenTable(Plants()));
  ASSERT_TRUE(Can("s_Print"));
  ASSERT_TRUE(Can("x_PrintRecord"));
  Window->Prompts().Printer = [this](QWidget&, QPrinter& printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(Folder.File("printed.pdf")));
    return true;
  };
  struct TCase {
    QKeyCombination Keys;
    bool Sources;
  };
  for (const TCase& each :
       {TCase{Qt::CTRL | Qt::Key_P, true}, TCase{Qt::CTRL | Qt::SHIFT | Qt::Key_P, false}}) {
    std::optional<bool> sources;
    AnswerNextModal<TPrintForm>([&sources](TPrintForm& form) {
      sources = form.findChild<TSourcesView*>() != nullptr;
      form.findChild<QPushButton*>(QStringLiteral("Print"))->click();
    });
    // The closed dialog leaves no window active on the offscreen platform.
    QApplication::setActiveWindow(Window.get());
    QTest::keyClick(Window.get(), each.Keys.key(), each.Keys.keyboardModifiers());
    EXPECT_EQ(sources, each.Sources);
  }
  EXPECT_EQ(Messages(), std::vector<std::string>{});
  const std::vector<std::string> printed = pages();
  ASSERT_EQ(printed.size(), 2u);
  EXPECT_NE((ReadWholeFile(printed[0]) + ReadWholeFile(printed[1])).find("tulip"),
            std::string::npos);
  Window.reset();
  EXPECT_TRUE(pages().empty());
}

TEST_F(MainWindowTest, ImportingFilesAppendsTheirRecordsTellsTheirNumberAndMarksTheTable) {
  EXPECT_FALSE(Can("s_Import"));
  ASSERT_TRUE(Window->OpenTable(Plants()));
  ASSERT_TRUE(Can("s_Import"));
  Run("s_Import");  // cancelled
  EXPECT_TRUE(Messages().empty());
  EXPECT_FALSE(Window->Table()->Modified());

  ImportAnswer = {
      QString::fromStdString(Folder.Write("first.csv", "iris;blue\r\n")),
      QString::fromStdString(Folder.Write("second.txt", "daisy;white\r\n\r\nfern\r\n"))};
  QTest::keyClick(Window.get(), Qt::Key_I, Qt::ControlModifier);
  EXPECT_EQ(TRecordsFixture::Rows(Window->Table()->Sources().All),
            "rose|red/tulip|yellow/lily|white/iris|blue/daisy|white/fern|");
  EXPECT_EQ(Messages(), std::vector<std::string>{"Information: 3 records added."});
  EXPECT_TRUE(Window->Table()->Modified());
  EXPECT_EQ(Window->Grid()->Tabs().Tabs().at(0), "All: 6");
}

TEST_F(MainWindowTest, AProtectedTableAsksForItsPassword) {
  const std::string path = Plants();
  {
    TTable table;
    table.Open(path, "", false);
    table.SetPassword("secret");
    table.Save();
  }
  PasswordAnswer = std::nullopt;
  EXPECT_FALSE(Window->OpenTable(path));
  EXPECT_NE(std::find(Ui.Events.begin(), Ui.Events.end(),
                      "password Please enter password for \"plants\""),
            Ui.Events.end());
  PasswordAnswer = "wrong";
  EXPECT_FALSE(Window->OpenTable(path));
  EXPECT_EQ(Messages(), std::vector<std::string>{"Password: Invalid password"});
  EXPECT_EQ(Window->Table(), nullptr);
  PasswordAnswer = "secret";
  ASSERT_TRUE(Window->OpenTable(path));
  EXPECT_EQ(Window->Table()->Sources().All.Count(), 3);
}

TEST_F(MainWindowTest, ATableInUseElsewhereOpensReadOnlyWithANotice) {
  const std::string path = Plants();
  TTable other;
  other.Open(path, "", false);
  ASSERT_TRUE(Window->OpenTable(path));
  EXPECT_TRUE(Window->Table()->ReadOnly());
  EXPECT_EQ(Title(), "Mervanta - plants [Read-only]");
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_TRUE(Messages()[0].starts_with(
      "Information: The file you are trying to open is already in use by another application"));
  EXPECT_FALSE(Can("r_Add"));
  EXPECT_FALSE(Can("r_Delete"));
  EXPECT_FALSE(Can("s_Operations"));
}

TEST_F(MainWindowTest, DeletingAsksFirst) {
  ASSERT_TRUE(Window->OpenTable(Plants()));
  TRecords& all = Window->Table()->Sources().All;
  all.SetItemIndex(1);
  Ui.Answers = {TAnswer::Cancel, TAnswer::Ok};
  Run("r_Delete");
  EXPECT_EQ(all.Count(), 3);
  EXPECT_EQ(Messages().at(0), "Confirmation: Delete record?\r\n\r\n\"tulip yellow\x85\"");
  Run("r_Delete");
  EXPECT_EQ(TRecordsFixture::Rows(all), "rose|red/lily|white");
  EXPECT_TRUE(Can("f_Save"));
  EXPECT_EQ(Title(), "Mervanta - plants");
}

TEST_F(MainWindowTest, InsChoosesTheRecordAndStepsDownOnlyWithChoosing) {
  Options().Main->UseChoice->SetValue(true);
  MsgSender().Send(&Options(), TMsgCode::OptionsChanged);
  ASSERT_TRUE(Window->OpenTable(Plants()));
  TTableSources& sources = Window->Table()->Sources();
  sources.All.SetItemIndex(0);
  ASSERT_TRUE(Can("aw_Choice"));
  QTest::keyClick(&Window->Grid()->List(0), Qt::Key_Insert);
  EXPECT_EQ(sources.Chosen.Count(), 1);
  EXPECT_EQ(sources.All.ItemIndex(), 1);
  EXPECT_TRUE(Window->Commands()["c_ReturnAll"].isVisible());

  Options().Main->UseChoice->SetValue(false);
  MsgSender().Send(&Options(), TMsgCode::OptionsChanged);
  QTest::keyClick(&Window->Grid()->List(0), Qt::Key_Insert);
  EXPECT_EQ(sources.All.ItemIndex(), 1);
  EXPECT_FALSE(Window->Commands()["aw_Choice"].isVisible());
}

TEST_F(MainWindowTest, ControlShiftArrowsMoveTheCurrentRecord) {
  ASSERT_TRUE(Window->OpenTable(Plants()));
  TRecords& all = Window->Table()->Sources().All;
  all.SetItemIndex(0);
  TFlipList& list = Window->Grid()->List(0);
  QTest::keyClick(&list, Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(TRecordsFixture::Rows(all), "tulip|yellow/rose|red/lily|white");
  EXPECT_EQ(all.ItemIndex(), 1);
  QTest::keyClick(&list, Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
  QTest::keyClick(&list, Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(TRecordsFixture::Rows(all), "tulip|yellow/lily|white/rose|red");
  EXPECT_TRUE(Can("f_Save"));
}

TEST_F(MainWindowTest, F5AddsThroughTheCardShiftFromTheCurrentRecordAltAtIt) {
  ASSERT_TRUE(Window->OpenTable(Plants()));
  TTableSources& sources = Window->Table()->Sources();
  Options().Card->AddingMode->SetValue(false);
  sources.All.SetItemIndex(1);
  AnswerNextModal<TCardForm>([](TCardForm& card) {
    EXPECT_EQ(card.windowTitle(), "New Record");
    card.Items().Item(0).SetValue("iris");
    card.Items().Item(1).SetValue("blue");
    card.findChild<QPushButton*>("OkButton")->click();
  });
  QTest::keyClick(&Window->Grid()->List(0), Qt::Key_F5);
  EXPECT_EQ(TRecordsFixture::Rows(sources.All), "rose|red/tulip|yellow/lily|white/iris|blue");
  EXPECT_EQ(sources.All.ItemIndex(), 3);
  EXPECT_TRUE(Can("f_Save"));
  // Alt: at the current record; Shift: the current record's values to start from.
  sources.All.SetItemIndex(1);
  AnswerNextModal<TCardForm>([](TCardForm& card) {
    EXPECT_EQ(card.Items().Item(0).Text(), "tulip");
    card.Items().Item(0).SetValue("poppy");
    card.findChild<QPushButton*>("OkButton")->click();
  });
  QApplication::setActiveWindow(Window.get());
  QTest::keyClick(&Window->Grid()->List(0), Qt::Key_F5, Qt::ShiftModifier | Qt::AltModifier);
  EXPECT_EQ(TRecordsFixture::Rows(sources.All),
            "rose|red/poppy|yellow/tulip|yellow/lily|white/iris|blue");
}

TEST_F(MainWindowTest, EnterEditsTheCurrentRecordAndCtrlFSearchesByItsCard) {
  ASSERT_TRUE(Window->OpenTable(Plants()));
  TTableSources& sources = Window->Table()->Sources();
  sources.All.SetItemIndex(2);
  AnswerNextModal<TCardForm>([](TCardForm& card) {
    EXPECT_EQ(card.windowTitle(), "Edit");
    card.Items().Item(1).SetValue("pink");
    card.findChild<QPushButton*>("OkButton")->click();
  });
  QTest::keyClick(&Window->Grid()->List(0), Qt::Key_Return);
  EXPECT_EQ(TRecordsFixture::Rows(sources.All), "rose|red/tulip|yellow/lily|pink");
  EXPECT_TRUE(Can("f_Save"));

  QApplication::setActiveWindow(Window.get());
  AnswerNextModal<TCardForm>([](TCardForm& card) {
    EXPECT_EQ(card.windowTitle(), "Normal Search");
    card.Items().Item(1).SetValue("pink");
    card.findChild<QPushButton*>("OkButton")->click();
  });
  QTest::keyClick(&Window->Grid()->List(0), Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(TRecordsFixture::Rows(sources.SearchResults), "lily|pink");
}

TEST_F(MainWindowTest, QuickSearchFindsThroughItsBoxAndKeepsTheText) {
  Options().Search->InformCount->SetValue(true);
  ASSERT_TRUE(Window->OpenTable(Plants()));
  AnswerNextModal<TQuickSearchDialog>([](TQuickSearchDialog& box) {
    box.Field().setEditText("ye");
    box.accept();
  });
  QTest::keyClick(&Window->Grid()->List(0), Qt::Key_F3);
  TTableSources& sources = Window->Table()->Sources();
  EXPECT_EQ(TRecordsFixture::Rows(sources.SearchResults), "tulip|yellow");
  EXPECT_EQ(Messages().back(), "Information: Records found: 1.");
  EXPECT_TRUE(Window->Table()->Sources().All.Item(1).Found());
  EXPECT_EQ(Window->Grid()->Tabs().Tabs().at(1), "Search Results: 1");
  EXPECT_EQ(TQuickSearchHistory(Global->SettingsRoot()).Items(), TStringList{"ye"});
}

TEST_F(MainWindowTest, TheWindowKeepsItsViewAndLastTableForTheNextRun) {
  const std::string path = Plants();
  ASSERT_TRUE(Window->OpenTable(path));
  Window->Commands()["v_ToolBar"].trigger();
  Window->Commands()["v_Sections"].trigger();
  EXPECT_TRUE(Window->Grid()->Split());
  Window->Grid()->SetSplitRatio(0.3);
  ASSERT_TRUE(Window->close());
  Window.reset();
  ASSERT_TRUE(Global->SaveSettings());

  TGlobal next({.OptionsFile = Folder.File("settings.xml")});
  TMainWindow again(next);
  EXPECT_FALSE(again.Commands()["v_ToolBar"].isChecked());
  EXPECT_TRUE(again.Commands()["v_Sections"].isChecked());
  Options().Main->StartMode->SetValue(1);
  again.StartUp();
  ASSERT_NE(again.Table(), nullptr);
  EXPECT_EQ(again.Table()->FileName(), path);
  EXPECT_TRUE(again.Grid()->Split());
  EXPECT_NEAR(again.Grid()->SplitRatio(), 0.3, 0.001);
}

TEST_F(MainWindowTest, ANewTableIsSavedUnderTheNameGivenAndOpened) {
  SaveAnswer = QString::fromStdString(Folder.File("birds.csv"));
  AnswerNextModal<TNewForm>([](TNewForm& dialog) {
    dialog.findChild<QPlainTextEdit*>("Columns")->setPlainText("Name\nSeen\n\n");
    dialog.accept();
  });
  Run("f_New");
  ASSERT_NE(Window->Table(), nullptr);
  EXPECT_EQ(Title(), "Mervanta - birds");
  EXPECT_EQ(Captions(Window->Table()->Columns()), "Name Seen");
  EXPECT_TRUE(std::filesystem::exists(Folder.File("birds.kx")));
  EXPECT_FALSE(Can("f_Save"));
}

TEST_F(MainWindowTest, ClosingAModifiedTableAsksToSaveIt) {
  const std::string path = Plants();
  ASSERT_TRUE(Window->OpenTable(path));
  const auto modify = [this] {
    TRecords& all = Window->Table()->Sources().All;
    all.Delete(0);
  };
  modify();
  Ui.Answers = {TAnswer::Cancel};
  EXPECT_FALSE(Window->CloseTable());
  ASSERT_NE(Window->Table(), nullptr);
  EXPECT_EQ(Messages().back(), "Warning: Do you want to save the changes in \"plants\"?");
  Ui.Answers = {TAnswer::No};
  EXPECT_TRUE(Window->CloseTable());
  EXPECT_EQ(Window->Table(), nullptr);
  ASSERT_TRUE(Window->OpenTable(path));
  EXPECT_EQ(Window->Table()->Sources().All.Count(), 3) << "nothing was saved";
  modify();
  Ui.Answers = {TAnswer::Yes};
  EXPECT_TRUE(Window->CloseTable());
  ASSERT_TRUE(Window->OpenTable(path));
  EXPECT_EQ(Window->Table()->Sources().All.Count(), 2);
  // Closing the window asks the same.
  modify();
  Ui.Answers = {TAnswer::Cancel};
  EXPECT_FALSE(Window->close());
  EXPECT_TRUE(Window->isVisible());
}

TEST_F(MainWindowTest, AFileThatIsNoTableLeavesTheOpenTableAsItWas) {
  ASSERT_TRUE(Window->OpenTable(Plants()));
  std::filesystem::create_directory(Folder.File("folder.csv"));
  EXPECT_FALSE(Window->OpenTable(Folder.File("folder.csv")));
  ASSERT_NE(Window->Table(), nullptr);
  EXPECT_EQ(Title(), "Mervanta - plants");
  EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(MainWindowTest, TheToolbarFollowsTheToolsOption) {
  TToolsCategory& tools = *Options().Tools;
  tools.Items->SetValue({"f_Open", "", "no_such_command", "r_FindFast"});
  tools.Captions->SetValue(2);
  MsgSender().Send(&Options(), TMsgCode::OptionsChanged);
  QToolBar& bar = *Window->findChild<QToolBar*>("ToolBar");
  ASSERT_EQ(bar.actions().size(), 4);
  EXPECT_EQ(bar.actions()[0], &Window->Commands()["f_Open"]);
  EXPECT_EQ(bar.toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
  auto* quick = qobject_cast<QToolButton*>(bar.widgetForAction(bar.actions()[3]));
  ASSERT_NE(quick, nullptr);
  EXPECT_EQ(quick->text(), "Quick Search");
}

TEST_F(MainWindowTest, EveryToolbarCommandHasItsImageWithoutADesktopTheme) {
  for (const std::string_view name : kStandardToolList) {
    if (name.empty()) continue;
    EXPECT_FALSE(Window->Commands()[name].icon().isNull()) << name;
  }
}

TEST_F(MainWindowTest, TheAboutBoxNamesTheProgramAndLinksItsPages) {
  AnswerNextModal<TAboutBox>([](TAboutBox& box) {
    const QList<TStyledLink*> links = box.findChildren<TStyledLink*>();
    ASSERT_EQ(links.size(), 2);
    EXPECT_EQ(links[0]->Url(), QUrl(QString::fromLatin1(kHomePage)));
    EXPECT_FALSE(SaveWidgetPicture(box, "about_box").empty());
    box.accept();
  });
  Run("h_About");
}

class SimplestWindowTest : public MainWindowTest {
 protected:
  SimplestWindowTest()
      : MainWindowTest(TCommandLine{.Read = true, .Single = true, .Simplest = true}) {}
};

TEST_F(SimplestWindowTest, HasNoMenusAndNoCommandKeys) {
  EXPECT_FALSE(Window->menuBar()->isVisible());
  QTest::keyClick(Window.get(), Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(OpenAsked, 0);
  Window->Commands()["f_Open"].trigger();
  EXPECT_EQ(OpenAsked, 0) << "withdrawn for a single table";
  EXPECT_FALSE(Window->Commands()["f_Open"].isVisible());
}

class StartUpTest : public MainWindowTest {
 protected:
  void RememberLast(const std::string& file) {
    Options().Main->StartMode->SetValue(1);
    Global->SessionElement("MainForm").WriteString("FileName", file);
  }
};

TEST_F(StartUpTest, TheLastTableIsOpenedWhenItStillExists) {
  RememberLast(Plants());
  Window->StartUp();
  ASSERT_NE(Window->Table(), nullptr);
  EXPECT_EQ(Title(), "Mervanta - plants");
}

TEST_F(StartUpTest, AskingShowsTheTablesOfTheWorkFoldersWithTheLastOneChosen) {
  const std::string path = Plants();
  Folder.Write("asters.csv", "a\r\n");
  Options().Main->WorkDir->SetValue({Folder.Path() + "/"});
  Options().Main->StartMode->SetValue(0);
  Global->SessionElement("MainForm").WriteString("FileName", path);
  AnswerNextModal<TWorkDirForm>([](TWorkDirForm& browser) {
    browser.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  });
  Window->StartUp();
  ASSERT_NE(Window->Table(), nullptr);
  EXPECT_EQ(Window->Table()->DisplayName(), "plants");
}

TEST_F(StartUpTest, ADeletedLastTableOpensNothingAndSaysNothing) {
  RememberLast(Folder.File("gone.csv"));
  Window->StartUp();
  EXPECT_EQ(Window->Table(), nullptr);
  EXPECT_TRUE(Messages().empty());
}

class NamedTableTest : public MainWindowTest {
 protected:
  NamedTableTest() : MainWindowTest(TCommandLine{.TableFile = "plants.csv"}) {}
};

TEST_F(NamedTableTest, TheTableOfTheCommandLineComesFirst) {
  Plants();
  std::filesystem::current_path(Folder.Path());
  Window->StartUp();
  ASSERT_NE(Window->Table(), nullptr);
  EXPECT_EQ(Window->Table()->DisplayName(), "plants");
}

TEST_F(NamedTableTest, TheTableLoadedWhileTheProgramStartedIsTakenOverAndHeard) {
  Plants();
  std::filesystem::current_path(Folder.Path());
  TTablePreload preload("plants.csv", false);
  Window->StartUp(&preload);
  ASSERT_NE(Window->Table(), nullptr);
  EXPECT_EQ(preload.Take(), nullptr) << "the window took it over";
  EXPECT_EQ(Title(), "Mervanta - plants");
  EXPECT_FALSE(Can("f_Save"));
  TRecords& all = Window->Table()->Sources().All;
  TRecord& lily = all.NewRecord(2);
  lily.Fields().SetField(0, "lily");
  all.Add(lily);
  EXPECT_TRUE(Can("f_Save")) << "the window hears the table";
}

TEST(MainWindowPicture, TheGardenAsThePersonSeesIt) {
  TScopedDefaultOptions defaults;
  TTableFolder folder;
  TRecordingUserInterface ui;
  TGlobal global({.OptionsFile = folder.File("settings.xml")});
  // A copy: the window keeps its view in the table's description.
  std::filesystem::copy(MERVANTA_EXAMPLES, folder.Path() + "/examples",
                        std::filesystem::copy_options::recursive);
  TMainWindow window(global);
  window.resize(1000, 640);
  window.show();
  ASSERT_TRUE(window.OpenTable(folder.Path() + "/examples/garden.csv"));
  EXPECT_FALSE(SaveWidgetPicture(window, "main_window_garden").empty());
}

}  // namespace
}  // namespace mervanta::test
