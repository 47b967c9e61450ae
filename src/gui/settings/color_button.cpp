#include "settings/color_button.h"

#include <QColorDialog>
#include <QPixmap>

#include "settings/qt_values.h"

namespace mervanta {

TColorButton::TColorButton(QWidget* parent) : QPushButton(parent) {
  connect(this, &QPushButton::clicked, this, &TColorButton::Pick);
  SetColor(Color_);
}

void TColorButton::SetColor(TColor color) {
  Color_ = color;
  const QColor shown = ToQColor(color);
  QPixmap swatch(40, 14);
  swatch.fill(shown);
  setIconSize(swatch.size());
  setIcon(QIcon(swatch));
  setToolTip(shown.name(QColor::HexRgb).toUpper());
}

void TColorButton::Pick() {
  QColorDialog dialog(ToQColor(Color_), this);
  if (dialog.exec() == QDialog::Accepted) SetColor(FromQColor(dialog.selectedColor()));
}

}  // namespace mervanta
