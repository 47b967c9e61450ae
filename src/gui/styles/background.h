#pragma once

#include <QImage>
#include <QRect>

#include "styles/painter_style.h"

class QPainter;
class QWidget;

namespace mervanta {

// How the desktop's theme draws a background, when the styler asks for it.
enum class TStylerMode : std::uint8_t { Classic, ThemeStdBtn, ThemeToolBtn, ThemeStatusPane };

struct TBackgroundContext {
  // The desktop's theme draws the background instead of the style's edges and fill.
  bool Themed = false;
  TStylerMode Mode = TStylerMode::Classic;
  // The dialog's default button gets a one-pixel frame first.
  bool DefaultFrame = false;
  int StateFlags = 0;
  const QWidget* Widget = nullptr;
};

// The repeating pattern of a fill: the style's fill colour on its second colour (left
// transparent when asked); 8 × 8 pixels for the patterns, 2 × 2 for the dither.
QImage FillTile(TFillKind kind, const QColor& fore, const QColor& back, bool transparent);

// The style's resolved colours: the palette's where the style leaves them unset.
TPainterStyle WithPaletteColors(TPainterStyle style, const QWidget* widget);

// Paints the background of a style into the rectangle and answers the rectangle left for the
// content: the frame's edges shrink it side by side.
QRect PaintBackground(QPainter& painter, QRect rect, const TPainterStyle& style,
                      const TBackgroundContext& context);

// How much the style's edges take from each side.
int EdgeWidth(const TPainterStyle& style);

}  // namespace mervanta
