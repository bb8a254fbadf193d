// The memo window over a started main window: adding lines from the extraction list,
// sort, clear all, the selection page, copy and send with and without the one-line
// option, and the memo file and geometry at closing.
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <unistd.h>

#include "gui/qt/memo_window.h"
#include "gui_fixture.h"
#include "memo/memo_file.h"
#include "fixtures/unprivileged.h"
#include "util/file_bytes.h"

using namespace glyphgrab;
using namespace glyphgrab::gui;
using glyphgrab::testing::GuiProbe;
using glyphgrab::testing::TempDir;
using glyphgrab::testing::U16;
namespace fs = std::filesystem;

namespace {

struct Fixture {
  TempDir dir;
  fs::path app = dir.path() / "app";
  fs::path root = dir.path() / "root";
  GuiProbe probe;
  std::unique_ptr<MainWindow> main;
  std::unique_ptr<MemoWindow> memo;
  bool answer = true;
  int questions = 0;
  QString question;

  explicit Fixture(const std::u16string& memoText = u"",
                   const std::optional<std::string>& memoBytes = std::nullopt) {
    fs::create_directories(app);
    fs::create_directories(root);
    dir.Write("root/lines.txt", "alpha\r\nBeta\r\ngamma\r\n");
    TSettings s;
    s.rootFolder = U16(root) + u"/";
    s.preFolder = U16(root);
    s.memoWindow = TWindowGeometry{30, 40, 500, 300};
    SettingsSave(U16(app / "glyphgrab.dat"), s);
    if (memoBytes) {
      dir.Write("app/Memo.txt", *memoBytes);
    } else {
      MemoSave(U16(app / "Memo.txt"), memoText);
    }
    main = std::make_unique<MainWindow>(testing::TestAppFiles(app), testing::TestDesktop(probe),
                                        testing::TestBoxes(probe));
    main->StartUp();
    QTRY_VERIFY_WITH_TIMEOUT(!main->TreeScanRunning(), 10000);
    memo = std::make_unique<MemoWindow>(*main);
    main->boxes().confirm = [this](QWidget*, const QString& text) {
      ++questions;
      question = text;
      return answer;
    };
    MemoWindow* m = memo.get();
    main->logic().memoChanged = [m] { m->MemoChanged(); };
    main->logic().collectSettings = [m] { m->StoreGeometry(); };
  }

  ~Fixture() {
    // The memo window goes first; the main window then closes without it.
    main->logic().memoChanged = nullptr;
    main->logic().collectSettings = nullptr;
    memo.reset();
  }

  void SetMoj1(bool on) { main->settings().activeProfile.Moj1 = on; }

  void AddTarget() {
    probe.windows->windows.push_back(TopLevelWindow{7, u"jw_win - drawing", false, true});
  }

  QStringList ListLines() const {
    QStringList lines;
    for (int i = 0; i < memo->ListBox1->count(); ++i) lines.push_back(memo->ListBox1->item(i)->text());
    return lines;
  }

  void SelectListRows(std::initializer_list<int> rows) {
    memo->ListBox1->clearSelection();
    for (int r : rows) memo->ListBox1->item(r)->setSelected(true);
  }

  // Selects the whole edit box text.
  void SelectAllText() {
    QTextCursor c = memo->Memo1->textCursor();
    c.select(QTextCursor::Document);
    memo->Memo1->setTextCursor(c);
  }
};

}  // namespace

class MemoWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void rightClickAddsNewLinesIgnoringCase() {
    Fixture f(u"alpha\r\nBETA");
    f.memo->ShowMemo();
    // Transient for the main window.
    QCOMPARE(f.memo->parentWidget(), f.main.get());
    QCOMPARE(f.memo->statusText(), QStringLiteral("2行のメモ内容があります。"));
    MainWindow& w = *f.main;
    w.ListView1->selectRow(0);
    w.ListView1Click();
    QTRY_VERIFY(!w.ExtractionRunning());
    QCOMPARE(w.ListBox1->count(), 4);  // the header and three lines

