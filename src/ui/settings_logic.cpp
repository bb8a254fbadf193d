#include "ui/settings_logic.h"

#include "util/values.h"

namespace glyphgrab::ui {

const std::array<std::u16string_view, 60> kSettingsHelpLines = {
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

void SettingsLogic::FormShow() {
  okFlag_ = false;
  std::array<bool, kExtractOptionCount> options{};
  for (std::size_t i = 0; i < options.size(); ++i) options[i] = settings_.optFlags[i];
  view_.ShowOptions(options);
  const int number =
      settings_.sendProfileNo >= 0 && settings_.sendProfileNo < kSendProfileCount ? settings_.sendProfileNo : 0;
  view_.SetProfileNumber(number);
  jwset_ = settings_.sendProfiles;
  shownTab_ = number;
  view_.SetTab(shownTab_);
  ShowProfile(shownTab_);
}

void SettingsLogic::ShowProfile(int n) {
  const TSend_jww& p = jwset_[static_cast<std::size_t>(n)];
  view_.ShowProfile(ProfileFields{FloatToText(p.Wtim), p.Smax != 0, p.Moj1, p.Tcap, p.Comm});
}

bool SettingsLogic::ValidWait(double& w) const {
  w = TextToFloat(view_.Profile().wait);
  return w >= 0 && w <= 60;
}

void SettingsLogic::InvalidWaitNotice() {
  view_.Beep();
  view_.Message(kInvalidWaitText);
  view_.FocusWait();
}

void SettingsLogic::StoreProfile(int n, double w) {
  const ProfileFields fields = view_.Profile();
  TSend_jww& p = jwset_[static_cast<std::size_t>(n)];
  p.Wtim = w;
  p.Smax = fields.maximize ? 1 : 0;
  p.Moj1 = fields.oneLine;
  p.Tcap = fields.title;
  p.Comm = fields.command;
}

void SettingsLogic::TabChanged(int tab) {
  if (tab == shownTab_ || tab < 0 || tab >= kSendProfileCount) return;
  double w = 0;
  if (!ValidWait(w)) {
    view_.SetTab(shownTab_);
    InvalidWaitNotice();
    return;
  }
  StoreProfile(shownTab_, w);
  shownTab_ = tab;
  ShowProfile(tab);
}

void SettingsLogic::Cancel() {
  okFlag_ = false;
  view_.Reject();
}

void SettingsLogic::Button1Click() {
  double w = 0;
  if (!ValidWait(w)) {
    InvalidWaitNotice();
    return;
  }
  const std::array<bool, kExtractOptionCount> options = view_.Options();
  for (std::size_t i = 0; i < options.size(); ++i) settings_.optFlags[i] = options[i];
  StoreProfile(shownTab_, w);
  const int number = view_.ProfileNumber();
  settings_.sendProfileNo = number >= 0 && number < kSendProfileCount ? number : 0;
  settings_.activeProfile = jwset_[static_cast<std::size_t>(settings_.sendProfileNo)];
  settings_.sendProfiles = jwset_;
  okFlag_ = true;
  view_.Accept();
}

}  // namespace glyphgrab::ui
