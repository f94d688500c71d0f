#include "mainwindow/sketches.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QtMath>

namespace zod {

namespace {

// Drawing canvas of every sketch, scaled into the target rectangle.
constexpr double kWidth = 230, kHeight = 400;

const QColor kWall(214, 220, 230);
const QColor kInside(160, 170, 185);
const QColor kEdge(60, 65, 75);
const QColor kStiffener(40, 90, 200);
const QColor kRing(235, 130, 20);
const QColor kLoad(190, 20, 20);
const QColor kDim(30, 30, 30);

void Arrow(QPainter& p, QPointF from, QPointF to, double head = 6) {
  p.drawLine(from, to);
  QLineF back(to, from);
  back.setLength(head);
  QLineF left = back, right = back;
  left.setAngle(back.angle() + 25);
  right.setAngle(back.angle() - 25);
  QPolygonF tip;
  tip << to << left.p2() << right.p2();
  p.save();
  p.setBrush(p.pen().color());
  p.drawPolygon(tip);
  p.restore();
}

// A dimension line between a and b with arrows at both ends and a label
// beside its middle.
void Dimension(QPainter& p, QPointF a, QPointF b, const QString& text, QPointF textOffset) {
  p.save();
  p.setPen(QPen(kDim, 0.8));
  QPointF mid = (a + b) / 2;
  Arrow(p, mid, a, 5);
  Arrow(p, mid, b, 5);
  p.drawText(QRectF(mid + textOffset - QPointF(15, 8), QSizeF(30, 16)), Qt::AlignCenter, text);
  p.restore();
}

void Label(QPainter& p, QPointF at, const QString& text, const QColor& color = kDim) {
  p.save();
  p.setPen(color);
  p.drawText(QRectF(at - QPointF(20, 8), QSizeF(40, 16)), Qt::AlignCenter, text);
  p.restore();
}

void AxisLine(QPainter& p, QPointF from, QPointF to, const QString& name) {
  p.save();
  QPen pen(kDim, 0.8, Qt::DashDotLine);
  p.setPen(pen);
  p.drawLine(from, to);
  p.setPen(QPen(kDim, 0.8));
  QLineF l(from, to);
  l.setLength(l.length() + 10);
  Arrow(p, to, l.p2(), 5);
  QLineF t(from, to);
  t.setLength(t.length() + 20);
  Label(p, t.p2(), name);
  p.restore();
}

// A vertical cylinder seen slightly from above.
struct Cyl {
  double cx, top, bottom, rx, ry;
  QRectF ellipse(double y, double grow = 0) const {
    return QRectF(cx - rx - grow, y - ry - grow * ry / rx, 2 * (rx + grow), 2 * (ry + grow * ry / rx));
  }
  // the point of the front surface at angle a (0 = right, 90 = front), height y
  QPointF front(double degrees, double y, double grow = 0) const {
    double a = qDegreesToRadians(degrees);
    return {cx + (rx + grow) * std::cos(a), y + (ry + grow * ry / rx) * std::sin(a)};
  }
};

void DrawBody(QPainter& p, const Cyl& c) {
  QPainterPath body;
  body.moveTo(c.cx - c.rx, c.top);
  body.lineTo(c.cx - c.rx, c.bottom);
  body.arcTo(c.ellipse(c.bottom), 180, 180);
  body.lineTo(c.cx + c.rx, c.top);
  body.arcTo(c.ellipse(c.top), 0, -180);
  p.setPen(QPen(kEdge, 1.2));
  p.setBrush(kWall);
  p.drawPath(body);
  // the open top shows the inside
  p.setBrush(kInside);
  p.drawEllipse(c.ellipse(c.top));
  // hidden back edge of the bottom
  p.setPen(QPen(kEdge, 0.7, Qt::DashLine));
  p.setBrush(Qt::NoBrush);
  p.drawArc(c.ellipse(c.bottom), 0, 180 * 16);
}

void DrawCutOut(QPainter& p, const Cyl& c) {
  const double a1 = 60, a2 = 120, y1 = c.top + 0.3 * (c.bottom - c.top),
               y2 = c.top + 0.7 * (c.bottom - c.top);
  QPolygonF hole;
  for (double a = a1; a <= a2 + 0.01; a += 5) hole << c.front(a, y1);
  for (double a = a2; a >= a1 - 0.01; a -= 5) hole << c.front(a, y2);
  p.setPen(QPen(kEdge, 1));
  p.setBrush(kInside.darker(115));
  p.drawPolygon(hole);
  // the inner face of the back wall, seen through the hole
  p.setPen(QPen(kEdge, 0.6, Qt::DotLine));
  QPolygonF back;
  for (double a = a1; a <= a2 + 0.01; a += 5) back << c.front(-a, (y1 + y2) / 2);
  p.drawPolyline(back);
}

void DrawRingInside(QPainter& p, const Cyl& c, double y) {
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kRing, 2.2, Qt::DashLine));
  p.drawArc(c.ellipse(y, -5), 180 * 16, 180 * 16);
}

