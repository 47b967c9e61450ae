#include "views/hint.h"

#include <QScreen>
#include <QStringList>
#include <QTextLayout>
#include <QToolTip>
#include <QWidget>

namespace mervanta {

namespace {

// The hint broken into lines no wider than `width` in the hint font, between words where
// it can. Text that Qt would take for markup is shown as it is.
QString WrappedHint(const QString& hint, int width) {
  QStringList lines;
  for (const QString& paragraph :
       QString(hint).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(u'\n')) {
    QTextLayout layout(paragraph, QToolTip::font());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(width);
      lines.append(paragraph.mid(line.textStart(), line.textLength()).trimmed());
    }
    layout.endLayout();
  }
  const QString text = lines.join(u'\n');
  return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpacePre) : text;
}
}  // namespace

void ShowWrappedHint(QWidget& widget, const QRect& area, const QString& text) {
  const int width = widget.screen()->availableGeometry().width() / 4;
  QToolTip::showText(widget.mapToGlobal(area.topLeft()), WrappedHint(text, width), &widget, area);
}

}  // namespace mervanta
