#include "app/about_box.h"

#include <QLabel>
#include <QVBoxLayout>

#include "styles/standard_styles.h"
#include "styles/styled_button.h"
#include "version.h"

namespace mervanta {

TAboutBox::TAboutBox(QWidget* parent, const QString& title) : QDialog(parent) {
  setObjectName(QStringLiteral("AboutBox"));
  setWindowTitle(QStringLiteral("About"));
  auto* layout = new QVBoxLayout(this);
  auto* name = new QLabel(title, this);
  QFont bold = name->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.4);
  name->setFont(bold);
  layout->addWidget(name);
  layout->addWidget(new QLabel(QStringLiteral("Software for home and office use"), this));
  layout->addWidget(
      new QLabel(QStringLiteral("Version: %1").arg(QString::fromLatin1(kVersion)), this));
  for (const auto& [caption, address] :
       {std::pair{"Program Home Page", kHomePage}, std::pair{"Program Forum", kForumPage}}) {
    auto* link = new TStyledLink(QString::fromLatin1(caption), QUrl(QString::fromLatin1(address)),
                                 HyperlinkPainter(), this);
    layout->addWidget(link, 0, Qt::AlignLeft);
  }
  auto* ok = new TStyledButton(QStringLiteral("OK"), StandardButtonPainter(), this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(ok, 0, Qt::AlignRight);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace mervanta
