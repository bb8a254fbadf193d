// The settings dialog TForm2 without its toolkit: the five extraction options, the
// profile used for sending and the ten send profiles, edited on a working copy and
// committed together by OK.
#pragma once

#include <array>
#include <string_view>

#include "browse/settings.h"
#include "ui/settings_view.h"

namespace glyphgrab::ui {

inline constexpr std::u16string_view kSettingsCaption = u"変換設定";
inline constexpr std::u16string_view kExtractHeading = u"◆文字抽出設定（重複する文字内容はリストに含めません）";
inline constexpr std::array<std::u16string_view, kExtractOptionCount> kExtractOptionTexts = {
    u"ヘッダ情報を含む　　（※JWK/JWSの場合は無関係）",
    u"ブロック情報を含む　（※JWC/JWKの場合は無関係）",
    u"寸法図形の文字を含む（※JWC/JWKの場合は無関係）",
    u"空白を除去する",
    u"抽出後、並び替えを行う",
};
inline constexpr std::array<std::u16string_view, 3> kClickHelpTexts = {
    u"◆抽出した文字をリストからクリックすると",
    u"その文字内容をコピー（クリップボードへ送信）します。",
    u"ダブルクリックすると起動中のソフトへコマンド送信します。",
};
inline constexpr std::u16string_view kProfileNumberLabel = u"コマンド送信先ソフトの番号";
inline constexpr std::u16string_view kWaitLabel = u"コマンドキー送信ウエイト時間";
inline constexpr std::u16string_view kSecondsLabel = u"秒";
inline constexpr std::u16string_view kMaximizeText = u"キー送信時、最大化表示する";
inline constexpr std::u16string_view kOneLineText = u"選択した文字を１行化する";
inline constexpr std::u16string_view kTitleLabel = u"タイトルバーに含む文字";
inline constexpr std::u16string_view kCommandLabel = u"コマンドキー";
inline constexpr std::u16string_view kOkButton = u"ＯＫ (&Y)";
inline constexpr std::u16string_view kCancelButton = u"キャンセル (&N)";
inline constexpr std::u16string_view kInvalidWaitText = u"コマンドキー送信ウエイト時間は、0～60秒以内で入力して下さい。";
inline constexpr int kWaitMaxLength = 6;
inline constexpr int kTitleMaxLength = 255;
inline constexpr int kCommandMaxLength = 255;
// The help text shown below the profile fields, one line per entry.
extern const std::array<std::u16string_view, 60> kSettingsHelpLines;

class SettingsLogic {
 public:
  SettingsLogic(SettingsView& view, TSettings& settings) : view_(view), settings_(settings) {}

  // Fills the controls from the settings; runs every time the dialog is shown.
  void FormShow();
  // Another profile tab was chosen: the fields shown are kept first, unless their wait
  // time is invalid; then the old tab comes back with the notice.
  void TabChanged(int tab);
  // OK: commits when the wait time is valid, then closes.
  void Button1Click();
  // Cancel, Esc and the window's close: closes, nothing committed.
  void Cancel();

  const std::array<TSend_jww, kSendProfileCount>& JWset() const { return jwset_; }
  bool OKflag() const { return okFlag_; }

 private:
  void ShowProfile(int n);
  bool ValidWait(double& w) const;
  void InvalidWaitNotice();
  void StoreProfile(int n, double w);

  SettingsView& view_;
  TSettings& settings_;
  std::array<TSend_jww, kSendProfileCount> jwset_{};
  int shownTab_ = 0;
  bool okFlag_ = false;
};

}  // namespace glyphgrab::ui
