#include "widgets/wave_backdrop.h"

#include <QColor>
#include <QLinearGradient>
#include <QPen>

namespace tarvik {

void PaintWaveBackdrop(QPainter& painter, const QRect& area, qreal centreHeight, int rings,
                       qreal spacing) {
  painter.save();
  QLinearGradient gradient(area.topLeft(), area.bottomLeft());
  gradient.setColorAt(0.0, QColor(0x0E, 0x1C, 0x30));
  gradient.setColorAt(0.55, QColor(0x1F, 0x3F, 0x66));
  gradient.setColorAt(1.0, QColor(0x2E, 0x5C, 0x8E));
  painter.fillRect(area, gradient);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(Qt::NoBrush);
  const QPointF centre(area.left() + area.width() * 0.5, area.top() + area.height() * centreHeight);
  for (int i = 1; i <= rings; ++i) {
    // Outer rings fade, so that the picture stays quiet behind the buttons.
    painter.setPen(QPen(QColor(0xFF, 0xFF, 0xFF, 26 - 3 * i), 2));
    painter.drawEllipse(centre, spacing * i, spacing * i);
  }
  painter.restore();
}

} // namespace tarvik