void DrawRingOutside(QPainter& p, const Cyl& c, double y) {
  const double grow = 7, depth = 5;
  QPainterPath band;
  QRectF upper = c.ellipse(y, grow), lower = c.ellipse(y + depth, grow);
  band.arcMoveTo(upper, 180);
  band.arcTo(upper, 180, 180);
  band.lineTo(lower.right(), lower.center().y());
  band.arcTo(lower, 0, -180);
  band.closeSubpath();
  p.setPen(QPen(kRing.darker(150), 0.8));
  p.setBrush(kRing);
  p.drawPath(band);
}

void DrawStringers(QPainter& p, const Cyl& c, bool outside) {
  const double angles[] = {20, 50, 80, 110, 140, 170};
  p.setBrush(Qt::NoBrush);
  if (outside)
    p.setPen(QPen(kStiffener, 2.4));
  else
    p.setPen(QPen(kStiffener, 1.8, Qt::DashLine));
  for (double a : angles)
    p.drawLine(c.front(a, c.top, outside ? 2 : -2), c.front(a, c.bottom, outside ? 2 : -2));
  // their sections along the back of the open top, with the spacing s
  p.setPen(QPen(kStiffener, 2.6));
  const double rim[] = {-30, -60, -90, -120, -150};
  for (double a : rim) {
    QPointF on = c.front(a, c.top);
    QPointF off = c.front(a, c.top, outside ? 7 : -7);
    p.drawLine(on, off);
  }
  QPointF s1 = c.front(-150, c.top, outside ? 11 : -11), s2 = c.front(-120, c.top, outside ? 11 : -11);
  Dimension(p, s1, s2, "s", outside ? QPointF(-6, -9) : QPointF(4, 9));
}

// The wall element below a cylinder sketch with its loads.
void DrawWallElement(QPainter& p) {
  const QRectF el(70, 290, 90, 70);
  QPainterPath shape;
  shape.moveTo(el.topLeft());
  shape.quadTo(el.center().x(), el.top() + 8, el.right(), el.top());
  shape.lineTo(el.bottomRight());
  shape.quadTo(el.center().x(), el.bottom() + 8, el.left(), el.bottom());
  shape.closeSubpath();
  p.setPen(QPen(kEdge, 1));
  p.setBrush(kWall);
  p.drawPath(shape);

  p.setPen(QPen(kLoad, 1.2));
  // axial stress
  Arrow(p, QPointF(115, 292), QPointF(115, 266));
  Arrow(p, QPointF(115, 366), QPointF(115, 390));
  Label(p, QPointF(134, 268), QString::fromUtf8("\u03c3x"), kLoad);
  // circumferential stress
  Arrow(p, QPointF(68, 325), QPointF(42, 325));
  Arrow(p, QPointF(162, 325), QPointF(188, 325));
  Label(p, QPointF(194, 312), QString::fromUtf8("\u03c3y"), kLoad);
  // shear
  Arrow(p, QPointF(74, 283), QPointF(104, 283), 5);
  Arrow(p, QPointF(156, 372), QPointF(126, 372), 5);
  Arrow(p, QPointF(168, 352), QPointF(168, 320), 5);
  Arrow(p, QPointF(62, 298), QPointF(62, 330), 5);
  Label(p, QPointF(182, 348), QString::fromUtf8("\u03c4"), kLoad);
  // lateral pressure, acting on the face of the element
  for (QPointF at : {QPointF(95, 318), QPointF(115, 334), QPointF(135, 318)})
    Arrow(p, at + QPointF(9, -9), at, 4);
  Label(p, QPointF(88, 346), "pd", kLoad);
}

