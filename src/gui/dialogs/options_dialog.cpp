#include "dialogs/options_dialog.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/dialog_buttons.h"
#include "dialogs/dialog_placement.h"
#include "dialogs/error_box.h"
#include "dialogs/tool_tree.h"
#include "settings/color_button.h"
#include "settings/font_button.h"
#include "settings/options.h"
#include "settings/qt_values.h"
#include "settings/radio_group.h"
#include "support/file_names.h"
#include "support/msg_sender.h"
#include "support/user_interface.h"
#include "views/macros_menu.h"

namespace mervanta {

namespace {

constexpr const char* kWindowName = "OptionsForm";
const QString kSeparator = QStringLiteral("(Separator)");
// Above this many labelled controls a page puts them in two columns.
constexpr int kOneColumnFields = 8;

bool IsTool(const QAction* command) {
  return !command->objectName().isEmpty() && command->actionGroup() == nullptr &&
         !command->property("ToolExcluded").toBool();
}

QString NameOf(const TProperty& property) {
  return QString::fromStdString(property.Name());
}

}  // namespace

// The controls of one page as they are made, placed once all are known.
struct TOptionsForm::TPage {
  std::vector<QWidget*> Blocks;
  std::vector<std::pair<QLabel*, QWidget*>> Fields;
  std::vector<QWidget*> Checks;
  std::vector<QWidget*> Fonts;
  QWidget* Widget = nullptr;

