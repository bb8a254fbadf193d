// A second start of the tool hands its path to the running one instead of running
// beside it: two copies would each save the memo at closing, the last undoing the other.
#include <QtTest>

#include <atomic>
#include <thread>

#include "fixtures/temp_dir.h"
#include "gui/qt/single_instance.h"

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
    QCOMPARE(listener.Listen(name), InstanceListener::ListenResult::kListening);
    // The second start waits for the answer, so it runs beside this event loop.
    // Any name arrives whole: a line break, and a unit that UTF-8 cannot carry (what a
    // name that is not UTF-8 becomes).
    const QStringList paths = {QStringLiteral("/plans/洋室 a.jww"), QStringLiteral("/plans/two\nlines.jww"),
                               QStringLiteral("/plans/") + QChar(0xDC82) + QStringLiteral(".jww")};
    for (const QString& path : paths) {
      std::atomic<int> handedOver{-1};
      std::thread second([&] { handedOver = HandOverToRunningInstance(name, path) ? 1 : 0; });
      QTRY_COMPARE(handedOver.load(), 1);
      second.join();
    }
    QCOMPARE(opened, paths);
  }

  // Two starts at once both find nobody; the later one to make the socket must leave
  // the first one's socket alone and hand its path over instead.
  void aSimultaneousStartDefersToTheFirst() {
    glyphgrab::testing::TempDir dir;
    const QString name = InstanceSocketName(QString::fromStdString(dir.path().string()));
    QStringList opened;
    InstanceListener first([&opened](const QString& path) { opened.push_back(path); });
    QCOMPARE(first.Listen(name), InstanceListener::ListenResult::kListening);
    InstanceListener second([](const QString&) {});
    QCOMPARE(second.Listen(name), InstanceListener::ListenResult::kOtherRunning);
    std::atomic<int> handedOver{-1};
    std::thread third([&] { handedOver = HandOverToRunningInstance(name, QStringLiteral("/x")) ? 1 : 0; });
    QTRY_COMPARE(handedOver.load(), 1);
    third.join();
    QCOMPARE(opened, QStringList({QStringLiteral("/x")}));
  }

  void aKilledInstancesSocketIsTakenOver() {
    glyphgrab::testing::TempDir dir;
    const QString name = InstanceSocketName(QString::fromStdString(dir.path().string()));
    dir.Write("glyphgrab.socket", "left behind");
    InstanceListener listener([](const QString&) {});
    QCOMPARE(listener.Listen(name), InstanceListener::ListenResult::kListening);
  }

  void aLongFolderGetsAShortName() {
    const QString name = InstanceSocketName(QStringLiteral("/") + QString(200, QLatin1Char('d')));
    QVERIFY(name.startsWith(QStringLiteral("glyphgrab-")));
    QCOMPARE(name, InstanceSocketName(QStringLiteral("/") + QString(200, QLatin1Char('d'))));
  }
};

QTEST_MAIN(SingleInstanceTest)
#include "single_instance_test.moc"
