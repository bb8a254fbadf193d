#include "gui/qt/settings_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

#include "util/values.h"

namespace glyphgrab::gui {

const std::array<const char16_t*, 60> kSettingsHelpLines = {
    u"コマンドキーは、半角文字で 255文字以内で指定して下さい。",
    u"但し、長い程、時間が掛かりますので遅くなります。",
    u"",
    u"組合せ用の文字として、",
    u"\t[Ctrl]キー　＝　「^」",
    u"\t[Alt] キー　＝　「@」",
    u"\t[Shift]キー　＝　「~」",
    u"に対応しており、これらは、",
    u"\t[A]～[Z]、[F1]～[F12]、[TAB]",
    u"と組み合わせる事が出来ます。例えば、",
    u"線コマンドの場合には、メニュー「作図(D)」の「線(S)」です",
    u"ので、メニューのアクセスキーは［Alt］キーと組み合わせて",
    u"利用しますから［Alt］［D］［S］とキーを送信しますので、",
    u"\t「@DS」",
    u"と指定します。",
    u"この他、特殊キーは { } で囲んで指定します。",
    u"\t{F1}、{F2}、{F3}、{F4}、{F5}、{F6}、{F7}、{F8}、",
    u"\t{F9}、{F10}、{F11}、{F12}、{INSERT}、{DELETE}、",
    u"\t{HOME}、{END}、{PGUP}、{PGDN}、{TAB}、",
    u"\t{ENTER}、{BKSP}、{PRTSC}、{SHIFT}、",
    u"\t{ESCAPE}（{ESC}）、{SPACE}（{SPC}、\" \"）、",
    u"\t{LEFT}、{RIGHT}、{UP}、{DOWN}",
    u"例えば、JWWでの属性取得は [TAB]キーですので",
    u"\t「{TAB}」",
    u"と指定します。また、[TAB]キー３回押しの場合には、",
    u"\t「{TAB}{TAB}{TAB}」",
    u"と指定します。",
    u"",
    u"時間待ち（ウエイト）を掛けたい場合には、整数値（0.1秒単位",
    u"）",
    u"を { } で囲って指定します。例えば、JWWでは",
    u"線コマンドを送って、3秒後、矩形コマンドを送る場合は、",
    u"\t「@DS{30}@DB」",
    u"と指定します。",
    u"矩形を「1000,1000」の大きさで送りたい場合、",
    u"\t「@DB1000,1000{ENTER}」",
    u"と指定します。",
    u"",
    u"送信キーには、２バイト文字（漢字等）は使えませんので、",
    u"文字コマンドで、",
    u"\t「@DA12345」",
    u"とすれば「12345」という文字の作図が出来るようになりますが",
    u"、",
    u"\t「@DAあいうえお」",
    u"のような事を行う事が出来ません。",
    u"こういった場合は、クリップボードを利用して、",
    u"\t「@DA^V」",
    u"とすれば、クリップボード内容を作図する事が出来るようになり",
    u"クリップボードに日本語を使えば、日本語を作図する事が",
    u"出来ます。",
    u"また、上記の機能を利用し、",
    u"\t「@DA{C\"あいうえお\"}」",
    u"というような事も可能です。",
    u"また、「{Xあいうえお}」と指定すると、",
    u"Xの次の文字から「}」までの文字をクリップボードに",
    u"入れて、^Vに置き換え、貼り付ける事が出来ます。",
    u"",
    u"どんなコマンドキーが使えるのかは、",
    u"各アプリケーションのメニューや",
    u"画面、動きを見て判断して利用して下さい。",
};

namespace {
constexpr char16_t kInvalidWaitText[] = u"コマンドキー送信ウエイト時間は、0～60秒以内で入力して下さい。";
}

SettingsDialog::SettingsDialog(TSettings& settings, Desktop& desktop, QWidget* parent)
    : QDialog(parent), settings_(settings), desktop_(desktop) {
  setWindowTitle(QStringLiteral("変換設定"));
  setModal(true);
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("◆文字抽出設定（重複する文字内容はリストに含めません）"), this));
  const char16_t* optionTexts[5] = {
      u"ヘッダ情報を含む　　（※JWK/JWSの場合は無関係）",
      u"ブロック情報を含む　（※JWC/JWKの場合は無関係）",
      u"寸法図形の文字を含む（※JWC/JWKの場合は無関係）",
      u"空白を除去する",
      u"抽出後、並び替えを行う",
  };
  for (int i = 0; i < 5; ++i) {
    OptionBoxes[static_cast<std::size_t>(i)] = new QCheckBox(ToQ(optionTexts[i]), this);
    layout->addWidget(OptionBoxes[static_cast<std::size_t>(i)]);
  }
  layout->addWidget(new QLabel(QStringLiteral("◆抽出した文字をリストからクリックすると"), this));
  layout->addWidget(new QLabel(QStringLiteral("その文字内容をコピー（クリップボードへ送信）します。"), this));
  layout->addWidget(new QLabel(QStringLiteral("ダブルクリックすると起動中のソフトへコマンド送信します。"), this));

  auto* profileRow = new QHBoxLayout();
  profileRow->addWidget(new QLabel(QStringLiteral("コマンド送信先ソフトの番号"), this));
  ComboBox1 = new QComboBox(this);
  TabControl1 = new QTabBar(this);
  for (int i = 0; i < kSendProfileCount; ++i) {
    ComboBox1->addItem(QString::number(i));
    TabControl1->addTab(QString::number(i));
  }
  ComboBox1->setAttribute(Qt::WA_InputMethodEnabled, false);
  TabControl1->setExpanding(false);
  TabControl1->setStyleSheet(QStringLiteral("QTabBar::tab { width: 36px; }"));
  profileRow->addWidget(ComboBox1);
  profileRow->addStretch(1);
  layout->addLayout(profileRow);
  layout->addWidget(TabControl1);

  auto* grid = new QGridLayout();
  grid->addWidget(new QLabel(QStringLiteral("コマンドキー送信ウエイト時間"), this), 0, 0);
  Edit1 = new QLineEdit(this);
  Edit1->setMaxLength(6);
  Edit1->setAttribute(Qt::WA_InputMethodEnabled, false);
  auto* waitRow = new QHBoxLayout();
  waitRow->addWidget(Edit1);
  waitRow->addWidget(new QLabel(QStringLiteral("秒"), this));
  waitRow->addStretch(1);
  grid->addLayout(waitRow, 0, 1);
  CheckBox6 = new QCheckBox(QStringLiteral("キー送信時、最大化表示する"), this);
  CheckBox7 = new QCheckBox(QStringLiteral("選択した文字を１行化する"), this);
  grid->addWidget(CheckBox6, 1, 0, 1, 2);
  grid->addWidget(CheckBox7, 2, 0, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("タイトルバーに含む文字"), this), 3, 0);
  Edit2 = new QLineEdit(this);
  Edit2->setMaxLength(255);
  grid->addWidget(Edit2, 3, 1);
  grid->addWidget(new QLabel(QStringLiteral("コマンドキー"), this), 4, 0);
  Edit3 = new QLineEdit(this);
  Edit3->setMaxLength(255);
  grid->addWidget(Edit3, 4, 1);
  layout->addLayout(grid);

  Memo1 = new QPlainTextEdit(this);
  Memo1->setReadOnly(true);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  QStringList help;
  for (const char16_t* line : kSettingsHelpLines) help.push_back(ToQ(line));
  Memo1->setPlainText(help.join(QLatin1Char('\n')));
  layout->addWidget(Memo1, 1);

  auto* buttons = new QHBoxLayout();
  buttons->addStretch(1);
  Button1 = new QPushButton(QStringLiteral("ＯＫ (&Y)"), this);
  Button2 = new QPushButton(QStringLiteral("キャンセル (&N)"), this);
  Button1->setDefault(true);
  Button2->setAutoDefault(false);
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  layout->addLayout(buttons);

  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(Button2, &QPushButton::clicked, this, [this] { reject(); });
  connect(TabControl1, &QTabBar::currentChanged, this, [this](int index) { TabChanged(index); });

  // As large as the content needs, never smaller than the classic 451 x 478: a fixed
  // size crushed the edit boxes and check boxes with larger fonts. The help text
  // scrolls; it shows some lines at least.
  Memo1->setMinimumHeight(Memo1->fontMetrics().lineSpacing() * 8);
  const QSize needed = minimumSizeHint().expandedTo(QSize(451, 478));
  setMinimumSize(needed);
  resize(needed);
}

