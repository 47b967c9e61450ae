#pragma once

#include <QPushButton>

#include "support/color.h"

namespace mervanta {

// A button that shows a colour and lets the user pick another one.
class TColorButton final : public QPushButton {
  Q_OBJECT

 public:
  explicit TColorButton(QWidget* parent = nullptr);

  TColor Color() const { return Color_; }
  void SetColor(TColor color);

 private:
  void Pick();

  TColor Color_ = 0;
};

}  // namespace mervanta
