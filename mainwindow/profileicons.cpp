#include "mainwindow/profileicons.h"

#include <QPainter>
#include <QPainterPath>

namespace zod {

namespace {

const char* const kKinds[] = {"l", "t", "f", "hp", "rhs", "u", "i"};

// The profile outline in a 32 x 32 box: y grows downwards, the plate lies
// below y = 27.
QPainterPath ProfilePath(const QString& kind) {
  QPainterPath path;
  const double base = 27;
  if (kind == "l") {
    path.addRect(13, 6, 3, base - 6);
    path.addRect(13, 6, 12, 3);
  } else if (kind == "t") {
    path.addRect(14.5, 6, 3, base - 6);
    path.addRect(7, 6, 18, 3);
  } else if (kind == "f") {
    path.addRect(13.5, 5, 5, base - 5);
  } else if (kind == "hp") {
    path.addRect(13, 9, 3.5, base - 9);
    QPainterPath bulb;
    bulb.moveTo(13, 12);
    bulb.lineTo(13, 5);
    bulb.quadTo(19.5, 4.5, 20.5, 8.5);
    bulb.quadTo(19, 13, 16.5, 15);
    bulb.lineTo(16.5, 12);
    bulb.closeSubpath();
    path.addPath(bulb);
  } else if (kind == "rhs") {
    QPainterPath outer, inner;
    outer.addRoundedRect(QRectF(9, 5, 14, base - 5), 3, 3);
    inner.addRoundedRect(QRectF(11.5, 7.5, 9, base - 10), 1.5, 1.5);
    return outer.subtracted(inner);
  } else if (kind == "u") {
    // an open trough with its open side against the plate
    QPainterPath outer, inner;
    outer.moveTo(4, base);
    outer.lineTo(10, 6);
    outer.lineTo(22, 6);
    outer.lineTo(28, base);
    outer.closeSubpath();
    inner.moveTo(7.2, base + 0.1);
    inner.lineTo(12.2, 8.8);
    inner.lineTo(19.8, 8.8);
    inner.lineTo(24.8, base + 0.1);
    inner.closeSubpath();
    return outer.subtracted(inner);
  } else if (kind == "i") {
    path.addRect(14.5, 6, 3, base - 6);
    path.addRect(8, 6, 16, 3);
    path.addRect(8, base - 3, 16, 3);
  }
  // plates welded together: one outline
  path.setFillRule(Qt::WindingFill);
  return path.simplified();
}

}  // namespace

QStringList ProfileIconNames() {
  QStringList names;
  for (const char* member : {"stiff", "gird"})
    for (const char* kind : kKinds) names << QStringLiteral("ico_%1_%2").arg(member, kind);
  return names;
}

QPixmap ProfileIcon(const QString& name, int size, qreal devicePixelRatio) {
  const QStringList parts = name.split('_');
  if (parts.size() != 3 || parts[0] != "ico" || (parts[1] != "stiff" && parts[1] != "gird")) return {};
  QPainterPath profile = ProfilePath(parts[2]);
  if (profile.isEmpty()) return {};
  const bool stiffener = parts[1] == "stiff";
  const QColor fill = stiffener ? QColor(40, 90, 200) : QColor(235, 130, 20);

  QPixmap pm(QSize(size, size) * devicePixelRatio);
  pm.setDevicePixelRatio(devicePixelRatio);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 32.0, size / 32.0);
  // the strip of shell plate
  p.setPen(QPen(QColor(70, 70, 70), 0.6));
  p.setBrush(QColor(165, 165, 165));
  p.drawRect(QRectF(1, 27, 30, 3.5));
  p.setPen(QPen(fill.darker(160), 0.6));
  p.setBrush(fill);
  p.drawPath(profile);
  return pm;
}

}  // namespace zod