  template <class TControl>
  std::pair<QLabel*, TControl*> Field(const TProperty& property) {
    auto* label = new QLabel(Widget);
    auto* control = new TControl(Widget);
    control->setObjectName(NameOf(property));
    label->setBuddy(control);
    Fields.emplace_back(label, control);
    return {label, control};
  }
};

TOptionsForm::TOptionsForm(QWidget* parent, QList<QAction*> commands, TOptions& options)
    : QDialog(parent),
      Options_(options),
      Commands_(std::move(commands)),
      Tree_(new QTreeWidget(this)),
      Caption_(new QLabel(this)),
      Pages_(new QStackedWidget(this)) {
  setObjectName(QString::fromLatin1(kWindowName));
  setWindowTitle(QStringLiteral("Options"));

  Tree_->setObjectName(QStringLiteral("Categories"));
  Tree_->setHeaderLabel(QStringLiteral("Category"));
  Tree_->setFixedWidth(180);
  Caption_->setObjectName(QStringLiteral("Caption"));
  QFont captionFont = Caption_->font();
  captionFont.setBold(true);
  captionFont.setPointSizeF(captionFont.pointSizeF() * 1.25);
  Caption_->setFont(captionFont);
  for (int index = 0; index < options.CategoryCount(); ++index) {
    AddCategory(options.CategoryAt(index), nullptr);
  }
  Tree_->expandAll();
  connect(Tree_, &QTreeWidget::currentItemChanged, this, &TOptionsForm::ShowPage);

  auto* pageSide = new QVBoxLayout;
  pageSide->addWidget(Caption_);
  pageSide->addWidget(Pages_, 1);
  auto* middle = new QHBoxLayout;
  middle->addWidget(Tree_);
  middle->addLayout(pageSide, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(middle, 1);
  QDialogButtonBox* buttons =
      AddDialogButtons(*this, *layout, "options",
                       QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply);
  connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this,
          &TOptionsForm::Apply);

  Tree_->setCurrentItem(Tree_->topLevelItem(0));
  resize(sizeHint().expandedTo(QSize(640, 480)));
  RestorePlacement(*this, kWindowName);
}

TOptionsForm::~TOptionsForm() = default;

void TOptionsForm::AddCategory(const TPropertiesCategory& category, QTreeWidgetItem* parentNode) {
  if (category.CategoryCount() == 0 && category.PropertyCount() == 0) return;
  auto* node = parentNode != nullptr ? new QTreeWidgetItem(parentNode) : new QTreeWidgetItem(Tree_);
  node->setText(0, QString::fromStdString(category.Caption()));
  node->setData(0, Qt::UserRole, Pages_->count());
  Pages_->addWidget(BuildPage(category));
  for (int index = 0; index < category.CategoryCount(); ++index) {
    AddCategory(category.CategoryAt(index), node);
  }
}

QWidget* TOptionsForm::BuildPage(const TPropertiesCategory& category) {
  TPage page;
  page.Widget = new QWidget(Pages_);
  page.Widget->setObjectName(QString::fromStdString(category.Name()));
  for (int index = 0; index < category.PropertyCount(); ++index) {
    AddProperty(page, category.PropertyAt(index));
  }

  auto* layout = new QVBoxLayout(page.Widget);
  layout->setContentsMargins(0, 0, 0, 0);
  for (QWidget* block : page.Blocks) layout->addWidget(block);
  if (!page.Fields.empty()) {
    auto* grid = new QGridLayout;
    const int count = static_cast<int>(page.Fields.size());
    const int rows = count > kOneColumnFields ? (count + 1) / 2 : count;
    for (int index = 0; index < count; ++index) {
      const int column = index / rows * 3;
      grid->addWidget(page.Fields[static_cast<std::size_t>(index)].first, index % rows, column);
      grid->addWidget(page.Fields[static_cast<std::size_t>(index)].second, index % rows,
                      column + 1);
    }
    // A gap between the columns, and the controls no wider than they need.
    if (count > rows) grid->setColumnMinimumWidth(2, 16);
    grid->setColumnStretch(count > rows ? 5 : 2, 1);
    layout->addLayout(grid);
  }
  for (QWidget* check : page.Checks) layout->addWidget(check);
  for (QWidget* font : page.Fonts) {
    auto* row = new QHBoxLayout;
    row->addWidget(font);
    row->addStretch(1);
    layout->addLayout(row);
  }
  if (&category == Options_.Flip->Exact) {
    auto* reset = new QPushButton(QStringLiteral("&Reset"), page.Widget);
    reset->setObjectName(QStringLiteral("Reset"));
    // The colours and spaces of this page only, shown until Apply or OK.
    connect(reset, &QPushButton::clicked, this,
            [this, &category] { View_.ResetToDefaults(category, false); });
    auto* row = new QHBoxLayout;
    row->addWidget(reset);
    row->addStretch(1);
    layout->addLayout(row);
  }
  layout->addStretch(1);
  return page.Widget;
}

void TOptionsForm::AddProperty(TPage& page, TProperty& property) {
  switch (property.Kind()) {
    case TPropertyKind::Boolean: {
      auto* box = new QCheckBox(page.Widget);
      box->setObjectName(NameOf(property));
      View_.BindCheckBox(static_cast<TBooleanProperty&>(property), *box);
      page.Checks.push_back(box);
      break;
    }
    case TPropertyKind::Color: {
      const auto [label, button] = page.Field<TColorButton>(property);
      View_.BindColor(static_cast<TColorProperty&>(property), *button, label);
      break;
    }
    case TPropertyKind::Integer: {
      const auto [label, edit] = page.Field<QSpinBox>(property);
      View_.BindInteger(static_cast<TIntegerProperty&>(property), *edit, label);
      break;
    }
    case TPropertyKind::ItemIndex:
      if (property.Category() == Options_.Main) {
        auto* group = new TRadioGroup(page.Widget);
        group->setObjectName(NameOf(property));
        View_.BindRadioGroup(static_cast<TItemIndexProperty&>(property), *group);
        page.Blocks.push_back(group);
      } else {
        const auto [label, list] = page.Field<QComboBox>(property);
        View_.BindComboBox(static_cast<TItemIndexProperty&>(property), *list, label);
      }
      break;
    case TPropertyKind::String: {
      const auto [label, edit] = page.Field<QLineEdit>(property);
      View_.BindEdit(static_cast<TStringProperty&>(property), *edit, label);
      // The text may name the moment of the export.
      OfferMacros(*edit);
      break;
    }
    case TPropertyKind::Font: {
      auto* button = new TFontButton(page.Widget);
      button->setObjectName(NameOf(property));
      View_.BindFont(static_cast<TFontProperty&>(property), *button);
      page.Fonts.push_back(button);
      break;
    }
    case TPropertyKind::StringList:
      page.Blocks.push_back(&property == Options_.Tools->Items
                                ? BuildToolTrees()
                                : BuildWorkDir(static_cast<TStringListProperty&>(property)));
      break;
  }
}

QWidget* TOptionsForm::BuildWorkDir(TStringListProperty& property) {
  auto* block = new QWidget(this);
  auto* label = new QLabel(block);
  WorkDir_ = new QPlainTextEdit(block);
  WorkDir_->setObjectName(NameOf(property));
  WorkDir_->setTabChangesFocus(true);
  WorkDir_->setLineWrapMode(QPlainTextEdit::NoWrap);
  WorkDir_->setMaximumHeight(WorkDir_->fontMetrics().lineSpacing() * 6);
  label->setBuddy(WorkDir_);
  View_.BindMemo(property, *WorkDir_, label);
  auto* add = new QPushButton(QStringLiteral("Add path..."), block);
  add->setObjectName(QStringLiteral("AddPath"));
  connect(add, &QPushButton::clicked, this, &TOptionsForm::AddPath);
  auto* layout = new QGridLayout(block);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(label, 0, 0);
  layout->addWidget(WorkDir_, 1, 0);
  layout->addWidget(add, 1, 1, Qt::AlignTop);
  return block;
}

QWidget* TOptionsForm::BuildToolTrees() {
  auto* block = new QWidget(this);
  auto* layout = new QGridLayout(block);
  layout->setContentsMargins(0, 0, 0, 0);
  Available_ = new TToolTree(block);
  Available_->setObjectName(QStringLiteral("AvailableTools"));
  Selected_ = new TToolTree(block);
  Selected_->setObjectName(QStringLiteral("SelectedTools"));
  int column = 0;
  for (TToolTree* tree : {Available_, Selected_}) {
    auto* label = new QLabel(
        tree == Available_ ? QStringLiteral("Available tools") : QStringLiteral("Selected tools"),
        block);
    label->setBuddy(tree);
    layout->addWidget(label, 0, column);
    layout->addWidget(tree, 1, column++);
    connect(tree, &TToolTree::Dropped, this,
            [this, tree](const QString& source, QTreeWidgetItem* before) {
              ToolDropped(*tree, source, before);
            });
  }
  FillToolTrees();
  return block;
}

QTreeWidgetItem* TOptionsForm::ToolItem(const QAction* command) {
  auto* item = new QTreeWidgetItem;
  if (command == nullptr) {
    item->setText(0, kSeparator);
    return item;
  }
  item->setText(0, command->text().remove(QLatin1Char('&')));
  item->setIcon(0, command->icon());
  item->setData(0, Qt::UserRole, command->objectName());
  return item;
}

QAction* TOptionsForm::FindCommand(const QString& name) const {
  const auto found = std::find_if(Commands_.begin(), Commands_.end(), [&name](QAction* command) {
    return command->objectName() == name;
  });
  return found != Commands_.end() ? *found : nullptr;
}

void TOptionsForm::FillToolTrees() {
  Available_->addTopLevelItem(ToolItem(nullptr));
  for (const QAction* command : Commands_) {
    if (IsTool(command)) Available_->addTopLevelItem(ToolItem(command));
  }
  for (const std::string& name : Options_.Tools->Items->Value()) {
    QAction* command = name.empty() ? nullptr : FindCommand(QString::fromStdString(name));
    if (command != nullptr && !IsTool(command)) continue;
    Selected_->addTopLevelItem(ToolItem(command));
  }
}

void TOptionsForm::ToolDropped(TToolTree& target, const QString& sourceName,
                               QTreeWidgetItem* before) {
  TToolTree* source = sourceName == Available_->objectName()  ? Available_
                      : sourceName == Selected_->objectName() ? Selected_
                                                              : nullptr;
  if (source == nullptr || source->currentItem() == nullptr) return;
  QTreeWidgetItem* entry = source->currentItem();
  if (&target == Available_) {
    // Back to where it came from: no longer a tool.
    if (source == Selected_) delete entry;
    return;
  }
  if (entry == before) return;
  if (source == Selected_) {
    Selected_->takeTopLevelItem(Selected_->indexOfTopLevelItem(entry));
  } else {
    entry = entry->clone();
  }
  const int at =
      before != nullptr ? Selected_->indexOfTopLevelItem(before) : Selected_->topLevelItemCount();
  Selected_->insertTopLevelItem(at, entry);
  Selected_->setCurrentItem(entry);
}

void TOptionsForm::AddPath() {
  const TStringList folders = AnsiLines(WorkDir_->toPlainText());
  QString start = QString::fromStdString(ProgramFolder());
  if (!folders.empty()) {
    const auto line = std::min(static_cast<std::size_t>(WorkDir_->textCursor().blockNumber()),
                               folders.size() - 1);
    start = DisplayText(folders[line]);
  }
  QFileDialog chooser(this, QString::fromStdString(Options_.Main->WorkDir->Caption()), start);
  chooser.setFileMode(QFileDialog::Directory);
  chooser.setOption(QFileDialog::ShowDirsOnly);
  if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) return;
  QString folder = chooser.selectedFiles().front();
  if (!folder.endsWith(QLatin1Char('/'))) folder += QLatin1Char('/');
  QString text = WorkDir_->toPlainText();
  while (text.endsWith(QLatin1Char('\n'))) text.chop(1);
  if (!text.isEmpty()) text += QLatin1Char('\n');
  WorkDir_->setPlainText(text + folder);
}

