#include "dialogs/select_table_dialog.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QIcon>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QAbstractButton>
#include <QToolTip>
#include <QTreeWidget>

#include "dialogs/fake_desktop_services.h"
#include "dialogs/modal_answer.h"
#include "dialogs/recording_launcher.h"
#include "settings/options.h"
#include "test_support/recording_user_interface.h"
#include "test_support/scoped_environment.h"
#include "test_support/scoped_options.h"
#include "test_support/temp_dir.h"
#include "widget_picture.h"

namespace mervanta::test {
namespace {

const QStringList kCommands{QStringLiteral("Select"), QStringLiteral("Open in Spreadsheet"),
                            QStringLiteral("Open in Text Editor"),
                            QStringLiteral("Open Description in Text Editor"),
                            QStringLiteral("Open Folder")};

// Two work folders, "one" and "two", each holding a table "books", and a third that does not
// exist; besides tables, a folder and a text file.
class SelectTableDialogTest : public testing::Test {
 protected:
  SelectTableDialogTest() {
    ::mkdir(Dir.File("one").c_str(), 0700);
    ::mkdir(Dir.File("two").c_str(), 0700);
    ::mkdir(Dir.File("two/folder.csv").c_str(), 0700);
    Dir.Write("one/books.csv", "Dune;Herbert\r\n");
    Dir.Write("one/Zoo.csv", "");
    Dir.Write("one/apple.CSV", "");
    Dir.Write("two/books.csv", "");
    Dir.Write("two/Cars.csv", "");
    Dir.Write("two/notes.txt", "");
    Options().Main->WorkDir->SetValue({Folder("one"), Dir.File("two"), Folder("missing")});
  }

  std::string Folder(const char* name) const { return Dir.File(name) + "/"; }

  TWorkDirForm& Open(const std::string& initialFile = {}) {
    Form = std::make_unique<TWorkDirForm>(
        nullptr, initialFile,
        [this](const std::string& fileName) {
          Opened.push_back(fileName);
          return OpenAnswer;
        },
        Launcher.Make());
    Form->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
    return *Form;
  }
  QTreeWidget& Tree() const { return *Form->findChild<QTreeWidget*>(QStringLiteral("Tables")); }
  QLineEdit& Name() const { return *Form->findChild<QLineEdit*>(QStringLiteral("Name")); }
  QMenu& Menu() const { return *Form->findChild<QMenu*>(QStringLiteral("TableMenu")); }
  QPushButton& Ok() const {
    return *Form->findChild<QDialogButtonBox*>(QStringLiteral("Buttons"))
                ->button(QDialogButtonBox::Ok);
  }
  QAction& Command(const QString& caption) const {
    for (QAction* action : Menu().actions()) {
      if (action->text() == caption) return *action;
    }
    throw std::runtime_error("no command " + caption.toStdString());
  }
  // The texts of the nodes and their folders' indexes.
  std::vector<std::pair<QString, int>> Nodes() const {
    std::vector<std::pair<QString, int>> nodes;
    for (int row = 0; row < Tree().topLevelItemCount(); ++row) {
      const QTreeWidgetItem* item = Tree().topLevelItem(row);
      nodes.emplace_back(item->text(0), item->data(0, Qt::UserRole).toInt());
    }
    return nodes;
  }
  int SelectedRow() const {
    const QList<QTreeWidgetItem*> items = Tree().selectedItems();
    return items.isEmpty() ? -1 : Tree().indexOfTopLevelItem(items.front());
  }
  QPoint RowCenter(int row) const {
    return Tree().visualItemRect(Tree().topLevelItem(row)).center();
  }

