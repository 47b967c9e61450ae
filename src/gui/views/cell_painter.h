#pragma once

#include <QColor>
#include <QPainter>
#include <string_view>

#include "support/links.h"
#include "views/flip_list.h"

namespace mervanta {

// How one cell's content is drawn: colours and what counts as a link.
struct TCellPaintStyle {
  QColor Text;
  // Behind the whole text of a found record; invalid for none.
  QColor FoundBack;
  // Behind the found and marked ranges.
  QColor SubString;
  bool ShowFoundRange = false;
  QColor Caret;
  // Invalid on the selected row, which shows no links.
  QColor Link;
  TLinkKinds LinkKinds;
  std::string_view Folder;
};

// Draws a laid-out cell clipped to its rectangle: a picture stretched into its box, or the
// found background, the marked ranges, the carets, the lines and then the links over them.
void PaintCellContent(QPainter& painter, const QRect& cell, const TFieldPaintData& field,
                      const TCellPaintStyle& style, const TByteFont& font);

}  // namespace mervanta
