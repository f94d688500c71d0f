// The two information windows: captions, pictures, one instance each and
// which click closes them.
#include <QMainWindow>
#include <QTest>

#include "mainwindow/infowindows.h"

using namespace zod;

namespace {

void Destroy() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

InfoPicture* Picture(QWidget* w, const char* name) {
  return w->findChild<InfoPicture*>(QString::fromLatin1(name));
}

}  // namespace

class TestInfoWindows : public QObject {
  Q_OBJECT

  QMainWindow* m_owner = nullptr;

 private slots:
  void init() {
    m_owner = new QMainWindow;
    m_owner->show();
  }
  void cleanup() {
    delete m_owner;
    Destroy();
  }

  void captionsAndPictures() {
    InfoWindow* l = ShowInfoVELTRANE(m_owner);
    InfoWindow* uf = ShowInfoUF(m_owner);
    QVERIFY(l != uf);
    QCOMPARE(l->objectName(), QString("InfoVELTRANE"));
    QCOMPARE(l->windowTitle(), QString("Definition of Cylinder length L"));
    QCOMPARE(uf->objectName(), QString("InfoUF"));
    QCOMPARE(uf->windowTitle(), QString("Basic Usage Factor (ZOD-OS-C201, Sec 2, Table D1/E1)"));
    for (InfoWindow* w : {l, uf}) {
      QCOMPARE(w->parentWidget(), m_owner);
      QVERIFY(w->isWindow() && !w->isModal());
    }
    QVERIFY(Picture(l, "Picture1") && !Picture(l, "Picture2"));
    QVERIFY(Picture(uf, "Picture1") && Picture(uf, "Picture2"));
    // The loading conditions stand above the usage factors.
    QVERIFY(Picture(uf, "Picture2")->y() < Picture(uf, "Picture1")->y());
  }

  void closingRules_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("closes");
    const int v = int(InfoKind::Veltrane), u = int(InfoKind::UsageFactor);
    QTest::newRow("L figure") << v << "Picture1" << int(Qt::LeftButton) << true;
    QTest::newRow("L figure, right button") << v << "Picture1" << int(Qt::RightButton) << false;
    QTest::newRow("usage factors") << u << "Picture1" << int(Qt::LeftButton) << true;
    QTest::newRow("loading conditions") << u << "Picture2" << int(Qt::LeftButton) << false;
  }
  void closingRules() {
    QFETCH(int, kind);
    QFETCH(QString, picture);
    QFETCH(int, button);
    QFETCH(bool, closes);
    InfoWindow* w = ShowInfoWindow(m_owner, InfoKind(kind));
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QTest::mouseClick(w->findChild<InfoPicture*>(picture), Qt::MouseButton(button));
    QCOMPARE(w->isVisible(), !closes);
    Destroy();
    QCOMPARE(m_owner->findChildren<InfoWindow*>().size(), closes ? 0 : 1);
  }

  void oneInstanceEach() {
    InfoWindow* uf = ShowInfoUF(m_owner);
    QCOMPARE(ShowInfoUF(m_owner), uf);
    InfoWindow* l = ShowInfoVELTRANE(m_owner);
    QCOMPARE(ShowInfoVELTRANE(m_owner), l);
    QCOMPARE(m_owner->findChildren<InfoWindow*>().size(), 2);
    uf->close();
    InfoWindow* again = ShowInfoUF(m_owner);  // before the closed one is gone
    QVERIFY(again != uf && again->isVisible());
    Destroy();
    QCOMPARE(m_owner->findChildren<InfoWindow*>().size(), 2);
  }

  void picturesAreDrawn() {
    InfoWindow* uf = ShowInfoUF(m_owner);
    const QImage table = Picture(uf, "Picture1")->grab().toImage();
    int dark = 0;
    for (int y = 0; y < table.height(); ++y)
      for (int x = 0; x < table.width(); ++x) dark += qGray(table.pixel(x, y)) < 100;
    QVERIFY(dark > 500);  // lines and text, not an empty picture
  }
};

QTEST_MAIN(TestInfoWindows)
#include "test_infowindows.moc"
