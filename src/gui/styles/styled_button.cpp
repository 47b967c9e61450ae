#include "styles/styled_button.h"

#include <QDesktopServices>
#include <QEvent>
#include <QPainter>

namespace mervanta {

TStyledButton::TStyledButton(const QString& caption, TStyledPainter& painter, QWidget* parent)
    : QPushButton(caption, parent), Painter_(painter) {
  setAttribute(Qt::WA_Hover);
  setAccessibleName(QString(caption).remove(u'&'));
  connect(&painter, &TStyledPainter::Changed, this, &TStyledButton::FollowStyler);
  if (painter.Styler() != nullptr) {
    connect(painter.Styler(), &TPushStyler::CursorChanged, this, &TStyledButton::FollowStyler);
  }
  FollowStyler();
}

void TStyledButton::FollowStyler() {
  if (Painter_.Styler() != nullptr) setCursor(Painter_.Styler()->Cursor());
  updateGeometry();
  update();
}

int TStyledButton::StateFlags() const {
  int flags = 0;
  if (isDown()) flags |= sfPressed;
  if (underMouse()) flags |= sfHot;
  if (isCheckable() && isChecked()) flags |= sfChecked;
  if (!isEnabled()) flags |= sfDisabled;
  if (hasFocus()) flags |= sfFocused;
  return flags;
}

TStyledClient TStyledButton::Client() const {
  return {.Caption = text(),
          .Image = icon(),
          .StateFlags = StateFlags(),
          .Default = isDefault(),
          .Widget = this};
}

QSize TStyledButton::sizeHint() const {
  return Painter_.Measure(Client());
}

void TStyledButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  Painter_.Paint(painter, rect(), Client());
}

bool TStyledButton::event(QEvent* event) {
  // The look follows the mouse.
  if (event->type() == QEvent::HoverEnter || event->type() == QEvent::HoverLeave) update();
  return QPushButton::event(event);
}

TStyledLink::TStyledLink(const QString& caption, const QUrl& url, TStyledPainter& painter,
                         QWidget* parent)
    : TStyledButton(caption, painter, parent), Url_(url) {
  setAutoDefault(false);
  setFlat(true);
  setToolTip(url.toString());
  connect(this, &QPushButton::clicked, this, [this] { QDesktopServices::openUrl(Url_); });
}

}  // namespace mervanta
