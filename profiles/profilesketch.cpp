#include "profiles/profilesketch.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <initializer_list>

namespace zod {

namespace {

// All drawings share one frame: the plate's lower face at y = 18, the
// profile hanging below it, y growing downwards, 175 x 175 in all.
constexpr double kPlateTop = 8, kPlateFace = 18;

const QColor kStiffColour(40, 90, 200);
const QColor kGirdColour(235, 130, 20);
const QColor kInk(30, 30, 30);

class Sketch {
 public:
  Sketch(QPainter& p, const QColor& fill) : m_p(p), m_fill(fill) {
    m_p.setRenderHint(QPainter::Antialiasing);
    m_p.setRenderHint(QPainter::TextAntialiasing);
    m_p.fillRect(QRectF(0, 0, kSketchSize, kSketchSize), Qt::white);
    QFont f = m_p.font();
    f.setFamily("Liberation Sans");
    f.setPixelSize(11);
    f.setItalic(true);
    m_p.setFont(f);
  }

  void plate(double left = 4, double right = 171) {
    m_p.setPen(QPen(QColor(70, 70, 70), 0.8));
    m_p.setBrush(QColor(165, 165, 165));
    m_p.drawRect(QRectF(left, kPlateTop, right - left, kPlateFace - kPlateTop));
  }

  // Overlapping parts are joined under the path's fill rule; holes made by
  // subtracting stay holes.
  void profile(const QPainterPath& path) {
    m_p.setPen(QPen(m_fill.darker(160), 0.8));
    m_p.setBrush(m_fill);
    m_p.drawPath(path.simplified());
  }

  // Rectangles make most profiles; returns the outline and the centroid.
  QPointF rects(std::initializer_list<QRectF> parts) {
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    double area = 0, sx = 0, sy = 0;
    for (const QRectF& r : parts) {
      path.addRect(r);
      const double a = r.width() * r.height();
      area += a;
      sx += a * r.center().x();
      sy += a * r.center().y();
    }
    profile(path);
    return {sx / area, sy / area};
  }

  // Fillet welds, as small dark triangles in the corner at `at`, the legs
  // along dx and dy.
  void weld(QPointF at, double dx, double dy) {
    QPainterPath t;
    t.moveTo(at);
    t.lineTo(at + QPointF(dx, 0));
    t.lineTo(at + QPointF(0, dy));
    t.closeSubpath();
    m_p.setPen(Qt::NoPen);
    m_p.setBrush(m_fill.darker(200));
    m_p.drawPath(t);
  }

  void thin(QPointF a, QPointF b) {
    m_p.setPen(QPen(kInk, 0.6));
    m_p.drawLine(a, b);
  }

  void arrowHead(QPointF tip, QPointF from) {
    const QPointF d = tip - from;
    const double len = std::hypot(d.x(), d.y());
    if (len <= 0) return;
    const QPointF u = d / len, n(-u.y(), u.x());
    QPolygonF head;
    head << tip << tip - u * 6 + n * 2.2 << tip - u * 6 - n * 2.2;
    m_p.setPen(Qt::NoPen);
    m_p.setBrush(kInk);
    m_p.drawPolygon(head);
  }

  // A dimension line from a to b with arrows at both ends.
  void dim(QPointF a, QPointF b) {
    thin(a, b);
    arrowHead(a, b);
    arrowHead(b, a);
  }

  // A small dimension between a and b: arrows from outside pointing at them.
  void gap(QPointF a, QPointF b, double reach = 10) {
    const QPointF d = b - a;
    const double len = std::hypot(d.x(), d.y());
    const QPointF u = d / len;
    thin(a - u * reach, a);
    arrowHead(a, a - u * reach);
    thin(b + u * reach, b);
    arrowHead(b, b + u * reach);
  }

  void text(QPointF centre, const QString& s) {
    m_p.setPen(kInk);
    const QRectF r(centre.x() - 30, centre.y() - 8, 60, 16);
    m_p.drawText(r, Qt::AlignCenter, s);
  }

  void caption(QRectF r, const QString& s) {
    QFont f = m_p.font();
    const QFont keep = f;
    f.setItalic(false);
    f.setPixelSize(9);
    m_p.setFont(f);
    m_p.setPen(kInk);
    m_p.drawText(r, Qt::AlignCenter | Qt::TextWordWrap, s);
    m_p.setFont(keep);
  }

  // The centroid axes: y to the left, z away from the plate.
  void axes(QPointF c, double yEnd, double zEnd) {
    QPen pen(kInk, 0.7, Qt::DashDotLine);
    m_p.setPen(pen);
    m_p.drawLine(QPointF(c.x() + 12, c.y()), QPointF(yEnd, c.y()));
    m_p.drawLine(QPointF(c.x(), c.y() - 12), QPointF(c.x(), zEnd));
    arrowHead(QPointF(yEnd, c.y()), c);
    arrowHead(QPointF(c.x(), zEnd), c);
    m_p.setPen(QPen(kInk, 0.8));
    m_p.setBrush(Qt::NoBrush);
    m_p.drawEllipse(c, 1.8, 1.8);
    text(QPointF(yEnd + 3, c.y() - 8), "y");
    text(QPointF(c.x() + 8, zEnd - 3), "z");
  }

