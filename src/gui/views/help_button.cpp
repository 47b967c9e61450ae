#include "views/help_button.h"

#include <QBoxLayout>
#include <QShortcut>
#include <cassert>

#include "styles/standard_styles.h"
#include "styles/styled_button.h"
#include "views/desktop_services.h"
#include "views/help_topics.h"

namespace mervanta {

void AddHelpButton(QWidget& dialog, QBoxLayout& layout, const std::string& topic) {
  // A topic missing from the list would also be missing from the help folder's checks.
  assert(IsHelpTopic(topic));
  if (!DesktopServices().HelpOffered()) return;
  // A link in the program's hyperlink look, answering F1 anywhere in the dialog.
  auto* link = new TStyledButton(QStringLiteral("Online Help"), HyperlinkPainter(), &dialog);
  link->setObjectName(QStringLiteral("HelpButton"));
  link->setAutoDefault(false);
  link->setFlat(true);
  link->setToolTip(QStringLiteral("Online Help (F1)"));
  link->setFocusPolicy(Qt::NoFocus);
  const auto open = [topic] { DesktopServices().OpenHelp(topic); };
  QObject::connect(link, &QPushButton::clicked, &dialog, open);
  auto* key = new QShortcut(QKeySequence(Qt::Key_F1), &dialog);
  QObject::connect(key, &QShortcut::activated, &dialog, open);
  layout.addWidget(link);
}

}  // namespace mervanta
