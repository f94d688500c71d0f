// The about box: program title, purpose, version, the maker's rights notice,
// web page and e-mail address. The two links open in the desktop's browser and
// mail program; they underline while the mouse is on them and lose the
// underline only when the mouse passes over the box's own background.
#pragma once

#include <QColor>
#include <QLabel>
#include <QPixmap>
#include <QWidget>

namespace zod {

class DesktopOpener;
class Messenger;

inline const QString kProgramTitle = QStringLiteral("Zidavoru ZOD");
inline const QString kProgramVersion = QStringLiteral("Version 1.8.5");
inline const QString kMakerWeb = QStringLiteral("https://www.example.com/zidavoru");
inline const QString kMakerMail = QStringLiteral("support@example.com");
inline const QString kMakerRights =
    QStringLiteral("\u00A9 2008-2026 Example Structural Software. All rights reserved.");

// The program's icon, a ring-stiffened shell on a blue tile, drawn at any size.
QPixmap ProgramIcon(int size, qreal devicePixelRatio = 1.0);
// The maker's logo.
QPixmap MakerLogo(QSize size, qreal devicePixelRatio = 1.0);

// A label that reports clicks and mouse moves and keeps them to itself, so a
// move over it never counts as a move over the box's background.
class AboutLabel : public QLabel {
  Q_OBJECT
 public:
  explicit AboutLabel(QWidget* parent = nullptr);

 signals:
  void clicked();
  void hovered();

 protected:
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;

 private:
  bool m_pressed = false;
};

class About : public QWidget {
  Q_OBJECT
 public:
  // messenger may be null: a message box is then shown directly.
  About(QWidget* owner, DesktopOpener& opener, const QColor& linkColor, Messenger* messenger = nullptr);

  // Top-left corner that centres the box on its screen.
  QPoint centredPosition() const;

 protected:
  void mouseMoveEvent(QMouseEvent* e) override;
  void showEvent(QShowEvent* e) override;

 private:
  void openLink(const QUrl& url);
  static void setUnderline(QLabel* label, bool on);

  DesktopOpener& m_opener;
  Messenger* m_messenger;
  AboutLabel* m_ab5 = nullptr;
  AboutLabel* m_ab6 = nullptr;
  bool m_placed = false;
};

// Shows the one about box of the owner, creating (and centring) it when none
// is open; an open one only comes to the front.
About* ShowAbout(QWidget* owner, DesktopOpener& opener, const QColor& linkColor,
                 Messenger* messenger = nullptr);

}  // namespace zod
