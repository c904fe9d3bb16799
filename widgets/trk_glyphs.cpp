#include "widgets/trk_glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>

namespace tarvik {

namespace {

// All pictures are drawn in a 20 x 20 coordinate box.
const QColor kGreen(20, 140, 40);
const QColor kRed(200, 30, 30);
const QColor kBlue(30, 90, 190);
const QColor kOutline(70, 70, 70);
const QColor kPaper(255, 255, 255);
const QColor kYellow(245, 200, 40);

QPen Stroke(const QColor& c, qreal width) {
  return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void CheckMark(QPainter& p, const QColor& c, QPointF offset = {}, qreal scale = 1.0) {
  p.setPen(Stroke(c, 3.0 * scale));
  p.setBrush(Qt::NoBrush);
  QPolygonF mark;
  mark << QPointF(4, 10.5) << QPointF(8.5, 15) << QPointF(16, 5);
  for (auto& pt : mark)
    pt = pt * scale + offset;
  p.drawPolyline(mark);
}

void Cross(QPainter& p, const QColor& c, const QRectF& box, qreal width = 3.0) {
  p.setPen(Stroke(c, width));
  p.drawLine(box.topLeft(), box.bottomRight());
  p.drawLine(box.topRight(), box.bottomLeft());
}

// A sheet of paper with a folded corner.
void Sheet(QPainter& p, const QRectF& r) {
  const qreal fold = r.width() * 0.35;
  QPolygonF s;
  s << r.topLeft() << QPointF(r.right() - fold, r.top()) << QPointF(r.right(), r.top() + fold)
    << r.bottomRight() << r.bottomLeft();
  p.setPen(Stroke(kOutline, 1.0));
  p.setBrush(kPaper);
  p.drawPolygon(s);
  QPolygonF corner;
  corner << QPointF(r.right() - fold, r.top()) << QPointF(r.right() - fold, r.top() + fold)
         << QPointF(r.right(), r.top() + fold);
  p.setBrush(QColor(220, 220, 220));
  p.drawPolygon(corner);
}

void TextLines(QPainter& p, const QRectF& r, int count) {
  p.setPen(Stroke(QColor(120, 120, 120), 1.0));
  for (int i = 0; i < count; ++i) {
    const qreal y = r.top() + (i + 0.5) * r.height() / count;
    p.drawLine(QPointF(r.left(), y), QPointF(r.right() - (i % 2) * r.width() * 0.3, y));
  }
}

// A filled arrow pointing right (or left when mirrored), with its tip at the box's edge.
void BlockArrow(QPainter& p, const QRectF& r, const QColor& c, bool left) {
  const qreal midY = r.center().y();
  const qreal shaft = r.height() * 0.22;
  const qreal headX = left ? r.left() + r.width() * 0.45 : r.right() - r.width() * 0.45;
  QPolygonF a;
  if (!left) {
    a << QPointF(r.left(), midY - shaft) << QPointF(headX, midY - shaft) << QPointF(headX, r.top())
      << QPointF(r.right(), midY) << QPointF(headX, r.bottom()) << QPointF(headX, midY + shaft)
      << QPointF(r.left(), midY + shaft);
  } else {
    a << QPointF(r.right(), midY - shaft) << QPointF(headX, midY - shaft) << QPointF(headX, r.top())
      << QPointF(r.left(), midY) << QPointF(headX, r.bottom()) << QPointF(headX, midY + shaft)
      << QPointF(r.right(), midY + shaft);
  }
  p.setPen(Stroke(c.darker(140), 1.0));
  p.setBrush(c);
  p.drawPolygon(a);
}

void VerticalArrow(QPainter& p, qreal x, qreal top, qreal bottom, bool up, const QColor& c) {
  p.setPen(Stroke(c, 2.5));
  p.drawLine(QPointF(x, top), QPointF(x, bottom));
  const qreal tipY = up ? top : bottom;
  const qreal d = up ? 4 : -4;
  p.drawLine(QPointF(x, tipY), QPointF(x - 4, tipY + d));
  p.drawLine(QPointF(x, tipY), QPointF(x + 4, tipY + d));
}

void Tray(QPainter& p) {
  p.setPen(Stroke(kOutline, 2.0));
  p.setBrush(Qt::NoBrush);
  QPolygonF tray;
  tray << QPointF(2, 11) << QPointF(2, 18) << QPointF(18, 18) << QPointF(18, 11);
  p.drawPolyline(tray);
}

void Letter(QPainter& p, const QRectF& r, const QString& text, const QColor& c, qreal pixelSize) {
  QFont f(QStringLiteral("Liberation Sans"));
  f.setBold(true);
  f.setPixelSize(int(pixelSize));
  p.setFont(f);
  p.setPen(c);
  p.drawText(r, Qt::AlignCenter, text);
}

void HelpGlyph(QPainter& p) {
  p.setPen(Stroke(kBlue.darker(130), 1.0));
  p.setBrush(kBlue);
  p.drawEllipse(QRectF(1.5, 1.5, 17, 17));
  Letter(p, QRectF(1.5, 1.5, 17, 17), QStringLiteral("?"), Qt::white, 14);
}

void DoorGlyph(QPainter& p) {
  p.setPen(Stroke(kOutline, 1.2));
  p.setBrush(QColor(235, 235, 235));
  p.drawRect(QRectF(4, 2, 11, 16)); // frame
  QPolygonF door;                   // opened door panel
  door << QPointF(4, 2) << QPointF(10, 4) << QPointF(10, 19.5) << QPointF(4, 18);
  p.setBrush(QColor(160, 100, 45));
  p.drawPolygon(door);
  p.setBrush(kYellow);
  p.drawEllipse(QRectF(8, 10, 1.6, 1.6));
  BlockArrow(p, QRectF(11, 7, 8.5, 6), kGreen, false);
}

void PrinterGlyph(QPainter& p) {
  p.setPen(Stroke(kOutline, 1.0));
  p.setBrush(kPaper);
  p.drawRect(QRectF(5, 1.5, 10, 7)); // paper going in
  p.setBrush(QColor(150, 150, 160));
  p.drawRoundedRect(QRectF(1.5, 7.5, 17, 7.5), 1.5, 1.5);
  p.setBrush(kPaper);
  p.drawRect(QRectF(5, 12.5, 10, 6)); // printed sheet
  TextLines(p, QRectF(6.5, 14, 7, 3.5), 2);
  p.setPen(Qt::NoPen);
  p.setBrush(kGreen);
  p.drawEllipse(QRectF(15, 9, 2, 2));
}

void StarBurst(QPainter& p, const QPointF& c, qreal r) {
  QPolygonF star;
  for (int i = 0; i < 16; ++i) {
    const qreal radius = (i % 2) ? r * 0.45 : r;
    const qreal angle = i * 3.14159265 / 8;
    star << c + QPointF(radius * std::cos(angle), radius * std::sin(angle));
  }
  p.setPen(Stroke(QColor(190, 140, 0), 0.8));
  p.setBrush(kYellow);
  p.drawPolygon(star);
}

void PencilGlyph(QPainter& p) {
  p.save();
  p.translate(11, 10);
  p.rotate(45);
  p.setPen(Stroke(kOutline, 0.8));
  p.setBrush(kYellow);
  p.drawRect(QRectF(-2, -8, 4, 11));
  p.setBrush(QColor(240, 150, 150));
  p.drawRect(QRectF(-2, -10, 4, 2));
  QPolygonF tip;
  tip << QPointF(-2, 3) << QPointF(2, 3) << QPointF(0, 7);
  p.setBrush(QColor(230, 200, 150));
  p.drawPolygon(tip);
  p.restore();
}

void MagnifierGlyph(QPainter& p) {
  p.setPen(Stroke(kOutline, 2.0));
  p.setBrush(QColor(200, 230, 255));
  p.drawEllipse(QRectF(2, 2, 11, 11));
  p.setPen(Stroke(QColor(110, 70, 30), 3.0));
  p.drawLine(QPointF(12, 12), QPointF(17.5, 17.5));
}

void BarChart(QPainter& p) {
  p.setPen(Stroke(kOutline, 1.0));
  p.setBrush(kBlue);
  p.drawRect(QRectF(3, 9, 4, 9));
  p.setBrush(kGreen);
  p.drawRect(QRectF(8, 4, 4, 14));
  p.setBrush(kRed);
  p.drawRect(QRectF(13, 11, 4, 7));
  p.setPen(Stroke(kOutline, 1.2));
  p.drawLine(QPointF(1.5, 18.5), QPointF(18.5, 18.5));
}

void SlidersGlyph(QPainter& p) {
  const qreal knobs[3] = {6, 13, 9};
  for (int i = 0; i < 3; ++i) {
    const qreal y = 4 + i * 6;
    p.setPen(Stroke(kOutline, 1.5));
    p.drawLine(QPointF(2, y), QPointF(18, y));
    p.setBrush(kBlue);
    p.setPen(Stroke(kBlue.darker(140), 1.0));
    p.drawRect(QRectF(knobs[i] - 2, y - 2.5, 4, 5));
  }
}

void ClockGlyph(QPainter& p) {
  p.setPen(Stroke(kOutline, 1.5));
  p.setBrush(kPaper);
  p.drawEllipse(QRectF(2, 2, 16, 16));
  p.setPen(Stroke(kOutline, 1.8));
  p.drawLine(QPointF(10, 10), QPointF(10, 5));
  p.drawLine(QPointF(10, 10), QPointF(14, 12));
  p.setPen(Stroke(kBlue, 1.6));
  p.drawArc(QRectF(0.5, 0.5, 19, 19), 100 * 16, 120 * 16);
}

void CheckList(QPainter& p) {
  for (int i = 0; i < 3; ++i) {
    const qreal y = 2.5 + i * 5.5;
    p.setPen(Stroke(kBlue.darker(130), 1.0));
    p.setBrush(kPaper);
    p.drawRect(QRectF(1.5, y, 4.5, 4.5));
    if (i != 1) {
      p.setPen(Stroke(kBlue, 1.6));
      p.drawLine(QPointF(2.3, y + 2.3), QPointF(3.6, y + 3.7));
      p.drawLine(QPointF(3.6, y + 3.7), QPointF(6.5, y - 0.5));
    }
    p.setPen(Stroke(QColor(110, 110, 110), 1.5));
    p.drawLine(QPointF(8.5, y + 2.25), QPointF(18, y + 2.25));
  }
}

void TrafficLight(QPainter& p, int lit) {
  p.setPen(Stroke(QColor(30, 30, 30), 1.0));
  p.setBrush(QColor(60, 60, 60));
  p.drawRoundedRect(QRectF(5, 0.5, 10, 19), 3, 3);
  const QColor on[3] = {QColor(235, 30, 30), QColor(250, 200, 20), QColor(30, 200, 60)};
  for (int i = 0; i < 3; ++i) {
    p.setPen(Qt::NoPen);
    p.setBrush(i == lit ? on[i] : QColor(100, 100, 100));
    p.drawEllipse(QRectF(7, 1.8 + i * 6, 6, 5.6));
  }
}

void ListGlyph(QPainter& p) {
  for (int i = 0; i < 4; ++i) {
    const qreal y = 3.5 + i * 4.5;
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawEllipse(QRectF(1.5, y - 1.3, 2.6, 2.6));
    p.setPen(Stroke(kOutline, 1.5));
    p.drawLine(QPointF(6, y), QPointF(i % 2 ? 14 : 18, y));
  }
}

void TableGlyph(QPainter& p) {
  p.setPen(Stroke(kOutline, 1.0));
  p.setBrush(kPaper);
  p.drawRect(QRectF(1.5, 2.5, 17, 15));
  p.setBrush(QColor(120, 160, 220));
  p.drawRect(QRectF(1.5, 2.5, 17, 4));
  for (qreal x : {7.2, 12.8})
    p.drawLine(QPointF(x, 2.5), QPointF(x, 17.5));
  for (qreal y : {10.2, 13.9})
    p.drawLine(QPointF(1.5, y), QPointF(18.5, y));
}

void MatrixGlyph(QPainter& p) {
  p.setPen(Qt::NoPen);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) {
      p.setBrush((r + c) % 3 == 0 ? kRed : kBlue);
      p.drawRect(QRectF(2 + c * 4.3, 2 + r * 4.3, 3.2, 3.2));
    }
}

void StartGlyph(QPainter& p) {
  p.setPen(Stroke(kGreen.darker(140), 1.0));
  p.setBrush(kGreen);
  p.drawEllipse(QRectF(1.5, 1.5, 17, 17));
  QPolygonF play;
  play << QPointF(8, 5.5) << QPointF(14.5, 10) << QPointF(8, 14.5);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawPolygon(play);
}

void LineChart(QPainter& p) {
  p.setPen(Stroke(kOutline, 1.3));
  p.drawLine(QPointF(2.5, 2), QPointF(2.5, 17.5));
  p.drawLine(QPointF(2.5, 17.5), QPointF(18.5, 17.5));
  p.setPen(Stroke(kRed, 1.8));
  QPolygonF line;
  line << QPointF(4, 14) << QPointF(8, 9) << QPointF(11, 12) << QPointF(17, 4);
  p.drawPolyline(line);
}

void GlobeGlyph(QPainter& p) {
  p.setPen(Stroke(kBlue.darker(140), 1.0));
  p.setBrush(QColor(120, 180, 240));
  p.drawEllipse(QRectF(1.5, 1.5, 17, 17));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QRectF(6, 1.5, 8, 17));
  p.drawLine(QPointF(10, 1.5), QPointF(10, 18.5));
  p.drawLine(QPointF(1.5, 10), QPointF(18.5, 10));
  p.drawLine(QPointF(3.2, 5.5), QPointF(16.8, 5.5));
  p.drawLine(QPointF(3.2, 14.5), QPointF(16.8, 14.5));
}

void MapGlyph(QPainter& p) {
  const QColor panels[3] = {QColor(140, 200, 120), QColor(170, 215, 240), QColor(140, 200, 120)};
  for (int i = 0; i < 3; ++i) {
    QPolygonF panel;
    const qreal x = 1.5 + i * 5.7;
    const qreal shift = (i % 2) ? 1.5 : 0;
    panel << QPointF(x, 3 + shift) << QPointF(x + 5.7, 3 + (1.5 - shift))
          << QPointF(x + 5.7, 17 + (1.5 - shift)) << QPointF(x, 17 + shift);
    p.setPen(Stroke(kOutline, 0.9));
    p.setBrush(panels[i]);
    p.drawPolygon(panel);
  }
  p.setPen(Stroke(kRed, 1.6));
  p.drawLine(QPointF(5, 8), QPointF(9, 12));
  p.drawLine(QPointF(9, 8), QPointF(5, 12));
}

void CircularArrow(QPainter& p) {
  p.setPen(Stroke(kBlue, 2.5));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(3, 3, 14, 14), 60 * 16, 270 * 16);
  QPolygonF head;
  head << QPointF(12.5, 0.5) << QPointF(17.5, 4.5) << QPointF(11.5, 7.5);
  p.setPen(Stroke(kBlue, 1.0));
  p.setBrush(kBlue);
  p.drawPolygon(head);
}

