#include "mainwindow/infowindows.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QStringList>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <vector>

namespace zod {

namespace {

// ---- drawing helpers ------------------------------------------------------

QFont FigureFont(qreal pixels, bool bold = false) {
  QFont f(QStringLiteral("Liberation Sans"));
  f.setStyleHint(QFont::SansSerif);
  f.setPixelSize(static_cast<int>(pixels));
  f.setBold(bold);
  return f;
}

const QColor kInk(30, 30, 30);
const QColor kShell(228, 232, 236);
const QColor kRing(110, 110, 110);
const QColor kSupport(0, 85, 152);
const QColor kDimension(170, 0, 0);

void Arrowhead(QPainter& p, QPointF tip, double dir) {
  const double s = 7;
  QPolygonF head;
  head << tip << QPointF(tip.x() - dir * s, tip.y() - s / 2.5)
       << QPointF(tip.x() - dir * s, tip.y() + s / 2.5);
  p.drawPolygon(head);
}

// A horizontal dimension from x1 to x2 at height y, with its text above the
// line; extension lines run from y to the heights e1 and e2.
void Dimension(QPainter& p, double x1, double x2, double y, double e1, double e2, const QString& text) {
  p.save();
  p.setPen(QPen(kDimension, 1));
  p.setBrush(kDimension);
  p.drawLine(QPointF(x1, e1), QPointF(x1, y + (y > e1 ? 4 : -4)));
  p.drawLine(QPointF(x2, e2), QPointF(x2, y + (y > e2 ? 4 : -4)));
  p.drawLine(QPointF(x1, y), QPointF(x2, y));
  Arrowhead(p, QPointF(x1, y), -1);
  Arrowhead(p, QPointF(x2, y), 1);
  p.setFont(FigureFont(13, true));
  const QRectF box(std::min(x1, x2) - 40, y - 18, std::abs(x2 - x1) + 80, 16);
  p.drawText(box, Qt::AlignHCenter | Qt::AlignBottom, text);
  p.restore();
}

// The shell between x1 and x2 in side view, with light stringers and the
// ring frames at the given positions; cut ends get a break line.
void Shell(QPainter& p, double x1, double x2, double cy, double half, const std::vector<double>& rings,
           bool cutLeft, bool cutRight) {
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(kShell);
  p.drawRect(QRectF(x1, cy - half, x2 - x1, 2 * half));
  p.setPen(QPen(QColor(170, 175, 182), 1));
  for (double f : {-0.5, 0.0, 0.5}) p.drawLine(QPointF(x1, cy + f * half), QPointF(x2, cy + f * half));
  p.setPen(QPen(kRing, 1.5));
  for (double x : rings) p.drawLine(QPointF(x, cy - half), QPointF(x, cy + half));
  p.setPen(QPen(kInk, 2));
  p.drawLine(QPointF(x1, cy - half), QPointF(x2, cy - half));
  p.drawLine(QPointF(x1, cy + half), QPointF(x2, cy + half));
  p.setPen(QPen(kInk, 1));
  auto cut = [&](double x) {
    QPainterPath s;
    s.moveTo(x, cy - half - 4);
    s.cubicTo(x + 8, cy - half / 2, x - 8, cy + half / 2, x, cy + half + 4);
    p.setBrush(Qt::NoBrush);
    p.drawPath(s);
  };
  if (cutLeft) cut(x1);
  if (cutRight) cut(x2);
  p.restore();
}

std::vector<double> Spaced(double x1, double x2, int n) {
  std::vector<double> v;
  for (int i = 1; i < n; ++i) v.push_back(x1 + (x2 - x1) * i / n);
  return v;
}

void Caption(QPainter& p, QRectF r, const QString& text, int flags = Qt::AlignLeft | Qt::AlignTop) {
  p.save();
  p.setPen(kInk);
  p.setFont(FigureFont(13));
  p.drawText(r, flags, text);
  p.restore();
}

// ---- tables ----------------------------------------------------------------

struct Table {
  QString title;
  std::vector<double> columns;  // fractions of the width
  std::vector<QStringList> rows;
  std::vector<int> align;  // per column
  QString note;
};

constexpr double kPad = 6;
constexpr double kMargin = 12;

double TextHeight(const QFont& font, double width, const QString& text) {
  return QFontMetricsF(font).boundingRect(QRectF(0, 0, width, 10000), Qt::TextWordWrap, text).height();
}

double RowHeight(const Table& t, size_t row, double width) {
  const QFont font = FigureFont(13, row == 0);
  double h = 0;
  for (size_t c = 0; c < t.columns.size(); ++c)
    h = std::max(h, TextHeight(font, t.columns[c] * width - 2 * kPad, t.rows[row][static_cast<int>(c)]));
  return h + 2 * kPad;
}

double TableHeight(const Table& t, double width) {
  const double inner = width - 2 * kMargin;
  double h = kMargin + TextHeight(FigureFont(15, true), inner, t.title) + 8;
  for (size_t r = 0; r < t.rows.size(); ++r) h += RowHeight(t, r, inner);
  if (!t.note.isEmpty()) h += 8 + TextHeight(FigureFont(12), inner, t.note);
  return h + kMargin;
}

void PaintTable(QPainter& p, const Table& t, const QRectF& area) {
  p.save();
  p.fillRect(area, Qt::white);
  const double inner = area.width() - 2 * kMargin;
  double y = area.top() + kMargin;
  const double x0 = area.left() + kMargin;
  p.setPen(kInk);
  p.setFont(FigureFont(15, true));
  const double th = TextHeight(p.font(), inner, t.title);
  p.drawText(QRectF(x0, y, inner, th), Qt::TextWordWrap, t.title);
  y += th + 8;
  const double top = y;
  for (size_t r = 0; r < t.rows.size(); ++r) {
    const double h = RowHeight(t, r, inner);
    if (r == 0) p.fillRect(QRectF(x0, y, inner, h), QColor(225, 232, 240));
    p.setFont(FigureFont(13, r == 0));
    double x = x0;
    for (size_t c = 0; c < t.columns.size(); ++c) {
      const double w = t.columns[c] * inner;
      p.drawText(QRectF(x + kPad, y + kPad, w - 2 * kPad, h - 2 * kPad), t.align[c] | Qt::TextWordWrap,
                 t.rows[r][static_cast<int>(c)]);
      x += w;
    }
    y += h;
    p.setPen(QPen(kInk, r == 0 ? 1.5 : 1));
    p.drawLine(QPointF(x0, y), QPointF(x0 + inner, y));
  }
  p.setPen(QPen(kInk, 1.5));
  p.drawRect(QRectF(x0, top, inner, y - top));
  p.setPen(QPen(kInk, 1));
  double x = x0;
  for (size_t c = 0; c + 1 < t.columns.size(); ++c) {
    x += t.columns[c] * inner;
    p.drawLine(QPointF(x, top), QPointF(x, y));
  }
  if (!t.note.isEmpty()) {
    p.setFont(FigureFont(12));
    y += 8;
    p.drawText(QRectF(x0, y, inner, area.bottom() - y), Qt::TextWordWrap, t.note);
  }
  p.restore();
}

const Table& LoadingConditions() {
  static const Table t{
      QStringLiteral("Table D1 \u2013 Design load combinations (ZOD-OS-C201, Section 2)"),
      {0.2, 0.8},
      {{QStringLiteral("Loading condition"), QStringLiteral("Loads")},
       {QStringLiteral("a)"), QStringLiteral("Functional loads")},
       {QStringLiteral("b)"),
        QStringLiteral("Maximum combination of environmental loads and associated functional loads")},
       {QStringLiteral("c)"), QStringLiteral("Accidental loads and associated functional loads")},
       {QStringLiteral("d)"),
        QStringLiteral("Annual most probable value of environmental loads and associated "
                       "functional loads after credible failures, or after accidental "
                       "events")},
       {QStringLiteral("e)"),
        QStringLiteral("Annual most probable value of environmental loads and associated "
                       "functional loads in a heeled condition corresponding to accidental "
                       "flooding")}},
      {Qt::AlignHCenter | Qt::AlignTop, Qt::AlignLeft | Qt::AlignTop},
      QString()};
  return t;
}

const Table& UsageFactors() {
  static const Table t{
      QStringLiteral("Table E1 \u2013 Basic usage factors \u03B7\u2080 (ZOD-OS-C201, Section 2)"),
      {0.3, 0.14, 0.14, 0.14, 0.14, 0.14},
      {{QStringLiteral("Loading condition"), QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
        QStringLiteral("d"), QStringLiteral("e")},
       {QStringLiteral("\u03B7\u2080"), QStringLiteral("0.60"), QStringLiteral("0.80"),
        QStringLiteral("1.00"), QStringLiteral("1.00"), QStringLiteral("1.00")}},
      {Qt::AlignLeft | Qt::AlignVCenter, Qt::AlignCenter, Qt::AlignCenter, Qt::AlignCenter, Qt::AlignCenter,
       Qt::AlignCenter},
      QStringLiteral("Note: Where buckling governs, the basic usage factor is multiplied by the slenderness "
                     "factor \u03B2 of the buckling check, so that the permissible usage factor is "
                     "\u03B7 = \u03B7\u2080 \u00B7 \u03B2. The basic usage factors allow for unfavourable "
                     "deviations of the loads, the reduced probability that several loads act together at "
                     "their characteristic values, deviations in the resistance of the materials, and the "
                     "consequences of failure.")};
  return t;
}

constexpr double kTableWidth = 640;
constexpr QSize kLengthSize(700, 650);

}  // namespace

// ---- the figures -------------------------------------------------------------

QSize LengthDefinitionSize() { return kLengthSize; }

void DrawLengthDefinition(QPainter& p, const QRectF& r) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(r, Qt::white);
  p.translate(r.topLeft());
  p.scale(r.width() / kLengthSize.width(), r.height() / kLengthSize.height());