  TScopedDefaultOptions DefaultOptions;
  TFakeDesktopServices Services;
  TRecordingUserInterface Ui;
  TTempDir Dir;
  TRecordingLauncher Launcher;
  bool OpenAnswer = true;
  std::vector<std::string> Opened;
  std::unique_ptr<TWorkDirForm> Form;
};

TEST_F(SelectTableDialogTest, ListsTheTablesOfEveryWorkFolderSortedWhateverTheCase) {
  Open();
  EXPECT_EQ(Form->windowTitle(), QStringLiteral("Select Table"));
  const std::vector<std::pair<QString, int>> expected{{QStringLiteral("apple"), 0},
                                                      {QStringLiteral("books"), 0},
                                                      {QStringLiteral("books"), 1},
                                                      {QStringLiteral("Cars"), 1},
                                                      {QStringLiteral("Zoo"), 0}};
  EXPECT_EQ(Nodes(), expected);
  QStringList captions;
  for (QAction* action : Menu().actions()) {
    if (!action->isSeparator()) captions.append(action->text());
  }
  EXPECT_EQ(captions, kCommands);
  Form->findChild<QAbstractButton*>(QStringLiteral("HelpButton"))->click();
  EXPECT_EQ(Services.HelpTopics, std::vector<std::string>{"selecttable"});
  EXPECT_FALSE(SaveWidgetPicture(*Form, "select_table_dialog").empty());
}

TEST_F(SelectTableDialogTest, PreselectsTheTableOfTheInitialFilesFolder) {
  const std::vector<std::pair<std::string, int>> cases{
      {"", 0},
      {Dir.File("two/books.csv"), 2},
      {Dir.File("one/books.csv"), 1},
      {Dir.File("one/../two/BOOKS.csv"), 0},  // no such file on a case-sensitive system
      {Dir.File("one/../two/books.csv"), 2},
      {Dir.File("two/Cars.csv"), 3},
      {Dir.File("elsewhere/Cars.csv"), 0},
  };
  for (const auto& [initialFile, row] : cases) {
    Open(initialFile);
    EXPECT_EQ(SelectedRow(), row) << initialFile;
    EXPECT_EQ(Name().text(), Tree().topLevelItem(row)->text(0));
    EXPECT_EQ(Name().selectedText(), Name().text());
    EXPECT_TRUE(Ok().isEnabled());
  }
}

TEST_F(SelectTableDialogTest, TypingFindsTheFirstTableStartingWithTheText) {
  Open();
  QTest::keyClicks(&Name(), QStringLiteral("b"));
  EXPECT_EQ(SelectedRow(), 1);
  EXPECT_EQ(Name().text(), QStringLiteral("b"));
  Name().clear();
  QTest::keyClicks(&Name(), QStringLiteral("zO"));
  EXPECT_EQ(SelectedRow(), 4);
  QTest::keyClicks(&Name(), QStringLiteral("x"));
  EXPECT_EQ(SelectedRow(), 4);
  EXPECT_EQ(Name().text(), QStringLiteral("zOx"));
}

TEST_F(SelectTableDialogTest, NavigationKeysInTheNameMoveInTheTree) {
  Open(Dir.File("two/books.csv"));
  const std::vector<std::pair<Qt::Key, int>> keys{{Qt::Key_Up, 1},       {Qt::Key_Down, 2},
                                                  {Qt::Key_End, 4},      {Qt::Key_Home, 0},
                                                  {Qt::Key_PageDown, 4}, {Qt::Key_PageUp, 0}};
  for (const auto& [key, row] : keys) {
    QTest::keyClick(&Name(), key);
    EXPECT_EQ(SelectedRow(), row) << key;
    EXPECT_EQ(Name().text(), Tree().topLevelItem(row)->text(0));
    EXPECT_EQ(Name().selectedText(), Name().text());
  }
}

TEST_F(SelectTableDialogTest, WithoutTablesNothingCanBeChosen) {
  for (const TStringList& folders : {TStringList{}, TStringList{Folder("missing")}}) {
    Options().Main->WorkDir->SetValue(folders);
    Open();
    EXPECT_EQ(Tree().topLevelItemCount(), 0);
    EXPECT_FALSE(Ok().isEnabled());
    for (const QString& caption : kCommands) EXPECT_FALSE(Command(caption).isEnabled());
    Ok().click();
    EXPECT_TRUE(Opened.empty());
  }
  Options().Main->WorkDir->SetValue({Folder("one")});
  Open();
  Tree().clearSelection();
  EXPECT_FALSE(Ok().isEnabled());
  Tree().setCurrentItem(Tree().topLevelItem(1));
  EXPECT_TRUE(Ok().isEnabled());
  for (const QString& caption : kCommands) EXPECT_TRUE(Command(caption).isEnabled());
}

TEST_F(SelectTableDialogTest, OkDoubleClickAndSelectOpenTheTableAndCloseWhenItOpened) {
  Open();
  OpenAnswer = false;
  Ok().click();
  EXPECT_TRUE(Form->isVisible());
  // What the window system sends for a double click.
  QTest::mouseClick(Tree().viewport(), Qt::LeftButton, {}, RowCenter(3));
  QTest::mouseDClick(Tree().viewport(), Qt::LeftButton, {}, RowCenter(3));
  QTest::mouseRelease(Tree().viewport(), Qt::LeftButton, {}, RowCenter(3));
  EXPECT_TRUE(Form->isVisible());
  OpenAnswer = true;
  Command(QStringLiteral("Select")).trigger();
  EXPECT_FALSE(Form->isVisible());
  EXPECT_EQ(Form->result(), QDialog::Accepted);
  // The file as it is named, whatever the case of its extension.
  EXPECT_EQ(Opened, (std::vector<std::string>{Dir.File("one/apple.CSV"), Dir.File("two/Cars.csv"),
                                              Dir.File("two/Cars.csv")}));
}

TEST_F(SelectTableDialogTest, SpaceOpensTheMenuNearTheTreesCorner) {
  Open();
  QTest::keyClick(&Tree(), Qt::Key_Space);
  EXPECT_TRUE(Menu().isVisible());
  EXPECT_EQ(Menu().pos(), Tree().mapToGlobal(QPoint(30, 30)));
  Menu().hide();
}

// A desktop icon theme of one picture for every name the menu asks for.
class TScopedIconTheme {
 public:
  explicit TScopedIconTheme(const TTempDir& dir)
      : Paths_(QIcon::themeSearchPaths()), Name_(QIcon::themeName()) {
    ::mkdir(dir.File("icons").c_str(), 0700);
    ::mkdir(dir.File("icons/test").c_str(), 0700);
    ::mkdir(dir.File("icons/test/16").c_str(), 0700);
    dir.Write("icons/test/index.theme",
              "[Icon Theme]\nName=test\nDirectories=16\n[16]\nSize=16\nType=Fixed\n");
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(Qt::red);
    for (const char* name : {"document-open", "x-office-spreadsheet", "accessories-text-editor",
                             "text-x-generic", "folder-open"}) {
      picture.save(QString::fromStdString(dir.File("icons/test/16/") + name + ".png"));
    }
    QIcon::setThemeSearchPaths({QString::fromStdString(dir.File("icons"))});
    QIcon::setThemeName(QStringLiteral("test"));
  }
  ~TScopedIconTheme() {
    QIcon::setThemeSearchPaths(Paths_);
    QIcon::setThemeName(Name_);
  }
  TScopedIconTheme(const TScopedIconTheme&) = delete;
  TScopedIconTheme& operator=(const TScopedIconTheme&) = delete;

