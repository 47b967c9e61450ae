#include "styles/push_styler.h"

#include <QApplication>
#include <QStyle>

namespace mervanta {

TPushStyler::TPushStyler() : Font_(QApplication::font()) {
  Styles_.OnChange = [this] { emit Changed(); };
}

void TPushStyler::SetFont(const QFont& font) {
  Font_ = font;
  emit Changed();
}

void TPushStyler::SetMode(TStylerMode mode) {
  Mode_ = mode;
  emit Changed();
}

void TPushStyler::SetOptions(std::uint8_t options) {
  Options_ = options;
  emit Changed();
}

void TPushStyler::SetPadding(const QMargins& padding) {
  Padding_ = padding;
  emit Changed();
}

void TPushStyler::SetSpacing(int spacing) {
  Spacing_ = spacing;
  emit Changed();
}

void TPushStyler::SetCursor(Qt::CursorShape cursor) {
  Cursor_ = cursor;
  emit CursorChanged();
}

bool TPushStyler::Themed() const {
  // Qt's classic "windows" style draws the plain controls of old: the style's own look then.
  return Mode_ != TStylerMode::Classic &&
         QApplication::style()->name().compare(QStringLiteral("windows"), Qt::CaseInsensitive) != 0;
}

}  // namespace mervanta
