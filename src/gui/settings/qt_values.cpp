#include "settings/qt_values.h"

#include <cmath>

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

std::string AnsiText(const QString& text) {
  return Utf8ToAnsi(text.toStdString());
}

QString DisplayLines(const TStringList& lines) {
  QStringList shown;
  for (const std::string& line : lines) shown.append(DisplayText(line));
  return shown.join(QLatin1Char('\n'));
}

TStringList AnsiLines(const QString& text) {
  return TextToList(AnsiText(text));
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

TColor FromQColor(const QColor& color) {
  const QColor rgb = color.toRgb();
  return RGB(static_cast<unsigned>(rgb.red()), static_cast<unsigned>(rgb.green()),
             static_cast<unsigned>(rgb.blue()));
}

TFont FromQFont(const QFont& font, TColor color, int charset) {
  TFontStyles style = 0;
  if (font.bold()) style |= fsBold;
  if (font.italic()) style |= fsItalic;
  if (font.underline()) style |= fsUnderline;
  if (font.strikeOut()) style |= fsStrikeOut;
  return {.Name = AnsiText(font.family()),
          .Size = static_cast<int>(std::lround(font.pointSizeF())),
          .Style = style,
          .Color = color,
          .Charset = charset};
}

}  // namespace mervanta