void Octagon(QPainter& p) {
  QPolygonF o;
  for (int i = 0; i < 8; ++i) {
    const qreal a = (22.5 + i * 45) * 3.14159265 / 180;
    o << QPointF(10 + 9 * std::cos(a), 10 + 9 * std::sin(a));
  }
  p.setPen(Stroke(kRed.darker(140), 1.0));
  p.setBrush(kRed);
  p.drawPolygon(o);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(5, 8.5, 10, 3));
}

void NoGlyph(QPainter& p) {
  p.setPen(Stroke(kRed, 2.5));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QRectF(2.5, 2.5, 15, 15));
  p.drawLine(QPointF(5, 5), QPointF(15, 15));
}

void IgnoreGlyph(QPainter& p) {
  p.setPen(Stroke(QColor(150, 150, 150), 2.5));
  p.drawLine(QPointF(10, 8), QPointF(10, 18));
  p.setPen(Stroke(kBlue, 2.0));
  p.setBrush(Qt::NoBrush);
  QPainterPath jump;
  jump.moveTo(2, 15);
  jump.cubicTo(4, 2, 16, 2, 17, 14);
  p.drawPath(jump);
  p.drawLine(QPointF(17, 14), QPointF(14, 11.5));
  p.drawLine(QPointF(17, 14), QPointF(18.5, 10.5));
}

