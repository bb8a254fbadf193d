// What every Qt window answers to its logic alike: the posting queue, the status bar,
// the beep and the boxes. The boxes are functions, so tests record them instead.
#pragma once

#include <QMetaObject>
#include <QStatusBar>
#include <QWidget>

#include <functional>
#include <string_view>
#include <utility>

#include "gui/qt/desktop.h"
#include "ui/window_view.h"

namespace glyphgrab::gui {

struct QtBoxes {
  std::function<void()> beep;
  // A box with an OK button; `error` shows the error icon (`message` stands in when it
  // is empty).
  std::function<void(QWidget* parent, const QString& text)> message;
  std::function<void(QWidget* parent, const QString& text)> error;
  // A warning that offers to try again; true for "retry". Without it the answer is no.
  std::function<bool(QWidget* parent, const QString& text)> askRetry;
  // A Yes/No question; true for Yes. Without it the answer is no.
  std::function<bool(QWidget* parent, const QString& text)> confirm;
};

// The application's beep and QMessageBox boxes.
QtBoxes MakeQtBoxes();

// Implements View's WindowView part for `window`; the window calls BindView once its
// status bar exists.
template <class View>
class QtView : public View {
 public:
  void SetStatus(std::u16string_view text) override {
    if (statusBar_ == nullptr) return;  // a dialog
    if (text.empty()) {
      statusBar_->clearMessage();
    } else {
      statusBar_->showMessage(ToQ(text));
    }
    // Shown at once, also before work that keeps the window thread busy.
    if (repaintStatus_) statusBar_->repaint();
  }
  void Beep() override {
    if (boxes_->beep) boxes_->beep();
  }
  void Message(std::u16string_view text) override {
    if (boxes_->message) boxes_->message(window_, ToQ(text));
  }
  void Error(std::u16string_view text) override {
    const auto& box = boxes_->error ? boxes_->error : boxes_->message;
    if (box) box(window_, ToQ(text));
  }
  bool AskRetry(std::u16string_view text) override { return boxes_->askRetry && boxes_->askRetry(window_, ToQ(text)); }
  // Queued on the window's thread; Qt drops what is still queued when the window goes.
  void Post(std::function<void()> task) override {
    QMetaObject::invokeMethod(window_, std::move(task), Qt::QueuedConnection);
  }

  QString statusText() const { return statusBar_ == nullptr ? QString() : statusBar_->currentMessage(); }
  QtBoxes& boxes() { return *boxes_; }

 protected:
  void BindView(QWidget* window, QStatusBar* statusBar, QtBoxes* boxes, bool repaintStatus) {
    window_ = window;
    statusBar_ = statusBar;
    boxes_ = boxes;
    repaintStatus_ = repaintStatus;
  }
  bool Confirm(std::u16string_view text) { return boxes_->confirm && boxes_->confirm(window_, ToQ(text)); }

 private:
  QWidget* window_ = nullptr;
  QStatusBar* statusBar_ = nullptr;
  QtBoxes* boxes_ = nullptr;
  bool repaintStatus_ = false;
};

}  // namespace glyphgrab::gui
