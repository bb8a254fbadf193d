// The search window over a started main window: keyword normalisation, names and
// contents, searches that do nothing, the keyword history, opening a result through the
// main window, Esc part way, and the options kept in the settings.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QtTest>

#include <atomic>
#include <filesystem>

#include "gui/qt/search_window.h"
#include "gui_fixture.h"

using namespace glyphgrab;
using namespace glyphgrab::gui;
using glyphgrab::testing::GuiProbe;
using glyphgrab::testing::TempDir;
using glyphgrab::testing::U16;
namespace fs = std::filesystem;

namespace {

// Down from a query number set while the test runs.
class ArmedEsc final : public EscKeyState {
 public:
  bool IsEscDown() override {
    const int n = queries.fetch_add(1);
    const int from = downFrom.load();
    return from >= 0 && n >= from;
  }
  void ArmAfter(int more) { downFrom = queries.load() + more; }
  std::atomic<int> queries{0};
  std::atomic<int> downFrom{-1};
};

// root/ with the folders d00..d11 (nodes 1..12); a few text files spread over them.
struct Fixture {
  TempDir dir;
  fs::path app = dir.path() / "app";
  fs::path root = dir.path() / "root";
  GuiProbe probe;
  ArmedEsc* esc = nullptr;
  std::unique_ptr<MainWindow> main;
  std::unique_ptr<SearchWindow> search;

  explicit Fixture(bool withFolder = true, int manyHits = 0) {
    fs::create_directories(app);
    for (int i = 0; i < 12; ++i) fs::create_directories(root / QStringLiteral("d%1").arg(i, 2, 10, QChar('0')).toStdString());
    dir.Write("root/d01/half.txt", "xx AB yy\r\n");
    dir.Write("root/d02/full.txt", "\xEF\xBB\xBF\xEF\xBD\x9A\xEF\xBD\x81\xEF\xBD\x82\r\n");  // ｚａｂ
    dir.Write("root/d03/other.txt", "nothing\r\n");
    dir.Write("root/d03/abname.csv", "zzz\r\n");
    dir.Write("root/d03/skipped.dat", "AB\r\n");
    dir.Write("root/d11/target.txt", "plain\r\n");
    for (int i = 0; i < manyHits; ++i) {
      dir.Write("root/d05/hit" + std::to_string(1000 + i) + ".txt", "hit\r\n");
    }
    TSettings s;
    s.rootFolder = U16(root) + u"/";
    s.preFolder = withFolder ? U16(root) : u"";
    for (std::size_t i = 5; i <= 13; ++i) s.optFlags[i] = true;
    s.keywordHistory = {u"old", u"older"};
    s.searchWindow = TWindowGeometry{20, 30, 450, 360};
    SettingsSave(U16(app / "glyphgrab.dat"), s);

    ui::Desktop desktop = testing::TestDesktop(probe);
    auto armed = std::make_unique<ArmedEsc>();
    esc = armed.get();
    desktop.esc = std::move(armed);
    main = std::make_unique<MainWindow>(testing::TestAppFiles(app), std::move(desktop), testing::TestBoxes(probe));
    main->StartUp();
    QTRY_VERIFY_WITH_TIMEOUT(!main->TreeScanRunning(), 10000);
    search = std::make_unique<SearchWindow>(*main);
    SearchWindow* w = search.get();
    main->logic().collectSettings = [w] { w->StoreSettings(); };
  }

  ~Fixture() {
    main->logic().collectSettings = nullptr;
    search.reset();
  }

  void Modes(bool names, bool contents) {
    search->CheckBoxes[ui::SearchBoxOf(&SearchOptions::names)]->setChecked(names);
    search->CheckBoxes[ui::SearchBoxOf(&SearchOptions::contents)]->setChecked(contents);
  }

  void Run(const QString& keyword) {
    search->ComboBox1->setEditText(keyword);
    search->Button1Click();
    QTRY_VERIFY_WITH_TIMEOUT(!search->Searching(), 10000);
    QCoreApplication::processEvents();
  }

  // The file names of the result lines, in list order.
  QStringList Found() const {
    QStringList names;
    for (int i = 0; i < search->ListBox1->count(); ++i) {
      std::u16string path;
      int node = 0;
      if (ParseResultLine(FromQ(search->ListBox1->item(i)->text()), path, node)) {
        names.push_back(ToQ(FileBaseName(path)));
      }
    }
    return names;
  }

  QStringList History() const {
    QStringList items;
    for (int i = 0; i < search->ComboBox1->count(); ++i) items.push_back(search->ComboBox1->itemText(i));
    return items;
  }
};

}  // namespace

class SearchWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void startsFromTheSettings() {
    Fixture f;
    QCOMPARE(f.search->windowTitle(), QStringLiteral("検索"));
    // Transient for the main window.
    QCOMPARE(f.search->parentWidget(), f.main.get());
    // What the number after ":" is, said over the list and on it.
    QCOMPARE(f.search->ResultsHeader->text(), ToQ(ui::kResultsHeader));
    QCOMPARE(f.search->ListBox1->toolTip(), ToQ(ui::kResultsHeader));
    QCOMPARE(f.search->pos(), QPoint(20, 30));
    QCOMPARE(f.History(), QStringList({"old", "older"}));
    QVERIFY(f.search->ComboBox1->currentText().isEmpty());
    for (QCheckBox* box : f.search->CheckBoxes) QVERIFY(box->isChecked());
    QCOMPARE(f.search->Button1->shortcut(), QKeySequence(Qt::ALT | Qt::Key_S));
    f.search->ShowSearch();
    QTRY_VERIFY(f.search->ComboBox1->hasFocus());
    // The keyword box keeps the panel's width less 6 pixels, and at least 140.
    f.search->resize(600, 360);
    QTRY_COMPARE(f.search->ComboBox1->x() + f.search->ComboBox1->width(), f.search->Panel1->width() - 6);
    QCOMPARE(f.search->ComboBox1->x(), f.search->Label1->x());
    f.search->Panel1->resize(100, 120);
    QCOMPARE(f.search->ComboBox1->width(), 140);
  }

  void keywordIsNormalised() {
    Fixture f;
    f.Modes(false, true);
    f.Run(QStringLiteral("ａ b"));  // full-width a, a blank, half-width b
    QCOMPARE(f.Found(), QStringList({"half.txt", "full.txt"}));
    QCOMPARE(f.search->statusText(), QStringLiteral("検索終了：対象5ファイル中、2ファイル"));
    QVERIFY(f.search->Button1->isEnabled());
    QVERIFY(f.search->Button2->isEnabled());
  }

  void namesAndContents_data() {
    QTest::addColumn<bool>("names");
    QTest::addColumn<bool>("contents");
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("names only") << true << false << "ab" << QStringList({"abname.csv"});
    QTest::newRow("contents only") << false << true << "ab" << QStringList({"half.txt", "full.txt"});
    QTest::newRow("both") << true << true << "ab" << QStringList({"half.txt", "full.txt", "abname.csv"});
    QTest::newRow("extension is part of the name") << true << false << "TXT"
        << QStringList({"half.txt", "full.txt", "other.txt", "target.txt"});
  }
  void namesAndContents() {
    QFETCH(bool, names);
    QFETCH(bool, contents);
    QFETCH(QString, keyword);
    QFETCH(QStringList, found);
    Fixture f;
    f.Modes(names, contents);
    f.Run(keyword);
    QCOMPARE(f.Found(), found);
  }

  void uncheckedTypesAreSkipped() {
    Fixture f;
    f.search->CheckBoxes[ui::SearchBoxOf(FileKind::kTxt)]->setChecked(false);
    f.Run(QStringLiteral("ab"));
    QCOMPARE(f.Found(), QStringList({"abname.csv"}));
    QCOMPARE(f.search->statusText(), QStringLiteral("検索終了：対象1ファイル中、1ファイル"));
    QVERIFY(!f.main->settings().optFlags[kOptSearchTxt]);  // the boxes were copied into the options
  }

  void historyKeepsTheNewestFormOnTop() {
    Fixture f;
    f.Run(QStringLiteral("abc"));
    f.Run(QStringLiteral("xyz"));
    f.Run(QStringLiteral("xyz"));
    QCOMPARE(f.History(), QStringList({"xyz", "abc", "old", "older"}));
    f.Run(QStringLiteral("ABC"));
    QCOMPARE(f.History(), QStringList({"ABC", "xyz", "old", "older"}));
    QCOMPARE(f.search->ComboBox1->currentText(), QStringLiteral("ABC"));
    for (int i = 0; i < 40; ++i) f.search->ComboBox1->addItem(QStringLiteral("k%1").arg(i));
    f.search->move(5, 6);
    f.main->close();
    const TSettings s = SettingsLoad(U16(f.app / "glyphgrab.dat"));
    QCOMPARE(s.keywordHistory.size(), std::size_t{30});
    QCOMPARE(s.keywordHistory[0], std::u16string(u"ABC"));
    QCOMPARE(s.searchWindow.left, 5);
    QVERIFY(s.optFlags[13]);
  }

  void resultClickOpensTheFileInTheMainWindow() {
    Fixture f;
    f.Modes(true, false);
    f.Run(QStringLiteral("target"));
    QCOMPARE(f.search->ListBox1->count(), 1);
    const QString line = f.search->ListBox1->item(0)->text();
    QCOMPARE(line, ToQ(U16(f.root / "d11") + u"/target.txt　　:12"));
    f.search->ListBox1->setCurrentRow(0);
    // Enter opens the result as a click does.
    f.search->show();
    QApplication::setActiveWindow(f.search.get());
    f.search->ListBox1->setFocus();
    QTest::keyClick(f.search->ListBox1, Qt::Key_Return);
    QCOMPARE(f.main->preFolder(), U16(f.root / "d11"));
    QCOMPARE(f.main->ComboBox1->currentIndex(), 6);
    QTRY_VERIFY(!f.main->ExtractionRunning());
    QCOMPARE(f.main->ListBox1->count(), 2);
    QCOMPARE(f.main->ListBox1->item(1)->text(), QStringLiteral("plain"));

    // A file deleted since: the folder is selected and nothing opens.
    f.Run(QStringLiteral("half"));
    fs::remove(f.root / "d01" / "half.txt");
    f.search->ListBox1->setCurrentRow(0);
    f.search->ListBox1Click();
    QCOMPARE(f.main->preFolder(), U16(f.root / "d01"));
    QVERIFY(f.main->fileRows().empty());
    QVERIFY(f.main->ListBox1->findItems(QStringLiteral("【half.txt】"), Qt::MatchExactly).isEmpty());
  }

  void escPartWayKeepsTheLinesFound() {
    Fixture f(true, 200);
    f.Modes(false, true);
    f.esc->ArmAfter(40);
    f.Run(QStringLiteral("hit"));
    const int found = f.search->ListBox1->count();
    QVERIFY2(found > 0 && found < 200, qPrintable(QString::number(found)));
    QCOMPARE(f.search->statusText(), QStringLiteral("《ESC:中断しました》"));
    QVERIFY(f.search->Button1->isEnabled());
    QCOMPARE(f.History().first(), QStringLiteral("hit"));
  }
};

QTEST_MAIN(SearchWindowTest)
#include "search_window_test.moc"
