// The main window's file commands: the start-up open, the open, close and save flows.
#include <QFileInfo>
#include <QThread>
#include <filesystem>

#include "app/global.h"
#include "app/main_window.h"
#include "dialogs/new_table_dialog.h"
#include "dialogs/select_table_dialog.h"
#include "model/protecter.h"
#include "search/search_manager.h"
#include "settings/options.h"
#include "settings/qt_values.h"
#include "support/errors.h"
#include "support/locale.h"
#include "support/progress.h"
#include "support/user_interface.h"
#include "table/table.h"
#include "table/table_preload.h"
#include "views/grid.h"

namespace mervanta {

namespace {

constexpr std::string_view kSessionName = "MainForm";
// A wrong password costs a moment, so that guessing one is slow.
constexpr int kWrongPasswordDelayMs = 200;

enum TStartMode { kAsk = 0, kRememberLast = 1, kDoNotOpen = 2 };

void ShowError(const std::exception& error) {
  UserInterface().ShowMessage(error.what(), "Error", TButtons::Ok, TIcon::Error);
}

std::string FileNameOnly(const std::string& path) {
  return std::filesystem::path(path).stem().string();
}

}  // namespace

void TMainWindow::Guarded(const std::function<void()>& command) {
  try {
    command();
  } catch (const std::exception& error) {
    ShowError(error);
  }
}

std::string TMainWindow::LastTableFile() const {
  if (HasTable() && !Table_->FileName().empty()) return Table_->FileName();
  return Global_.SessionElement(std::string(kSessionName)).ReadString("FileName");
}

void TMainWindow::StartUp(TTablePreload* preload) {
  const std::string& named = Global_.CommandLine().TableFile;
  if (!named.empty()) {
    OpenTable(named, preload);
    return;
  }
  const std::string last = LastTableFile();
  switch (Options().Main->StartMode->Value()) {
    case kAsk:
      SelectTableDialog(this, last, [this](const std::string& file) { return OpenTable(file); });
      break;
    case kRememberLast:
      // A last table deleted since is passed over without a word.
      if (!last.empty() && QFileInfo(QString::fromStdString(last)).isFile()) OpenTable(last);
      break;
    default:
      break;
  }
}

bool TMainWindow::OpenTable(const std::string& fileName, TTablePreload* preload) {
  // The same file is let go first, as it cannot be opened twice for writing.
  std::error_code ignored;
  const bool same = HasTable() && !Table_->FileName().empty() &&
                    std::filesystem::equivalent(Table_->FileName(), fileName, ignored);
  if (same && !CloseTable()) return false;
  std::unique_ptr<TTable> table;
  try {
    std::string password;
    if (TProtecter::IsProtected(fileName)) {
      const std::optional<std::string> typed =
          Prompts_.Password(QStringLiteral("Please enter password for \"%1\"")
                                .arg(QString::fromStdString(FileNameOnly(fileName))));
      if (!typed) return false;
      password = Utf8ToAnsi(*typed);
      if (!TProtecter::CheckPassword(fileName, password)) {
        {
          const TBusyScope busy;
          QThread::msleep(kWrongPasswordDelayMs);
        }
        UserInterface().ShowMessage("Invalid password", "Password", TButtons::Ok, TIcon::Error);
        return false;
      }
    }
    if (preload != nullptr && password.empty() && preload->FileName() == fileName)
      table = preload->Take();
    if (table == nullptr) {
      table = std::make_unique<TTable>();
      table->Open(fileName, password, Global_.CommandLine().Read);
    }
  } catch (const std::exception& error) {
    // A file that is no table leaves the open one as it was.
    ShowError(error);
    return false;
  }
  if (!CloseTable()) return false;
  return ShowTable(std::move(table));
}

bool TMainWindow::ShowTable(std::unique_ptr<TTable> table) {
  Table_ = std::move(table);
  TTableSources& sources = Table_->Sources();
  if (sources.CurrentIndex() < 0) sources.SetCurrentIndex(TTableSources::kAllIndex);
  if (Table_->ReadOnly() && Options().Other->InformReadOnly->Value() &&
      !Global_.CommandLine().Read) {
    std::string notice =
        "The file you are trying to open is already in use by another application or is "
        "read-only. You will not be able to edit the table.\r\n" +
        Table_->FileName();
    if (const std::string damage = Table_->DataDamageNotice(); !damage.empty()) {
      notice += "\r\n\r\n" + damage;
    }
    UserInterface().ShowMessage(notice, "Information", TButtons::Ok, TIcon::Information);
  }
  Grid_ = new TGrid(Options(), Global_.Pictures(), this);
  Grid_->setObjectName(QStringLiteral("Grid"));
  setCentralWidget(Grid_);
  TGridSetup setup{.TableFolder = Table_->Folder()};
  for (QMenu* menu : ListMenus_) setup.PopupMenus.push_back(menu);
  TSearchManager& searches = Table_->SearchManager();
  setup.Events.GetFoundRange = [&searches](const TColumn& column, int& start, int& end,
                                           const TRecord& record) {
    TMatchSpan span;
    if (!searches.LocateMatch(column, record, span)) return;
    start = span.First;
    end = span.Last;
  };
  Grid_->Build(sources, std::move(setup));
  Grid_->SetSplitRatio(SectionSize_);
  Grid_->SetSplit(Commands_["v_Sections"].isChecked());
  connect(Grid_, &TGrid::OpenRequested, this, [this] {
    if (Commands_["r_Edit"].isEnabled()) Commands_["r_Edit"].trigger();
  });
  UpdateCommands();
  UpdateTitle();
  return true;
}

bool TMainWindow::CloseTable() {
  if (!HasTable()) return true;
  if (Table_->Modified()) {
    const TAnswer answer = UserInterface().ShowMessage(
        "Do you want to save the changes in \"" + Table_->DisplayName() + "\"?", "Warning",
        TButtons::YesNoCancel, TIcon::Warning);
    if (answer == TAnswer::Cancel) return false;
    if (answer == TAnswer::Yes && !SaveTable()) return false;
  }
  TXmlTag& session = Global_.SessionElement(std::string(kSessionName));
  if (!Table_->FileName().empty()) session.WriteString("FileName", Table_->FileName());
  if (Grid_ != nullptr && Grid_->Split()) SectionSize_ = Grid_->SplitRatio();
  session.WriteFloat("SectionSize", SectionSize_);
  Guarded([this] { Table_->SaveSession(); });
  delete Grid_;
  Grid_ = nullptr;
  Table_.reset();
  Global_.Pictures().Clear();
  UpdateCommands();
  UpdateTitle();
  return true;
}

bool TMainWindow::SaveTable() {
  if (!HasTable()) return false;
  if (Table_->FileName().empty()) return SaveTableAs();
  Guarded([this] { Table_->Save(); });
  UpdateCommands();
  UpdateTitle();
  return !Table_->Modified();
}

bool TMainWindow::SaveTableAs() {
  if (!HasTable()) return false;
  const QString file = Prompts_.SaveFile(QString::fromStdString(Table_->FileName()));
  if (file.isEmpty()) return false;
  Guarded([this, &file] { Table_->SaveAs(file.toStdString()); });
  UpdateCommands();
  UpdateTitle();
  return !Table_->Modified();
}

void TMainWindow::OpenWithDialog() {
  const QString file = Prompts_.OpenFile();
  if (!file.isEmpty()) OpenTable(file.toStdString());
}

void TMainWindow::SelectTable() {
  SelectTableDialog(this, LastTableFile(),
                    [this](const std::string& file) { return OpenTable(file); });
}

void TMainWindow::NewTable() {
  if (!CloseTable()) return;
  std::unique_ptr<TTable> table = NewTableDialog(this, [this](TTable& made) {
    const QString file = Prompts_.SaveFile({});
    if (file.isEmpty()) return false;
    try {
      made.SaveAs(file.toStdString());
    } catch (const std::exception& error) {
      ShowError(error);
      return false;
    }
    return true;
  });
  if (table != nullptr) ShowTable(std::move(table));
}

}  // namespace mervanta
