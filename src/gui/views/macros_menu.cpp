#include "views/macros_menu.h"

#include <QAction>
#include <QIcon>
#include <QLineEdit>
#include <QMenu>

#include "support/macros.h"

namespace mervanta {

QMenu& MacrosMenu(QLineEdit& edit) {
  if (auto* made = edit.findChild<QMenu*>(QStringLiteral("MacrosMenu"))) return *made;
  auto* menu = new QMenu(&edit);
  menu->setObjectName(QStringLiteral("MacrosMenu"));
  for (const std::string_view name : kMacroNames) {
    const QString macro = QStringLiteral("$%1$").arg(
        QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    QObject::connect(menu->addAction(macro), &QAction::triggered, &edit,
                     [&edit, macro] { edit.insert(macro); });
  }
  return *menu;
}

void OfferMacros(QLineEdit& edit) {
  QAction* open = edit.addAction(QIcon::fromTheme(QStringLiteral("x-office-calendar")),
                                 QLineEdit::TrailingPosition);
  open->setObjectName(QStringLiteral("MacrosAction"));
  open->setToolTip(QStringLiteral("Insert a date or time macro"));
  QObject::connect(open, &QAction::triggered, &edit, [&edit] {
    MacrosMenu(edit).popup(edit.mapToGlobal(edit.rect().bottomRight()));
  });
}

}  // namespace mervanta