void DrawCylinderCase(QPainter& p, CylinderSketch which) {
  const Cyl c{105, 45, 215, 62, 16};
  const bool rings = which != CylinderSketch::Unstiffened;
  const bool outside = which == CylinderSketch::RingsOutside || which == CylinderSketch::StringersOutside;
  const bool stringers =
      which == CylinderSketch::StringersInside || which == CylinderSketch::StringersOutside;

  DrawBody(p, c);
  if (which == CylinderSketch::Unstiffened) DrawCutOut(p, c);
  double ringTop = c.top + 12, ringBottom = c.bottom - 12;
  if (rings) {
    if (outside) {
      DrawRingOutside(p, c, ringTop);
      DrawRingOutside(p, c, ringBottom - 5);
    } else {
      DrawRingInside(p, c, ringTop);
      DrawRingInside(p, c, (ringTop + ringBottom) / 2);
      DrawRingInside(p, c, ringBottom);
    }
  }
  if (stringers) DrawStringers(p, c, outside);

  AxisLine(p, QPointF(c.cx, c.bottom + 30), QPointF(c.cx, c.top - 14), "Z");
  p.setPen(QPen(kDim, 0.8));
  Arrow(p, QPointF(c.cx, c.top), c.front(30, c.top), 5);
  Label(p, (QPointF(c.cx, c.top) + c.front(30, c.top)) / 2 + QPointF(2, 8), "r");

  // l: the whole length, or the distance between two ring frames
  const double dx = c.cx + c.rx + 22;
  double lTop = c.top, lBottom = c.bottom;
  if (rings && !outside) lBottom = (ringTop + ringBottom) / 2, lTop = ringTop;
  if (rings && outside) lTop = ringTop + 2.5, lBottom = ringBottom - 2.5;
  p.setPen(QPen(kDim, 0.5));
  p.drawLine(QPointF(c.cx + c.rx + 4, lTop), QPointF(dx + 5, lTop));
  p.drawLine(QPointF(c.cx + c.rx + 4, lBottom), QPointF(dx + 5, lBottom));
  Dimension(p, QPointF(dx, lTop), QPointF(dx, lBottom), "l", QPointF(10, 0));

  DrawWallElement(p);
}

// Moment about an axis, drawn as a double-headed arrow along that axis.
void MomentArrow(QPainter& p, QPointF from, QPointF to, const QString& name, QPointF labelOffset) {
  QLineF inner(from, to);
  inner.setLength(inner.length() - 7);
  Arrow(p, from, to, 6);
  Arrow(p, from, inner.p2(), 6);
  Label(p, to + labelOffset, name, kLoad);
}

void DrawColumnCase(QPainter& p, bool rings) {
  const Cyl c{100, 70, 320, 34, 9};
  DrawBody(p, c);
  const double span = (c.bottom - c.top) / 3;
  if (rings)
    for (int i = 1; i <= 2; ++i) DrawRingOutside(p, c, c.top + i * span - 2.5);

  AxisLine(p, QPointF(c.cx, c.bottom + 26), QPointF(c.cx, c.top - 40), "X");
  Label(p, QPointF(c.cx - c.rx - 14, c.top - 2), "a");
  Label(p, QPointF(c.cx - c.rx - 14, c.bottom + 2), "b");

  // axial force at both ends
  p.setPen(QPen(kLoad, 1.4));
  Arrow(p, QPointF(c.cx + 16, c.top - 34), QPointF(c.cx + 16, c.top - 4));
  Label(p, QPointF(c.cx + 28, c.top - 28), "N", kLoad);
  Arrow(p, QPointF(c.cx + 16, c.bottom + 36), QPointF(c.cx + 16, c.bottom + 10));
  Label(p, QPointF(c.cx + 28, c.bottom + 32), "N", kLoad);

  // the axes 1 and 2 of the end moments
  p.setPen(QPen(kDim, 0.8));
  const QPointF a(c.cx, c.top), b(c.cx, c.bottom);
  Arrow(p, a, a + QPointF(-78, 0), 5);
  Label(p, a + QPointF(-86, -1), "1");
  Arrow(p, a, a + QPointF(-40, 30), 5);
  Label(p, a + QPointF(-46, 36), "2");
  Arrow(p, b, b + QPointF(-78, 0), 5);
  Label(p, b + QPointF(-86, -1), "1");
  Arrow(p, b, b + QPointF(-40, 30), 5);
  Label(p, b + QPointF(-46, 36), "2");
  p.setPen(QPen(kLoad, 1.2));
  MomentArrow(p, a + QPointF(-48, -14), a + QPointF(-66, -14), "M1a", QPointF(2, -12));
  MomentArrow(p, a + QPointF(-22, 30), a + QPointF(-34, 39), "M2a", QPointF(-14, 10));
  MomentArrow(p, b + QPointF(-48, -14), b + QPointF(-66, -14), "M1b", QPointF(2, -12));
  MomentArrow(p, b + QPointF(-22, 30), b + QPointF(-34, 39), "M2b", QPointF(-14, 10));

  // lateral pressure on the wall
  p.setPen(QPen(kLoad, 1.1));
  for (int i = 0; i < 4; ++i) {
    double y = c.top + 50 + i * 48;
    Arrow(p, QPointF(c.cx - c.rx - 24, y), QPointF(c.cx - c.rx - 2, y), 4);
  }
  Label(p, QPointF(c.cx - c.rx - 30, c.top + 74), "pd", kLoad);

  // L between the ends, l between the rings
  const double dx = c.cx + c.rx + 24;
  p.setPen(QPen(kDim, 0.5));
  p.drawLine(QPointF(c.cx + c.rx + 4, c.top), QPointF(dx + 5, c.top));
  p.drawLine(QPointF(c.cx + c.rx + 4, c.bottom), QPointF(dx + 5, c.bottom));
  Dimension(p, QPointF(dx, c.top), QPointF(dx, c.bottom), "L", QPointF(11, 0));
  if (rings) {
    const double lx = dx + 28;
    p.setPen(QPen(kDim, 0.5));
    p.drawLine(QPointF(c.cx + c.rx + 8, c.top + span), QPointF(lx + 5, c.top + span));
    p.drawLine(QPointF(c.cx + c.rx + 8, c.top + 2 * span), QPointF(lx + 5, c.top + 2 * span));
    Dimension(p, QPointF(lx, c.top + span), QPointF(lx, c.top + 2 * span), "l", QPointF(10, 0));
  }
}

}  // namespace

