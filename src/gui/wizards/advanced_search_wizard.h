#pragma once

#include <QDialog>
#include <memory>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QListWidget;

namespace mervanta {

class TColumnsView;
class TSearch;
class TSiner;
class TSourcesView;
class TTableSources;
class TWizard;
class TWizardPage;

// The wizard that builds an advanced search on a record list of a table: by values through up
// to seven condition rows, or for repeating records, merged into "Search Results" by the
// operation chosen last. The search exists once the wizard is finished.
class TSearchExForm final : public QDialog {
  Q_OBJECT

 public:
  TSearchExForm(QWidget* parent, TTableSources& sources);
  ~TSearchExForm() override;

  // Runs the wizard modally: the search it built, or null when it was cancelled.
  static std::unique_ptr<TSearch> Execute(QWidget* parent, TTableSources& sources);

  TWizard& Wizard() const { return *Wizard_; }
  const std::vector<TSiner*>& Rows() const { return Rows_; }
  // The search built by Finish; null before.
  std::unique_ptr<TSearch> TakeSearch() { return std::move(Search_); }

 protected:
  void done(int result) override;

 private:
  void BuildInitialPage();
  void BuildValuesPage();
  void BuildRepeatsPage();
  void BuildOperationPage();
  void LinkInitialPage();
  std::unique_ptr<TSearch> BuildValuesSearch() const;
  std::unique_ptr<TSearch> BuildRepeatsSearch() const;
  void BuildSearch();

  TTableSources& Sources_;
  TWizard* Wizard_;
  TWizardPage* Initial_ = nullptr;
  TWizardPage* Values_ = nullptr;
  TWizardPage* Repeats_ = nullptr;
  TWizardPage* Operation_ = nullptr;
  TSourcesView* SourcesView_ = nullptr;
  QListWidget* Kinds_ = nullptr;
  std::vector<TSiner*> Rows_;
  QCheckBox* AnyCondition_ = nullptr;
  QCheckBox* CaseSensitive_ = nullptr;
  TColumnsView* Columns_ = nullptr;
  QCheckBox* AnyField_ = nullptr;
  QCheckBox* CaseSensitiveRepeats_ = nullptr;
  QCheckBox* IgnoreEmpty_ = nullptr;
  QButtonGroup* Conclusion_ = nullptr;
  QGroupBox* OperationBox_ = nullptr;
  QButtonGroup* Operations_ = nullptr;
  std::unique_ptr<TSearch> Search_;
};

}  // namespace mervanta
