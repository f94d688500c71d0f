#include "mainwindow/about.h"

#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QScreen>
#include <exception>
#include <memory>

#include "gui/messenger.h"
#include "mainwindow/help.h"

namespace zod {

namespace {

QPixmap Canvas(QSize size, qreal dpr) {
  QPixmap pm(size * dpr);
  pm.setDevicePixelRatio(dpr);
  pm.fill(Qt::transparent);
  return pm;
}

}  // namespace

QPixmap ProgramIcon(int size, qreal dpr) {
  QPixmap pm = Canvas(QSize(size, size), dpr);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 48.0, size / 48.0);  // drawn on a 48 x 48 grid

  QLinearGradient tile(0, 0, 0, 48);
  tile.setColorAt(0, QColor(0, 105, 180));
  tile.setColorAt(1, QColor(0, 60, 115));
  p.setPen(Qt::NoPen);
  p.setBrush(tile);
  p.drawRoundedRect(QRectF(1, 1, 46, 46), 8, 8);

  // A standing cylinder: shaded wall, open top, three ring frames.
  const QRectF wall(13, 9, 22, 30);
  QLinearGradient steel(wall.left(), 0, wall.right(), 0);
  steel.setColorAt(0, QColor(150, 160, 170));
  steel.setColorAt(0.4, QColor(235, 238, 240));
  steel.setColorAt(1, QColor(120, 128, 138));
  QPainterPath body;
  body.moveTo(wall.left(), wall.top() + 3);
  body.lineTo(wall.left(), wall.bottom() - 3);
  body.arcTo(QRectF(wall.left(), wall.bottom() - 6, wall.width(), 6), 180, 180);
  body.lineTo(wall.right(), wall.top() + 3);
  body.closeSubpath();
  p.setBrush(steel);
  p.setPen(QPen(QColor(30, 40, 50), 1.0));
  p.drawPath(body);
  p.setBrush(QColor(60, 70, 80));
  p.drawEllipse(QRectF(wall.left(), wall.top(), wall.width(), 6));
  p.setPen(QPen(QColor(255, 140, 0), 2.0));
  p.setBrush(Qt::NoBrush);
  for (double y : {17.0, 25.0, 33.0})
    p.drawArc(QRectF(wall.left(), y - 3, wall.width(), 6), 180 * 16, 180 * 16);
  return pm;
}

QPixmap MakerLogo(QSize size, qreal dpr) {
  QPixmap pm = Canvas(size, dpr);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const double h = size.height();
  // A wave between two bars: a buckled plate between its supports.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 85, 152));
  p.drawRect(QRectF(0, 0, h * 0.14, h));
  p.drawRect(QRectF(h * 0.86, 0, h * 0.14, h));
  QPainterPath wave;
  wave.moveTo(h * 0.14, h * 0.5);
  wave.cubicTo(h * 0.3, h * 0.05, h * 0.4, h * 0.05, h * 0.5, h * 0.5);
  wave.cubicTo(h * 0.6, h * 0.95, h * 0.7, h * 0.95, h * 0.86, h * 0.5);
  p.setPen(QPen(QColor(230, 120, 0), h * 0.1, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawPath(wave);

  QFont f = p.font();
  f.setBold(true);
  f.setPixelSize(qMax(8, static_cast<int>(h * 0.3)));
  p.setFont(f);
  p.setPen(QColor(0, 85, 152));
  const QRectF text(h * 1.1, 0, size.width() - h * 1.1, h);
  p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Example\nStructural Software"));
  return pm;
}

AboutLabel::AboutLabel(QWidget* parent) : QLabel(parent) { setMouseTracking(true); }

void AboutLabel::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) m_pressed = true;
  e->accept();
}

void AboutLabel::mouseReleaseEvent(QMouseEvent* e) {
  const bool click = m_pressed && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
  m_pressed = false;
  e->accept();
  if (click) emit clicked();
}

void AboutLabel::mouseMoveEvent(QMouseEvent* e) {
  e->accept();
  emit hovered();
}

