#include "dialogs/quick_search_dialog.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "search/quick_search_history.h"
#include "settings/options.h"
#include "support/errors.h"
#include "support/locale.h"
#include "support/user_interface.h"
#include "views/desktop_services.h"
#include "views/help_button.h"
#include "settings/qt_values.h"

namespace mervanta {

TQuickSearchDialog::TQuickSearchDialog(QWidget* parent, const std::string& text)
    : QDialog(parent), Field_(new QComboBox(this)) {
  setObjectName(QStringLiteral("QuickSearchDialog"));
  setWindowTitle(QStringLiteral("Quick Search"));
  const TCardCategory& card = *Options().Card;
  Field_->setObjectName(QStringLiteral("Text"));
  Field_->setEditable(true);
  Field_->setInsertPolicy(QComboBox::NoInsert);
  Field_->setFont(ToQFont(card.Font->Value()));
  Field_->setMinimumWidth(320);
  const TQuickSearchHistory history(DesktopServices().SettingsRoot());
  for (const std::string& item : history.Items()) Field_->addItem(DisplayText(item));
  Field_->setEditText(DisplayText(text));
  Field_->lineEdit()->selectAll();
  if (card.AutoDropDown->Value() && Field_->count() > 0) {
    Field_->completer()->setCompletionMode(QCompleter::PopupCompletion);
  }
  if (card.HideButtons->Value()) {
    Field_->setStyleSheet(QStringLiteral("QComboBox::drop-down { width: 0px; border: none; }"));
  }
  Field_->lineEdit()->installEventFilter(this);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Field_);
  auto* bottom = new QHBoxLayout;
  AddHelpButton(*this, *bottom, "quicksearch");
  bottom->addWidget(buttons, 1);
  layout->addLayout(bottom);
  setSizeGripEnabled(false);
}

std::string TQuickSearchDialog::Text() const {
  return Utf8ToAnsi(Field_->currentText().toStdString());
}

bool TQuickSearchDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Field_->lineEdit() && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if ((key == Qt::Key_PageUp || key == Qt::Key_PageDown) && !Field_->view()->isVisible()) {
      StepHistory(key == Qt::Key_PageDown);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TQuickSearchDialog::StepHistory(bool next) {
  TStringList items;
  for (int i = 0; i < Field_->count(); ++i)
    items.push_back(Utf8ToAnsi(Field_->itemText(i).toStdString()));
  std::string current;
  try {
    current = Text();
  } catch (const EMervantaError&) {
    // A text the code page cannot hold is in no entry.
  }
  const int entry = AdjacentEntry(items, current, next);
  if (entry < 0) return;
  Field_->setEditText(Field_->itemText(entry));
  Field_->lineEdit()->selectAll();
}

bool QuickSearchDialog(QWidget* parent, std::string& text) {
  TQuickSearchDialog dialog(parent, text);
  while (dialog.exec() == QDialog::Accepted) {
    try {
      text = dialog.Text();
    } catch (const EMervantaError& error) {
      UserInterface().ShowMessage(error.what(), "Information", TButtons::Ok, TIcon::Information);
      continue;
    }
    TQuickSearchHistory history(DesktopServices().SettingsRoot());
    history.Confirm(text);
    return true;
  }
  return false;
}

}  // namespace mervanta
