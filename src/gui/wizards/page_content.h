#pragma once

#include <QLabel>
#include <QWidget>
#include <string>

#include "dialogs/wizard.h"

class QDialog;
class QListWidget;

namespace mervanta {

class TSources;
class TSourcesView;

// The page's own controls in a widget over its content area, laid out by the returned layout.
template <typename TLayout>
TLayout& ContentLayout(TWizardPage& page) {
  auto* content = new QWidget(&page);
  content->setObjectName(QStringLiteral("Content"));
  content->setGeometry(page.ContentRect());
  auto* layout = new TLayout(content);
  layout->setContentsMargins(0, 0, 0, 0);
  return *layout;
}

// A wizard on the form that passes its welcome page over unless the options ask for it.
TWizard& AddWizard(QDialog& form);
// A head page named `name`.
TWizardPage& AddWizardPage(TWizard& wizard, const char* name, const char* caption,
                           const char* subCaption);
// The half page "wp1" with its paragraphs, the wizard's start page.
TWizardPage& AddWelcomePage(TWizard& wizard, const char* caption, const QString& text);

// The page "wp2", after the welcome page, where a record list of the table and a kind are
// chosen; the current list and the first kind start selected.
struct TInitialPage {
  TWizardPage& Page;
  TSourcesView& Sources;
  QListWidget& Kinds;
};
TInitialPage AddInitialPage(TWizard& wizard, TSources& sources, const char* subCaption,
                            const char* kindsCaption, const QStringList& kinds);
// The list selected on the initial page; raises "The source is empty" when it has no records.
int SelectedRecords(const TSourcesView& view, const TSources& sources);

// A label whose mnemonic focuses `buddy`.
QLabel& Caption(const char* text, QWidget* buddy);

// The help button at the left of the wizard's button row.
void AddWizardHelpButton(QDialog& form, const std::string& topic);

}  // namespace mervanta
