#pragma once

#include <QDialog>
#include <QList>

#include "settings/property_view.h"

class QAction;
class QLabel;
class QPlainTextEdit;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace mervanta {

class TOptions;
class TPropertiesCategory;
class TProperty;
class TStringListProperty;
class TToolTree;

// "Options": a page of controls for every option category, chosen in the category tree.
// Apply and OK write the controls into the options and announce OptionsChanged, so that every
// open view follows; Cancel leaves the options as the last Apply left them. The toolbar's
// tools are picked from `commands` (the main window's, in their order): a command in a group
// of exclusive commands, or one whose "ToolExcluded" property is true, is never a tool.
class TOptionsForm final : public QDialog {
  Q_OBJECT

 public:
  TOptionsForm(QWidget* parent, QList<QAction*> commands, TOptions& options);
  ~TOptionsForm() override;

  // Answers whether the options took the controls' values.
  bool Apply();
  void accept() override;
  void done(int result) override;

 private:
  struct TPage;

  void AddCategory(const TPropertiesCategory& category, QTreeWidgetItem* parentNode);
  QWidget* BuildPage(const TPropertiesCategory& category);
  void AddProperty(TPage& page, TProperty& property);
  QWidget* BuildWorkDir(TStringListProperty& property);
  QWidget* BuildToolTrees();
  void FillToolTrees();
  static QTreeWidgetItem* ToolItem(const QAction* command);
  QAction* FindCommand(const QString& name) const;
  void AddPath();
  void ToolDropped(TToolTree& target, const QString& sourceName, QTreeWidgetItem* before);
  void CleanWorkDir();
  void ShowPage(QTreeWidgetItem* node);

  TOptions& Options_;
  QList<QAction*> Commands_;
  TPropertiesView View_;
  QTreeWidget* Tree_;
  QLabel* Caption_;
  QStackedWidget* Pages_;
  QPlainTextEdit* WorkDir_ = nullptr;
  TToolTree* Available_ = nullptr;
  TToolTree* Selected_ = nullptr;
};

// Shows "Options" over the program's options with the parent's commands as the tools.
void ShowOptionsDialog(QWidget* parent);

}  // namespace mervanta
