#include "dialogs/select_table_dialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QToolTip>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

#include "dialogs/dialog_placement.h"
#include "dialogs/error_box.h"
#include "settings/options.h"
#include "support/file_names.h"
#include "support/numbers.h"
#include "views/help_button.h"
#include "settings/qt_values.h"

namespace mervanta {

namespace {

const std::string kWindowName = "WorkDirForm";

QString PathText(const std::string& path) {
  return QFile::decodeName(path.c_str());
}

// Only regular files are tables: a folder or a device named like one is left out.
bool IsTableFile(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

QString Tip(const std::string& fileName) {
  return QStringLiteral("File: ") + PathText(fileName) + QStringLiteral("\r\nFile size: ") +
         DisplayText(FileSizeText(fileName));
}

bool IsNavigationKey(int key) {
  switch (key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Up:
    case Qt::Key_Down:
      return true;
    default:
      return false;
  }
}

}  // namespace

TWorkDirForm::TWorkDirForm(QWidget* parent, const std::string& initialFile,
                           std::function<bool(const std::string&)> open, TProgramLauncher launcher)
    : QDialog(parent),
      Open_(std::move(open)),
      Launcher_(std::move(launcher)),
      Name_(new QLineEdit(this)),
      Tree_(new QTreeWidget(this)),
      Buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)),
      Menu_(new QMenu(this)) {
  setObjectName(QString::fromStdString(kWindowName));
  setWindowTitle(QStringLiteral("Select Table"));

  auto* layout = new QVBoxLayout(this);
  auto* nameRow = new QHBoxLayout;
  auto* label = new QLabel(QStringLiteral("&Table:"), this);
  label->setBuddy(Name_);
  nameRow->addWidget(label);
  Name_->setObjectName(QStringLiteral("Name"));
  nameRow->addWidget(Name_, 1);
  layout->addLayout(nameRow);

  Tree_->setObjectName(QStringLiteral("Tables"));
  Tree_->setHeaderHidden(true);
  Tree_->setRootIsDecorated(false);
  Tree_->setUniformRowHeights(true);
  Tree_->setContextMenuPolicy(Qt::CustomContextMenu);
  layout->addWidget(Tree_, 1);

  Buttons_->setObjectName(QStringLiteral("Buttons"));
  auto* bottom = new QHBoxLayout;
  AddHelpButton(*this, *bottom, "selecttable");
  bottom->addWidget(Buttons_, 1);
  layout->addLayout(bottom);

  Menu_->setObjectName(QStringLiteral("TableMenu"));
  QAction* select = AddCommand("document-open", QStringLiteral("Select"),
                               [this](const TNode& node) { OpenTable(node); });
  Menu_->setDefaultAction(select);
  Menu_->addSeparator();
  AddCommand("x-office-spreadsheet", QStringLiteral("Open in Spreadsheet"),
             [this](const TNode& node) { Launcher_.OpenInSpreadsheet(node.FileName); });
  AddCommand("accessories-text-editor", QStringLiteral("Open in Text Editor"),
             [this](const TNode& node) { Launcher_.OpenInTextEditor(node.FileName); });
  AddCommand("text-x-generic", QStringLiteral("Open Description in Text Editor"),
             [this](const TNode& node) {
               Launcher_.OpenInTextEditor(DescriptionFileName(node.FileName));
             });
  Menu_->addSeparator();
  AddCommand("folder-open", QStringLiteral("Open Folder"),
             [this](const TNode& node) { Launcher_.OpenFolder(node.Folder); });

  Fill();
  Preselect(initialFile);
  SelectionChanged();

  connect(Name_, &QLineEdit::textEdited, this, &TWorkDirForm::NameEdited);
  connect(Tree_, &QTreeWidget::itemSelectionChanged, this, &TWorkDirForm::SelectionChanged);
  connect(Tree_, &QTreeWidget::itemDoubleClicked, this, [this] {
    if (Buttons_->button(QDialogButtonBox::Ok)->isEnabled()) Select();
  });
  connect(Tree_, &QWidget::customContextMenuRequested, this,
          [this](QPoint point) { Menu_->popup(Tree_->viewport()->mapToGlobal(point)); });
  connect(Buttons_, &QDialogButtonBox::accepted, this, &TWorkDirForm::Select);
  connect(Buttons_, &QDialogButtonBox::rejected, this, &TWorkDirForm::reject);
  Name_->installEventFilter(this);
  Tree_->installEventFilter(this);
  Tree_->viewport()->installEventFilter(this);

  Name_->setFocus();
  resize(360, 420);
  RestorePlacement(*this, kWindowName);
}

TWorkDirForm::~TWorkDirForm() = default;

void TWorkDirForm::done(int result) {
  StorePlacement(*this, kWindowName);
  QDialog::done(result);
}

