#include "views/help_button.h"

#include <QBoxLayout>
#include <QIcon>
#include <QShortcut>
#include <QToolButton>

#include "views/desktop_services.h"

namespace mervanta {

void AddHelpButton(QWidget& dialog, QBoxLayout& layout, const std::string& topic) {
  if (!DesktopServices().HelpOffered()) return;
  auto* button = new QToolButton(&dialog);
  button->setObjectName(QStringLiteral("HelpButton"));
  button->setAutoRaise(true);
  button->setIcon(QIcon::fromTheme(QStringLiteral("help-contents")));
  button->setText(QStringLiteral("?"));
  button->setToolTip(QStringLiteral("Online Help (F1)"));
  button->setFocusPolicy(Qt::NoFocus);
  const auto open = [topic] { DesktopServices().OpenHelp(topic); };
  QObject::connect(button, &QToolButton::clicked, &dialog, open);
  auto* key = new QShortcut(QKeySequence(Qt::Key_F1), &dialog);
  QObject::connect(key, &QShortcut::activated, &dialog, open);
  layout.addWidget(button);
}

}  // namespace mervanta
