#include "settings/font_button.h"

#include <QFontDialog>

#include "settings/qt_values.h"

namespace mervanta {

TFontButton::TFontButton(QWidget* parent) : QPushButton(parent) {
  connect(this, &QPushButton::clicked, this, &TFontButton::Pick);
}

void TFontButton::SetFont(const TFont& font) {
  Font_ = font;
  ShowFont();
}

void TFontButton::SetNoteText(const QString& note) {
  Note_ = note;
  ShowFont();
}

// The face and style in the button's own size, so that a large font keeps the page's layout.
void TFontButton::ShowFont() {
  QFont shown = ToQFont(Font_);
  shown.setPointSizeF(QWidget::font().pointSizeF());
  setFont(shown);
  const QString face = QStringLiteral("%1, %2 pt").arg(DisplayText(Font_.Name)).arg(Font_.Size);
  setText(Note_.isEmpty() ? face : QStringLiteral("%1: %2").arg(Note_, face));
}

void TFontButton::Pick() {
  QFontDialog dialog(ToQFont(Font_), this);
  // Printing draws through the same font database as the screen; only scalable faces print
  // at every size.
  if (PrinterFonts_) dialog.setOption(QFontDialog::ScalableFonts);
  if (dialog.exec() == QDialog::Accepted) {
    SetFont(FromQFont(dialog.selectedFont(), Font_.Color, Font_.Charset));
  }
}

}  // namespace mervanta
