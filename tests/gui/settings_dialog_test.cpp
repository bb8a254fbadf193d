// The settings dialog: showing, tab changes, the wait-time check, OK and Cancel.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QtTest>

#include "gui/qt/settings_dialog.h"
#include "gui_fixture.h"

using namespace glyphgrab;
using namespace glyphgrab::gui;
using glyphgrab::testing::GuiProbe;

namespace {

TSettings StoredSettings() {
  TSettings s;
  for (int i = 0; i < kSendProfileCount; ++i) {
    s.sendProfiles[static_cast<std::size_t>(i)] =
        TSend_jww{0.5, 0, u"title" + std::u16string(1, char16_t(u'0' + i)), u"@DA^V", false};
  }
  s.sendProfileNo = 2;
  s.optFlags[kOptBlocks] = true;
  return s;
}

}  // namespace

class SettingsDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void showsTheProfileOfTheSendNumber() {
    GuiProbe probe;
    QtBoxes boxes = glyphgrab::testing::TestBoxes(probe);
    TSettings s = StoredSettings();
    SettingsDialog dialog(s, boxes);
    dialog.FormShow();
    QCOMPARE(dialog.ComboBox1->currentIndex(), 2);
    QCOMPARE(dialog.TabControl1->currentIndex(), 2);
    QCOMPARE(dialog.Edit1->text(), QStringLiteral("0.5"));
    QCOMPARE(dialog.Edit2->text(), QStringLiteral("title2"));
    QVERIFY(!dialog.OptionBoxes[0]->isChecked());
    QVERIFY(dialog.OptionBoxes[1]->isChecked());
    QVERIFY(!dialog.OKflag());
  }

  void okCommitsTheEditsOfEveryTabShown() {
    GuiProbe probe;
    QtBoxes boxes = glyphgrab::testing::TestBoxes(probe);
    TSettings s = StoredSettings();
    SettingsDialog dialog(s, boxes);
    dialog.FormShow();
    dialog.Edit2->setText(QStringLiteral("edited two"));
    dialog.CheckBox6->setChecked(true);
    dialog.TabControl1->setCurrentIndex(3);  // stores tab 2, shows tab 3
    QCOMPARE(dialog.Edit2->text(), QStringLiteral("title3"));
    dialog.Edit3->setText(QStringLiteral(" {ENTER} "));
    dialog.Edit1->setText(QStringLiteral("60"));
    dialog.OptionBoxes[4]->setChecked(true);
    dialog.Button1Click();
    QVERIFY(dialog.OKflag());
    QCOMPARE(s.sendProfiles[2].Tcap, u"edited two");
    QCOMPARE(s.sendProfiles[2].Smax, 1);
    QCOMPARE(s.sendProfiles[3].Comm, u" {ENTER} ");  // taken as typed
    QCOMPARE(s.sendProfiles[3].Wtim, 60.0);
    // The combo still says 2: profile 2 becomes active, profile 3's edits are stored only.
    QCOMPARE(s.sendProfileNo, 2);
    QVERIFY(s.activeProfile == s.sendProfiles[2]);
    QVERIFY(s.optFlags[kOptSort]);
    QVERIFY(probe.messages.isEmpty());
  }

  void waitTimeCheck_data() {
    QTest::addColumn<QString>("wait");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<double>("stored");
    QTest::newRow("0") << "0" << true << 0.0;
    QTest::newRow("60") << "60" << true << 60.0;
    QTest::newRow("0.1") << "0.1" << true << 0.1;
    QTest::newRow("comma reads as 0") << "0,5" << true << 0.0;
    QTest::newRow("not a number reads as 0") << "abc" << true << 0.0;
    QTest::newRow("60.5") << "60.5" << false << 0.0;
    QTest::newRow("-1") << "-1" << false << 0.0;
  }
  void waitTimeCheck() {
    QFETCH(QString, wait);
    QFETCH(bool, accepted);
    QFETCH(double, stored);
    GuiProbe probe;
    QtBoxes boxes = glyphgrab::testing::TestBoxes(probe);
    TSettings s = StoredSettings();
    const TSettings before = s;
    SettingsDialog dialog(s, boxes);
    dialog.FormShow();
    dialog.Edit1->setText(wait);

    // A tab change is refused while the wait is out of range.
    dialog.TabControl1->setCurrentIndex(7);
    QCOMPARE(dialog.TabControl1->currentIndex(), accepted ? 7 : 2);
    dialog.TabControl1->setCurrentIndex(2);

    dialog.Button1Click();
    QCOMPARE(dialog.OKflag(), accepted);
    const QString notice = QStringLiteral("コマンドキー送信ウエイト時間は、0～60秒以内で入力して下さい。");
    if (accepted) {
      QVERIFY(probe.messages.isEmpty());
      QCOMPARE(s.sendProfiles[2].Wtim, stored);
    } else {
      QCOMPARE(probe.messages, QStringList({notice, notice}));
      QCOMPARE(probe.beeps, 2);
      QVERIFY(s == before);  // nothing committed
    }
  }

  void cancelDiscardsEveryEdit() {
    GuiProbe probe;
    QtBoxes boxes = glyphgrab::testing::TestBoxes(probe);
    TSettings s = StoredSettings();
    const TSettings before = s;
    SettingsDialog dialog(s, boxes);
    dialog.FormShow();
    dialog.Edit2->setText(QStringLiteral("changed"));
    dialog.TabControl1->setCurrentIndex(4);
    dialog.Edit2->setText(QStringLiteral("changed too"));
    dialog.ComboBox1->setCurrentIndex(4);
    dialog.OptionBoxes[0]->setChecked(true);
    dialog.Button2->click();
    QVERIFY(s == before);
    dialog.FormShow();  // reopening shows the stored values again
    QCOMPARE(dialog.Edit2->text(), QStringLiteral("title2"));
    QCOMPARE(dialog.JWset()[4].Tcap, u"title4");
  }

  // Every control at its natural height, the dialog at least 451 x 478, the help text
  // showing several lines.
  void nothingIsCrushed() {
    GuiProbe probe;
    QtBoxes boxes = glyphgrab::testing::TestBoxes(probe);
    TSettings s;
    SettingsDialog dialog(s, boxes);
    dialog.show();
    QVERIFY(dialog.width() >= 451 && dialog.height() >= 478);
    for (QWidget* w : std::initializer_list<QWidget*>{dialog.Edit1, dialog.Edit2, dialog.Edit3, dialog.CheckBox6, dialog.CheckBox7}) {
      QVERIFY2(w->height() >= w->sizeHint().height(), qPrintable(w->objectName() + QString::number(w->height())));
    }
    QVERIFY(dialog.Memo1->height() >= dialog.Memo1->fontMetrics().lineSpacing() * 8);
    dialog.hide();
  }

  void helpTextIsReadOnlyAndComplete() {
    GuiProbe probe;
    QtBoxes boxes = glyphgrab::testing::TestBoxes(probe);
    TSettings s;
    SettingsDialog dialog(s, boxes);
    QVERIFY(dialog.Memo1->isReadOnly());
    const QStringList lines = dialog.Memo1->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 60);
    QCOMPARE(lines[20], QStringLiteral("\t{ESCAPE}（{ESC}）、{SPACE}（{SPC}、\" \"）、"));
    QCOMPARE(lines[51], QStringLiteral("\t「@DA{C\"あいうえお\"}」"));
    QCOMPARE(lines[59], QStringLiteral("画面、動きを見て判断して利用して下さい。"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("変換設定"));
    QVERIFY(dialog.Button1->isDefault());
  }
};

QTEST_MAIN(SettingsDialogTest)
#include "settings_dialog_test.moc"
