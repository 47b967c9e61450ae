#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include "app/about_box.h"
#include "app/global.h"
#include "app/main_window_prompts.h"
#include "dialogs/export_dialog.h"
#include "dialogs/options_dialog.h"
#include "dialogs/print_dialog.h"
#include "dialogs/table_properties_dialog.h"
#include "model/notices.h"
#include "search/search_manager.h"
#include "settings/options.h"
#include "settings/qt_values.h"
#include "support/xml_helpers.h"
#include "table/table.h"
#include "version.h"
#include "views/grid.h"
#include "wizards/automated_tasks_wizard.h"

namespace mervanta {

namespace {

constexpr std::string_view kSessionName = "MainForm";
constexpr int kToolSeparatorWidth = 8;

QList<QKeySequence> Keys(std::initializer_list<QKeySequence> keys) {
  return QList<QKeySequence>(keys);
}

}  // namespace

TMainWindow::TMainWindow(TGlobal& global)
    : Global_(global),
      Prompts_(DefaultPrompts(this)),
      Commands_(this),
      Subscription_(BindListener<&TMainWindow::Heard>(this)) {
  setObjectName(QString::fromUtf8(kSessionName.data(), kSessionName.size()));
  setAcceptDrops(true);
  AddCommands();
  AddRecordCommands();
  AddKeys();
  // The window answers every command's keys, also those offered only in context menus; those
  // are no toolbar tools.
  for (const std::string& name : Commands_.Names()) {
    addAction(&Commands_[name]);
    if (name.starts_with("x_")) Commands_[name].setProperty("ToolExcluded", true);
  }
  SetRules();
  ApplySwitches();
  ToolBar_ = addToolBar(QStringLiteral("Toolbar"));
  ToolBar_->setObjectName(QStringLiteral("ToolBar"));
  ToolBar_->setMovable(false);
  BuildMenus();
  BuildContextMenus();
  RestoreSession();
  // The options were read with the settings; announcing them builds the toolbar and sets the
  // commands' states.
  MsgSender().Send(&Options(), TMsgCode::OptionsChanged);
  const TStringList& workDirs = Options().Main->WorkDir->Value();
  if (!workDirs.empty()) QDir::setCurrent(QString::fromStdString(workDirs.front()));
  UpdateTitle();
}

TMainWindow::~TMainWindow() {
  SaveSession();
  delete Grid_;
  Grid_ = nullptr;
  Table_.reset();
}

void TMainWindow::AddCommands() {
  TCommands& c = Commands_;
  c.Add({"f_New", "&New...", Keys({Qt::CTRL | Qt::Key_N}), "document-new"}, [this] { NewTable(); });
  c.Add({"f_Open", "&Open...", Keys({Qt::CTRL | Qt::Key_O}), "document-open"},
        [this] { OpenWithDialog(); });
  c.Add({"f_WorkDir", "Select &Table...", Keys({Qt::Key_F4}), "folder-open"},
        [this] { SelectTable(); });
  c.Add({"f_Save", "&Save", Keys({Qt::CTRL | Qt::Key_S}), "document-save"},
        [this] { SaveTable(); });
  c.Add({"f_SaveAs", "Save &As...", {}, "document-save-as"}, [this] { SaveTableAs(); });
  c.Add({"f_Close", "&Close", Keys({Qt::CTRL | Qt::Key_Q}), "window-close"},
        [this] { CloseTable(); });
  c.Add({"f_Exit", "E&xit", Keys({Qt::Key_F10}), "application-exit"}, [this] { close(); });
  QAction& toolBar = c.Add({"v_ToolBar", "&Toolbar", {}, {}},
                           [this] { ToolBar_->setVisible(Commands_["v_ToolBar"].isChecked()); });
  toolBar.setCheckable(true);
  QAction& sections = c.Add({"v_Sections", "&Sections", {}, {}}, [this] {
    if (Grid_ != nullptr) Grid_->SetSplit(Commands_["v_Sections"].isChecked());
  });
  sections.setCheckable(true);
  c.Add({"s_Table", "Table &Properties...", Keys({Qt::CTRL | Qt::Key_T}), "document-page-setup"},
        [this] { ShowTablePropertiesDialog(this, *Table_); });
  c.Add({"s_Options", "&Options...", Keys({Qt::CTRL | Qt::Key_Y}), "preferences-system"}, [this] {
    // Once the command's menu or key is done with, so the window is whole behind the dialog.
    QTimer::singleShot(0, this, [this] { ShowOptionsDialog(this); });
  });
  c.Add({"h_Help", "Online &Help", Keys({Qt::Key_F1}), "help-contents"},
        [this] { Global_.OpenHelp({}); });
  c.Add({"h_HomePage", "Program Home Page", {}, "go-home"},
        [] { QDesktopServices::openUrl(QUrl(QString::fromLatin1(kHomePage))); });
  c.Add({"h_Forum", "Program Forum", {}, "system-users"},
        [] { QDesktopServices::openUrl(QUrl(QString::fromLatin1(kForumPage))); });
  c.Add({"h_About", "&About", {}, "help-about"}, [this] { ShowAbout(); });
  c.Add({"s_Import", "&Import...", Keys({Qt::CTRL | Qt::Key_I}), {}}, [this] { ImportFiles(); });
  c.Add({"s_Export", "&Export...", Keys({Qt::CTRL | Qt::Key_E}), {}},
        [this] { ShowExportDialog(this, *Table_, KeptFiles_); });
  c.Add({"s_Operations", "Automated &Tasks...", Keys({Qt::CTRL | Qt::Key_R}), {}},
        [this] { ShowAutomatedTasksWizard(this, *Table_); });
  c.Add({"s_Print", "&Print...", Keys({Qt::CTRL | Qt::Key_P}), "document-print"},
        [this] { ShowPrintDialog(this, *Table_, KeptFiles_, Prompts_.Printer); });
  c.Add({"x_PrintRecord", "x_PrintRecord", Keys({Qt::CTRL | Qt::SHIFT | Qt::Key_P}), {}}, [this] {
    if (TRecord* record = CurrentRecord()) {
      ShowRecordPrintDialog(this, *Table_, *record, KeptFiles_, Prompts_.Printer);
    }
  });
}

void TMainWindow::SetRules() {
  TCommands& c = Commands_;
  const auto hasTable = [this] { return HasTable(); };
  const auto writable = [this] { return Writable(); };
  const auto current = [this] { return CurrentRecord() != nullptr; };
  c.SetEnabledRule("f_Save", [this] { return HasTable() && Table_->Modified(); });
  for (const char* name : {"f_SaveAs", "f_Close", "r_FindFast", "r_Find", "r_FindEx", "s_Table",
                           "s_Export", "s_Print"}) {
    c.SetEnabledRule(name, hasTable);
  }
  c.SetVisibleRule("v_Sections", hasTable);
  for (const char* name : {"r_Add", "x_AddFromCurrent", "x_AddHere", "x_AddFromCurrentHere",
                           "s_Import", "s_Operations"}) {
    c.SetEnabledRule(name, writable);
  }
  c.SetEnabledRule("r_Edit", current);
  c.SetEnabledRule("x_PrintRecord", current);
  c.SetEnabledRule("r_Delete", [this] { return Writable() && CurrentRecord() != nullptr; });
  c.SetEnabledRule("aw_Choice",
                   [this] { return CurrentRecord() != nullptr && CurrentListIndex() <= 1; });
  c.SetEnabledRule("c_Return",
                   [this] { return CurrentRecord() != nullptr && CurrentListIndex() == 2; });
  const auto notEmpty = [this](int list) {
    return [this, list] { return HasTable() && Table_->Sources().Source(list).Count() > 0; };
  };
  c.SetEnabledRule("a_ChoiceAll", notEmpty(0));
  for (const char* name : {"w_ChoiceAll", "w_Invert", "w_Clear"})
    c.SetEnabledRule(name, notEmpty(1));
  for (const char* name : {"c_ReturnAll", "c_Invert"}) c.SetEnabledRule(name, notEmpty(2));
  c.SetEnabledRule("c_DeleteAll", [this, chosen = notEmpty(2)] { return Writable() && chosen(); });
  c.SetEnabledRule("wc_Show",
                   [this] { return CurrentRecord() != nullptr && CurrentListIndex() >= 1; });
  const auto useChoice = [] { return Options().Main->UseChoice->Value(); };
  for (const char* name : {"aw_Choice", "a_ChoiceAll", "w_ChoiceAll", "c_Return", "c_ReturnAll",
                           "c_Invert", "c_DeleteAll"}) {
    c.SetVisibleRule(name, useChoice);
  }
  for (const char* name :
       {"x_MoveUp", "x_MoveDown", "x_MoveFirst", "x_MoveLast", "x_MoveChosenUp", "x_MoveChosenDown",
        "x_MoveChosenFirst", "x_MoveChosenLast", "x_ArrangeByMarks"}) {
    c.SetEnabledRule(name, writable);
  }
  c.SetEnabledRule("x_BestFit", hasTable);
  c.SetEnabledRule("x_SearchBack",
                   [this] { return HasTable() && Table_->SearchManager().CanGoBack(); });
  c.SetEnabledRule("x_SearchForward",
                   [this] { return HasTable() && Table_->SearchManager().CanGoForward(); });
}

void TMainWindow::ApplySwitches() {
  const TCommandLine& line = Global_.CommandLine();
  std::vector<const char*> withdrawn;
  if (!line.Table) withdrawn.push_back("s_Table");
  if (!line.Options) withdrawn.push_back("s_Options");
  if (!line.Help) withdrawn.push_back("h_Help");
  if (!line.About) withdrawn.push_back("h_About");
  if (line.Single)
    withdrawn.insert(withdrawn.end(), {"f_New", "f_Open", "f_WorkDir", "f_SaveAs", "f_Close"});
  if (line.Read) {
    withdrawn.insert(withdrawn.end(), {"f_Save", "f_SaveAs", "r_Add", "x_AddFromCurrent",
                                       "x_AddHere", "x_AddFromCurrentHere", "r_Edit", "r_Delete",
                                       "c_DeleteAll", "s_Import", "s_Operations"});
  }
  for (const char* name : withdrawn) Commands_.Withdraw(name);
  if (line.Simplest) Commands_.SuspendKeys();
}

void TMainWindow::BuildMenus() {
  if (Global_.CommandLine().Simplest) {
    menuBar()->hide();
    return;
  }
  const auto fill = [this](QMenu* menu, std::initializer_list<const char*> names) {
    for (const char* name : names) {
      if (*name == '\0') {
        menu->addSeparator();
      } else {
        menu->addAction(&Commands_[name]);
      }
    }
  };
  fill(menuBar()->addMenu(QStringLiteral("&File")),
       {"f_New", "f_Open", "", "f_WorkDir", "", "f_Save", "f_SaveAs", "f_Close", "", "f_Exit"});
  fill(menuBar()->addMenu(QStringLiteral("&View")), {"v_ToolBar", "", "v_Sections"});
  RecordMenu_ = menuBar()->addMenu(QStringLiteral("&Record"));
  fill(RecordMenu_, {"r_Add", "r_Edit", "r_Delete", "", "r_FindFast", "r_Find", "r_FindEx", ""});
  AllMenu_ = RecordMenu_->addMenu(QStringLiteral("All"));
  fill(AllMenu_, {"a_ChoiceAll"});
  fill(RecordMenu_->addMenu(QStringLiteral("Search Results")),
       {"w_ChoiceAll", "w_Invert", "w_Clear"});
  ChosenMenu_ = RecordMenu_->addMenu(QStringLiteral("Chosen"));
  fill(ChosenMenu_, {"c_ReturnAll", "c_Invert", "c_DeleteAll"});
  fill(menuBar()->addMenu(QStringLiteral("&Tools")),
       {"s_Table", "", "s_Import", "s_Export", "s_Print", "s_Operations", "", "s_Options"});
  HelpMenu_ = menuBar()->addMenu(QStringLiteral("&?"));
  fill(HelpMenu_, {"h_Help", "", "h_HomePage", "h_Forum", "", "h_About"});
}

void TMainWindow::BuildContextMenus() {
  if (Global_.CommandLine().Simplest) return;
  const std::initializer_list<const char*> lists[3] = {
      {"aw_Choice", "a_ChoiceAll", "", "r_Add", "r_Edit", "r_Delete"},
      {"aw_Choice", "w_ChoiceAll", "", "r_Edit", "r_Delete", "", "wc_Show"},
      {"c_Return", "c_ReturnAll", "", "r_Edit", "r_Delete", "", "wc_Show"}};
  for (int index = 0; index < 3; ++index) {
    ListMenus_[index] = new QMenu(this);
    for (const char* name : lists[index]) {
      if (*name == '\0') {
        ListMenus_[index]->addSeparator();
      } else {
        ListMenus_[index]->addAction(&Commands_[name]);
      }
    }
  }
}

void TMainWindow::RebuildToolBar() {
  ToolBar_->clear();
  const TToolsCategory& tools = *Options().Tools;
  for (const std::string& name : tools.Items->Value()) {
    QAction* action = Commands_.Find(name);
    if (action == nullptr) {
      auto* gap = new QWidget(ToolBar_);
      gap->setFixedWidth(kToolSeparatorWidth);
      ToolBar_->addWidget(gap);
      continue;
    }
    ToolBar_->addAction(action);
    if (auto* button = qobject_cast<QToolButton*>(ToolBar_->widgetForAction(action))) {
      QString caption = action->text().remove(u'&');
      if (caption.endsWith(QStringLiteral("..."))) caption.chop(3);
      button->setText(caption);
      button->setToolTip(action->text().remove(u'&'));
    }
  }
  static constexpr Qt::ToolButtonStyle kStyles[] = {
      Qt::ToolButtonIconOnly, Qt::ToolButtonTextBesideIcon, Qt::ToolButtonTextUnderIcon};
  const int captions = std::clamp(tools.Captions->Value(), 0, 2);
  ToolBar_->setToolButtonStyle(kStyles[captions]);
  const bool images = Options().Other->MenuImages->Value();
  for (const std::string& name : Commands_.Names()) {
    Commands_[name].setIconVisibleInMenu(images);
  }
}

void TMainWindow::RestoreSession() {
  TXmlTag& session = Global_.SessionElement(std::string(kSessionName));
  TWindowPlacement placement{.Width = 900, .Height = 600};
  const QRect screen = QGuiApplication::primaryScreen() != nullptr
                           ? QGuiApplication::primaryScreen()->availableGeometry()
                           : QRect(0, 0, 1280, 1024);
  ReadPlacement(session, placement, screen.width(), screen.height());
  resize(std::max(placement.Width, 300), std::max(placement.Height, 200));
  if (!placement.AutoPosition) move(placement.Left, placement.Top);
  if (placement.Maximized) setWindowState(windowState() | Qt::WindowMaximized);
  const bool toolBar = session.ReadBool("ShowToolBar", true);
  Commands_["v_ToolBar"].setChecked(toolBar);
  ToolBar_->setVisible(toolBar);
  Commands_["v_Sections"].setChecked(session.ReadBool("Sections", false));
  SectionSize_ = static_cast<double>(session.ReadFloat("SectionSize", 0.5));
  if (SectionSize_ < 0 || SectionSize_ > 1) SectionSize_ = 0.5;
}

void TMainWindow::SaveSession() {
  TXmlTag& session = Global_.SessionElement(std::string(kSessionName));
  const QRect bounds = normalGeometry();
  WritePlacement(session, {.Maximized = isMaximized(),
                           .AutoPosition = false,
                           .Left = bounds.left(),
                           .Top = bounds.top(),
                           .Width = bounds.width(),
                           .Height = bounds.height()});
  session.WriteBool("ShowToolBar", Commands_["v_ToolBar"].isChecked());
  session.WriteBool("Sections", Commands_["v_Sections"].isChecked());
  SaveOptions(Global_.Settings());
}

void TMainWindow::Heard(const TMsg& msg) {
  if (msg.Code == TMsgCode::OptionsChanged) {
    RebuildToolBar();
    UpdateCommands();
    return;
  }
  if (!HasTable()) return;
  const TTableSources& sources = Table_->Sources();
  const bool fromList = msg.Sender == &sources.All || msg.Sender == &sources.SearchResults ||
                        msg.Sender == &sources.Chosen;
  if ((msg.Sender == Table_.get() && msg.Code == TMsgCode::ModifiedChanged) ||
      (msg.Sender == &sources && msg.Code == TMsgCode::CurrentSourceChanged) ||
      (fromList &&
       (msg.Code == TMsgCode::CountChanged || msg.Code == TMsgCode::HasCurrentChanged))) {
    UpdateCommands();
    if (msg.Code == TMsgCode::ModifiedChanged) UpdateTitle();
  }
}

void TMainWindow::UpdateCommands() {
  Commands_.Update();
  if (Global_.CommandLine().Simplest) Commands_.SuspendKeys();
  const bool useChoice = Options().Main->UseChoice->Value();
  if (RecordMenu_ != nullptr) {
    RecordMenu_->menuAction()->setVisible(HasTable());
    AllMenu_->menuAction()->setVisible(useChoice);
    ChosenMenu_->menuAction()->setVisible(useChoice);
  }
  if (HelpMenu_ != nullptr) {
    HelpMenu_->menuAction()->setVisible(Commands_["h_Help"].isVisible() ||
                                        Commands_["h_About"].isVisible());
  }
}

void TMainWindow::UpdateTitle() {
  QString title = Global_.Title();
  if (HasTable()) {
    title = QStringLiteral("%1 - %2").arg(title, DisplayText(Table_->DisplayName()));
    if (Table_->ReadOnly())
      title = QStringLiteral("%1 [%2]").arg(title, QStringLiteral("Read-only"));
  }
  setWindowTitle(title);
}

bool TMainWindow::Writable() const {
  return HasTable() && !Table_->ReadOnly();
}

TRecords* TMainWindow::CurrentList() const {
  return HasTable() ? Table_->Sources().CurrentSource() : nullptr;
}

TRecord* TMainWindow::CurrentRecord() const {
  return HasTable() ? Table_->Sources().CurrentRecord() : nullptr;
}

int TMainWindow::CurrentListIndex() const {
  return HasTable() ? Table_->Sources().CurrentIndex() : -1;
}

void TMainWindow::ShowAbout() {
  TAboutBox(this, Global_.Title()).exec();
}

void TMainWindow::closeEvent(QCloseEvent* event) {
  if (!CloseTable()) {
    event->ignore();
    return;
  }
  event->accept();
}

void TMainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TMainWindow::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.front().isLocalFile()) return;
  event->acceptProposedAction();
  const std::string file = urls.front().toLocalFile().toStdString();
  // Opened once the drop is over, so that the file manager is not kept waiting.
  QTimer::singleShot(0, this, [this, file] { OpenTable(file); });
}

}  // namespace mervanta
