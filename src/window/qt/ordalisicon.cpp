#include "ordalisicon.h"

#include <QtGui>

namespace ordalis {

QImage DrawOrdalisIcon(int size) {
  // Drawn on a 32 x 32 grid in the colours of the old 16-colour palette.
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, size != 32);
  painter.scale(size / 32.0, size / 32.0);

  // The page, with its top right corner folded over.
  const QPolygon page({QPoint(8, 2), QPoint(23, 2), QPoint(29, 8), QPoint(29, 29), QPoint(8, 29)});
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::white);
  painter.drawPolygon(page);
  painter.setBrush(QColor(0xC0, 0xC0, 0xC0));
  painter.drawPolygon(QPolygon({QPoint(23, 2), QPoint(23, 8), QPoint(29, 8)}));

  // Lines of text in columns.
  painter.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
  for (int y = 11; y <= 26; y += 3) {
    painter.drawLine(12, y, 17, y);
    painter.drawLine(19, y, 26, y);
  }

  // The red triangle pointing right, half over the page's left edge.
  painter.setPen(QPen(QColor(0x80, 0x00, 0x00), 1));
  painter.setBrush(QColor(0xFF, 0x00, 0x00));
  painter.drawPolygon(QPolygon({QPoint(2, 9), QPoint(14, 16), QPoint(2, 23)}));
  painter.end();
  return image;
}

QIcon OrdalisIcon() {
  QIcon icon;
  for (int size : kOrdalisIconSizes) icon.addPixmap(QPixmap::fromImage(DrawOrdalisIcon(size)));
  return icon;
}

}  // namespace ordalis
