// Two starts of the real program on one folder of settings and memo: however the first
// copy behaves, the second never becomes another writer of that folder.
#include <QtTest>

#include <QProcess>

#include <csignal>
#include <sys/stat.h>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "fixtures/temp_dir.h"

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

ino_t Inode(const fs::path& p) {
  struct stat st {};
  return ::stat(p.c_str(), &st) == 0 ? st.st_ino : 0;
}

// The program copied into `dir`: a build tree's executable keeps its files beside it, so
// the copy's folder is the one both starts share.
QString InstallCopy(const glyphgrab::testing::TempDir& dir) {
  const fs::path exe = dir.path() / "glyphgrab";
  fs::copy_file(GLYPHGRAB_APP, exe);
  return QString::fromStdString(exe.string());
}

void StartOffscreen(QProcess& p, const QString& exe, const QStringList& args = {}) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  p.setProcessEnvironment(env);
  p.start(exe, args);
}

}  // namespace

class SingleInstanceE2ETest : public QObject {
  Q_OBJECT

 private slots:
  // A frozen first copy (stopped by a signal here) keeps the folder: the second start
  // waits for an answer, says that none came, and ends without writing a thing there.
  void aFrozenFirstCopyKeepsTheFolder() {
    glyphgrab::testing::TempDir dir;
    const QString exe = InstallCopy(dir);
    const std::string memo = "\xEF\xBB\xBFline of A\r\n";
    dir.Write("Memo.txt", memo);
    const fs::path memoPath = dir.path() / "Memo.txt";
    const fs::path settings = dir.path() / "glyphgrab.dat";

    QProcess first;
    StartOffscreen(first, exe);
    QVERIFY(first.waitForStarted());
    // Listening means its start-up went far enough to own the folder.
    QTRY_VERIFY_WITH_TIMEOUT(fs::exists(dir.path() / "glyphgrab.socket"), 20000);
    QTest::qWait(1500);  // past its first timed memo save
    const ino_t memoInode = Inode(memoPath);
    const auto memoTime = fs::last_write_time(memoPath);
    QVERIFY(!fs::exists(settings));
    ::kill(static_cast<pid_t>(first.processId()), SIGSTOP);

    QProcess second;
    second.setProcessChannelMode(QProcess::SeparateChannels);
    StartOffscreen(second, exe, {QString::fromStdString(dir.path().string())});
    QVERIFY(second.waitForStarted());
    QString said;
    QTRY_VERIFY_WITH_TIMEOUT((said += QString::fromUtf8(second.readAllStandardError())).contains(
                                 QStringLiteral("応答しません")),
                             40000);
    // Whether it waits in a box or runs on, a closing request must not make it save.
    ::kill(static_cast<pid_t>(second.processId()), SIGTERM);
    QVERIFY(second.waitForFinished(10000));

    QCOMPARE(ReadAll(memoPath), memo);
    QCOMPARE(Inode(memoPath), memoInode);
    QVERIFY(fs::last_write_time(memoPath) == memoTime);
    QVERIFY(!fs::exists(settings));

    // The first copy goes on as the writer and saves at its closing.
    ::kill(static_cast<pid_t>(first.processId()), SIGCONT);
    ::kill(static_cast<pid_t>(first.processId()), SIGTERM);
    QVERIFY(first.waitForFinished(10000));
    QVERIFY(fs::exists(settings));
    QCOMPARE(ReadAll(memoPath), memo);
  }

  // A first copy that answers takes the second start's folder over; the second ends.
  void anAnsweringFirstCopyTakesTheFile() {
    glyphgrab::testing::TempDir dir;
    const QString exe = InstallCopy(dir);
    QProcess first;
    StartOffscreen(first, exe);
    QVERIFY(first.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(fs::exists(dir.path() / "glyphgrab.socket"), 20000);
    QProcess second;
    StartOffscreen(second, exe, {QString::fromStdString(dir.path().string())});
    QVERIFY(second.waitForFinished(20000));
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(first.state(), QProcess::Running);
    ::kill(static_cast<pid_t>(first.processId()), SIGTERM);
    QVERIFY(first.waitForFinished(10000));
    // Its closing takes the socket away with it.
    QVERIFY(!fs::exists(dir.path() / "glyphgrab.socket"));
  }
};

QTEST_MAIN(SingleInstanceE2ETest)
#include "single_instance_e2e_test.moc"
