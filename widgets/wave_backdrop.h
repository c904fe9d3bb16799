#pragma once
// The program's dark backdrop for its picture strips: a blue gradient from top to bottom
// with thin rings of a radio wave around a point on the strip's middle line.

#include <QPainter>
#include <QRect>

namespace tarvik {

/// Paints the backdrop into `area`: `rings` rings `spacing` pixels apart around the point
/// at `centreHeight` (a fraction of the height) on the vertical middle line.
void PaintWaveBackdrop(QPainter& painter, const QRect& area, qreal centreHeight, int rings,
                       qreal spacing);

} // namespace tarvik