  p.setPen(kInk);
  p.setFont(FigureFont(16, true));
  p.drawText(QRectF(20, 12, 660, 22), Qt::AlignLeft,
             QStringLiteral("L is the distance between the effective supports of the cylinder."));
  Caption(p, QRectF(20, 38, 660, 20),
          QStringLiteral("An effective support may be of one of the three types A, B and C below."));

  const double half = 28;
  auto title = [&p](double y, const QString& text) {
    p.save();
    p.setPen(kInk);
    p.setFont(FigureFont(14, true));
    p.drawText(QRectF(20, y, 660, 20), Qt::AlignLeft, text);
    p.restore();
  };

  // A: end closures of depth H; L reaches 0.4 H into each closure.
  {
    const double y0 = 72, cy = y0 + 84;
    const double x1 = 190, x2 = 510, depth = 80;
    title(y0, QStringLiteral("A   End closures"));
    Shell(p, x1, x2, cy, half, Spaced(x1, x2, 5), false, false);
    p.save();
    p.setPen(QPen(kSupport, 2.5));
    p.setBrush(QColor(205, 220, 236));
    p.drawChord(QRectF(x1 - depth, cy - half, 2 * depth, 2 * half), 90 * 16, 180 * 16);
    p.drawChord(QRectF(x2 - depth, cy - half, 2 * depth, 2 * half), -90 * 16, 180 * 16);
    p.restore();
    const double a = x1 - 0.4 * depth, b = x2 + 0.4 * depth;
    Dimension(p, a, x1, cy - half - 22, cy - 8, cy - half - 2, QStringLiteral("0.4H"));
    Dimension(p, x2, b, cy - half - 22, cy - half - 2, cy - 8, QStringLiteral("0.4H"));
    Dimension(p, x1 - depth, x1, cy + half + 26, cy, cy + half + 2, QStringLiteral("H"));
    Dimension(p, a, b, cy + half + 58, cy + 8, cy + 8, QStringLiteral("L"));
  }

