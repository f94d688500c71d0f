// The about box: texts, the one instance and its centring, what a click does,
// the links and their hover underline.
#include <QLabel>
#include <QMainWindow>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <stdexcept>

#include "mainwindow/about.h"
#include "mainwindow/help.h"
#include "mainwindow/messenger.h"

using namespace zod;

namespace {

class RecordingOpener : public DesktopOpener {
 public:
  QList<QUrl> urls;
  bool answer = true;
  bool fail = false;
  bool open(const QUrl& url) override {
    urls << url;
    if (fail) throw std::runtime_error("no desktop");
    return answer;
  }
};

const QColor kLink(0, 85, 152);

QLabel* Label(QWidget* box, const char* name) { return box->findChild<QLabel*>(QString::fromLatin1(name)); }

void MoveOver(QWidget* w) {
  QMouseEvent e(QEvent::MouseMove, QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)), Qt::NoButton, Qt::NoButton,
                Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

void Destroy() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

}  // namespace

class TestAbout : public QObject {
  Q_OBJECT

  QMainWindow* m_owner = nullptr;
  RecordingOpener m_opener;
  RecordingMessenger m_messages;

  About* show() { return ShowAbout(m_owner, m_opener, kLink, &m_messages); }

 private slots:
  void init() {
    m_owner = new QMainWindow;
    m_owner->show();
    m_opener = RecordingOpener();
    m_messages.clear();
  }
  void cleanup() {
    delete m_owner;
    Destroy();
  }

  void captionAndTexts() {
    About* box = show();
    QCOMPARE(box->windowTitle(), QString("About Zidavoru ZOD"));
    QCOMPARE(box->parentWidget(), m_owner);
    QVERIFY(!box->isModal());
    QCOMPARE(Label(box, "ab1")->text(), QString("Zidavoru ZOD"));
    QCOMPARE(Label(box, "ab2")->text(), QString("Cylinder shell buckling based on ZOD-RP-C202"));
    QCOMPARE(Label(box, "ab3")->text(), QString("Version 1.8.5"));
    QCOMPARE(Label(box, "ab4")->text(), kMakerRights + " " + kMakerWeb);
    QCOMPARE(Label(box, "ab5")->text(), kMakerWeb);
    QCOMPARE(Label(box, "ab6")->text(), kMakerMail);
    for (const char* name : {"ab1", "ab5", "ab6"})
      QCOMPARE(Label(box, name)->palette().color(QPalette::WindowText), kLink);
    QVERIFY(!Label(box, "Picture1")->pixmap().isNull());
    QVERIFY(!Label(box, "Picture5")->pixmap().isNull());
  }

  void oneInstanceCentredWhenCreated() {
    About* box = show();
    QCOMPARE(box->pos(), box->centredPosition());
    const QRect screen = box->screen()->geometry();
    QVERIFY(qAbs(box->frameGeometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(box->frameGeometry().center().y() - screen.center().y()) <= 1);

    box->move(box->pos() + QPoint(40, 30));
    const QPoint moved = box->pos();
    QCOMPARE(show(), box);  // shown again while open: same box, left where it is
    QCOMPARE(box->pos(), moved);
    QCOMPARE(m_owner->findChildren<About*>().size(), 1);

    box->close();
    About* again = show();  // right after closing, before the old one is gone
    QVERIFY(again != box);
    Destroy();
    QCOMPARE(m_owner->findChildren<About*>().size(), 1);
    QCOMPARE(again->pos(), again->centredPosition());
  }

  void clicksThatClose_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("closes");
    QTest::newRow("title") << "ab1" << true;
    QTest::newRow("purpose") << "ab2" << true;
    QTest::newRow("version") << "ab3" << true;
    QTest::newRow("icon") << "Picture5" << true;
    QTest::newRow("rights") << "ab4" << false;
    QTest::newRow("logo") << "Picture1" << false;
  }
  void clicksThatClose() {
    QFETCH(QString, control);
    QFETCH(bool, closes);
    About* box = show();
    QVERIFY(QTest::qWaitForWindowExposed(box));
    QTest::mouseClick(box->findChild<QLabel*>(control), Qt::LeftButton);
    QCOMPARE(box->isVisible(), !closes);
    QVERIFY(m_opener.urls.isEmpty());
  }

  void linksOpenBrowserAndMail() {
    About* box = show();
    QVERIFY(QTest::qWaitForWindowExposed(box));
    m_opener.answer = false;  // refused by the desktop: nothing is said
    QTest::mouseClick(Label(box, "ab5"), Qt::LeftButton);
    QTest::mouseClick(Label(box, "ab6"), Qt::LeftButton);
    QCOMPARE(m_opener.urls, (QList<QUrl>{QUrl(kMakerWeb), QUrl("mailto:" + kMakerMail)}));
    QVERIFY(m_messages.texts.isEmpty());
    QVERIFY(box->isVisible());

    m_opener.fail = true;  // the open itself fails
    QTest::mouseClick(Label(box, "ab6"), Qt::LeftButton);
    QCOMPARE(m_messages.texts, QStringList{" There was an error when trying to open a default browser "});
  }

  void underlineStaysUntilTheBackground() {
    About* box = show();
    QLabel* ab5 = Label(box, "ab5");
    QLabel* ab6 = Label(box, "ab6");
    QVERIFY(!ab5->font().underline() && !ab6->font().underline());
    MoveOver(ab5);
    QVERIFY(ab5->font().underline());
    MoveOver(Label(box, "ab2"));  // another label: no change
    MoveOver(Label(box, "Picture1"));
    MoveOver(ab6);
    QVERIFY(ab5->font().underline() && ab6->font().underline());
    MoveOver(box);  // the background
    QVERIFY(!ab5->font().underline() && !ab6->font().underline());
  }
};

QTEST_MAIN(TestAbout)
#include "test_about.moc"
