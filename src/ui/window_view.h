// What the logic of every window asks of its front end. The front end (Qt, Win32, a
// test's fake) builds the controls, forwards their events to the logic and implements
// these calls with them. Every call comes on the window thread, except Post.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string_view>

namespace glyphgrab::ui {

class WindowView {
 public:
  virtual ~WindowView() = default;

  // The status bar's one text; an empty text clears it.
  virtual void SetStatus(std::u16string_view text) = 0;
  // The system's default beep.
  virtual void Beep() = 0;
  // Modal boxes over the window with an OK button; Error shows the error icon.
  virtual void Message(std::u16string_view text) = 0;
  virtual void Error(std::u16string_view text) = 0;
  // A modal warning that offers to try again; true for "retry".
  virtual bool AskRetry(std::u16string_view text) = 0;
  // Runs `task` on the window thread soon, tasks in the order they were posted.
  // Callable from any thread while the view exists; tasks still queued when the view
  // goes are dropped.
  virtual void Post(std::function<void()> task) = 0;
};

// Posts through a view for an owner (a window's logic) that may be gone before its
// tasks run: a task that arrives after its owner is dropped. The owner makes it on the
// window thread and ends its workers before destroying it.
class Poster {
 public:
  explicit Poster(WindowView& view) : view_(view), alive_(std::make_shared<char>()) {}
  Poster(const Poster&) = delete;
  Poster& operator=(const Poster&) = delete;

  // Callable from any thread.
  void operator()(std::function<void()> task) const {
    view_.Post([alive = std::weak_ptr<char>(alive_), task = std::move(task)] {
      if (!alive.expired()) task();
    });
  }
  WindowView& view() const { return view_; }
  std::weak_ptr<const void> alive() const { return alive_; }

 private:
  WindowView& view_;
  std::shared_ptr<char> alive_;
};

// Posts for a thread that may outlive its window (one a platform service runs): through
// the poster while the gate is open, nothing once the owner closed it. Copies share the
// gate; the owner closes it on the window thread before it goes.
class PostGate {
 public:
  explicit PostGate(const Poster& post) : shared_(std::make_shared<Shared>(&post)) {}

  // Callable from any thread.
  void operator()(std::function<void()> task) const {
    const std::lock_guard<std::mutex> lock(shared_->mutex);
    if (shared_->post) (*shared_->post)(std::move(task));
  }
  void Close() const {
    const std::lock_guard<std::mutex> lock(shared_->mutex);
    shared_->post = nullptr;
  }

 private:
  struct Shared {
    explicit Shared(const Poster* p) : post(p) {}
    std::mutex mutex;
    const Poster* post;
  };
  std::shared_ptr<Shared> shared_;
};

}  // namespace glyphgrab::ui