  // B: bulkheads across the cylinder.
  {
    const double y0 = 270, cy = y0 + 76;
    const double x1 = 180, x2 = 520;
    title(y0, QStringLiteral("B   Bulkheads"));
    Shell(p, 90, 610, cy, half, Spaced(x1, x2, 5), true, true);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(kSupport);
    for (double x : {x1, x2}) p.drawRect(QRectF(x - 3, cy - half, 6, 2 * half));
    p.restore();
    Caption(p, QRectF(x1 - 60, cy - half - 22, 120, 18), QStringLiteral("Bulkhead"), Qt::AlignHCenter);
    Caption(p, QRectF(x2 - 60, cy - half - 22, 120, 18), QStringLiteral("Bulkhead"), Qt::AlignHCenter);
    Dimension(p, x1, x2, cy + half + 34, cy + half + 2, cy + half + 2, QStringLiteral("L"));
  }

  // C: heavy ring frames, deep enough to support the whole cylinder.
  {
    const double y0 = 448, cy = y0 + 100;
    const double x1 = 180, x2 = 520, deep = 18;
    title(y0, QStringLiteral("C   Heavy ring frames"));
    Shell(p, 90, 610, cy, half, Spaced(x1, x2, 5), true, true);
    p.save();
    p.setPen(QPen(kInk, 1));
    p.setBrush(kSupport);
    for (double x : {x1, x2}) p.drawRect(QRectF(x - 5, cy - half - deep, 10, 2 * (half + deep)));
    p.restore();
    Caption(p, QRectF(x1 - 80, cy - half - deep - 20, 160, 18), QStringLiteral("Heavy ring frame"),
            Qt::AlignHCenter);
    Caption(p, QRectF(x2 - 80, cy - half - deep - 20, 160, 18), QStringLiteral("Heavy ring frame"),
            Qt::AlignHCenter);
    Dimension(p, x1, x2, cy + half + deep + 30, cy + half + deep + 2, cy + half + deep + 2,
              QStringLiteral("L"));
  }
  p.restore();
}