void PlusCircle(QPainter& p) {
  p.setPen(Stroke(kBlue.darker(130), 1.0));
  p.setBrush(kBlue);
  p.drawEllipse(QRectF(1.5, 1.5, 17, 17));
  p.setPen(Stroke(Qt::white, 2.6));
  p.drawLine(QPointF(10, 5.5), QPointF(10, 14.5));
  p.drawLine(QPointF(5.5, 10), QPointF(14.5, 10));
}

void TwoSheets(QPainter& p) {
  Sheet(p, QRectF(1.5, 1.5, 10, 13));
  Sheet(p, QRectF(7.5, 5.5, 10, 13));
}

void DrawKind(QPainter& p, TrkBitBtnKind kind) {
  switch (kind) {
  case bkCustom:
    return;
  case bkOK:
  case bkYes:
    CheckMark(p, kGreen);
    return;
  case bkCancel:
    Cross(p, kRed, QRectF(4.5, 4.5, 11, 11));
    return;
  case bkNo:
    NoGlyph(p);
    return;
  case bkHelp:
  case bkGHelp:
    HelpGlyph(p);
    return;
  case bkClose:
  case bkGClose:
    DoorGlyph(p);
    return;
  case bkAbort:
    Octagon(p);
    return;
  case bkRetry:
    CircularArrow(p);
    return;
  case bkIgnore:
    IgnoreGlyph(p);
    return;
  case bkAll:
    CheckMark(p, kGreen, QPointF(-1, 1), 0.8);
    CheckMark(p, kGreen.darker(120), QPointF(5, -1), 0.8);
    return;
  case bkWeiter:
    BlockArrow(p, QRectF(1.5, 3, 17, 14), kGreen, false);
    return;
  case bkZurueck:
    BlockArrow(p, QRectF(1.5, 3, 17, 14), kGreen, true);
    return;
  case bkEdit:
    Sheet(p, QRectF(3, 1.5, 13, 17));
    TextLines(p, QRectF(5, 6, 8, 10), 4);
    return;
  case bkUebernahme:
    Sheet(p, QRectF(3, 1.5, 13, 17));
    CheckMark(p, kGreen, QPointF(2, 3), 0.75);
    return;
  case bkDruck:
  case bkGDruck:
    PrinterGlyph(p);
    return;
  case bkNeu:
  case bkGNeu:
    Sheet(p, QRectF(4, 2.5, 13, 16));
    StarBurst(p, QPointF(5.5, 5.5), 5);
    return;
  case bkAendern:
  case bkGAendern:
    Sheet(p, QRectF(2, 1.5, 12, 16));
    TextLines(p, QRectF(4, 6, 7, 9), 3);
    PencilGlyph(p);
    return;
  case bkLoeschen:
  case bkGLoeschen:
    Sheet(p, QRectF(2, 1.5, 12, 16));
    TextLines(p, QRectF(4, 6, 7, 9), 3);
    Cross(p, kRed, QRectF(9.5, 9.5, 8, 8), 2.6);
    return;
  case bkZusatz:
    PlusCircle(p);
    return;
  case bkSuche:
  case bkGSuche:
    MagnifierGlyph(p);
    return;
  case bkStat:
  case bkGStatistik:
    BarChart(p);
    return;
  case bkGEinlesen:
    Tray(p);
    VerticalArrow(p, 10, 1.5, 14.5, false, kBlue);
    return;
  case bkGExport:
  case bkExport:
    Tray(p);
    VerticalArrow(p, 10, 1.5, 14.5, true, kGreen);
    return;
  case bkOption:
  case bkGOption:
    SlidersGlyph(p);
    return;
  case bkGHistory:
    ClockGlyph(p);
    return;
  case bkGAuswahlblau:
    CheckList(p);
    return;
  case bkGZF:
    p.setPen(Stroke(kBlue.darker(140), 1.0));
    p.setBrush(QColor(220, 232, 250));
    p.drawRoundedRect(QRectF(0.5, 3, 19, 14), 3, 3);
    Letter(p, QRectF(0.5, 3, 19, 14), QStringLiteral("ZF"), kBlue.darker(130), 11);
    return;
  case bkGMoveLR:
    BlockArrow(p, QRectF(0.5, 1.5, 12, 8), kBlue, true);
    BlockArrow(p, QRectF(7.5, 10.5, 12, 8), kBlue, false);
    return;
  case bkGCopyLR:
    Sheet(p, QRectF(1, 2, 8, 11));
    Sheet(p, QRectF(11, 7, 8, 11));
    BlockArrow(p, QRectF(5, 12, 7, 6), kGreen, false);
    return;
  case bkGKopie:
    TwoSheets(p);
    return;
  case bkGAmpelrot:
    TrafficLight(p, 0);
    return;
  case bkGAmpelgelb:
    TrafficLight(p, 1);
    return;
  case bkGAmpelgruen:
    TrafficLight(p, 2);
    return;
  case bkGListe:
    ListGlyph(p);
    return;
  case bkGTabelle:
    TableGlyph(p);
    return;
  case bkGMatrix:
    MatrixGlyph(p);
    return;
  case bkGStart:
    StartGlyph(p);
    return;
  case bkGDiagramm:
    LineChart(p);
    return;
  case bkGHTML:
  case bkHTML:
    GlobeGlyph(p);
    return;
  case bkGKarte:
    MapGlyph(p);
    return;
  }
}

} // namespace

QPixmap KindGlyph(TrkBitBtnKind kind, qreal devicePixelRatio) {
  if (kind == bkCustom || kind < 0 || kind >= kTrkBitBtnKindCount)
    return {};
  if (devicePixelRatio <= 0)
    devicePixelRatio = 1.0;
  const int side = qRound(kKindGlyphSize * devicePixelRatio);
  QPixmap pixmap(side, side);
  pixmap.fill(Qt::transparent);
  {
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(side / qreal(kKindGlyphSize), side / qreal(kKindGlyphSize));
    DrawKind(p, kind);
  }
  pixmap.setDevicePixelRatio(devicePixelRatio);
  return pixmap;
}

} // namespace tarvik
