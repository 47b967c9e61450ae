#include "styles/styled_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QWidget>

namespace mervanta {

namespace {

// What an empty content measures along each direction.
constexpr int kEmptyContent = 10;

bool Horizontal(TImageLayout layout) {
  return layout == TImageLayout::Left || layout == TImageLayout::Right;
}

// The offset of pressed content and of a caption's shade.
bool Applies(TOffsetKind kind, bool themed) {
  switch (kind) {
    case TOffsetKind::Yes:
      return true;
    case TOffsetKind::InClassicMode:
      return !themed;
    case TOffsetKind::Back:
      return themed;
    case TOffsetKind::None:
      break;
  }
  return false;
}

}  // namespace

TStyledPainter::TStyledPainter(TPushStyler* styler) {
  SetStyler(styler);
}

void TStyledPainter::SetStyler(TPushStyler* styler) {
  if (Styler_ != nullptr) disconnect(Styler_, nullptr, this, nullptr);
  Styler_ = styler;
  if (styler != nullptr) connect(styler, &TPushStyler::Changed, this, &TStyledPainter::Changed);
  emit Changed();
}

TPainterStyle TStyledPainter::StyleFor(const TStyledClient& client) const {
  const TPainterStyle resolved =
      Styler_ != nullptr ? Styler_->Styles().Resolve(client.StateFlags) : TPainterStyle();
  return WithPaletteColors(resolved, client.Widget);
}

QFont TStyledPainter::FontFor(const TPainterStyle& style) const {
  QFont font = Styler_ != nullptr ? Styler_->Font() : QFont();
  if ((style.FontStyle & fsbBold) != 0) font.setBold(true);
  if ((style.FontStyle & fsbItalic) != 0) font.setItalic(true);
  if ((style.FontStyle & fsbUnderline) != 0) font.setUnderline(true);
  if ((style.FontStyle & fsbStrikeOut) != 0) font.setStrikeOut(true);
  return font;
}

bool TStyledPainter::ShowsImage(const TStyledClient& client) const {
  if ((Options & poNoImages) != 0) return false;
  return (Options & poImageIndexAsColor) != 0 ? client.ImageColor.isValid()
                                              : !client.Image.isNull();
}

bool TStyledPainter::ShowsCaption(const TStyledClient& client) const {
  return (Options & poNoCaptions) == 0 && !client.Caption.isEmpty();
}

int TStyledPainter::TextFlags() const {
  int flags = Qt::AlignCenter |
              ((Options & poNoAccelChar) != 0 ? Qt::TextHideMnemonic : Qt::TextShowMnemonic);
  if ((Options & poWordWrap) != 0) flags |= Qt::TextWordWrap;
  return flags;
}

QSize TStyledPainter::CaptionSize(const TStyledClient& client, const QFont& font) const {
  if (!ShowsCaption(client)) return {};
  return QFontMetrics(font).size(TextFlags() & ~Qt::AlignCenter, client.Caption);
}

QSize TStyledPainter::Measure(const TStyledClient& client) const {
  const TPainterStyle style = StyleFor(client);
  const QSize image = ShowsImage(client) ? ImagesSize : QSize();
  const QSize caption = CaptionSize(client, FontFor(style));
  const int spacing =
      !image.isEmpty() && !caption.isEmpty() && Styler_ != nullptr ? Styler_->Spacing() : 0;
  QSize content;
  if (Horizontal(Layout)) {
    content = {image.width() + caption.width() + spacing,
               std::max(image.height(), caption.height())};
  } else {
    content = {std::max(image.width(), caption.width()),
               image.height() + caption.height() + spacing};
  }
  if (content.width() == 0) content.setWidth(kEmptyContent);
  if (content.height() == 0) content.setHeight(kEmptyContent);
  const QMargins padding = Styler_ != nullptr ? Styler_->Padding() : QMargins();
  const int edges = 2 * EdgeWidth(style);
  const int frame = Styler_ != nullptr && (Styler_->Options() & soAllowFrameDefault) != 0 ? 2 : 0;
  return {content.width() + padding.left() + padding.right() + edges + frame,
          content.height() + padding.top() + padding.bottom() + edges + frame};
}

TStyledPainter::TPlaces TStyledPainter::Place(const QRect& content,
                                              const TStyledClient& client) const {
  const TPainterStyle style = StyleFor(client);
  const QSize image = ShowsImage(client) ? ImagesSize : QSize(0, 0);
  const QSize caption = CaptionSize(client, FontFor(style)).boundedTo(content.size());
  const bool horizontal = Horizontal(Layout);
  const bool imageFirst = Layout == TImageLayout::Left || Layout == TImageLayout::Top;
  const int spacing =
      !image.isEmpty() && !caption.isEmpty() && Styler_ != nullptr ? Styler_->Spacing() : 0;
  // Along the layout: the first part, the spacing, the second part.
  const QSize first = imageFirst ? image : caption;
  const QSize second = imageFirst ? caption : image;
  const auto along = [horizontal](QSize size) { return horizontal ? size.width() : size.height(); };
  const int length = horizontal ? content.width() : content.height();
  const int start = horizontal ? content.left() : content.top();
  const int total = along(first) + spacing + along(second);
  int firstAt = start;
  int secondAt = start + along(first) + spacing;
  switch (AlignKind) {
    case TAlignKind::Center:
      firstAt = start + (length - total) / 2;
      secondAt = firstAt + along(first) + spacing;
      break;
    case TAlignKind::End:
      firstAt = start + length - total;
      secondAt = firstAt + along(first) + spacing;
      break;
    case TAlignKind::Opposite:
      secondAt = start + length - along(second);
      break;
    case TAlignKind::Begin:
      break;
  }
  // Across the layout: centred.
  const auto placed = [&](QSize size, int at) {
    if (horizontal) {
      return QRect(at, content.top() + (content.height() - size.height()) / 2, size.width(),
                   size.height());
    }
    return QRect(content.left() + (content.width() - size.width()) / 2, at, size.width(),
                 size.height());
  };
  const QRect firstRect = placed(first, firstAt);
  const QRect secondRect = placed(second, secondAt);
  return imageFirst ? TPlaces{firstRect, secondRect} : TPlaces{secondRect, firstRect};
}

void TStyledPainter::Paint(QPainter& painter, const QRect& rect,
                           const TStyledClient& client) const {
  const TPainterStyle style = StyleFor(client);
  const bool themed = Styler_ != nullptr && Styler_->Themed();
  const bool frame =
      client.Default && Styler_ != nullptr && (Styler_->Options() & soAllowFrameDefault) != 0;
  const TBackgroundContext context{
      .Themed = themed,
      .Mode = Styler_ != nullptr ? Styler_->Mode() : TStylerMode::Classic,
      .DefaultFrame = frame,
      .StateFlags = client.StateFlags,
      .Widget = client.Widget};
  QRect content = PaintBackground(painter, rect, style, context);
  if (frame) content.adjust(1, 1, -1, -1);
  painter.save();
  painter.setClipRect(content);
  const bool pressed = (client.StateFlags & (sfPressed | sfChecked)) != 0;
  const int offset = pressed && Applies(style.ContentOffset, themed) ? 1 : 0;
  TPlaces places = Place(content, client);
  places.Image.translate(offset, offset);
  places.Caption.translate(offset, offset);
  const bool disabled = (client.StateFlags & sfDisabled) != 0;
  if (ShowsImage(client)) {
    if ((Options & poImageIndexAsColor) != 0) {
      painter.fillRect(places.Image, client.ImageColor);
    } else {
      const bool grey = disabled && (style.ImageEffects & pieDisable) != 0;
      client.Image.paint(&painter, places.Image, Qt::AlignCenter,
                         grey ? QIcon::Disabled : QIcon::Normal);
    }
  }
  if (ShowsCaption(client)) {
    painter.setFont(FontFor(style));
    QString caption = client.Caption;
    if ((Options & poEndEllipsis) != 0) {
      caption = painter.fontMetrics().elidedText(caption, Qt::ElideRight, places.Caption.width());
    }
    if (Applies(style.CaptionShade, themed)) {
      painter.setPen(style.ShadeColor);
      painter.drawText(places.Caption.translated(1, 1), TextFlags(), caption);
    }
    painter.setPen(style.FontColor);
    painter.drawText(places.Caption, TextFlags(), caption);
  }
  painter.restore();
  if ((style.Options & psoFocusRect) != 0 && (client.StateFlags & sfFocused) != 0) {
    QStyleOptionFocusRect option;
    option.rect = content.adjusted(1, 1, -1, -1);
    QStyle* qtStyle = client.Widget != nullptr ? client.Widget->style() : nullptr;
    if (qtStyle != nullptr)
      qtStyle->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, client.Widget);
  }
}

}  // namespace mervanta
