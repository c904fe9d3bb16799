#include "app/ui/contest_pictures.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>

#include "widgets/wave_backdrop.h"

namespace tarvik {

namespace {

const QColor kTitleBlue(0x23, 0x3E, 0x5C);
const QColor kTitleText(0xFF, 0xFF, 0xFF);
const QColor kTitleSubtext(0xA8, 0xD0, 0xF0);
const QColor kAntennaYellow(0xFF, 0xE0, 0x4A);
constexpr int kTitleHeight = 70;
constexpr int kTitleMinWidth = 236;
constexpr int kTitleMaxWidth = 420;
constexpr int kLogoSize = 160;

/// The antenna of the program's title: a mast with two arms and three rings of a wave.
void PaintAntenna(QPainter& p, const QPointF& top) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  QPen pen(kAntennaYellow, 2.5);
  pen.setCapStyle(Qt::RoundCap);
  p.setPen(pen);
  p.drawLine(top, top + QPointF(0, 42));
  p.drawLine(top + QPointF(-10, 8), top + QPointF(10, 8));
  p.drawLine(top + QPointF(-7, 18), top + QPointF(7, 18));
  p.drawLine(top + QPointF(0, 42), top + QPointF(-9, 52));
  p.drawLine(top + QPointF(0, 42), top + QPointF(9, 52));
  pen.setWidthF(1.6);
  p.setPen(pen);
  for (int i = 1; i <= 2; ++i) {
    const QRectF arc(top.x() - 8 * i, top.y() - 8 * i, 16 * i, 16 * i);
    p.drawArc(arc, 20 * 16, 50 * 16);
    p.drawArc(arc, 110 * 16, 50 * 16);
  }
  p.restore();
}

/// The largest point size up to `start` at which `text` fits into `width`.
QFont FittingFont(QFont font, const QString& text, int width, int start, int smallest) {
  for (int size = start; size >= smallest; --size) {
    font.setPointSize(size);
    if (QFontMetrics(font).horizontalAdvance(text) <= width)
      return font;
  }
  font.setPointSize(smallest);
  return font;
}

} // namespace

QPixmap GeneratedTitlePicture(const QString& contestName) {
  const QString subtitle = contestName.toUpper();
  QFont subFont(QStringLiteral("Liberation Sans"));
  subFont.setPixelSize(11);
  subFont.setLetterSpacing(QFont::AbsoluteSpacing, 1.2);
  const int textLeft = 52;
  int width =
      std::max(kTitleMinWidth, textLeft + QFontMetrics(subFont).horizontalAdvance(subtitle) + 14);
  width = std::min(width, kTitleMaxWidth);
  QPixmap pixmap(width, kTitleHeight);
  pixmap.fill(kTitleBlue);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::TextAntialiasing);
  PaintAntenna(p, QPointF(24, 9));

  QFont titleFont(QStringLiteral("Liberation Sans"));
  titleFont.setPixelSize(34);
  titleFont.setBold(true);
  p.setFont(titleFont);
  p.setPen(kTitleText);
  p.drawText(QRect(textLeft, 2, width - textLeft - 6, 44), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("Tarvik"));

  // Long names shrink (down to 8 pixels) and are elided only beyond that.
  const int room = width - textLeft - 8;
  for (int px = 11; px >= 8 && QFontMetrics(subFont).horizontalAdvance(subtitle) > room; --px) {
    subFont.setPixelSize(px);
    subFont.setLetterSpacing(QFont::AbsoluteSpacing, px >= 10 ? 1.2 : 0.4);
  }
  p.setFont(subFont);
  p.setPen(kTitleSubtext);
  const QString shown = QFontMetrics(subFont).elidedText(subtitle, Qt::ElideRight, room);
  p.drawText(QRect(textLeft + 2, 46, room, 18), Qt::AlignLeft | Qt::AlignVCenter, shown);
  return pixmap;
}

QPixmap NeutralLogo(const QString& shortName) {
  QPixmap pixmap(kLogoSize, kLogoSize);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  const QRectF circle(4, 4, kLogoSize - 8, kLogoSize - 8);
  QPainterPath clip;
  clip.addEllipse(circle);
  p.save();
  p.setClipPath(clip);
  PaintWaveBackdrop(p, pixmap.rect(), 0.5, 5, 14.0);
  p.restore();
  p.setPen(QPen(QColor(0xD9, 0xE2, 0xEC), 4));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(circle.adjusted(2, 2, -2, -2));

  QFont font(QStringLiteral("Liberation Sans"));
  font.setBold(true);
  const QString name = shortName.isEmpty() ? QStringLiteral("Contest") : shortName;
  font = FittingFont(font, name, kLogoSize - 44, 30, 9);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRectF(22, 0, kLogoSize - 44, kLogoSize), Qt::AlignCenter | Qt::TextWordWrap, name);
  return pixmap;
}

} // namespace tarvik