 private:
  QStringList Paths_;
  QString Name_;
};

TEST_F(SelectTableDialogTest, MenuIconsFollowTheOption) {
  const TScopedIconTheme theme(Dir);
  for (const bool images : {false, true}) {
    Options().Other->MenuImages->SetValue(images);
    Open();
    for (const QString& caption : kCommands) {
      EXPECT_EQ(Command(caption).icon().isNull(), !images) << caption.toStdString();
    }
    EXPECT_FALSE(Tree().topLevelItem(0)->icon(0).isNull());
  }
}

TEST_F(SelectTableDialogTest, TheNodesTipNamesTheFileAndItsSize) {
  Open();
  QHelpEvent event(QEvent::ToolTip, RowCenter(1), Tree().viewport()->mapToGlobal(RowCenter(1)));
  QApplication::sendEvent(Tree().viewport(), &event);
  EXPECT_EQ(QToolTip::text().toStdString(),
            "File: " + Dir.File("one/books.csv") + "\r\nFile size: 14 b");
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->inherits("QTipLabel") && window->isVisible()) {
      SaveWidgetPicture(*window, "select_table_tip");
    }
  }
  QToolTip::hideText();
}

TEST_F(SelectTableDialogTest, TheMenuOpensTheTablesFilesElsewhereAndTellsWhatFailed) {
  Open(Dir.File("two/books.csv"));
  const TScopedEnvironment visual("VISUAL", "gvim");
  Command(QStringLiteral("Open in Text Editor")).trigger();
  Command(QStringLiteral("Open Description in Text Editor")).trigger();
  Command(QStringLiteral("Open Folder")).trigger();
  Launcher.Installed.append(QStringLiteral("soffice"));
  Command(QStringLiteral("Open in Spreadsheet")).trigger();
  const std::string books = Dir.File("two/books");
  EXPECT_EQ(Launcher.Calls,
            (std::vector<std::string>{"start gvim " + books + ".csv", "start gvim " + books + ".kx",
                                      "open file://" + Folder("two"),
                                      "start /usr/bin/soffice --calc " + books + ".csv"}));
  EXPECT_TRUE(Ui.Events.empty());
  Launcher.Fails = true;
  Command(QStringLiteral("Open in Text Editor")).trigger();
  EXPECT_EQ(Ui.Events, std::vector<std::string>{"message Mervanta: The text editor \"gvim\" "
                                                "named by $VISUAL could not be started."});
  EXPECT_EQ(Ui.Icons, std::vector<TIcon>{TIcon::Error});
  EXPECT_TRUE(Form->isVisible());
}

TEST_F(SelectTableDialogTest, TheWindowComesBackWhereItWasLeft) {
  Open();
  Form->setGeometry(40, 50, 300, 280);
  const QRect placed = Form->geometry();
  Form->reject();
  EXPECT_TRUE(Services.SessionElement("WorkDirForm").Exists("Left"));
  Open();
  EXPECT_EQ(Form->geometry(), placed);
}

TEST_F(SelectTableDialogTest, AnswersWhetherATableWasOpened) {
  for (const bool ok : {true, false}) {
    AnswerNextModal<TWorkDirForm>([ok](TWorkDirForm& form) {
      if (ok) {
        form.findChild<QDialogButtonBox*>(QStringLiteral("Buttons"))
            ->button(QDialogButtonBox::Ok)
            ->click();
      } else {
        form.reject();
      }
    });
    Opened.clear();
    EXPECT_EQ(SelectTableDialog(nullptr, Dir.File("two/Cars.csv"),
                                [this](const std::string& fileName) {
                                  Opened.push_back(fileName);
                                  return true;
                                }),
              ok);
    EXPECT_EQ(Opened,
              ok ? std::vector<std::string>{Dir.File("two/Cars.csv")} : std::vector<std::string>{});
  }
}

}  // namespace
}  // namespace mervanta::test