QString SketchStoreName(CylinderSketch which) {
  switch (which) {
    case CylinderSketch::Unstiffened:
      return "pic20";
    case CylinderSketch::RingsInside:
      return "pic21";
    case CylinderSketch::RingsOutside:
      return "pic26";
    case CylinderSketch::StringersInside:
      return "pic22";
    case CylinderSketch::StringersOutside:
      return "pic27";
    case CylinderSketch::Column:
      return "pic30";
    case CylinderSketch::ColumnWithRings:
      return "pic31";
  }
  return {};
}

namespace {

// Paints the sketch on its own canvas, whatever the painter's scale.
void PaintCanvas(QPainter& p, CylinderSketch which) {
  p.setRenderHint(QPainter::Antialiasing);
  QFont f = p.font();
  f.setPixelSize(12);
  f.setItalic(true);
  p.setFont(f);
  if (which == CylinderSketch::Column || which == CylinderSketch::ColumnWithRings)
    DrawColumnCase(p, which == CylinderSketch::ColumnWithRings);
  else
    DrawCylinderCase(p, which);
}

}  // namespace

void DrawCylinderSketch(QPainter& p, const QRectF& r, CylinderSketch which) {
  p.save();
  double scale = std::min(r.width() / kWidth, r.height() / kHeight);
  p.translate(r.center().x() - kWidth * scale / 2, r.center().y() - kHeight * scale / 2);
  p.scale(scale, scale);
  PaintCanvas(p, which);
  p.restore();
}

void DrawCylinderSketchStretched(QPainter& p, const QRectF& r, CylinderSketch which) {
  p.save();
  p.translate(r.topLeft());
  p.scale(r.width() / kWidth, r.height() / kHeight);
  PaintCanvas(p, which);
  p.restore();
}

QPixmap CylinderSketchPixmap(CylinderSketch which, QSize size, qreal devicePixelRatio) {
  QPixmap pm(size * devicePixelRatio);
  pm.setDevicePixelRatio(devicePixelRatio);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  DrawCylinderSketch(p, QRectF(QPointF(0, 0), QSizeF(size)), which);
  return pm;
}

QPixmap GlassesPicture(int size, qreal devicePixelRatio) {
  QPixmap pm(QSize(size, size) * devicePixelRatio);
  pm.setDevicePixelRatio(devicePixelRatio);
  pm.fill(QColor(192, 192, 192));
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 30.0, size / 30.0);
  QPen frame(Qt::black, 1.6);
  p.setPen(frame);
  p.setBrush(QColor(210, 20, 20));
  p.drawEllipse(QRectF(2.5, 11, 10, 9));
  p.drawEllipse(QRectF(17.5, 11, 10, 9));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(12, 12.5, 6, 5), 20 * 16, 140 * 16);  // bridge
  p.drawLine(QPointF(2.8, 14), QPointF(1, 9));           // temples
  p.drawLine(QPointF(27.2, 14), QPointF(29, 9));
  p.setPen(QPen(QColor(255, 200, 200), 1.2));
  p.drawArc(QRectF(4.5, 12.5, 5, 4), 90 * 16, 70 * 16);  // a glint on each lens
  p.drawArc(QRectF(19.5, 12.5, 5, 4), 90 * 16, 70 * 16);
  return pm;
}

}  // namespace zod
