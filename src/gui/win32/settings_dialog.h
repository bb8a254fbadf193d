// The settings dialog 変換設定 in Win32, modal over the main window: the extraction
// options, the send profile's number, the profile tabs with their fields and the
// read-only help. What each event does is SettingsLogic's.
#pragma once

#include <array>

#include "browse/settings.h"
#include "gui/win32/frame_view.h"
#include "ui/settings_logic.h"
#include "ui/settings_view.h"

namespace glyphgrab::wingui {

class SettingsDialog final : public FrameView<ui::SettingsView> {
 public:
  explicit SettingsDialog(TSettings& settings) : settings_(settings), logic_(*this, settings) {}

  bool Open(HWND owner);
  // Shows the dialog at its saved place and returns when it is closed.
  void RunModal();
  ui::SettingsLogic& logic() { return logic_; }

  // ui::SettingsView
  void ShowOptions(const std::array<bool, ui::kExtractOptionCount>& on) override;
  std::array<bool, ui::kExtractOptionCount> Options() const override;
  void SetProfileNumber(int number) override;
  int ProfileNumber() const override;
  void SetTab(int tab) override;
  void ShowProfile(const ui::ProfileFields& fields) override;
  ui::ProfileFields Profile() const override;
  void FocusWait() override { SetFocus(wait_); }
  void Accept() override { done_ = true; }
  void Reject() override { done_ = true; }

 protected:
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;
  void Layout(int width, int height) override;

 private:
  TSettings& settings_;
  ui::SettingsLogic logic_;
  HWND owner_ = nullptr;
  HWND heading_ = nullptr, profileLabel_ = nullptr, profile_ = nullptr, tabs_ = nullptr;
  std::array<HWND, ui::kExtractOptionCount> options_{};
  std::array<HWND, 3> helpLines_{};
  HWND waitLabel_ = nullptr, wait_ = nullptr, seconds_ = nullptr, maximize_ = nullptr, oneLine_ = nullptr;
  HWND titleLabel_ = nullptr, title_ = nullptr, commandLabel_ = nullptr, command_ = nullptr, help_ = nullptr;
  HWND ok_ = nullptr, cancel_ = nullptr;
  bool done_ = false;
};

}  // namespace glyphgrab::wingui
