#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/program_launcher.h"

class QAction;
class QDialogButtonBox;
class QLineEdit;
class QMenu;
class QTreeWidget;
class QTreeWidgetItem;

namespace mervanta {

// "Select Table": the tables of the work folders, one node each, sorted by name whatever the
// folder. Typing a name's start in the edit above finds its node; OK, a double click or
// "Select" passes the node's data file to `open` and closes once it opened. The node's menu
// also opens the table's files in other programs. The dialog keeps its place in the session.
class TWorkDirForm final : public QDialog {
  Q_OBJECT

 public:
  TWorkDirForm(QWidget* parent, const std::string& initialFile,
               std::function<bool(const std::string&)> open,
               TProgramLauncher launcher = TProgramLauncher());
  ~TWorkDirForm() override;

  void done(int result) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // A table found in a work folder.
  struct TNode {
    int FolderIndex;
    std::string Folder;    // with its trailing "/"
    std::string FileName;  // the data file's full name
  };

  void Fill();
  void Preselect(const std::string& initialFile);
  const TNode* Selected() const;
  void SelectionChanged();
  void NameEdited(const QString& text);
  void Select();
  void OpenTable(const TNode& node);
  // Runs a command on the selected node's files, showing what fails.
  void OnSelected(const std::function<void(const TNode&)>& command);
  QAction* AddCommand(const char* icon, const QString& caption,
                      const std::function<void(const TNode&)>& command);

  std::function<bool(const std::string&)> Open_;
  TProgramLauncher Launcher_;
  std::vector<TNode> Nodes_;  // by the tree's rows
  QLineEdit* Name_;
  QTreeWidget* Tree_;
  QDialogButtonBox* Buttons_;
  QMenu* Menu_;
  std::vector<QAction*> Commands_;
  bool Typing_ = false;
};

// Shows "Select Table" over the work folders with `initialFile` preselected; `open` opens a data
// file and answers whether it did. Answers whether a table was opened.
bool SelectTableDialog(QWidget* parent, const std::string& initialFile,
                       const std::function<bool(const std::string&)>& open);

}  // namespace mervanta