QSize LoadingConditionsSize() {
  return {static_cast<int>(kTableWidth),
          static_cast<int>(std::ceil(TableHeight(LoadingConditions(), kTableWidth)))};
}

void DrawLoadingConditions(QPainter& p, const QRectF& r) { PaintTable(p, LoadingConditions(), r); }

QSize UsageFactorsSize() {
  return {static_cast<int>(kTableWidth),
          static_cast<int>(std::ceil(TableHeight(UsageFactors(), kTableWidth)))};
}

void DrawUsageFactors(QPainter& p, const QRectF& r) { PaintTable(p, UsageFactors(), r); }

// ---- the windows ---------------------------------------------------------------

InfoPicture::InfoPicture(QWidget* parent, const QString& name, QSize size, Painter paint)
    : QWidget(parent), m_size(size), m_paint(paint) {
  setObjectName(name);
  setFixedSize(size);
}

void InfoPicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  m_paint(p, QRectF(rect()));
}

void InfoPicture::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) m_pressed = true;
}

void InfoPicture::mouseReleaseEvent(QMouseEvent* e) {
  const bool click = m_pressed && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
  m_pressed = false;
  if (click) emit clicked();
}

namespace {

struct PictureEntry {
  const char* name;
  QSize (*size)();
  InfoPicture::Painter paint;
  bool closes;
};

struct InfoEntry {
  const char* name;
  const char* caption;
  std::vector<PictureEntry> pictures;  // top to bottom
};

const InfoEntry& Entry(InfoKind kind) {
  static const InfoEntry veltrane{"InfoVELTRANE",
                                  "Definition of Cylinder length L",
                                  {{"Picture1", &LengthDefinitionSize, &DrawLengthDefinition, true}}};
  static const InfoEntry uf{"InfoUF",
                            "Basic Usage Factor (ZOD-OS-C201, Sec 2, Table D1/E1)",
                            {{"Picture2", &LoadingConditionsSize, &DrawLoadingConditions, false},
                             {"Picture1", &UsageFactorsSize, &DrawUsageFactors, true}}};
  return kind == InfoKind::Veltrane ? veltrane : uf;
}

}  // namespace

InfoWindow::InfoWindow(QWidget* owner, InfoKind kind) : QWidget(owner, Qt::Dialog), m_kind(kind) {
  const InfoEntry& entry = Entry(kind);
  setObjectName(QString::fromLatin1(entry.name));
  setWindowTitle(QString::fromLatin1(entry.caption));
  setAttribute(Qt::WA_DeleteOnClose);
  auto* box = new QVBoxLayout(this);
  box->setSizeConstraint(QLayout::SetFixedSize);
  box->setContentsMargins(0, 0, 0, 0);
  box->setSpacing(0);
  for (const PictureEntry& ps : entry.pictures) {
    auto* pic = new InfoPicture(this, QString::fromLatin1(ps.name), ps.size(), ps.paint);
    box->addWidget(pic);
    if (ps.closes) connect(pic, &InfoPicture::clicked, this, &QWidget::close);
  }
}

InfoWindow* ShowInfoWindow(QWidget* owner, InfoKind kind) {
  static QPointer<InfoWindow> unowned[2];
  QPointer<InfoWindow>& loose = unowned[kind == InfoKind::Veltrane ? 0 : 1];
  InfoWindow* w = nullptr;
  if (owner) {
    // A closed window may still wait for its deletion; it does not count.
    for (InfoWindow* c : owner->findChildren<InfoWindow*>(QString(), Qt::FindDirectChildrenOnly))
      if (c->kind() == kind && c->isVisible()) w = c;
  } else if (loose && loose->isVisible()) {
    w = loose;
  }
  if (!w) {
    w = new InfoWindow(owner, kind);
    if (!owner) loose = w;
  }
  w->show();
  w->raise();
  w->activateWindow();
  return w;
}

}  // namespace zod
