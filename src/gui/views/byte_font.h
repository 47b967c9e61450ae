#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <array>
#include <bitset>
#include <string_view>

#include "views/text_measure.h"

class QPainter;

namespace mervanta {

// Measures and draws cell texts a million-record list paints page after page. Every byte of
// the code page is one character, so a table of the 256 glyphs and their advances measures
// and draws a text without converting or shaping it. A text holding a character the font
// lacks, or one that needs shaping (right-to-left letters, combining marks), takes Qt's
// ordinary text path, which finds a fallback font and shapes it.
class TByteFont final : public TTextMeasure {
 public:
  explicit TByteFont(const QFont& font);

  int TextWidth(std::string_view text) const override;
  int LineHeight() const override { return Metrics_.height(); }
  int Ascent() const { return Metrics_.ascent(); }
  // Draws the text with the painter's pen, its left end at x and its baseline at y.
  void Draw(QPainter& painter, int x, int baseline, std::string_view text) const;

 private:
  bool IsSimple(std::string_view text) const;

  QFont Font_;
  QFontMetrics Metrics_;
  QRawFont Raw_;
  std::array<quint32, 256> Glyphs_{};
  std::array<qreal, 256> Advances_{};
  std::bitset<256> Simple_;
  // Reused between draws, so that painting a page allocates little.
  mutable QList<quint32> RunGlyphs_;
  mutable QList<QPointF> RunPositions_;
};

}  // namespace mervanta
