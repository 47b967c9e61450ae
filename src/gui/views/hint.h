#pragma once

#include <QRect>
#include <QString>

class QWidget;

namespace mervanta {

// Shows a hint for a part of a widget at that part's top-left corner, broken into lines no
// wider than a quarter of the screen; it goes when the mouse leaves the part.
void ShowWrappedHint(QWidget& widget, const QRect& area, const QString& text);

}  // namespace mervanta
