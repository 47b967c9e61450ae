#include "wizards/page_content.h"

#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "dialogs/sources_view.h"
#include "model/sources.h"
#include "settings/option_categories.h"
#include "settings/options.h"
#include "support/errors.h"
#include "views/help_button.h"

namespace mervanta {

TWizard& AddWizard(QDialog& form) {
  return *new TWizard(
      form, Options().Other->WizardsWelcome->Value() ? TWizardOptions() : woSkipFirstPage);
}

TWizardPage& AddWizardPage(TWizard& wizard, const char* name, const char* caption,
                           const char* subCaption) {
  auto* page = new TWizardPage(wizard);
  page->setObjectName(QString::fromLatin1(name));
  page->SetCaption(QString::fromLatin1(caption));
  page->SetSubCaption(QString::fromLatin1(subCaption));
  return *page;
}

TWizardPage& AddWelcomePage(TWizard& wizard, const char* caption, const QString& text) {
  TWizardPage& page = AddWizardPage(wizard, "wp1", caption, "");
  page.SetPageKind(pkHalf);
  page.SetNoteText(QStringLiteral("To continue click \"Next\"."));
  auto* label = new QLabel(text);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  ContentLayout<QVBoxLayout>(page).addWidget(label, 1);
  wizard.SetStartPage(&page);
  return page;
}

TInitialPage AddInitialPage(TWizard& wizard, TSources& sources, const char* subCaption,
                            const char* kindsCaption, const QStringList& kinds) {
  TWizardPage& page = AddWizardPage(wizard, "wp2", "Initial data", subCaption);
  wizard.StartPage()->SetNextPage(&page);
  auto* view = new TSourcesView(sources);
  view->setObjectName(QStringLiteral("Sources"));
  // A table shown nowhere yet has no current list.
  if (view->currentItem() == nullptr) view->setCurrentItem(view->topLevelItem(0));
  auto* list = new QListWidget;
  list->setObjectName(QStringLiteral("Kinds"));
  list->addItems(kinds);
  list->setCurrentRow(0);
  auto& layout = ContentLayout<QGridLayout>(page);
  layout.addWidget(&Caption("&Source", view), 0, 0);
  layout.addWidget(view, 1, 0);
  layout.addWidget(&Caption(kindsCaption, list), 0, 1);
  layout.addWidget(list, 1, 1);
  return {page, *view, *list};
}

int SelectedRecords(const TSourcesView& view, const TSources& sources) {
  const int source = view.SelectedSource();
  if (source < 0 || sources.Source(source).Count() == 0) {
    throw EMervantaError("The source is empty");
  }
  return source;
}

QLabel& Caption(const char* text, QWidget* buddy) {
  auto* label = new QLabel(QString::fromLatin1(text));
  label->setBuddy(buddy);
  return *label;
}

void AddWizardHelpButton(QDialog& form, const std::string& topic) {
  auto* help = new QWidget(&form);
  help->setGeometry(4, TWizardPage::PageHeight + 8, 120, 27);
  auto* layout = new QHBoxLayout(help);
  layout->setContentsMargins(0, 0, 0, 0);
  AddHelpButton(form, *layout, topic);
}

}  // namespace mervanta
