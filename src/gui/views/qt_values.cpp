#include "views/qt_values.h"

#include "support/locale.h"

namespace mervanta {

QString DisplayText(std::string_view bytes) {
  const TCodePage& codePage = TLocale::Current().Ansi();
  QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
  QChar* out = text.data();
  for (const char byte : bytes) {
    const char32_t codePoint = codePage.ToUnicode(static_cast<unsigned char>(byte));
    // 8-bit code pages stay inside the basic plane; the guard keeps one unit per byte anyway.
    *out++ =
        codePoint <= 0xFFFF ? QChar(static_cast<char16_t>(codePoint)) : QChar::ReplacementCharacter;
  }
  return text;
}

QColor ToQColor(TColor color) {
  const TColor rgb = ColorToRGB(color);
  return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                static_cast<int>((rgb >> 16) & 0xFF));
}

QFont ToQFont(const TFont& value) {
  QFont font(QString::fromStdString(AnsiToUtf8(value.Name)));
  font.setPointSize(value.Size > 0 ? value.Size : 10);
  font.setBold((value.Style & fsBold) != 0);
  font.setItalic((value.Style & fsItalic) != 0);
  font.setUnderline((value.Style & fsUnderline) != 0);
  font.setStrikeOut((value.Style & fsStrikeOut) != 0);
  return font;
}

}  // namespace mervanta
