// The settings dialog TForm2 in Qt: builds the controls and forwards their events to
// ui::SettingsLogic.
#pragma once

#include <QDialog>

#include <array>

#include "browse/settings.h"
#include "gui/qt/qt_view.h"
#include "ui/settings_logic.h"
#include "ui/settings_view.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabBar;

namespace glyphgrab::gui {

class SettingsDialog : public QDialog, public QtView<ui::SettingsView> {
 public:
  SettingsDialog(TSettings& settings, QtBoxes& boxes, QWidget* parent = nullptr);

  void FormShow() { logic_.FormShow(); }
  void Button1Click() { logic_.Button1Click(); }
  const std::array<TSend_jww, kSendProfileCount>& JWset() const { return logic_.JWset(); }
  bool OKflag() const { return logic_.OKflag(); }

  std::array<QCheckBox*, ui::kExtractOptionCount> OptionBoxes{};  // CheckBox1..CheckBox5
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

  // ui::SettingsView
  void ShowOptions(const std::array<bool, ui::kExtractOptionCount>& on) override;
  std::array<bool, ui::kExtractOptionCount> Options() const override;
  void SetProfileNumber(int number) override;
  int ProfileNumber() const override;
  void SetTab(int tab) override;
  void ShowProfile(const ui::ProfileFields& fields) override;
  ui::ProfileFields Profile() const override;
  void FocusWait() override;
  void Accept() override { accept(); }
  void Reject() override { QDialog::reject(); }
  // Esc and the window's close go through the logic, as Cancel does.
  void reject() override { logic_.Cancel(); }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  ui::SettingsLogic logic_;
};

}  // namespace glyphgrab::gui
