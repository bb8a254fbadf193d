// The settings dialog's controls as its logic drives them: the extraction options, the
// send-profile number, the profile tabs with their fields.
#pragma once

#include <array>
#include <string>

#include "browse/settings.h"
#include "ui/window_view.h"

namespace glyphgrab::ui {

inline constexpr std::size_t kExtractOptionCount = 5;

// The fields of the profile on the tab shown, as the controls hold them.
struct ProfileFields {
  std::u16string wait;  // the wait time's edit box
  bool maximize = false;
  bool oneLine = false;
  std::u16string title;
  std::u16string command;
};

class SettingsView : public WindowView {
 public:
  // The five extraction options' check boxes.
  virtual void ShowOptions(const std::array<bool, kExtractOptionCount>& on) = 0;
  virtual std::array<bool, kExtractOptionCount> Options() const = 0;
  // The combo box of the profile used for sending.
  virtual void SetProfileNumber(int number) = 0;
  virtual int ProfileNumber() const = 0;
  // The profile tab shown; setting it runs no change event.
  virtual void SetTab(int tab) = 0;
  virtual void ShowProfile(const ProfileFields& fields) = 0;
  virtual ProfileFields Profile() const = 0;
  virtual void FocusWait() = 0;
  // Closes the dialog as accepted, or as cancelled.
  virtual void Accept() = 0;
  virtual void Reject() = 0;
};

}  // namespace glyphgrab::ui
