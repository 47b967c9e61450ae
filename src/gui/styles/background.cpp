#include "styles/background.h"

#include "styles/painter_styles.h"

#include <qdrawutil.h>
#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>

namespace mervanta {

namespace {

constexpr int kTile = 8;

// Row 0's pixels of the two diagonal bands; each next row moves them one column.
constexpr int kBDiagonal[] = {5, 6, 7};
constexpr int kFDiagonal[] = {0, 6, 7};

bool TilePixel(TFillKind kind, int x, int y) {
  switch (kind) {
    case TFillKind::BDiagonal:
      for (const int column : kBDiagonal) {
        if (x == ((column - y) % kTile + kTile) % kTile) return true;
      }
      return false;
    case TFillKind::FDiagonal:
      for (const int column : kFDiagonal) {
        if (x == (column + y) % kTile) return true;
      }
      return false;
    case TFillKind::Grid:
      return (x == 2 || x == 6) && (y == 2 || y == 6);
    case TFillKind::Dither:
      return (x + y) % 2 == 0;
    default:
      return true;
  }
}

QPalette PaletteOf(const QWidget* widget) {
  return widget != nullptr ? widget->palette() : QApplication::palette();
}

// Draws one edge of a kind on the sides asked and shrinks the rectangle by it.
void DrawEdge(QPainter& painter, QRect& rect, TEdgeKind kind, TEdges edges,
              const TPainterStyle& style, const QPalette& palette) {
  if (kind == TEdgeKind::None) return;
  const bool left = (edges & eLeft) != 0, top = (edges & eTop) != 0;
  const bool right = (edges & eRight) != 0, bottom = (edges & eBottom) != 0;
  QColor topLeft = style.EdgeColor, bottomRight = style.EdgeColor;
  if (kind == TEdgeKind::Lowered) {
    topLeft = palette.color(QPalette::Dark);
    bottomRight = palette.color(QPalette::Light);
  } else if (kind == TEdgeKind::Raised) {
    topLeft = palette.color(QPalette::Light);
    bottomRight = palette.color(QPalette::Dark);
  }
  if (kind != TEdgeKind::Space) {
    QPen pen(topLeft, 1, kind == TEdgeKind::Dot ? Qt::DotLine : Qt::SolidLine);
    const int cut = kind == TEdgeKind::Rounded ? 1 : 0;
    const auto line = [&](QPoint from, QPoint to, const QColor& color) {
      pen.setColor(color);
      painter.setPen(pen);
      painter.drawLine(from, to);
    };
    if (top) line({rect.left() + cut, rect.top()}, {rect.right() - cut, rect.top()}, topLeft);
    if (left) line({rect.left(), rect.top() + cut}, {rect.left(), rect.bottom() - cut}, topLeft);
    if (bottom) {
      line({rect.left() + cut, rect.bottom()}, {rect.right() - cut, rect.bottom()}, bottomRight);
    }
    if (right) {
      line({rect.right(), rect.top() + cut}, {rect.right(), rect.bottom() - cut}, bottomRight);
    }
  }
  rect.adjust(left ? 1 : 0, top ? 1 : 0, right ? -1 : 0, bottom ? -1 : 0);
}

void Fill(QPainter& painter, const QRect& rect, const TPainterStyle& style) {
  switch (style.FillKind) {
    case TFillKind::Clear:
      return;
    case TFillKind::Solid:
      painter.fillRect(rect, style.FillColor);
      return;
    case TFillKind::GradientHorz:
    case TFillKind::GradientVert: {
      const bool horizontal = style.FillKind == TFillKind::GradientHorz;
      QLinearGradient gradient(rect.topLeft(), horizontal ? rect.topRight() : rect.bottomLeft());
      gradient.setColorAt(0, style.FillColor);
      gradient.setColorAt(1, style.FillSecondColor);
      painter.fillRect(rect, gradient);
      return;
    }
    default: {
      const bool transparent = (style.Options & psoBkColorTransparent) != 0;
      QBrush brush(FillTile(style.FillKind, style.FillColor, style.FillSecondColor, transparent));
      // The pattern starts at the rectangle's corner wherever the control stands.
      brush.setTransform(QTransform::fromTranslate(rect.left(), rect.top()));
      painter.fillRect(rect, brush);
      return;
    }
  }
}

void PaintThemed(QPainter& painter, const QRect& rect, const TBackgroundContext& context) {
  QStyle* style = context.Widget != nullptr ? context.Widget->style() : QApplication::style();
  QStyleOptionButton option;
  option.rect = rect;
  option.palette = PaletteOf(context.Widget);
  option.state = QStyle::State_None;
  if ((context.StateFlags & sfDisabled) == 0) option.state |= QStyle::State_Enabled;
  if ((context.StateFlags & sfPressed) != 0)
    option.state |= QStyle::State_Sunken;
  else
    option.state |= QStyle::State_Raised;
  if ((context.StateFlags & sfHot) != 0) option.state |= QStyle::State_MouseOver;
  if ((context.StateFlags & sfChecked) != 0) option.state |= QStyle::State_On;
  if ((context.StateFlags & sfFocused) != 0) option.state |= QStyle::State_HasFocus;
  if (context.DefaultFrame) option.features |= QStyleOptionButton::DefaultButton;
  switch (context.Mode) {
    case TStylerMode::ThemeToolBtn:
      style->drawPrimitive(QStyle::PE_PanelButtonTool, &option, &painter, context.Widget);
      break;
    case TStylerMode::ThemeStatusPane:
      style->drawPrimitive(QStyle::PE_FrameStatusBarItem, &option, &painter, context.Widget);
      break;
    default:
      style->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, context.Widget);
      break;
  }
}

}  // namespace

