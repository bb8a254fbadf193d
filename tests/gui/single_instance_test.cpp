// A second start of the tool hands its path to the running one instead of running
// beside it: two copies would each save the memo at closing, the last undoing the other.
#include <QtTest>

#include <atomic>
#include <thread>

#include "fixtures/temp_dir.h"
#include "gui/single_instance.h"

using namespace glyphgrab::gui;

class SingleInstanceTest : public QObject {
  Q_OBJECT

 private slots:
  void aSecondStartHandsItsPathOver() {
    glyphgrab::testing::TempDir dir;
    const QString name = InstanceSocketName(QString::fromStdString(dir.path().string()));
    QVERIFY(name.startsWith(QString::fromStdString(dir.path().string())));

    // Nobody listens yet: the first start runs by itself.
    QVERIFY(!HandOverToRunningInstance(name, QStringLiteral("/x")));

    QStringList opened;
    InstanceListener listener([&opened](const QString& path) { opened.push_back(path); });
    QVERIFY(listener.Listen(name));
    // The second start waits for the answer, so it runs beside this event loop.
    std::atomic<int> handedOver{-1};
    std::thread second([&] {
      handedOver = HandOverToRunningInstance(name, QStringLiteral("/plans/洋室 a.jww")) ? 1 : 0;
    });
    QTRY_COMPARE(handedOver.load(), 1);
    second.join();
    QCOMPARE(opened, QStringList({QStringLiteral("/plans/洋室 a.jww")}));
  }

  void aKilledInstancesSocketIsTakenOver() {
    glyphgrab::testing::TempDir dir;
    const QString name = InstanceSocketName(QString::fromStdString(dir.path().string()));
    dir.Write("glyphgrab.socket", "left behind");
    InstanceListener listener([](const QString&) {});
    QVERIFY(listener.Listen(name));
  }

  void aLongFolderGetsAShortName() {
    const QString name = InstanceSocketName(QStringLiteral("/") + QString(200, QLatin1Char('d')));
    QVERIFY(name.startsWith(QStringLiteral("glyphgrab-")));
    QCOMPARE(name, InstanceSocketName(QStringLiteral("/") + QString(200, QLatin1Char('d'))));
  }
};

QTEST_MAIN(SingleInstanceTest)
#include "single_instance_test.moc"
