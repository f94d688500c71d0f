// The sketches of the profile dialogs: the shell plate as a grey bar across
// the top, the profile's cross-section standing off it (blue for the
// stiffener, orange for the ring frame), dimension lines and the centroid
// axes y and z. Drawn by the program; 175 by 175 pixels.
#pragma once

#include <QPixmap>
#include <QString>

#include "engine/state.h"

class QPainter;

namespace zod {

constexpr int kSketchSize = 175;

// Store name of the sketch of a kind: pic_stiff_L, pic_stiff_Lb, pic_stiff_t,
// ... pic_gird_i. The T and flat-bar kinds share one between their table and
// built-up dialogs.
QString SketchName(Member m, int kind);

// Draws the sketch on a 175 x 175 area at the painter's origin.
void DrawProfileSketch(QPainter& p, Member m, int kind);
QPixmap ProfileSketch(Member m, int kind, qreal devicePixelRatio = 1.0);

}  // namespace zod
