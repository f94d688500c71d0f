#include "mainwindow/resultpicture.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

#include "gui/qtext.h"

namespace zod {

ResultPicture::ResultPicture(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
}

void ResultPicture::setDpi(double dpi) {
  m_unitX = dpi / 12.0;
  m_unitY = dpi / 6.0;
  update();
}

QFont ResultPicture::fontFor(bool bold, bool underline) const {
  QFont f = font();
  f.setBold(bold);
  f.setUnderline(underline);
  return f;
}

QString ResultPicture::rowText(double y) const {
  QString out;
  for (const Item& it : m_items)
    if (std::fabs(it.y - y) < 0.1) out += it.text;
  return out;
}

void ResultPicture::Cls() {
  m_items.clear();
  m_x = m_y = 0;
  update();
}

double ResultPicture::TextWidth(std::string_view text) {
  return QFontMetricsF(fontFor(m_bold, false)).horizontalAdvance(toQ(text)) / m_unitX;
}

void ResultPicture::Print(std::string_view text) {
  QString t = toQ(text);
  if (!t.isEmpty()) m_items.push_back({m_x, m_y, m_bold, m_underline, m_color, t});
  m_x += TextWidth(text);
  update();
}

void ResultPicture::PrintLine(std::string_view text) {
  Print(text);
  m_x = 0;
  m_y += QFontMetricsF(fontFor(m_bold, m_underline)).height() / m_unitY;
}

const QString ResultPicture::kNoResult = QStringLiteral("No result: the calculation stopped");

void ResultPicture::setStale(bool stale) {
  if (m_stale == stale) return;
  m_stale = stale;
  update();
}

void ResultPicture::paintEvent(QPaintEvent*) {
  ++m_paints;
  QPainter p(this);
  p.setRenderHint(QPainter::TextAntialiasing);
  const QColor grey(170, 170, 170);
  for (const Item& it : m_items) {
    QFont f = fontFor(it.bold, it.underline);
    p.setFont(f);
    p.setPen(m_stale ? grey : it.color);
    QFontMetricsF fm(f);
    p.drawText(QPointF(it.x * m_unitX, it.y * m_unitY + fm.ascent()), it.text);
  }
  if (!m_stale) return;
  const QFont f = fontFor(true, false);
  p.setFont(f);
  const QFontMetricsF fm(f);
  QRectF note(0, 0, fm.horizontalAdvance(kNoResult) + 2 * m_unitX, 2 * fm.height());
  note.moveCenter(QRectF(rect()).center());
  p.fillRect(note, Qt::white);
  p.setPen(Qt::black);
  p.drawRect(note);
  p.drawText(note, Qt::AlignCenter, kNoResult);
}

void ResultPicture::changeEvent(QEvent* e) {
  if (e->type() == QEvent::FontChange) update();
  QWidget::changeEvent(e);
}

}  // namespace zod
