// The settings dialog TForm2: the five extraction options, the profile used for sending
// and the ten send profiles, edited on a working copy and committed together by OK.
#pragma once

#include <QDialog>

#include <array>

#include "browse/settings.h"
#include "gui/qt/desktop.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabBar;

namespace glyphgrab::gui {

// The help text shown below the profile fields, one line per entry.
extern const std::array<const char16_t*, 60> kSettingsHelpLines;

class SettingsDialog : public QDialog {
 public:
  SettingsDialog(TSettings& settings, Desktop& desktop, QWidget* parent = nullptr);

  // Fills the controls from the settings; runs every time the dialog is shown.
  void FormShow();
  // OK: commits when the wait time is valid, then closes.
  void Button1Click();

  const std::array<TSend_jww, kSendProfileCount>& JWset() const { return jwset_; }
  bool OKflag() const { return okFlag_; }

  std::array<QCheckBox*, 5> OptionBoxes{};  // CheckBox1..CheckBox5
  QComboBox* ComboBox1 = nullptr;
  QTabBar* TabControl1 = nullptr;
  QLineEdit* Edit1 = nullptr;  // wait time
  QCheckBox* CheckBox6 = nullptr;
  QCheckBox* CheckBox7 = nullptr;
  QLineEdit* Edit2 = nullptr;  // title text
  QLineEdit* Edit3 = nullptr;  // command keys
  QPlainTextEdit* Memo1 = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* Button2 = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void ShowProfile(int n);
  bool ValidWait(double& w) const;
  void InvalidWaitNotice();
  void StoreProfile(int n, double w);
  void TabChanged(int index);

  TSettings& settings_;
  Desktop& desktop_;
  std::array<TSend_jww, kSendProfileCount> jwset_{};
  int shownTab_ = 0;
  bool okFlag_ = false;
};

}  // namespace glyphgrab::gui
