#include "support/xml_helpers.h"

#include <algorithm>

namespace mervanta {

std::string FontStyleText(TFontStyles style) {
  std::string text;
  if (style & fsBold) text += 'B';
  if (style & fsItalic) text += 'I';
  if (style & fsUnderline) text += 'U';
  return text;
}

TFontStyles FontStyleFromText(std::string_view text) {
  TFontStyles style = 0;
  if (text.find('B') != std::string_view::npos) style |= fsBold;
  if (text.find('I') != std::string_view::npos) style |= fsItalic;
  if (text.find('U') != std::string_view::npos) style |= fsUnderline;
  return style;
}

void ReadFont(const TXmlTag& tag, TFont& font) {
  font.Name = tag.ReadString("Name", font.Name);
  font.Size = tag.ReadInteger("Size", font.Size);
  font.Color = tag.ReadColor("Color", font.Color);
  int style = tag.IndexOf("Style");
  if (style >= 0) font.Style = FontStyleFromText(tag.Param(style).second);
  int charset;
  font.Charset = TryCharsetFromName(tag.ReadString("Charset"), charset) ? charset : kDefaultCharset;
}

void WriteFont(TXmlTag& tag, const TFont& font) {
  tag.WriteString("Name", font.Name);
  tag.WriteInteger("Size", font.Size);
  tag.WriteColor("Color", font.Color);
  tag.WriteString("Style", FontStyleText(font.Style));
  std::string charset = CharsetName(font.Charset);
  if (!charset.empty()) tag.WriteString("Charset", charset);
}

void WritePlacement(TXmlTag& tag, const TWindowPlacement& placement) {
  if (placement.Resizable && placement.Maximizable) {
    tag.WriteBool("Maximized", placement.Maximized);
    if (placement.Maximized) return;
  }
  tag.WriteInteger("Left", placement.Left);
  tag.WriteInteger("Top", placement.Top);
  if (placement.Resizable) {
    tag.WriteInteger("Width", placement.Width);
    tag.WriteInteger("Height", placement.Height);
  }
}

void ReadPlacement(const TXmlTag& tag, TWindowPlacement& placement, int screenWidth,
                   int screenHeight) {
  if (placement.Resizable && placement.Maximizable && tag.ReadBool("Maximized", false)) {
    placement.Maximized = true;
    return;
  }
  if (!tag.Exists("Left")) return;
  placement.AutoPosition = false;
  if (placement.Resizable) {
    placement.Width = tag.ReadInteger("Width", placement.Width);
    placement.Height = tag.ReadInteger("Height", placement.Height);
  }
  int left = tag.ReadInteger("Left", placement.Left);
  int top = tag.ReadInteger("Top", placement.Top);
  placement.Left = std::max(0, std::min(left, screenWidth - placement.Width));
  placement.Top = std::max(0, std::min(top, screenHeight - placement.Height));
}

}  // namespace mervanta
