// The main window over a temporary folder of fixture files: start-up and closing, the
// folder tree, the file list and its sort, extraction, copy and send.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QToolTip>
#include <QTreeWidget>
#include <QScreen>
#include <QtTest>

#include <chrono>
#include <atomic>
#include <filesystem>
#include <thread>
#include <tuple>

#include "browse/preview_settings.h"
#include "browse/settings.h"
#include "gui/qt/drawing_preview.h"
#include "gui/qt/qt_translations.h"
#include "gui/qt/settings_dialog.h"
#include "gui_fixture.h"
#include "memo/memo_file.h"

using namespace glyphgrab;
using namespace glyphgrab::gui;
using glyphgrab::testing::GuiProbe;
using glyphgrab::testing::TempDir;
using glyphgrab::testing::U16;
namespace fs = std::filesystem;

namespace {

// root/ with the folders b, a and a/c; the files live in a.
struct Fixture {
  TempDir dir;
  fs::path app = dir.path() / "app";
  fs::path root = dir.path() / "root";
  fs::path a = root / "a";
  GuiProbe probe;
  std::unique_ptr<MainWindow> window;

  Fixture() {
    fs::create_directories(app);
    fs::create_directories(root / "b");
    fs::create_directories(a / "c");
    fs::create_directories(root / ".hidden");
    dir.Write("root/a/one.txt", "first line\r\nsecond line\r\n");
    dir.Write("root/a/two.csv", std::string("\r\nlater,text\r\n"));
    dir.Write("root/a/size999.txt", std::string(999, 'x'));
    dir.Write("root/a/size1000.txt", std::string(1000, 'y'));
    dir.Write("root/a/page.htm", "<HTML><TITLE>Page title</TITLE></HTML>\r\n");
  }

  void SaveSettings(const std::u16string& rootFolder, const std::u16string& preFolder) {
    TSettings s;
    s.rootFolder = rootFolder;
    s.preFolder = preFolder;
    QVERIFY(SettingsSave(U16(app / "glyphgrab.dat"), s));
  }

  MainWindow& Start(int escDownFromQuery = -1, std::u16string startPath = {}) {
    window = std::make_unique<MainWindow>(testing::TestAppFiles(app),
                                          testing::TestDesktop(probe, escDownFromQuery),
                                          testing::TestBoxes(probe));
    window->OpenAtStartUp(std::move(startPath));
    window->StartUp();
    WaitForTree();
    return *window;
  }

  void WaitForTree() {
    QTRY_VERIFY_WITH_TIMEOUT(!window->TreeScanRunning(), 10000);
  }

  QStringList ListBoxLines() const {
    QStringList lines;
    for (int i = 0; i < window->ListBox1->count(); ++i) lines.push_back(window->ListBox1->item(i)->text());
    return lines;
  }

  QStringList FileNames() const {
    QStringList names;
    for (int r = 0; r < window->ListView1->rowCount(); ++r) names.push_back(window->ListView1->item(r, 0)->text());
    return names;
  }

