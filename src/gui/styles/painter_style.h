#pragma once

#include <QColor>
#include <bitset>
#include <cstdint>

namespace mervanta {

// How one side of a control's frame is drawn.
enum class TEdgeKind : std::uint8_t { None, Lowered, Raised, Space, Dot, Rounded, Solid };
enum TEdge : std::uint8_t { eLeft = 1, eTop = 2, eRight = 4, eBottom = 8 };
using TEdges = std::uint8_t;
inline constexpr TEdges kAllEdges = eLeft | eTop | eRight | eBottom;

enum class TFillKind : std::uint8_t {
  Solid,
  Clear,
  Dither,
  GradientHorz,
  GradientVert,
  BDiagonal,
  FDiagonal,
  Grid
};
// Whether content moves (or a caption shade shows): never, always, only when drawn without
// the desktop's theme, or the other way.
enum class TOffsetKind : std::uint8_t { None, Yes, InClassicMode, Back };

enum TImageEffect : std::uint8_t { pieDisable = 1, pieGray = 2, pieLight = 4, pieFocus = 8 };
enum TStyleOption : std::uint8_t {
  psoFillUnderEdges = 1,
  psoBkColorTransparent = 2,
  psoFocusRect = 4
};
enum TFontStyleBits : std::uint8_t {
  fsbBold = 1,
  fsbItalic = 2,
  fsbUnderline = 4,
  fsbStrikeOut = 8
};

// The values a state's style may set, in their order.
enum class TStyleValue : std::uint8_t {
  EdgeColor,
  EdgeOuter,
  EdgeInner,
  Edges,
  FillColor,
  FillKind,
  FillSecondColor,
  CaptionShade,
  ContentOffset,
  FontColor,
  FontStyle,
  ImageEffects,
  Options,
  ShadeColor
};
inline constexpr int kStyleValueCount = 14;
using TStyleValues = std::bitset<kStyleValueCount>;

// Every value of a style; the defaults are the plain look of a button.
struct TPainterStyle {
  QColor EdgeColor = Qt::black;
  TEdgeKind EdgeOuter = TEdgeKind::None;
  TEdgeKind EdgeInner = TEdgeKind::None;
  TEdges Edges = kAllEdges;
  QColor FillColor;  // the button face of the palette when invalid
  TFillKind FillKind = TFillKind::Solid;
  QColor FillSecondColor;  // the palette's light colour when invalid
  TOffsetKind CaptionShade = TOffsetKind::None;
  TOffsetKind ContentOffset = TOffsetKind::None;
  QColor FontColor;  // the palette's button text when invalid
  std::uint8_t FontStyle = 0;
  std::uint8_t ImageEffects = 0;
  std::uint8_t Options = 0;
  QColor ShadeColor;  // the palette's light colour when invalid

  bool operator==(const TPainterStyle&) const = default;
  // Copies one value from another style.
  void Take(const TPainterStyle& from, TStyleValue value);
};

// The style of one state: only the values it assigns count; the others stay at their
// defaults and come from the styles below it.
class TStateStyle {
 public:
  const TPainterStyle& Values() const { return Values_; }
  TStyleValues Assigned() const { return Assigned_; }
  // Sets values through the editor, each one it changes becoming assigned.
  template <class TEdit>
  void Set(TStyleValue value, TEdit edit) {
    edit(Values_);
    Assigned_.set(static_cast<std::size_t>(value));
  }
  // Every value not in the set goes back to its default.
  void SetAssigned(TStyleValues assigned);

 private:
  TPainterStyle Values_;
  TStyleValues Assigned_;
};

}  // namespace mervanta