void TOptionsForm::CleanWorkDir() {
  const TStringList folders = Options_.Main->CleanWorkDir(AnsiLines(WorkDir_->toPlainText()));
  WorkDir_->setPlainText(DisplayLines(folders));
  const bool missing = std::any_of(folders.begin(), folders.end(), [](const std::string& folder) {
    return !QFileInfo(DisplayText(folder)).isDir();
  });
  // Kept all the same: the folder may be on a disk that is not mounted now.
  if (missing) {
    ShowMessageBox("Specified program directory does not exist", "Warning", TButtons::Ok,
                   TIcon::Information);
  }
}

bool TOptionsForm::Apply() {
  return RunShowingErrors([this] {
    CleanWorkDir();
    View_.ApplyAll();
    TStringList tools;
    for (int index = 0; index < Selected_->topLevelItemCount(); ++index) {
      tools.push_back(
          Selected_->topLevelItem(index)->data(0, Qt::UserRole).toString().toStdString());
    }
    Options_.Tools->Items->SetValue(std::move(tools));
    MsgSender().Send(&Options_, TMsgCode::OptionsChanged);
  });
}

void TOptionsForm::accept() {
  if (Apply()) QDialog::accept();
}

void TOptionsForm::done(int result) {
  StorePlacement(*this, kWindowName);
  QDialog::done(result);
}

void TOptionsForm::ShowPage(QTreeWidgetItem* node) {
  if (node == nullptr) return;
  Pages_->setCurrentIndex(node->data(0, Qt::UserRole).toInt());
  Caption_->setText(node->text(0));
}

void ShowOptionsDialog(QWidget* parent) {
  TOptionsForm form(parent, parent != nullptr ? parent->actions() : QList<QAction*>(), Options());
  form.exec();
}

}  // namespace mervanta