  QPainter& painter() { return m_p; }

 private:
  QPainter& m_p;
  QColor m_fill;
};

// Height dimension at x from the plate down to `bottom`, with the extension
// line from the profile's far edge at `from`.
void Height(Sketch& s, double x, double bottom, double from) {
  s.thin(QPointF(from - 2, bottom), QPointF(x - 4, bottom));
  s.dim(QPointF(x, kPlateFace), QPointF(x, bottom));
  s.text(QPointF(x - 7, (kPlateFace + bottom) / 2), "H");
}

// Width dimension at height y between x1 and x2, extension lines from `from`.
void Width(Sketch& s, double x1, double x2, double y, double from, const QString& label, double labelX) {
  s.thin(QPointF(x1, from + 2), QPointF(x1, y + 4));
  s.thin(QPointF(x2, from + 2), QPointF(x2, y + 4));
  s.dim(QPointF(x1, y), QPointF(x2, y));
  s.text(QPointF(labelX, y + 9), label);
}

// Web thickness: arrows at height y onto the web faces x1 and x2.
void WebThickness(Sketch& s, double x1, double x2, double y) {
  s.gap(QPointF(x1, y), QPointF(x2, y));
  s.text(QPointF(x2 + 20, y - 1), "tw");
}

// Flange thickness at the flange end x, faces y1 and y2, with extension lines.
void FlangeThickness(Sketch& s, double x, double y1, double y2) {
  s.thin(QPointF(x + 2, y1), QPointF(x + 14, y1));
  s.thin(QPointF(x + 2, y2), QPointF(x + 14, y2));
  s.gap(QPointF(x + 10, y1), QPointF(x + 10, y2), 9);
  s.text(QPointF(x + 22, (y1 + y2) / 2), "tf");
}

void DrawAngle(Sketch& s, bool rolled) {
  // web 64..72, flange 72..124 at the far end, 131..140
  QPainterPath path;
  if (rolled) {
    path.moveTo(64, kPlateFace);
    path.lineTo(72, kPlateFace);
    path.lineTo(72, 123);
    path.arcTo(QRectF(72, 115, 16, 16), 180, 90);  // root fillet
    path.lineTo(121, 131);
    path.quadTo(124, 131, 124, 134);  // rounded toe
    path.lineTo(124, 140);
    path.lineTo(64, 140);
    path.closeSubpath();
    s.profile(path);
  } else {
    s.rects({QRectF(64, kPlateFace, 8, 122), QRectF(72, 131, 52, 9)});
    s.weld(QPointF(64, kPlateFace), -4, 4);
    s.weld(QPointF(72, kPlateFace), 4, 4);
    s.weld(QPointF(72, 131), 4, -4);
  }
  Height(s, 34, 140, 64);
  Width(s, 64, 124, 155, 140, "B", 104);
  WebThickness(s, 64, 72, 48);
  FlangeThickness(s, 124, 131, 140);
  s.axes(QPointF(78, 97), 44, 170);
}

void DrawTee(Sketch& s) {
  const QPointF c = s.rects({QRectF(84, kPlateFace, 8, 113), QRectF(56, 131, 64, 9)});
  Height(s, 34, 140, 56);
  Width(s, 56, 120, 155, 140, "B", 68);
  WebThickness(s, 84, 92, 48);
  FlangeThickness(s, 120, 131, 140);
  s.axes(c, 44, 170);
}

void DrawFlatBar(Sketch& s) {
  const QPointF c = s.rects({QRectF(82, kPlateFace, 12, 122)});
  Height(s, 44, 140, 82);
  WebThickness(s, 82, 94, 40);
  s.axes(c, 54, 160);
}

void DrawEye(Sketch& s) {
  const QPointF c =
      s.rects({QRectF(56, kPlateFace, 64, 9), QRectF(84, kPlateFace + 9, 8, 104), QRectF(56, 131, 64, 9)});
  Height(s, 34, 140, 56);
  Width(s, 56, 120, 155, 140, "B", 68);
  WebThickness(s, 84, 92, 62);
  FlangeThickness(s, 120, 131, 140);
  s.axes(c, 44, 170);
}

void DrawBox(Sketch& s) {
  QPainterPath outer, inner;
  outer.addRoundedRect(QRectF(56, kPlateFace, 64, 122), 10, 10);
  inner.addRoundedRect(QRectF(63, kPlateFace + 7, 50, 108), 4, 4);
  s.profile(outer.subtracted(inner));
  Height(s, 34, 140, 60);
  Width(s, 56, 120, 155, 140, "B", 68);
  s.gap(QPointF(113, 84), QPointF(120, 84), 9);
  s.text(QPointF(140, 83), "tw");
  s.axes(QPointF(88, 79), 44, 170);
}

void DrawTrough(Sketch& s) {
  // Outer corners at the plate 30 and 146, at the bottom 58 and 118; the
  // wall 7 thick.
  QPainterPath outer, inner;
  outer.moveTo(30, kPlateFace);
  outer.lineTo(58, 128);
  outer.lineTo(118, 128);
  outer.lineTo(146, kPlateFace);
  outer.closeSubpath();
  inner.moveTo(37.2, kPlateFace - 1);
  inner.lineTo(63.4, 121);
  inner.lineTo(112.6, 121);
  inner.lineTo(138.8, kPlateFace - 1);
  inner.closeSubpath();
  s.profile(outer.subtracted(inner));
  s.thin(QPointF(56, 128), QPointF(8, 128));
  s.dim(QPointF(12, kPlateFace), QPointF(12, 128));
  s.text(QPointF(20, 73), "H");
  // the bottom width and the offsets of both webs as one chain
  for (double x : {30.0, 58.0, 118.0, 146.0})
    s.thin(QPointF(x, x == 30 || x == 146 ? 20 : 130), QPointF(x, 154));
  s.dim(QPointF(30, 150), QPointF(58, 150));
  s.dim(QPointF(58, 150), QPointF(118, 150));
  s.dim(QPointF(118, 150), QPointF(146, 150));
  s.text(QPointF(44, 160), "a");
  s.text(QPointF(72, 160), "B");
  s.text(QPointF(132, 160), "a");
  s.gap(QPointF(104, 121), QPointF(104, 128), 9);
  s.text(QPointF(96, 110), "tw");
  s.axes(QPointF(88, 81), 62, 170);
}

void DrawBulb(Sketch& s) {
  // The bulb flat on the left: web 22..28, bulb out to 40 at the far end.
  s.painter().save();
  s.painter().translate(6, 0);
  QPainterPath bulb;
  bulb.moveTo(22, kPlateFace);
  bulb.lineTo(28, kPlateFace);
  bulb.lineTo(28, 108);
  bulb.cubicTo(30, 118, 40, 122, 40, 131);     // the bulb's flank
  bulb.arcTo(QRectF(32, 124, 8, 16), 0, -90);  // its rounded toe, radius r
  bulb.lineTo(22, 140);
  bulb.closeSubpath();
  s.profile(bulb);
  Height(s, 10, 140, 22);
  s.gap(QPointF(22, 44), QPointF(28, 44), 8);
  s.text(QPointF(44, 43), "tw");
  s.thin(QPointF(40, 133), QPointF(40, 156));
  s.thin(QPointF(28, 110), QPointF(28, 156));
  s.dim(QPointF(28, 152), QPointF(40, 152));
  s.text(QPointF(34, 162), "c");
  s.thin(QPointF(36, 132), QPointF(52, 116));
  s.arrowHead(QPointF(38.6, 129.4), QPointF(52, 116));
  s.text(QPointF(56, 112), "r");
  s.painter().restore();

  // Beside it, the angle its section is computed with.
  const QPointF c = s.rects({QRectF(104, kPlateFace, 6, 113), QRectF(104, 131, 36, 9)});
  Width(s, 104, 140, 152, 140, "B", 133);
  FlangeThickness(s, 140, 131, 140);
  s.axes(c, 84, 166);
  s.caption(QRectF(112, 26, 62, 28), "Profile for calculations");
}

}  // namespace

QString SketchName(Member m, int kind) {
  static const char* const kName[10] = {"L", "Lb", "t", "t", "f", "f", "hp", "rhs", "usp", "i"};
  if (kind < 0 || kind > 9) return {};
  return QStringLiteral("pic_%1_%2").arg(m == Member::Stiffener ? "stiff" : "gird", kName[kind]);
}

void DrawProfileSketch(QPainter& p, Member m, int kind) {
  p.save();
  Sketch s(p, m == Member::Stiffener ? kStiffColour : kGirdColour);
  s.plate();
  switch (kind) {
    case 0:
    case 1:
      DrawAngle(s, kind == 0);
      break;
    case 2:
    case 3:
      DrawTee(s);
      break;
    case 4:
    case 5:
      DrawFlatBar(s);
      break;
    case 6:
      DrawBulb(s);
      break;
    case 7:
      DrawBox(s);
      break;
    case 8:
      DrawTrough(s);
      break;
    case 9:
      DrawEye(s);
      break;
    default:
      break;
  }
  p.restore();
}

QPixmap ProfileSketch(Member m, int kind, qreal devicePixelRatio) {
  QPixmap pm(QSize(kSketchSize, kSketchSize) * devicePixelRatio);
  pm.setDevicePixelRatio(devicePixelRatio);
  pm.fill(Qt::white);
  QPainter p(&pm);
  DrawProfileSketch(p, m, kind);
  return pm;
}

}  // namespace zod