About::About(QWidget* owner, DesktopOpener& opener, const QColor& linkColor, Messenger* messenger)
    : QWidget(owner, Qt::Dialog), m_opener(opener), m_messenger(messenger) {
  setObjectName(QStringLiteral("about"));
  setAttribute(Qt::WA_DeleteOnClose);
  setMouseTracking(true);
  setWindowTitle(QStringLiteral("About ") + kProgramTitle);

  auto label = [this](const char* name, const QString& text) {
    auto* l = new AboutLabel(this);
    l->setObjectName(QString::fromLatin1(name));
    l->setText(text);
    l->setTextFormat(Qt::PlainText);
    return l;
  };
  auto colour = [&linkColor](QLabel* l) {
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, linkColor);
    l->setPalette(pal);
  };

  auto* picture5 = label("Picture5", QString());
  picture5->setPixmap(ProgramIcon(48, devicePixelRatioF()));
  auto* ab1 = label("ab1", kProgramTitle);
  QFont big = ab1->font();
  big.setBold(true);
  big.setPointSizeF(big.pointSizeF() * 1.6);
  ab1->setFont(big);
  colour(ab1);
  auto* ab2 = label("ab2", QStringLiteral("Cylinder shell buckling based on ZOD-RP-C202"));
  auto* ab3 = label("ab3", kProgramVersion);
  auto* line1 = new QFrame(this);
  line1->setObjectName(QStringLiteral("Line1"));
  line1->setFrameShape(QFrame::HLine);
  line1->setFrameShadow(QFrame::Sunken);
  auto* picture1 = label("Picture1", QString());
  picture1->setPixmap(MakerLogo(QSize(200, 40), devicePixelRatioF()));
  auto* ab4 = label("ab4", kMakerRights + QLatin1Char(' ') + kMakerWeb);
  ab4->setWordWrap(true);
  m_ab5 = label("ab5", kMakerWeb);
  m_ab6 = label("ab6", kMakerMail);
  for (QLabel* l : {static_cast<QLabel*>(m_ab5), static_cast<QLabel*>(m_ab6)}) {
    colour(l);
    l->setCursor(Qt::PointingHandCursor);
  }

  auto* grid = new QGridLayout(this);
  grid->setSizeConstraint(QLayout::SetFixedSize);
  grid->setContentsMargins(16, 16, 16, 16);
  grid->setHorizontalSpacing(16);
  grid->addWidget(picture5, 0, 0, 3, 1, Qt::AlignTop | Qt::AlignHCenter);
  grid->addWidget(ab1, 0, 1);
  grid->addWidget(ab2, 1, 1);
  grid->addWidget(ab3, 2, 1);
  grid->addWidget(line1, 3, 0, 1, 2);
  grid->addWidget(picture1, 4, 0, 3, 1, Qt::AlignTop);
  grid->addWidget(ab4, 4, 1);
  grid->addWidget(m_ab5, 5, 1);
  grid->addWidget(m_ab6, 6, 1);
  ab4->setMinimumWidth(380);

  // The title, purpose, version and icon close the box; the notice and the
  // logo do nothing.
  for (AboutLabel* l : {ab1, ab2, ab3, picture5}) connect(l, &AboutLabel::clicked, this, &QWidget::close);
  connect(m_ab5, &AboutLabel::clicked, this, [this] { openLink(QUrl(kMakerWeb)); });
  connect(m_ab6, &AboutLabel::clicked, this,
          [this] { openLink(QUrl(QStringLiteral("mailto:") + kMakerMail)); });
  connect(m_ab5, &AboutLabel::hovered, this, [this] { setUnderline(m_ab5, true); });
  connect(m_ab6, &AboutLabel::hovered, this, [this] { setUnderline(m_ab6, true); });

  grid->activate();
  adjustSize();
  move(centredPosition());
}

QPoint About::centredPosition() const {
  QScreen* s = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
  if (!s) return pos();
  const QRect g = s->geometry();
  const QSize box = frameGeometry().size();  // with the window frame once it is known
  return {g.left() + g.width() / 2 - box.width() / 2, g.top() + g.height() / 2 - box.height() / 2};
}

void About::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  // The frame's size is known only now: centre once more on the first showing.
  if (!m_placed) move(centredPosition());
  m_placed = true;
}

void About::mouseMoveEvent(QMouseEvent* e) {
  setUnderline(m_ab5, false);
  setUnderline(m_ab6, false);
  QWidget::mouseMoveEvent(e);
}

void About::setUnderline(QLabel* label, bool on) {
  QFont f = label->font();
  if (f.underline() == on) return;
  f.setUnderline(on);
  label->setFont(f);
}

// An address the desktop could not open is told by name; an error raised on
// the way gets the browser message.
void About::openLink(const QUrl& url) {
  try {
    OpenOrTell(m_opener, url, m_messenger, this);
  } catch (...) {
    const QString text = QStringLiteral(" There was an error when trying to open a default browser ");
    if (m_messenger) {
      m_messenger->exclamation(text, this);
    } else {
      BoxMessenger(this).exclamation(text);
    }
  }
}

About* ShowAbout(QWidget* owner, DesktopOpener& opener, const QColor& linkColor, Messenger* messenger) {
  static QPointer<About> unowned;
  About* box = nullptr;
  if (owner) {
    // A closed box may still wait for its deletion; it does not count.
    for (About* a : owner->findChildren<About*>(QStringLiteral("about"), Qt::FindDirectChildrenOnly))
      if (a->isVisible()) box = a;
  } else if (unowned && unowned->isVisible()) {
    box = unowned;
  }
  if (!box) {
    box = new About(owner, opener, linkColor, messenger);
    if (!owner) unowned = box;
  }
  box->show();
  box->raise();
  box->activateWindow();
  return box;
}

}  // namespace zod