void SettingsDialog::showEvent(QShowEvent* event) {
  FormShow();
  QDialog::showEvent(event);
}

void SettingsDialog::FormShow() {
  okFlag_ = false;
  for (std::size_t i = 0; i < OptionBoxes.size(); ++i) OptionBoxes[i]->setChecked(settings_.optFlags[i]);
  ComboBox1->setCurrentIndex(0);
  if (settings_.sendProfileNo >= 0 && settings_.sendProfileNo < ComboBox1->count()) {
    ComboBox1->setCurrentIndex(settings_.sendProfileNo);
  }
  jwset_ = settings_.sendProfiles;
  shownTab_ = ComboBox1->currentIndex();
  {
    const QSignalBlocker block(TabControl1);
    TabControl1->setCurrentIndex(shownTab_);
  }
  ShowProfile(shownTab_);
}

void SettingsDialog::ShowProfile(int n) {
  const TSend_jww& p = jwset_[static_cast<std::size_t>(n)];
  Edit1->setText(ToQ(FloatToText(p.Wtim)));
  CheckBox6->setChecked(p.Smax != 0);
  CheckBox7->setChecked(p.Moj1);
  Edit2->setText(ToQ(p.Tcap));
  Edit3->setText(ToQ(p.Comm));
}

bool SettingsDialog::ValidWait(double& w) const {
  w = TextToFloat(FromQ(Edit1->text()));
  return w >= 0 && w <= 60;
}

