// The two information windows: InfoVELTRANE, the definition of the cylinder
// length L, and InfoUF, the basic usage factors of the working-stress format.
// Both are one class driven by a small table of what differs; their pictures
// are the program's own drawings. A click on a window's Picture1 closes it.
#pragma once

#include <QSize>
#include <QWidget>

class QPainter;
class QRectF;

namespace zod {

// The definition of L: between effective supports, with the end closure (A),
// the bulkhead (B) and the heavy ring frame (C).
void DrawLengthDefinition(QPainter& p, const QRectF& r);
QSize LengthDefinitionSize();
// Table D1: the loading conditions a) to e).
void DrawLoadingConditions(QPainter& p, const QRectF& r);
QSize LoadingConditionsSize();
// Table E1: the basic usage factor of each loading condition, with its note.
void DrawUsageFactors(QPainter& p, const QRectF& r);
QSize UsageFactorsSize();

// A fixed picture that reports left clicks.
class InfoPicture : public QWidget {
  Q_OBJECT
 public:
  using Painter = void (*)(QPainter&, const QRectF&);
  InfoPicture(QWidget* parent, const QString& name, QSize size, Painter paint);
  QSize sizeHint() const override { return m_size; }

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  QSize m_size;
  Painter m_paint;
  bool m_pressed = false;
};

enum class InfoKind { Veltrane, UsageFactor };

class InfoWindow : public QWidget {
  Q_OBJECT
 public:
  InfoWindow(QWidget* owner, InfoKind kind);
  InfoKind kind() const { return m_kind; }

 private:
  InfoKind m_kind;
};

// Shows the owner's one window of the kind, creating it when none is open;
// an open one only comes to the front.
InfoWindow* ShowInfoWindow(QWidget* owner, InfoKind kind);
inline InfoWindow* ShowInfoVELTRANE(QWidget* owner) { return ShowInfoWindow(owner, InfoKind::Veltrane); }
inline InfoWindow* ShowInfoUF(QWidget* owner) { return ShowInfoWindow(owner, InfoKind::UsageFactor); }

}  // namespace zod
