#pragma once

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QSize>

#include "styles/push_styler.h"

class QPainter;
class QWidget;

namespace mervanta {

enum class TAlignKind : std::uint8_t { Center, Begin, End, Opposite };
enum class TImageLayout : std::uint8_t { Left, Right, Top, Bottom };
enum TPainterOption : std::uint8_t {
  poWordWrap = 1,
  poEndEllipsis = 2,
  poNoAccelChar = 4,
  poNoImages = 8,
  poNoCaptions = 16,
  poImageIndexAsColor = 32
};

// What a painter needs of a control it paints.
struct TStyledClient {
  QString Caption;
  QIcon Image;
  // Shown instead of an image with poImageIndexAsColor.
  QColor ImageColor;
  int StateFlags = 0;
  bool Default = false;
  const QWidget* Widget = nullptr;
};

// Measures and paints controls with the style its styler resolves for their state; shared by
// any number of controls, which it tells when its styler changes.
class TStyledPainter final : public QObject {
  Q_OBJECT

 public:
  explicit TStyledPainter(TPushStyler* styler = nullptr);

  TPushStyler* Styler() const { return Styler_; }
  void SetStyler(TPushStyler* styler);
  TAlignKind AlignKind = TAlignKind::Center;
  TImageLayout Layout = TImageLayout::Left;
  std::uint8_t Options = 0;
  QSize ImagesSize{16, 16};

  QSize Measure(const TStyledClient& client) const;
  void Paint(QPainter& painter, const QRect& rect, const TStyledClient& client) const;
  // Where the image and the caption go in the content rectangle.
  struct TPlaces {
    QRect Image;
    QRect Caption;
  };
  TPlaces Place(const QRect& content, const TStyledClient& client) const;

 signals:
  void Changed();

 private:
  TPainterStyle StyleFor(const TStyledClient& client) const;
  QFont FontFor(const TPainterStyle& style) const;
  bool ShowsImage(const TStyledClient& client) const;
  bool ShowsCaption(const TStyledClient& client) const;
  QSize CaptionSize(const TStyledClient& client, const QFont& font) const;
  int TextFlags() const;

  QPointer<TPushStyler> Styler_;
};

}  // namespace mervanta
