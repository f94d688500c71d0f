// The program's own drawings: the seven cylinder sketches that the window
// shows in pic20 for the cylinder type, and the small "glasses" picture of
// the information buttons.
#pragma once

#include <QPixmap>
#include <QRectF>
#include <QSize>
#include <QString>

class QPainter;

namespace zod {

// The sketches by what they show; their store names are "pic20", "pic21",
// "pic26", "pic22", "pic27", "pic30" and "pic31".
enum class CylinderSketch {
  Unstiffened,       // pic20: cylinder with a cut-out in its wall
  RingsInside,       // pic21: ring frames inside, l between them
  RingsOutside,      // pic26: ring frames outside at both ends of l
  StringersInside,   // pic22: stringers at spacing s and rings, inside
  StringersOutside,  // pic27: stringers and rings outside
  Column,            // pic30: column of length L, ends a and b
  ColumnWithRings,   // pic31: the column with intermediate rings at l
};

QString SketchStoreName(CylinderSketch which);

// Draws the sketch into r, keeping its proportions (230 wide, 400 high).
void DrawCylinderSketch(QPainter& p, const QRectF& r, CylinderSketch which);
// Draws the sketch filling r, stretched to its shape (the printed report).
void DrawCylinderSketchStretched(QPainter& p, const QRectF& r, CylinderSketch which);
QPixmap CylinderSketchPixmap(CylinderSketch which, QSize size, qreal devicePixelRatio = 1.0);

// A pair of glasses with red lenses on grey.
QPixmap GlassesPicture(int size, qreal devicePixelRatio = 1.0);

}  // namespace zod
