#include "styles/painter_style.h"

namespace mervanta {

void TPainterStyle::Take(const TPainterStyle& from, TStyleValue value) {
  switch (value) {
    case TStyleValue::EdgeColor:
      EdgeColor = from.EdgeColor;
      break;
    case TStyleValue::EdgeOuter:
      EdgeOuter = from.EdgeOuter;
      break;
    case TStyleValue::EdgeInner:
      EdgeInner = from.EdgeInner;
      break;
    case TStyleValue::Edges:
      Edges = from.Edges;
      break;
    case TStyleValue::FillColor:
      FillColor = from.FillColor;
      break;
    case TStyleValue::FillKind:
      FillKind = from.FillKind;
      break;
    case TStyleValue::FillSecondColor:
      FillSecondColor = from.FillSecondColor;
      break;
    case TStyleValue::CaptionShade:
      CaptionShade = from.CaptionShade;
      break;
    case TStyleValue::ContentOffset:
      ContentOffset = from.ContentOffset;
      break;
    case TStyleValue::FontColor:
      FontColor = from.FontColor;
      break;
    case TStyleValue::FontStyle:
      FontStyle = from.FontStyle;
      break;
    case TStyleValue::ImageEffects:
      ImageEffects = from.ImageEffects;
      break;
    case TStyleValue::Options:
      Options = from.Options;
      break;
    case TStyleValue::ShadeColor:
      ShadeColor = from.ShadeColor;
      break;
  }
}

void TStateStyle::SetAssigned(TStyleValues assigned) {
  const TPainterStyle defaults;
  for (int value = 0; value < kStyleValueCount; ++value) {
    if (!assigned.test(static_cast<std::size_t>(value))) {
      Values_.Take(defaults, static_cast<TStyleValue>(value));
    }
  }
  Assigned_ = assigned;
}

}  // namespace mervanta