QImage FillTile(TFillKind kind, const QColor& fore, const QColor& back, bool transparent) {
  const int size = kind == TFillKind::Dither ? 2 : kTile;
  QImage tile(size, size, QImage::Format_ARGB32);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const bool on = TilePixel(kind, x, y);
      tile.setPixelColor(x, y, on ? fore : transparent ? QColor(Qt::transparent) : back);
    }
  }
  return tile;
}

TPainterStyle WithPaletteColors(TPainterStyle style, const QWidget* widget) {
  const QPalette palette = PaletteOf(widget);
  if (!style.FillColor.isValid()) style.FillColor = palette.color(QPalette::Button);
  if (!style.FillSecondColor.isValid()) style.FillSecondColor = palette.color(QPalette::Light);
  if (!style.FontColor.isValid()) style.FontColor = palette.color(QPalette::ButtonText);
  if (!style.ShadeColor.isValid()) style.ShadeColor = palette.color(QPalette::Light);
  return style;
}

int EdgeWidth(const TPainterStyle& style) {
  return (style.EdgeOuter != TEdgeKind::None ? 1 : 0) +
         (style.EdgeInner != TEdgeKind::None ? 1 : 0);
}

QRect PaintBackground(QPainter& painter, QRect rect, const TPainterStyle& style,
                      const TBackgroundContext& context) {
  const TEdges edges = style.Edges;
  const int width = EdgeWidth(style);
  const QRect content =
      rect.adjusted((edges & eLeft) != 0 ? width : 0, (edges & eTop) != 0 ? width : 0,
                    (edges & eRight) != 0 ? -width : 0, (edges & eBottom) != 0 ? -width : 0);
  if (context.Themed) {
    PaintThemed(painter, rect, context);
    return content;
  }
  painter.save();
  const QPalette palette = PaletteOf(context.Widget);
  if ((style.Options & psoFillUnderEdges) != 0) Fill(painter, rect, style);
  if (context.DefaultFrame) {
    painter.setPen(palette.color(QPalette::WindowText));
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    rect.adjust(1, 1, -1, -1);
  }
  const bool bothRaised =
      style.EdgeOuter == TEdgeKind::Raised && style.EdgeInner == TEdgeKind::Raised;
  const bool bothLowered =
      style.EdgeOuter == TEdgeKind::Lowered && style.EdgeInner == TEdgeKind::Lowered;
  if (edges == kAllEdges && (bothRaised || bothLowered)) {
    qDrawWinButton(&painter, rect, palette, bothLowered, nullptr);
    rect.adjust(2, 2, -2, -2);
  } else {
    DrawEdge(painter, rect, style.EdgeOuter, edges, style, palette);
    DrawEdge(painter, rect, style.EdgeInner, edges, style, palette);
  }
  if ((style.Options & psoFillUnderEdges) == 0) Fill(painter, rect, style);
  painter.restore();
  return content;
}

}  // namespace mervanta
