#include "dialogs/wizard_images.h"

#include <QPainter>
#include <QPainterPath>

namespace mervanta {

namespace {

// Drawn in a unit square scaled to the picture, so both sizes keep the same proportions.
QPixmap TableSymbol(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 100.0, size / 100.0);

  const QRectF sheet(8, 10, 74, 72);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0, 0, 0, 40));
  painter.drawRoundedRect(sheet.translated(3, 4), 6, 6);
  painter.setBrush(Qt::white);
  painter.setPen(QPen(QColor(0x2F, 0x5F, 0xB3), 2));
  painter.drawRoundedRect(sheet, 6, 6);

  QPainterPath head;
  head.addRoundedRect(sheet.adjusted(1, 1, -1, 0), 5, 5);
  painter.save();
  painter.setClipRect(QRectF(sheet.left(), sheet.top(), sheet.width(), 16));
  painter.fillPath(head, QColor(0x2F, 0x5F, 0xB3));
  painter.restore();

  // One row stands out as the current record.
  painter.fillRect(QRectF(sheet.left() + 2, 45, sheet.width() - 4, 11), QColor(0xFF, 0xD8, 0x7A));
  painter.setPen(QPen(QColor(0xB8, 0xC6, 0xDD), 1.2));
  for (double y = 34; y < sheet.bottom() - 4; y += 11) {
    painter.drawLine(QPointF(sheet.left() + 2, y), QPointF(sheet.right() - 2, y));
  }
  for (double x : {32.0, 57.0}) painter.drawLine(QPointF(x, 26), QPointF(x, sheet.bottom() - 2));

  // The step badge: an amber disc with a forward arrow.
  const QPointF centre(76, 76);
  painter.setPen(QPen(Qt::white, 3));
  painter.setBrush(QColor(0xF0, 0x8C, 0x1A));
  painter.drawEllipse(centre, 18, 18);
  painter.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  painter.drawPolyline(
      QPolygonF{centre + QPointF(-5, -9), centre + QPointF(4, 0), centre + QPointF(-5, 9)});
  return pixmap;
}

}  // namespace

QPixmap WizardHalfImage() {
  return TableSymbol(120);
}

QPixmap WizardHeadImage() {
  return TableSymbol(46);
}

}  // namespace mervanta