    // Nothing selected: no change, no message.
    w.ListBox1->clearSelection();
    const QString before = w.statusText();
    w.ListBox1ContextPopup();
    QCOMPARE(w.statusText(), before);
    QCOMPARE(f.main->memo().Text(), std::u16string(u"alpha\r\nBETA"));

    for (int r = 1; r <= 3; ++r) w.ListBox1->item(r)->setSelected(true);
    w.ListBox1ContextPopup();
    QCOMPARE(w.statusText(), QStringLiteral("メモに 選択した3行のうち、1行の文字内容を追加登録しました。"));
    // The open edit box follows.
    QCOMPARE(f.memo->Memo1->toPlainText(), QStringLiteral("alpha\nBETA\ngamma"));
  }

  void editsReachTheMemoAndTheFile() {
    Fixture f;
    f.memo->ShowMemo();
    f.memo->Memo1->setPlainText(QStringLiteral("typed\nlines"));
    QCOMPARE(f.main->memo().Text(), std::u16string(u"typed\r\nlines"));
    f.memo->move(11, 22);
    f.memo->resize(640, 360);
    f.main->close();
    Bytes bytes;
    QVERIFY(ReadWholeFile(U16(f.app / "Memo.txt"), bytes));
    QCOMPARE(std::string(bytes.begin(), bytes.end()), std::string("\xEF\xBB\xBFtyped\r\nlines"));
    const TSettings s = SettingsLoad(U16(f.app / "glyphgrab.dat"));
    QCOMPARE(s.memoWindow.width, 640);
    QCOMPARE(s.memoWindow.height, 360);
  }

  // Editing one line must not change a character elsewhere in the memo.
  void everyCharacterSurvivesEditing() {
    const std::u16string text = u"no\u00A0break\u2028separator\r\n\u3000full width\r\nlast";
    Fixture f(text);
    f.memo->ShowMemo();
    QTextCursor c = f.memo->Memo1->textCursor();
    c.movePosition(QTextCursor::End);
    c.insertText(QStringLiteral("!"));
    QCOMPARE(f.main->memo().Text(), text + u"!");
    f.main->close();
    QCOMPARE(MemoLoad(U16(f.app / "Memo.txt")), text + u"!");
  }

  // A kill loses nothing that was added a moment before: the memo is saved shortly after.
  void addedLinesReachTheFileWithoutClosing() {
    Fixture f(u"kept");
    MainWindow& w = *f.main;
    w.ListView1->selectRow(0);
    w.ListView1Click();
    QTRY_VERIFY(!w.ExtractionRunning());
    w.ListBox1->item(1)->setSelected(true);
    w.ListBox1ContextPopup();
    QTRY_COMPARE_WITH_TIMEOUT(MemoLoad(U16(f.app / "Memo.txt")), std::u16string(u"kept\r\nalpha"), 5000);
  }

  // What a run leaves of each kind of memo file, untouched or edited in the edit box.
  void memoFileAfterClosing_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("typed");  // appended in the edit box; empty: untouched
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<QByteArray>("backup");  // Memo.txt.bak; empty: none
    const QByteArray mark("\xEF\xBB\xBF");
    const QByteArray utf8("\xE6\xB4\x8B\xE5\xAE\xA4\xE3\x81\xAE\xE3\x83\xA1\xE3\x83\xA2");  // 洋室のメモ
    const QByteArray kept("a\xC2\xA0" "b\xE2\x80\xA8" "c\r\nd");  // U+00A0, U+2028
    const QByteArray broken("ok\r\n\x82");  // a lead byte with nothing after it
    QTest::newRow("UTF-8 without a mark, untouched") << utf8 << QString() << utf8 << QByteArray();
    QTest::newRow("UTF-8 without a mark, edited")
        << utf8 << QStringLiteral("!") << mark + utf8 + "!" << QByteArray();
    QTest::newRow("U+00A0 and U+2028, edited")
        << mark + kept << QStringLiteral("!") << mark + kept + "!" << QByteArray();
    // A file that did not read cleanly is kept as soon as it is read.
    QTest::newRow("invalid bytes, untouched") << broken << QString() << broken << broken;
    QTest::newRow("invalid bytes, edited")
        << broken << QStringLiteral("!") << mark + "ok\r\n\xEF\xBF\xBD!" << broken;
  }

  void memoFileAfterClosing() {
    QFETCH(QByteArray, before);
    QFETCH(QString, typed);
    QFETCH(QByteArray, after);
    QFETCH(QByteArray, backup);
    Fixture f(u"", before.toStdString());
    f.memo->ShowMemo();
    if (!typed.isEmpty()) {
      f.memo->Memo1->moveCursor(QTextCursor::End);
      f.memo->Memo1->insertPlainText(typed);
    }
    f.main->close();
    const auto bytesOf = [](const fs::path& p, bool& found) {
      Bytes b;
      found = ReadWholeFile(U16(p), b);
      return QByteArray(reinterpret_cast<const char*>(b.data()), static_cast<qsizetype>(b.size()));
    };
    bool found = false;
    QCOMPARE(bytesOf(f.app / "Memo.txt", found), after);
    QCOMPARE(bytesOf(f.app / "Memo.txt.bak", found), backup);
    QCOMPARE(found, !backup.isEmpty());
    // Where the old file went is said once, at start-up.
    QCOMPARE(f.probe.messages.size(), backup.isEmpty() ? 0 : 1);
  }

  // A folder the user may not write into: the closing save names the file and the
  // system's reason, offers to try again, and the old memo stays.
  void aSaveIntoAReadOnlyFolderSaysWhy() {
    Fixture f(u"kept line");
    fs::permissions(f.app / "Memo.txt", fs::perms(0644));
    const testing::ReadOnlyFolder locked(f.dir.path(), f.app);
    QStringList asked;
    int memoAsks = 0;
    f.main->boxes().askRetry = [&](QWidget*, const QString& text) {
      asked << text;
      if (!text.contains(QStringLiteral("Memo.txt"))) return false;
      return ++memoAsks < 2;  // once more, then give up
    };
    f.memo->ShowMemo();
    f.memo->Memo1->moveCursor(QTextCursor::End);
    f.memo->Memo1->insertPlainText(QStringLiteral("\ntoday"));
    // Root writes anywhere: the closing runs as another user, and returns to root.
    const bool root = ::geteuid() == 0;
    if (root) QVERIFY(::seteuid(65534) == 0);
    f.main->close();
    if (root) QVERIFY(::seteuid(0) == 0);
    // The settings file beside it is said first, then the memo, asked twice.
    QCOMPARE(asked.size(), 3);
    QCOMPARE(memoAsks, 2);
    QVERIFY(asked[0].contains(ToQ(U16(f.app / "glyphgrab.dat"))));
    QVERIFY(asked[1].contains(ToQ(U16(f.app / "Memo.txt"))));
    QVERIFY(asked[1].contains(QString::fromLocal8Bit(std::strerror(EACCES))));
    QCOMPARE(MemoLoad(U16(f.app / "Memo.txt")), std::u16string(u"kept line"));
  }

  // A termination signal or a logout has nobody to answer a box: the failure goes to
  // stderr only and the tool still ends.
  void anUnattendedCloseAsksNothing() {
    Fixture f(u"kept");
    int asked = 0;
    f.main->boxes().askRetry = [&asked](QWidget*, const QString&) {
      ++asked;
      return true;  // would try for ever
    };
    f.main->memo().AddSelected({u"new line"});
    fs::remove(f.app / "Memo.txt");
    fs::create_directory(f.app / "Memo.txt");
    f.dir.Write("app/Memo.txt/inside", "x");
    f.main->SaveState();
    f.main->CloseUnattended();
    QCOMPARE(asked, 0);
    QVERIFY(fs::is_directory(f.app / "Memo.txt"));
  }

  // Alt+S and Alt+C each name two controls; each acts on the one of the page shown.
  void altShortcutsActOnThePageShown() {
    Fixture f(u"b\r\na");
    f.memo->ShowMemo();
    QApplication::setActiveWindow(f.memo.get());
    f.memo->Memo1->setFocus();
    QTest::keyClick(f.memo->Memo1, Qt::Key_S, Qt::AltModifier);  // edit page: to the selection page
    QCOMPARE(f.memo->PageControl1->currentIndex(), 1);
    QTest::keyClick(f.memo->ListBox1, Qt::Key_S, Qt::AltModifier);  // selection page: sort
    QCOMPARE(f.main->memo().Text(), std::u16string(u"a\r\nb\r\n"));
    f.SelectListRows({1});
    QTest::keyClick(f.memo->ListBox1, Qt::Key_C, Qt::AltModifier);  // a selection: copy it
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("b"));
    QVERIFY(f.memo->isVisible());
    f.memo->ListBox1->clearSelection();
    QTest::keyClick(f.memo->ListBox1, Qt::Key_C, Qt::AltModifier);  // nothing selected: close
    QVERIFY(!f.memo->isVisible());
  }

  void geometryComesFromTheSettings() {
    Fixture f;
    QCOMPARE(f.memo->pos(), QPoint(30, 40));
    QCOMPARE(f.memo->size(), QSize(500, 300));
    QCOMPARE(f.memo->windowTitle(), QStringLiteral("メモ"));
    QCOMPARE(f.memo->Button5->text(), QStringLiteral("メモ内容を全消去(&D)"));
  }

  void sortDropsEmptyLinesAndKeepsDuplicates() {
    Fixture f(u"b\r\n\r\na\r\nb");
    f.memo->ShowMemo();
    f.memo->Button2Click();
    QCOMPARE(f.memo->Memo1->toPlainText(), QStringLiteral("a\nb\nb\n"));
    QCOMPARE(f.memo->statusText(), QStringLiteral("3行のメモ内容があります。"));
  }

  void clearAllAsksFirst() {
    Fixture f(u"one\r\ntwo");
    f.memo->ShowMemo();
    f.answer = false;
    f.memo->Button5Click();
    QCOMPARE(f.questions, 1);
    QCOMPARE(f.question, QStringLiteral("メモ内容を全消去します。本当によろしいですか？"));
    QCOMPARE(f.main->memo().Text(), std::u16string(u"one\r\ntwo"));
    f.answer = true;
    f.memo->Button5Click();
    QCOMPARE(f.memo->statusText(), QStringLiteral("メモ内容を全消去しました。"));
    QVERIFY(f.memo->Memo1->toPlainText().isEmpty());
    f.main->close();
    QCOMPARE(fs::file_size(f.app / "Memo.txt"), std::uintmax_t{3});
  }

  void selectionPageIsRebuiltAndActivationKeepsThePage() {
    Fixture f(u"x\r\n\r\ny");
    f.memo->ShowMemo();
    f.memo->PageControl1->setCurrentIndex(1);
    QCOMPARE(f.ListLines(), QStringList({"x", "y"}));
    QVERIFY(f.memo->ListBox1->selectedItems().isEmpty());
    // A failed send shows its notice box; coming back keeps the page and the selection.
    f.SelectListRows({1});
    f.memo->Button4Click();
    QCOMPARE(f.probe.messages.size(), 1);
    f.memo->FormActivate();
    QCOMPARE(f.memo->PageControl1->currentIndex(), 1);
    QCOMPARE(f.memo->ListBox1->selectedItems().size(), 1);
    // An edit appears only at the next turn to the page.
    f.main->memo().SetText(u"z");
    QCOMPARE(f.ListLines(), QStringList({"x", "y"}));
    f.memo->PageControl1->setCurrentIndex(0);
    f.memo->PageControl1->setCurrentIndex(1);
    QCOMPARE(f.ListLines(), QStringList({"z"}));
  }

  void copyAndSendWithTheOneLineOption_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("oneLine");
    QTest::addColumn<bool>("send");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("copied");
    const QString joined = QStringLiteral("first\tsecondthird");
    QTest::newRow("edit, one line, copy") << 0 << true << false << "firstsecondthird"
                                          << "文字「firstsecondthird」をコピーしました。";
    QTest::newRow("edit, as typed, copy") << 0 << false << false << "first\tsecond\r\nthird"
                                          << "文字をコピーしました。";
    QTest::newRow("edit, one line, send") << 0 << true << true << "firstsecondthird"
                                          << "文字「firstsecondthird」をコピーしました。";
    QTest::newRow("list, one line, copy") << 1 << true << false << joined
                                          << QStringLiteral("文字「%1」をコピーしました。").arg(joined);
    QTest::newRow("list, as lines, send") << 1 << false << true << "first\tsecond\r\nthird\r\n"
                                          << "文字をコピーしました。";
  }
  void copyAndSendWithTheOneLineOption() {
    QFETCH(int, page);
    QFETCH(bool, oneLine);
    QFETCH(bool, send);
    QFETCH(QString, clipboard);
    QFETCH(QString, copied);
    Fixture f(u"first\tsecond\r\nthird");
    f.SetMoj1(oneLine);
    f.AddTarget();
    f.memo->ShowMemo();
    QStringList statuses;
    QObject::connect(f.memo->StatusBar1, &QStatusBar::messageChanged,
                     [&statuses](const QString& m) { statuses.push_back(m); });
    if (page == 0) {
      f.SelectAllText();
    } else {
      f.memo->PageControl1->setCurrentIndex(1);
      f.SelectListRows({0, 1});
    }
    send ? f.memo->Button4Click() : f.memo->Button3Click();
    QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
    QVERIFY(statuses.contains(copied));
    if (send) {
      QTRY_COMPARE(f.memo->statusText(), QStringLiteral("コマンド「@DA^V」を送信しました。"));
      QVERIFY(!f.probe.journal.empty());
    } else {
      QVERIFY(f.probe.journal.empty());
    }
  }

  void oneLineCutsAt255Columns() {
    Fixture f(std::u16string(100, u'あ') + u"\r\n" + std::u16string(100, u'い'));
    f.SetMoj1(true);
    f.memo->ShowMemo();
    f.memo->PageControl1->setCurrentIndex(1);
    f.SelectListRows({0, 1});
    f.memo->Button3Click();
    QCOMPARE(QGuiApplication::clipboard()->text(),
             ToQ(std::u16string(100, u'あ') + std::u16string(27, u'い')));
  }

  void aFailedSaveSaysWhyAndOffersToRetry() {
    Fixture f(u"kept");
    QStringList asked;
    f.main->boxes().askRetry = [&asked](QWidget*, const QString& text) {
      asked.push_back(text);
      return asked.size() == 1;  // retry once, then give up
    };
    f.main->memo().AddSelected({u"new line"});
    // The memo folder turns into something no save can write into.
    fs::remove(f.app / "Memo.txt");
    fs::create_directory(f.app / "Memo.txt");
    f.dir.Write("app/Memo.txt/inside", "x");
    f.main->close();
    QCOMPARE(asked.size(), 2);
    QVERIFY(asked[0].contains(ToQ(U16(f.app / "Memo.txt"))));
    QVERIFY(fs::is_directory(f.app / "Memo.txt"));
  }

  void listClickCopiesAndDoubleClickSendsOneLine() {
    Fixture f(u"one\r\ntwo");
    f.SetMoj1(false);  // the list's own copy quotes the line whatever the option says
    f.AddTarget();
    f.memo->ShowMemo();
    f.memo->PageControl1->setCurrentIndex(1);
    f.memo->ListBox1->setCurrentRow(1);
    f.memo->ListBox1Click();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("two"));
    QCOMPARE(f.memo->statusText(), QStringLiteral("文字「two」をコピーしました。"));
    f.memo->ListBox1->setCurrentRow(0);
    f.memo->ListBox1DblClick();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("one"));
    QTRY_COMPARE(f.memo->statusText(), QStringLiteral("コマンド「@DA^V」を送信しました。"));
  }
};

QTEST_MAIN(MemoWindowTest)
#include "memo_window_test.moc"
