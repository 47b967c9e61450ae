#pragma once

#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/commands.h"
#include "app/qt_search_dialogs.h"
#include "dialogs/print_dialog.h"
#include "dialogs/temporary_files.h"
#include "support/msg_sender.h"

class QMenu;
class QToolBar;

namespace mervanta {

class TGlobal;
class TGrid;
class TRecord;
class TRecords;
class TTable;
class TTablePreload;

// The program's one window: at most one open table shown in its record view, every command
// as a named action in the menus, the lists' context menus, the toolbar and the keyboard,
// and the open, save and close flows with their questions.
class TMainWindow final : public QMainWindow {
  Q_OBJECT

 public:
  explicit TMainWindow(TGlobal& global);
  ~TMainWindow() override;

  // The table named on the command line, or the one the start mode asks for. The named table's
  // preload, when the program started one, is taken over instead of reading the file again.
  void StartUp(TTablePreload* preload = nullptr);
  // The open flow: the open table is closed first (with the save question); answers whether
  // the file is now the open table.
  bool OpenTable(const std::string& fileName) { return OpenTable(fileName, nullptr); }
  // The close flow: false when the user keeps the table.
  bool CloseTable();
  // Saves the open table (as a new file when it has none); false when it stays modified.
  bool SaveTable();
  bool SaveTableAs();

  // What the window asks the user in boxes of its own; tests answer them.
  struct TPrompts {
    // The password for a protected file, nothing when cancelled.
    std::function<std::optional<std::string>(const QString& prompt)> Password;
    // A data file to open, or a name to save under; empty when cancelled.
    std::function<QString()> OpenFile;
    // Files to import, none when cancelled.
    std::function<QStringList()> OpenFiles;
    std::function<QString(const QString& current)> SaveFile;
    TPrintForm::TPrinterPrompt Printer;
  };
  TPrompts& Prompts() { return Prompts_; }

  TTable* Table() const { return Table_.get(); }
  TGrid* Grid() const { return Grid_; }
  const TCommands& Commands() const { return Commands_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  bool OpenTable(const std::string& fileName, TTablePreload* preload);

  // Building.
  void AddCommands();
  void AddRecordCommands();
  void AddKeys();
  void SetRules();
  void BuildMenus();
  void BuildContextMenus();
  void RebuildToolBar();
  void ApplySwitches();
  void ShowAbout();
  void RestoreSession();
  void SaveSession();

  // States.
  void Heard(const TMsg& msg);
  void UpdateCommands();
  void UpdateTitle();
  bool HasTable() const { return Table_ != nullptr; }
  bool Writable() const;
  TRecords* CurrentList() const;
  TRecord* CurrentRecord() const;
  int CurrentListIndex() const;

  // File commands.
  void NewTable();
  void OpenWithDialog();
  void SelectTable();
  bool ShowTable(std::unique_ptr<TTable> table);
  std::string LastTableFile() const;
  void ImportFiles();

  // Record commands.
  void AddRecords(bool pattern, bool atCurrent);
  void EditRecord();
  void DeleteRecord();
  void ChooseOrReturn();
  void DeleteChosen();
  void ShowInAll();
  // Runs a command, showing what goes wrong in the error box.
  void Guarded(const std::function<void()>& command);

  TGlobal& Global_;
  TPrompts Prompts_;
  TCommands Commands_;
  std::unique_ptr<TTable> Table_;
  TGrid* Grid_ = nullptr;
  QToolBar* ToolBar_ = nullptr;
  QMenu* RecordMenu_ = nullptr;
  QMenu* AllMenu_ = nullptr;
  QMenu* ChosenMenu_ = nullptr;
  QMenu* HelpMenu_ = nullptr;
  QMenu* ListMenus_[3] = {};
  // Printed pages and exports for the office suite, which other programs may read until the
  // program ends.
  TTemporaryFiles KeptFiles_;
  double SectionSize_ = 0.5;
  // The quick search box and the search card, parented to this window.
  TQtSearchDialogs SearchDialogs_{this};
  TMsgSubscription Subscription_;
};

}  // namespace mervanta
