#include "styles/standard_styles.h"

#include <QApplication>
#include <QPalette>

#include "styles/styled_painter.h"

namespace mervanta {

namespace {

QColor ButtonShadow() {
  return QApplication::palette().color(QPalette::Dark);
}

void Configure(TPushStyler& styler, TStateStyleKind kind,
               const std::function<void(TStateStyle&)>& edit) {
  styler.Styles().EditState(kind, edit);
}

TPushStyler& StandardButtonStyler() {
  static TPushStyler* styler = [] {
    auto* made = new TPushStyler;
    made->SetMode(TStylerMode::ThemeStdBtn);
    made->SetOptions(soAllowFrameDefault | soLargeSigns);
    made->Styles().EditAdapt([](TPainterStyle& style) {
      style.EdgeOuter = TEdgeKind::Raised;
      style.EdgeInner = TEdgeKind::Raised;
    });
    Configure(*made, TStateStyleKind::Checked, [](TStateStyle& style) {
      style.Set(TStyleValue::EdgeOuter, [](TPainterStyle& v) { v.EdgeOuter = TEdgeKind::Lowered; });
      style.Set(TStyleValue::EdgeInner, [](TPainterStyle& v) { v.EdgeInner = TEdgeKind::Lowered; });
      style.Set(TStyleValue::FillKind, [](TPainterStyle& v) { v.FillKind = TFillKind::Dither; });
      style.Set(TStyleValue::ContentOffset,
                [](TPainterStyle& v) { v.ContentOffset = TOffsetKind::InClassicMode; });
    });
    Configure(*made, TStateStyleKind::Disabled, [](TStateStyle& style) {
      style.Set(TStyleValue::CaptionShade,
                [](TPainterStyle& v) { v.CaptionShade = TOffsetKind::Yes; });
      style.Set(TStyleValue::ImageEffects, [](TPainterStyle& v) { v.ImageEffects = pieDisable; });
      style.Set(TStyleValue::FontColor, [](TPainterStyle& v) { v.FontColor = ButtonShadow(); });
    });
    Configure(*made, TStateStyleKind::Focused, [](TStateStyle& style) {
      style.Set(TStyleValue::Options, [](TPainterStyle& v) { v.Options = psoFocusRect; });
    });
    Configure(*made, TStateStyleKind::Pressed, [](TStateStyle& style) {
      style.Set(TStyleValue::EdgeColor, [](TPainterStyle& v) { v.EdgeColor = ButtonShadow(); });
      style.Set(TStyleValue::EdgeInner, [](TPainterStyle& v) { v.EdgeInner = TEdgeKind::Space; });
      style.Set(TStyleValue::EdgeOuter, [](TPainterStyle& v) { v.EdgeOuter = TEdgeKind::Solid; });
      style.Set(TStyleValue::ContentOffset,
                [](TPainterStyle& v) { v.ContentOffset = TOffsetKind::InClassicMode; });
    });
    made->SetPadding(QMargins(8, 3, 8, 3));
    return made;
  }();
  return *styler;
}

TPushStyler& HyperlinkStyler() {
  static TPushStyler* styler = [] {
    auto* made = new TPushStyler;
    made->SetCursor(Qt::PointingHandCursor);
    made->Styles().EditAdapt([](TPainterStyle& style) {
      style.FillKind = TFillKind::Clear;
      style.FontColor = QColor(0, 0, 0xFF);
    });
    Configure(*made, TStateStyleKind::Disabled, [](TStateStyle& style) {
      style.Set(TStyleValue::ImageEffects, [](TPainterStyle& v) { v.ImageEffects = pieDisable; });
      style.Set(TStyleValue::FontColor, [](TPainterStyle& v) { v.FontColor = ButtonShadow(); });
    });
    Configure(*made, TStateStyleKind::Focused, [](TStateStyle& style) {
      style.Set(TStyleValue::Options, [](TPainterStyle& v) { v.Options = psoFocusRect; });
    });
    for (const TStateStyleKind kind : {TStateStyleKind::Hot, TStateStyleKind::Pressed}) {
      Configure(*made, kind, [](TStateStyle& style) {
        style.Set(TStyleValue::FontStyle, [](TPainterStyle& v) { v.FontStyle = fsbUnderline; });
      });
    }
    made->SetPadding(QMargins(2, 1, 2, 1));
    return made;
  }();
  return *styler;
}

}  // namespace

TStyledPainter& StandardButtonPainter() {
  static TStyledPainter painter(&StandardButtonStyler());
  return painter;
}

TStyledPainter& HyperlinkPainter() {
  static TStyledPainter painter(&HyperlinkStyler());
  return painter;
}

}  // namespace mervanta
