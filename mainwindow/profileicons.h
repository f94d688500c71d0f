// The small profile sketches of the picture buttons cmdpic_stiff and
// cmdpic_gird, drawn here rather than shipped as images: ico_stiff_* in the
// stiffener's blue, ico_gird_* in the ring frame's orange, each profile
// standing on a strip of shell plate.
#pragma once

#include <QPixmap>
#include <QString>
#include <QStringList>

namespace zod {

// The sketch of the named icon, size x size device-independent pixels; a
// null pixmap for a name that is no profile icon.
QPixmap ProfileIcon(const QString& name, int size, qreal devicePixelRatio = 1.0);

// Every icon name, stiffener icons first: ico_stiff_l ... ico_gird_i.
QStringList ProfileIconNames();

}  // namespace zod