bool TWorkDirForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (watched == Name_ && IsNavigationKey(key->key())) {
      QCoreApplication::sendEvent(Tree_, event);
      return true;
    }
    if (watched == Tree_ && key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier) {
      Menu_->popup(Tree_->mapToGlobal(QPoint(30, 30)));
      return true;
    }
  }
  if (watched == Tree_->viewport() && event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    QTreeWidgetItem* item = Tree_->itemAt(help->pos());
    if (item == nullptr) {
      QToolTip::hideText();
    } else {
      const TNode& node = Nodes_[static_cast<std::size_t>(Tree_->indexOfTopLevelItem(item))];
      QToolTip::showText(help->globalPos(), Tip(node.FileName), Tree_->viewport(),
                         Tree_->visualItemRect(item));
    }
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TWorkDirForm::Fill() {
  struct TFound {
    QString Text;
    TNode Node;
  };
  std::vector<TFound> found;
  const TStringList& folders = Options().Main->WorkDir->Value();
  for (std::size_t index = 0; index < folders.size(); ++index) {
    std::string folder = folders[index];
    if (!folder.empty() && folder.back() != '/') folder += '/';
    TStringList names;
    ListFiles(folder, "*.csv", names);
    for (const std::string& name : names) {
      std::string fileName = folder + name;
      if (!IsTableFile(fileName)) continue;
      found.push_back(
          {PathText(FileTitle(name)), {static_cast<int>(index), folder, std::move(fileName)}});
    }
  }
  // Stable, so that tables of the same name keep the order of their folders.
  std::stable_sort(found.begin(), found.end(), [](const TFound& a, const TFound& b) {
    return a.Text.compare(b.Text, Qt::CaseInsensitive) < 0;
  });
  const QIcon icon = QIcon::fromTheme(QStringLiteral("x-office-spreadsheet"));
  for (TFound& table : found) {
    auto* item = new QTreeWidgetItem(Tree_, {table.Text});
    item->setIcon(0, icon);
    item->setData(0, Qt::UserRole, table.Node.FolderIndex);
    Nodes_.push_back(std::move(table.Node));
  }
}

void TWorkDirForm::Preselect(const std::string& initialFile) {
  if (Tree_->topLevelItemCount() == 0) return;
  QTreeWidgetItem* chosen = Tree_->topLevelItem(0);
  if (!initialFile.empty()) {
    const QString title = PathText(FileTitle(initialFile));
    for (int row = 0; row < Tree_->topLevelItemCount(); ++row) {
      QTreeWidgetItem* item = Tree_->topLevelItem(row);
      if (item->text(0).compare(title, Qt::CaseInsensitive) == 0 &&
          SameFile(Nodes_[static_cast<std::size_t>(row)].FileName, initialFile)) {
        chosen = item;
        break;
      }
    }
  }
  Tree_->setCurrentItem(chosen);
}

const TWorkDirForm::TNode* TWorkDirForm::Selected() const {
  const QList<QTreeWidgetItem*> items = Tree_->selectedItems();
  if (items.isEmpty()) return nullptr;
  return &Nodes_[static_cast<std::size_t>(Tree_->indexOfTopLevelItem(items.front()))];
}

void TWorkDirForm::SelectionChanged() {
  const bool selected = Selected() != nullptr;
  Buttons_->button(QDialogButtonBox::Ok)->setEnabled(selected);
  for (QAction* command : Commands_) command->setEnabled(selected);
  // While the user types, the edit keeps what was typed.
  if (!selected || Typing_) return;
  Name_->setText(Tree_->selectedItems().front()->text(0));
  Name_->selectAll();
}

void TWorkDirForm::NameEdited(const QString& text) {
  for (int row = 0; row < Tree_->topLevelItemCount(); ++row) {
    QTreeWidgetItem* item = Tree_->topLevelItem(row);
    if (item->text(0).startsWith(text, Qt::CaseInsensitive)) {
      const QScopedValueRollback typing(Typing_, true);
      Tree_->setCurrentItem(item);
      Tree_->scrollToItem(item);
      return;
    }
  }
}

void TWorkDirForm::Select() {
  OnSelected([this](const TNode& node) { OpenTable(node); });
}

void TWorkDirForm::OpenTable(const TNode& node) {
  if (Open_(node.FileName)) accept();
}

void TWorkDirForm::OnSelected(const std::function<void(const TNode&)>& command) {
  const TNode* node = Selected();
  if (node != nullptr) RunShowingErrors([&] { command(*node); });
}

QAction* TWorkDirForm::AddCommand(const char* icon, const QString& caption,
                                  const std::function<void(const TNode&)>& command) {
  QAction* action = Menu_->addAction(caption);
  if (Options().Other->MenuImages->Value())
    action->setIcon(QIcon::fromTheme(QString::fromLatin1(icon)));
  connect(action, &QAction::triggered, this, [this, command] { OnSelected(command); });
  Commands_.push_back(action);
  return action;
}

bool SelectTableDialog(QWidget* parent, const std::string& initialFile,
                       const std::function<bool(const std::string&)>& open) {
  TWorkDirForm form(parent, initialFile, open);
  return form.exec() == QDialog::Accepted;
}

}  // namespace mervanta