void SettingsDialog::InvalidWaitNotice() {
  if (desktop_.beep) desktop_.beep();
  if (desktop_.message) desktop_.message(this, ToQ(kInvalidWaitText));
  Edit1->setFocus();
}

void SettingsDialog::StoreProfile(int n, double w) {
  TSend_jww& p = jwset_[static_cast<std::size_t>(n)];
  p.Wtim = w;
  p.Smax = CheckBox6->isChecked() ? 1 : 0;
  p.Moj1 = CheckBox7->isChecked();
  p.Tcap = FromQ(Edit2->text());
  p.Comm = FromQ(Edit3->text());
}

// The tab bar has no veto before a change, so an invalid wait puts the old tab back.
void SettingsDialog::TabChanged(int index) {
  if (index == shownTab_ || index < 0) return;
  double w = 0;
  if (!ValidWait(w)) {
    {
      const QSignalBlocker block(TabControl1);
      TabControl1->setCurrentIndex(shownTab_);
    }
    InvalidWaitNotice();
    return;
  }
  StoreProfile(shownTab_, w);
  shownTab_ = index;
  ShowProfile(index);
}

void SettingsDialog::Button1Click() {
  double w = 0;
  if (!ValidWait(w)) {
    InvalidWaitNotice();
    return;
  }
  for (std::size_t i = 0; i < OptionBoxes.size(); ++i) settings_.optFlags[i] = OptionBoxes[i]->isChecked();
  StoreProfile(shownTab_, w);
  settings_.sendProfileNo = ComboBox1->currentIndex();
  settings_.activeProfile = jwset_[static_cast<std::size_t>(settings_.sendProfileNo)];
  settings_.sendProfiles = jwset_;
  okFlag_ = true;
  accept();
}

}  // namespace glyphgrab::gui
