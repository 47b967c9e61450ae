#pragma once

#include <QPushButton>

#include "support/font.h"

namespace mervanta {

// A button that names a font in that font and lets the user pick another one. The colour and
// the character set stay as they were set.
class TFontButton final : public QPushButton {
  Q_OBJECT

 public:
  explicit TFontButton(QWidget* parent = nullptr);

  const TFont& Font() const { return Font_; }
  void SetFont(const TFont& font);
  // Shown before the font's name, e.g. "Font".
  void SetNoteText(const QString& note);
  // The picker then offers only the faces a printer takes.
  void SetPrinterFonts(bool printerFonts) { PrinterFonts_ = printerFonts; }
  bool PrinterFonts() const { return PrinterFonts_; }

 private:
  void Pick();
  void ShowFont();

  TFont Font_;
  QString Note_;
  bool PrinterFonts_ = false;
};

}  // namespace mervanta
