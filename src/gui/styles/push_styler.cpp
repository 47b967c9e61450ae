#include "styles/push_styler.h"

#include <QApplication>
#include <QStyle>

namespace mervanta {

TPushStyler::TPushStyler() : Font_(QApplication::font()) {
  Styles_.OnChange = [this] { emit Changed(); };
}

void TPushStyler::SetFont(const QFont& font) {
  Change(Font_, font);
}

void TPushStyler::SetMode(TStylerMode mode) {
  Change(Mode_, mode);
}

void TPushStyler::SetOptions(std::uint8_t options) {
  Change(Options_, options);
}

void TPushStyler::SetPadding(const QMargins& padding) {
  Change(Padding_, padding);
}

void TPushStyler::SetSpacing(int spacing) {
  Change(Spacing_, spacing);
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
