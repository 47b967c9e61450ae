#include "styles/program_style.h"

#include <QStyleOptionButton>

#include "styles/standard_styles.h"
#include "styles/styled_painter.h"

namespace mervanta {

namespace {

int StateFlags(const QStyleOptionButton& option) {
  int flags = 0;
  if ((option.state & QStyle::State_Sunken) != 0) flags |= sfPressed;
  if ((option.state & QStyle::State_MouseOver) != 0) flags |= sfHot;
  if ((option.state & QStyle::State_On) != 0) flags |= sfChecked;
  if ((option.state & QStyle::State_Enabled) == 0) flags |= sfDisabled;
  if ((option.state & QStyle::State_HasFocus) != 0) flags |= sfFocused;
  return flags;
}

}  // namespace

TProgramStyle::TProgramStyle() : QProxyStyle(nullptr) {}

void TProgramStyle::drawControl(ControlElement element, const QStyleOption* option,
                                QPainter* painter, const QWidget* widget) const {
  const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
  // Flat buttons are links and tool-like buttons: the desktop draws them.
  if (element != CE_PushButton || button == nullptr ||
      (button->features & QStyleOptionButton::Flat) != 0) {
    QProxyStyle::drawControl(element, option, painter, widget);
    return;
  }
  const TStyledClient client{.Caption = button->text,
                             .Image = button->icon,
                             .StateFlags = StateFlags(*button),
                             .Default = (button->features & QStyleOptionButton::DefaultButton) != 0,
                             .Widget = widget};
  StandardButtonPainter().Paint(*painter, button->rect, client);
}

}  // namespace mervanta
