#include "views/cell_painter.h"

#include <QFontMetrics>
#include <algorithm>

namespace mervanta {

namespace {

// A line as drawn: trailing line breaks and end-of-file marks are not shown.
std::string_view Drawn(std::string_view line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n' || line.back() == '\x1A')) {
    line.remove_suffix(1);
  }
  return line;
}

class TLinePlaces {
 public:
  TLinePlaces(const TFieldPaintData& field, const TTextMeasure& measure)
      : Field_(field), Measure_(measure) {}

  int Offset(std::size_t line) const {
    return static_cast<int>(Field_.Layout.Lines[line].data() - Field_.Text.data());
  }
  int Top(std::size_t line) const {
    return Field_.Layout.ContentTop + static_cast<int>(line) * Measure_.LineHeight();
  }
  // The x of the boundary `chars` characters into the line.
  int X(std::size_t line, int chars) const {
    return Field_.Layout.ContentLeft +
           Measure_.TextWidth(Field_.Layout.Lines[line].substr(0, static_cast<std::size_t>(chars)));
  }

 private:
  const TFieldPaintData& Field_;
  const TTextMeasure& Measure_;
};

// Fills the characters `first` to `last` (from 1, both included) on every line they touch.
void FillRange(QPainter& painter, const TFieldPaintData& field, const TLinePlaces& places,
               int first, int last, const QColor& color, int lineHeight) {
  for (std::size_t line = 0; line < field.Layout.Lines.size(); ++line) {
    const int offset = places.Offset(line);
    const int length = static_cast<int>(field.Layout.Lines[line].size());
    const int from = std::max(first - 1, offset) - offset;
    const int to = std::min(last, offset + length) - offset;
    if (from >= to) continue;
    const int left = places.X(line, from);
    painter.fillRect(left, places.Top(line), places.X(line, to) - left, lineHeight, color);
  }
}

void DrawCaret(QPainter& painter, const TFieldPaintData& field, const TLinePlaces& places,
               int position, const QColor& color, int lineHeight) {
  for (std::size_t line = 0; line < field.Layout.Lines.size(); ++line) {
    const int offset = places.Offset(line);
    const int length = static_cast<int>(field.Layout.Lines[line].size());
    if (position < offset || position > offset + length) continue;
    painter.fillRect(places.X(line, position - offset) - 1, places.Top(line), 2, lineHeight, color);
    return;
  }
}

void DrawLinks(QPainter& painter, const TFieldPaintData& field, const TLinePlaces& places,
               const TCellPaintStyle& style, const TByteFont& font) {
  painter.setPen(style.Link);
  for (std::size_t line = 0; line < field.Layout.Lines.size(); ++line) {
    const std::string_view text = Drawn(field.Layout.Lines[line]);
    for (const TLinkRange& link : FindLinks(text, style.LinkKinds, style.Folder)) {
      const int start = link.Start - 1;
      font.Draw(
          painter, places.X(line, start), places.Top(line) + font.Ascent(),
          text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(link.Length)));
    }
  }
}

}  // namespace

void PaintCellContent(QPainter& painter, const QRect& cell, const TFieldPaintData& field,
                      const TCellPaintStyle& style, const TByteFont& font) {
  if (field.Text.empty()) return;
  painter.save();
  painter.setClipRect(cell);
  const TCellLayout& layout = field.Layout;
  if (field.Picture != nullptr) {
    const QRect box(layout.ContentLeft, layout.ContentTop, layout.ContentWidth,
                    layout.ContentHeight);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(box, field.Picture->Image);
    painter.restore();
    return;
  }
  const TTextMeasure& measure = font;
  const int lineHeight = measure.LineHeight();
  const TLinePlaces places(field, measure);
  if (style.FoundBack.isValid()) {
    for (std::size_t line = 0; line < layout.Lines.size(); ++line) {
      const int width = measure.TextWidth(layout.Lines[line]);
      painter.fillRect(layout.ContentLeft, places.Top(line), width, lineHeight, style.FoundBack);
    }
  }
  if (style.ShowFoundRange && field.FoundStart > 0 && field.FoundEnd > 0) {
    FillRange(painter, field, places, field.FoundStart, field.FoundEnd, style.SubString,
              lineHeight);
  }
  if (field.MarkStart > 0 && field.MarkEnd > 0) {
    FillRange(painter, field, places, field.MarkStart, field.MarkEnd, style.SubString, lineHeight);
  }
  if (field.CaretA >= 0 && field.CaretB >= 0) {
    DrawCaret(painter, field, places, field.CaretA, style.Caret, lineHeight);
    DrawCaret(painter, field, places, field.CaretB, style.Caret, lineHeight);
  }
  if (field.Caret >= 0) DrawCaret(painter, field, places, field.Caret, style.Caret, lineHeight);
  painter.setPen(style.Text);
  for (std::size_t line = 0; line < layout.Lines.size(); ++line) {
    font.Draw(painter, layout.ContentLeft, places.Top(line) + font.Ascent(),
              Drawn(layout.Lines[line]));
  }
  if (style.Link.isValid()) DrawLinks(painter, field, places, style, font);
  painter.restore();
}

}  // namespace mervanta
