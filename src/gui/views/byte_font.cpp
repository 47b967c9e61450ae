#include "views/byte_font.h"

#include <QGlyphRun>
#include <QPainter>
#include <cmath>

#include "support/locale.h"
#include "settings/qt_values.h"

namespace mervanta {

namespace {

// Characters that Qt would lay out differently from a glyph per character.
bool NeedsShaping(QChar c) {
  switch (c.direction()) {
    case QChar::DirR:
    case QChar::DirAL:
    case QChar::DirNSM:
      return true;
    default:
      return c.category() == QChar::Mark_NonSpacing || c.category() == QChar::Mark_Enclosing ||
             c.category() == QChar::Mark_SpacingCombining;
  }
}

}  // namespace

TByteFont::TByteFont(const QFont& font)
    : Font_(font), Metrics_(font), Raw_(QRawFont::fromFont(font)) {
  if (!Raw_.isValid()) return;
  const TCodePage& codePage = TLocale::Current().Ansi();
  QList<quint32> glyph(1);
  for (int byte = 32; byte < 256; ++byte) {
    const char32_t codePoint = codePage.ToUnicode(static_cast<unsigned char>(byte));
    if (codePoint > 0xFFFF || codePoint == 0x7F) continue;
    const QChar c(static_cast<char16_t>(codePoint));
    if (NeedsShaping(c) || !Raw_.supportsCharacter(c)) continue;
    int count = 1;
    if (!Raw_.glyphIndexesForChars(&c, 1, glyph.data(), &count) || count != 1 || glyph[0] == 0) {
      continue;
    }
    QPointF advance;
    if (!Raw_.advancesForGlyphIndexes(glyph.data(), &advance, 1)) continue;
    Glyphs_[static_cast<std::size_t>(byte)] = glyph[0];
    Advances_[static_cast<std::size_t>(byte)] = advance.x();
    Simple_.set(static_cast<std::size_t>(byte));
  }
}

bool TByteFont::IsSimple(std::string_view text) const {
  for (const char c : text) {
    if (!Simple_.test(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

int TByteFont::TextWidth(std::string_view text) const {
  if (!IsSimple(text)) return Metrics_.horizontalAdvance(DisplayText(text));
  qreal width = 0;
  for (const char c : text) width += Advances_[static_cast<unsigned char>(c)];
  return static_cast<int>(std::lround(width));
}

void TByteFont::Draw(QPainter& painter, int x, int baseline, std::string_view text) const {
  if (text.empty()) return;
  if (!IsSimple(text)) {
    painter.setFont(Font_);
    painter.drawText(x, baseline, DisplayText(text));
    return;
  }
  RunGlyphs_.resize(static_cast<qsizetype>(text.size()));
  RunPositions_.resize(static_cast<qsizetype>(text.size()));
  qreal pen = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    RunGlyphs_[static_cast<qsizetype>(i)] = Glyphs_[byte];
    RunPositions_[static_cast<qsizetype>(i)] = QPointF(pen, 0);
    pen += Advances_[byte];
  }
  QGlyphRun run;
  run.setRawFont(Raw_);
  run.setGlyphIndexes(RunGlyphs_);
  run.setPositions(RunPositions_);
  painter.drawGlyphRun(QPointF(x, baseline), run);
}

}  // namespace mervanta
