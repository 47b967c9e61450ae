#pragma once

#include <QProxyStyle>

namespace mervanta {

// The desktop's style, with every push button of the program's dialogs (also those Qt makes,
// as in button boxes and message boxes) drawn in the program's own button look.
class TProgramStyle final : public QProxyStyle {
 public:
  TProgramStyle();

  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override;
};

}  // namespace mervanta