  void SelectFiles(const QStringList& names) {
    window->ListView1->clearSelection();
    for (int r = 0; r < window->ListView1->rowCount(); ++r) {
      if (names.contains(window->ListView1->item(r, 0)->text())) {
        window->ListView1->selectionModel()->select(
            window->ListView1->model()->index(r, 0),
            QItemSelectionModel::Select | QItemSelectionModel::Rows);
      }
    }
  }
};

int CurrentNode(const MainWindow& w) {
  QTreeWidgetItem* item = w.TreeView1->currentItem();
  return item == nullptr ? -1 : item->data(0, Qt::UserRole).toInt();
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void firstStartWithoutSettings() {
    Fixture f;
    MainWindow& w = f.Start();
    QCOMPARE(w.windowTitle(), QStringLiteral("Glyphgrab Ver.1.10"));
    // No root yet: the folder button asks for one and has the keys.
    QCOMPARE(w.ButtonF->text(), QStringLiteral("フォルダを選択…"));
    QCOMPARE(w.focusWidget(), w.ButtonF);
    QCOMPARE(w.TreeView1->topLevelItemCount(), 0);
    QCOMPARE(w.Label1->text(), QStringLiteral("参照フォルダ："));
    QCOMPARE(w.ListView1->rowCount(), 0);
    QCOMPARE(w.ListBox1->count(), 0);
    QCOMPARE(w.ComboBox1->count(), 9);
    QCOMPARE(w.ComboBox1->itemText(1), QStringLiteral("Jw_cad ファイル (*.jw?)"));
    // 600 by 520 at 64, 64, but never narrower than the row of buttons needs.
    QCOMPARE(w.pos(), QPoint(64, 64));
    QCOMPARE(w.height(), 520);
    QVERIFY(w.width() >= 600 && w.width() == std::max(600, w.minimumSizeHint().width()));
    QVERIFY(fs::is_directory(f.app / "TEMP"));
    QVERIFY(f.probe.messages.isEmpty());

    // Closing removes the empty temporary folder, then writes settings and memo.
    w.close();
    QVERIFY(!fs::exists(f.app / "TEMP"));
    QVERIFY(fs::is_regular_file(f.app / "glyphgrab.dat"));
    QVERIFY(fs::is_regular_file(f.app / "Memo.txt"));
  }

  void startSelectsTheSavedFolder_data() {
    QTest::addColumn<QString>("saved");
    QTest::addColumn<int>("node");
    QTest::addColumn<int>("files");
    QTest::newRow("inside the tree") << "root/a" << 1 << 5;
    // The node is found ignoring letter case; the folder itself does not exist.
    QTest::newRow("letter case differs") << "root/A" << 1 << 0;
    QTest::newRow("outside the tree") << "outside" << -1 << 1;
    QTest::newRow("removed") << "gone" << -1 << 0;
  }
  void startSelectsTheSavedFolder() {
    QFETCH(QString, saved);
    QFETCH(int, node);
    QFETCH(int, files);
    Fixture f;
    f.dir.Write("outside/x.txt", "x\r\n");
    const std::u16string pre = U16(f.dir.path()) + u"/" + saved.toStdU16String();
    f.SaveSettings(U16(f.root) + u"/", pre);
    MainWindow& w = f.Start();
    // The tree: root, a, c, b, fully expanded; hidden folders left out.
    QCOMPARE(w.folderTree().size(), std::size_t{4});
    QCOMPARE(w.TreeView1->topLevelItem(0)->text(0), QString::fromStdU16String(U16(f.root) + u"/"));
    QCOMPARE(w.TreeView1->topLevelItem(0)->child(0)->text(0), QStringLiteral("a"));
    QCOMPARE(w.TreeView1->topLevelItem(0)->child(1)->text(0), QStringLiteral("b"));
    QVERIFY(w.TreeView1->topLevelItem(0)->child(0)->isExpanded());
    QCOMPARE(CurrentNode(w), node);
    QCOMPARE(w.ListView1->rowCount(), files);
    QCOMPARE(w.Label1->text(), QStringLiteral("参照フォルダ：") + QString::fromStdU16String(pre));
  }

  void rootThatVanishedIsExplained() {
    Fixture f;
    f.SaveSettings(U16(f.dir.path() / "no-such-root") + u"/", u"");
    MainWindow& w = f.Start();
    QCOMPARE(f.probe.messages, QStringList({QStringLiteral("検索フォルダのディスクドライブの準備が出来ていません。")}));
    QCOMPARE(f.probe.beeps, 1);
    // The status line names the folder that is gone.
    QCOMPARE(w.statusText(), QStringLiteral("検索フォルダ「") + QString::fromStdU16String(U16(f.dir.path() / "no-such-root")) +
                                 QStringLiteral("/」がありません。検索フォルダを指定して下さい。"));
    QCOMPARE(w.TreeView1->topLevelItemCount(), 0);
  }

  // Started before it is shown, as the tool starts: the beep and the error box wait for
  // the window to be on the screen.
  void startUpNoticesComeWithTheWindow() {
    Fixture f;
    f.SaveSettings(U16(f.dir.path() / "no-such-root") + u"/", u"");
    f.window = std::make_unique<MainWindow>(testing::TestAppFiles(f.app), testing::TestDesktop(f.probe),
                                            testing::TestBoxes(f.probe));
    MainWindow& w = *f.window;
    QStringList errors;
    w.boxes().error = [&errors](QWidget*, const QString& text) { errors.push_back(text); };
    w.NoticesAfterShow();
    w.StartUp();
    f.WaitForTree();
    QCOMPARE(f.probe.beeps, 0);
    QVERIFY(errors.isEmpty());
    w.show();
    QTRY_COMPARE(errors, QStringList({QStringLiteral("検索フォルダのディスクドライブの準備が出来ていません。")}));
    QCOMPARE(f.probe.beeps, 1);
    QVERIFY(f.probe.messages.isEmpty());  // an error box, not an information box
  }

  void escStopsTheScan() {
    Fixture f;
    f.SaveSettings(U16(f.root) + u"/", u"");
    MainWindow& w = f.Start(/*escDownFromQuery=*/0);
    QCOMPARE(w.statusText(), QStringLiteral("フォルダ検索を中断しました。"));
    QVERIFY(w.folderTree().size() < 4);
    QVERIFY(w.TreeView1->isEnabled());
    QVERIFY(w.ButtonF->isEnabled());
  }

  void choosingARootRebuildsTheTreeCollapsed() {
    Fixture f;
    f.SaveSettings(U16(f.root) + u"/", U16(f.a));
    MainWindow& w = f.Start();
    const QString label = w.Label1->text();
    w.BrowseForFolderAccept(U16(f.a));
    QVERIFY(!w.ButtonF->isEnabled() || !w.TreeScanRunning());
    f.WaitForTree();
    QCOMPARE(w.ButtonF->text(), QString::fromStdU16String(U16(f.a) + u"/"));
    QCOMPARE(w.TreeView1->topLevelItemCount(), 1);
    QVERIFY(!w.TreeView1->topLevelItem(0)->isExpanded());
    QCOMPARE(w.TreeView1->topLevelItem(0)->childCount(), 1);  // c
    QCOMPARE(w.Label1->text(), label);
    QCOMPARE(w.ListView1->rowCount(), 5);

    // A click on the node c lists that folder.
    w.TreeView1->setCurrentItem(w.TreeView1->topLevelItem(0)->child(0));
    w.TreeView1Click();
    QCOMPARE(w.preFolder(), U16(f.a / "c"));
    QCOMPARE(w.ListView1->rowCount(), 0);
    QCOMPARE(w.statusText(), QStringLiteral("ファイル検索しました（ファイル数：0）"));
  }

  void filterAndColumns() {
    Fixture f;
    f.SaveSettings(U16(f.root) + u"/", U16(f.a));
    MainWindow& w = f.Start();
    QCOMPARE(w.statusText(), QStringLiteral("ファイル検索しました（ファイル数：5）"));
    QCOMPARE(w.ListView1->horizontalHeaderItem(2)->text(), QStringLiteral("図面メモ"));
    const int one = f.FileNames().indexOf("one.txt");
    QCOMPARE(w.ListView1->item(one, 1)->text(), QStringLiteral(".txt"));
    QCOMPARE(w.ListView1->item(one, 2)->text(), QStringLiteral("first line"));
    const int page = f.FileNames().indexOf("page.htm");
    QCOMPARE(w.ListView1->item(page, 2)->text(), QStringLiteral("Page title"));
    QCOMPARE(w.ListView1->item(f.FileNames().indexOf("two.csv"), 2)->text(), QString());

    w.ComboBox1->setCurrentIndex(7);  // CSV
    w.ComboBox1Select();
    QCOMPARE(f.FileNames(), QStringList({"two.csv"}));
  }

  void sortBySizeAndDate() {
    Fixture f;
    f.SaveSettings(U16(f.root) + u"/", U16(f.a));
    const auto now = fs::last_write_time(f.a / "one.txt");
    fs::last_write_time(f.a / "size1000.txt", now - std::chrono::hours(48));
    fs::last_write_time(f.a / "size999.txt", now - std::chrono::hours(24));
    fs::last_write_time(f.a / "two.csv", now + std::chrono::hours(24));
    fs::last_write_time(f.a / "page.htm", now + std::chrono::hours(48));
    MainWindow& w = f.Start();

    w.ListView1ColumnClick(4);  // the first click sorts descending
    QCOMPARE(f.FileNames().mid(0, 2), QStringList({"size1000.txt", "size999.txt"}));
    w.ListView1ColumnClick(4);
    QCOMPARE(f.FileNames().mid(3, 2), QStringList({"size999.txt", "size1000.txt"}));

    w.ListView1ColumnClick(3);  // another column: the direction turns again, descending
    QCOMPARE(f.FileNames(), QStringList({"page.htm", "two.csv", "one.txt", "size999.txt", "size1000.txt"}));
  }

  void extractionEqualsTheCommandLine() {
    Fixture f;
    QStringList picked = {"one.txt", "page.htm", "two.csv"};
    const fs::path corpus = fs::path(GLYPHGRAB_CORPUS_DIR) / "jww" / "004.jww";
    if (fs::exists(corpus)) {
      fs::copy_file(corpus, f.a / "plan.jww");
      picked.push_back("plan.jww");
    } else {
      qInfo("corpus folder absent: extracting text files only");
    }
    f.SaveSettings(U16(f.root) + u"/", U16(f.a));
    MainWindow& w = f.Start();
    f.SelectFiles(picked);
    w.ListView1Click();
    QTRY_VERIFY(!w.ExtractionRunning());

    QStringList args = {"extract"};
    for (const QString& name : f.FileNames()) {  // list order, as the window takes them
      if (picked.contains(name)) args.push_back(QString::fromStdString((f.a / name.toStdString()).string()));
    }
    QProcess cli;
    cli.start(GLYPHGRAB_CLI, args);
    QVERIFY(cli.waitForFinished(20000));
    QCOMPARE(cli.exitCode(), 0);
    QStringList expected = QString::fromUtf8(cli.readAllStandardOutput()).split('\n');
    if (!expected.isEmpty() && expected.back().isEmpty()) expected.pop_back();
    QCOMPARE(f.ListBoxLines(), expected);
    QVERIFY(f.ListBoxLines().contains("【one.txt】"));
    QCOMPARE(w.statusText(), QString());
  }

  void mouseClicksInTheFileList() {
    Fixture f;
    f.SaveSettings(U16(f.root) + u"/", U16(f.a));
    MainWindow& w = f.Start();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const int one = f.FileNames().indexOf("one.txt");
    const QRect row = w.ListView1->visualRect(w.ListView1->model()->index(one, 0));
    QTest::mouseClick(w.ListView1->viewport(), Qt::LeftButton, {}, row.center());
    QTRY_COMPARE(f.ListBoxLines(), QStringList({"【one.txt】", "first line", "second line"}));

    // A click below the rows selects nothing: the list empties.
    QTest::mouseClick(w.ListView1->viewport(), Qt::LeftButton, {},
                      QPoint(5, w.ListView1->viewport()->height() - 5));
    QTRY_COMPARE(f.ListBoxLines(), QStringList());

    // A double click (press, release, double-click press, release) opens the file.
    QTest::mouseClick(w.ListView1->viewport(), Qt::LeftButton, {}, row.center());
    QTest::mouseDClick(w.ListView1->viewport(), Qt::LeftButton, {}, row.center());
    QTRY_COMPARE(f.probe.misc->opened.size(), std::size_t{1});
    QCOMPARE(f.probe.misc->opened[0], U16(f.a / "one.txt"));
  }

  // The keys open what they select, after a pause; Enter at once; Tab goes from pane to
  // pane, never from cell to cell.
  void keyboardOpensFoldersAndFiles() {
    Fixture f;
    f.SaveSettings(U16(f.root) + u"/", U16(f.a));
    MainWindow& w = f.Start();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.activateWindow();
    w.TreeView1->setFocus();
    const int b = w.folderTree().FindFolder(U16(f.root / "b"));
    QTest::keyClick(w.TreeView1, Qt::Key_Down);  // a/c
    QTest::keyClick(w.TreeView1, Qt::Key_Down);  // b
    QCOMPARE(CurrentNode(w), b);
    QCOMPARE(w.preFolder(), U16(f.a));  // still waiting
    QTRY_COMPARE(w.preFolder(), U16(f.root / "b"));
    QCOMPARE(f.FileNames(), QStringList());

    QTest::keyClick(w.TreeView1, Qt::Key_Up);
    QTest::keyClick(w.TreeView1, Qt::Key_Up);  // a
    QTest::keyClick(w.TreeView1, Qt::Key_Return);
    QCOMPARE(w.preFolder(), U16(f.a));  // Enter does not wait

    QTest::keyClick(w.TreeView1, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.ListView1));
    QTest::keyClick(w.ListView1, Qt::Key_Home);
    QTRY_VERIFY(!f.ListBoxLines().isEmpty());
    QCOMPARE(f.ListBoxLines().value(0), "【" + f.FileNames().value(0) + "】");
    QTest::keyClick(w.ListView1, Qt::Key_End);
    QTRY_COMPARE(f.ListBoxLines().value(0), "【" + f.FileNames().back() + "】");

    QTest::keyClick(w.ListView1, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.ListBox1));
    QTest::keyClick(w.ListBox1, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w.Button2));
  }

  void copyAndSendFromTheExtractionList() {
    Fixture f;
    f.SaveSettings(U16(f.root) + u"/", U16(f.a));
    MainWindow& w = f.Start();
    f.SelectFiles({"one.txt"});
    w.ListView1Click();
    QTRY_VERIFY(!w.ExtractionRunning());
    QCOMPARE(f.ListBoxLines(), QStringList({"【one.txt】", "first line", "second line"}));
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText("before");

    // A file header line is copied like any text line; only section headers are not.
    w.ListBox1->setCurrentRow(1);
    w.ListBox1Click();
    QCOMPARE(clipboard->text(), QStringLiteral("first line"));
    QCOMPARE(w.statusText(), QStringLiteral("文字「first line」をコピーしました。"));

    // No target window: the notice, nothing copied, nothing typed.
    clipboard->setText("before");
    w.ListBox1->setCurrentRow(2);
    w.ListBox1DblClick();
    QCOMPARE(f.probe.messages, QStringList({QStringLiteral("指定ソフト「jw_win」が起動されていません。")}));
    QCOMPARE(f.probe.beeps, 1);
    QCOMPARE(clipboard->text(), QStringLiteral("before"));
    QVERIFY(f.probe.journal.empty());

    // With the target: the line on the clipboard, the window activated, keys typed.
    f.probe.windows->windows = {{0x2, u"jw_win test", false, true}};
    w.ListBox1DblClick();
    QCOMPARE(clipboard->text(), QStringLiteral("second line"));
    // The keys are typed on a worker: the window answers meanwhile and says so.
    QCOMPARE(w.statusText(), QStringLiteral("コマンド「@DA^V」を送信中です。（Escで中止）"));
    QTRY_COMPARE(w.statusText(), QStringLiteral("コマンド「@DA^V」を送信しました。"));
    QVERIFY(!f.probe.journal.empty());
    QCOMPARE(QString::fromStdString(f.probe.journal.front()), QStringLiteral("activate 0x2"));
  }

  // The texts are read on a worker; a selection made while an older one is still read
  // replaces it, and the older list never shows up afterwards.
  void aNewerSelectionReplacesARunningExtraction() {
    Fixture f;
    std::string big;
    for (int i = 0; i < 400000; ++i) big += "line " + std::to_string(i) + "\r\n";
    f.dir.Write("root/a/big.txt", big);
    f.SaveSettings(U16(f.root) + u"/", U16(f.a));
    MainWindow& w = f.Start();
    f.SelectFiles({"big.txt"});
    w.ListView1Click();
    f.SelectFiles({"one.txt"});
    w.ListView1Click();
    QTRY_VERIFY_WITH_TIMEOUT(!w.ExtractionRunning(), 20000);
    QCOMPARE(f.ListBoxLines(), QStringList({"【one.txt】", "first line", "second line"}));
  }

  // The preview draws the selected drawing, marks the selected line's texts, and its
  // switch and height are kept in a file of their own.
  void previewShowsWhereALineSits() {
    const fs::path corpus = fs::path(GLYPHGRAB_CORPUS_DIR) / "jww" / "016.jww";
    if (!fs::exists(corpus)) QSKIP("corpus folder absent: no drawing to preview");
    Fixture f;
    fs::copy_file(corpus, f.a / "plan.jww");
    f.SaveSettings(U16(f.root) + u"/", U16(f.a));
    MainWindow& w = f.Start();
    QVERIFY(w.Preview->isVisibleTo(&w));
    f.SelectFiles({"plan.jww"});
    w.ListView1Click();
    QTRY_VERIFY(!w.ExtractionRunning());
    QVERIFY(w.Preview->model() != nullptr);
    QCOMPARE(w.Preview->model()->paperName, std::u16string(u"A3"));
    const int row = f.ListBoxLines().indexOf(QStringLiteral("平面図"));
    QVERIFY(row > 0);
    w.ListBox1->setCurrentRow(row);
    QCOMPARE(w.Preview->markedCount(), std::size_t{1});
    w.ListBox1->setCurrentRow(0);  // the file header line is in no drawing
    QCOMPARE(w.Preview->markedCount(), std::size_t{0});
    w.ButtonP->setChecked(false);
    QVERIFY(!w.Preview->isVisibleTo(&w));
    w.close();
    const TPreviewSettings kept = PreviewSettingsLoad(U16(f.app / "glyphgrab-preview.dat"));
    QCOMPARE(kept.visible, false);
  }

  // A right click keeps the selection it adds to the memo; Ctrl+C and Enter copy the
  // current line as a click does; a standard dialog speaks Japanese.
  void keyboardAndRightClickOnTheLines() {
    Fixture f;
    f.SaveSettings(U16(f.root) + u"/", U16(f.a));
    MainWindow& w = f.Start();
    w.show();
    QApplication::setActiveWindow(&w);
    f.SelectFiles({"one.txt"});
    w.ListView1Click();
    QTRY_VERIFY(!w.ExtractionRunning());
    w.ListBox1->item(1)->setSelected(true);
    w.ListBox1->item(2)->setSelected(true);
    QTest::mouseClick(w.ListBox1->viewport(), Qt::RightButton, {}, w.ListBox1->visualItemRect(w.ListBox1->item(0)).center());
    QCOMPARE(w.ListBox1->selectedItems().size(), 2);
    QVERIFY(!w.ListBox1->item(0)->isSelected());

    w.ListBox1->setFocus();
    for (const auto& [key, modifiers, row, line] : {std::tuple{Qt::Key_C, Qt::ControlModifier, 1, "first line"},
                                                     std::tuple{Qt::Key_Return, Qt::NoModifier, 2, "second line"}}) {
      QGuiApplication::clipboard()->setText(QStringLiteral("before"));
      w.ListBox1->setCurrentRow(row, QItemSelectionModel::NoUpdate);
      QTest::keyClick(w.ListBox1, key, modifiers);
      QCOMPARE(QGuiApplication::clipboard()->text(), QString::fromUtf8(line));
    }

    QVERIFY(InstallQtJapanese(*QCoreApplication::instance()));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
  }

  // The side panes come up as wide as the settings say (200 and 100 without a file),
  // and what a run leaves is what the next run shows.
  void paneWidthsAfterAFirstStartAndARestart() {
    const struct {
      const char* what;
      int tree, list;  // 0: no settings file
    } cases[] = {{"defaults", 0, 0}, {"saved", 150, 300}};
    for (const auto& c : cases) {
      Fixture f;
      if (c.tree > 0) {
        TSettings s;
        s.treePaneWidth = c.tree;
        s.listWidth = c.list;
        QVERIFY(SettingsSave(U16(f.app / "glyphgrab.dat"), s));
      }
      const int tree = c.tree > 0 ? c.tree : 200, list = c.list > 0 ? c.list : 100;
      for (int run = 0; run < 2; ++run) {
        MainWindow& w = f.Start();
        w.show();
        const QList<int> sizes = w.Splitter->sizes();
        QVERIFY2(sizes.value(0) == tree && sizes.value(2) == list,
                 qPrintable(QStringLiteral("%1, run %2: %3 %4").arg(c.what).arg(run).arg(sizes.value(0)).arg(sizes.value(2))));
        w.close();
        f.window.reset();
      }
    }
  }

  // A first start keeps its narrow text list, but a window made wider shares the room
  // between the file list and the text list; a line still cut shows whole in a tooltip.
  void aWiderWindowWidensTheTextListAndCutLinesHaveTips() {
    Fixture f;
    const std::string longText(120, 'w');
    f.dir.Write("root/a/long.txt", "short\r\n" + longText + "\r\n");
    f.SaveSettings(U16(f.root) + u"/", U16(f.a));
    MainWindow& w = f.Start();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QList<int> before = w.Splitter->sizes();
    QCOMPARE(before.value(2), 100);
    w.resize(w.width() + 400, w.height());
    QTRY_VERIFY(w.Splitter->sizes().value(2) > 250);
    const QList<int> after = w.Splitter->sizes();
    QCOMPARE(after.value(0), before.value(0));
    QVERIFY(std::abs((after.value(1) - before.value(1)) - (after.value(2) - before.value(2))) <= 2);

    f.SelectFiles({"long.txt"});
    w.ListView1Click();
    QTRY_COMPARE(f.ListBoxLines().size(), 3);
    const auto tipAt = [&](int row) {
      QToolTip::hideText();
      const QPoint at = w.ListBox1->visualItemRect(w.ListBox1->item(row)).center();
      QHelpEvent help(QEvent::ToolTip, at, w.ListBox1->viewport()->mapToGlobal(at));
      QCoreApplication::sendEvent(w.ListBox1->viewport(), &help);
      return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    QCOMPARE(tipAt(1), QString());  // shown whole already
    QCOMPARE(tipAt(2), QString::fromStdString(longText));
    QToolTip::hideText();
  }

  // While the keys of one send are typed, another send is refused, not queued, and Esc
  // ends the running one.
  void aSendRunsAloneAndEscStopsIt() {
    Fixture f;
    f.SaveSettings(U16(f.root) + u"/", U16(f.a));
    MainWindow& w = f.Start();
    f.SelectFiles({"one.txt"});
    w.ListView1Click();
    QTRY_VERIFY(!w.ExtractionRunning());
    QCOMPARE(f.ListBoxLines(), QStringList({"【one.txt】", "first line", "second line"}));
    f.probe.windows->windows = {{0x2, u"jw_win test", false, true}};
    std::atomic<bool> released{false};
    w.desktop().wait = [&released](double) {
      while (!released) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    };
    w.ListBox1->setCurrentRow(2);
    w.ListBox1DblClick();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("second line"));
    w.ListBox1->setCurrentRow(1);
    w.ListBox1DblClick();
    QCOMPARE(f.probe.beeps, 1);
    QCOMPARE(w.statusText(), QStringLiteral("送信中です。送信が終わるまで次の送信は行えません。"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("second line"));
    w.desktop().sender->Stop();
    released = true;
    QTRY_COMPARE(w.statusText(), QStringLiteral("コマンド「@DA^V」の送信を中止しました。キーは送っていません。"));
    // Nothing was pressed before the stop, so nothing is left down.
    QCOMPARE(f.probe.journal, (glyphgrab::FakeJournal{"activate 0x2"}));
  }

  // A file manager's "open with" hands over a file or a folder.
  void startPathOpensAFileOrFolder_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("root");
    QTest::addColumn<int>("node");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("file in the tree") << "root/a/one.txt" << "root/" << 1 << "root/a"
                                      << QStringList({"【one.txt】", "first line", "second line"});
    QTest::newRow("folder in the tree") << "root/a" << "root/" << 1 << "root/a" << QStringList();
    QTest::newRow("file outside: its folder becomes the root")
        << "outside/x.txt" << "outside/" << 0 << "outside" << QStringList({"【x.txt】", "x"});
  }
  void startPathOpensAFileOrFolder() {
    QFETCH(QString, path);
    QFETCH(QString, root);
    QFETCH(int, node);
    QFETCH(QString, folder);
    QFETCH(QStringList, lines);
    Fixture f;
    f.dir.Write("outside/x.txt", "x\r\n");
    const std::u16string t = U16(f.dir.path()) + u"/";
    f.SaveSettings(U16(f.root) + u"/", U16(f.root / "b"));
    MainWindow& w = f.Start(-1, t + path.toStdU16String());
    QCOMPARE(w.ButtonF->text(), QString::fromStdU16String(t) + root);
    QCOMPARE(CurrentNode(w), node);
    QCOMPARE(w.preFolder(), t + folder.toStdU16String());
    QTRY_VERIFY(!w.ExtractionRunning());
    QCOMPARE(f.ListBoxLines(), lines);
    // What was opened is where the next start begins, as after choosing it by hand.
    w.close();
    const TSettings saved = SettingsLoad(U16(f.app / "glyphgrab.dat"));
    QCOMPARE(saved.rootFolder, t + root.toStdU16String());
    QCOMPARE(saved.preFolder, t + folder.toStdU16String());
  }

  // A hand-edited or stale settings file must not put a window beyond the screen or make
  // it too big to paint.
  void windowsFromTheSettingsStayOnTheScreen() {
    Fixture f;
    TSettings s;
    s.rootFolder = U16(f.root) + u"/";
    s.mainWindow = TWindowGeometry{-50000, 70000, 40000, 40000};
    s.settingsDialogLeft = 2147483647;
    s.settingsDialogTop = -2147483647;
    QVERIFY(SettingsSave(U16(f.app / "glyphgrab.dat"), s));
    MainWindow& w = f.Start();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(screen.contains(w.geometry()));
    QVERIFY(screen.contains(QRect(w.settingsDialog()->pos(), QSize(1, 1))));
  }

  void settingsAndMemoSurviveARun() {
    Fixture f;
    f.SaveSettings(U16(f.root) + u"/", U16(f.a));
    {
      MainWindow& w = f.Start();
      w.ComboBox1->setCurrentIndex(6);
      w.ListView1->setColumnWidth(2, 123);
      w.resize(900, 480);
      f.SelectFiles({"one.txt"});
      w.ListView1Click();
      QTRY_VERIFY(!w.ExtractionRunning());
      w.ListBox1->selectAll();
      w.ListBox1ContextPopup();
      w.close();
    }
    const TSettings s = SettingsLoad(U16(f.app / "glyphgrab.dat"));
    QCOMPARE(s.filterIndex, 6);
    QCOMPARE(s.columnWidths[2], 123);
    QCOMPARE(s.mainWindow.width, 900);
    QCOMPARE(s.preFolder, U16(f.a));
    QCOMPARE(s.rootFolder, U16(f.root) + u"/");
    QVERIFY(MemoLoad(U16(f.app / "Memo.txt")).find(u"first line") != std::u16string::npos);
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
