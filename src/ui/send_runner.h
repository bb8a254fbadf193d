// Plays a send's keys on a worker thread, so the window thread keeps answering while
// they are typed: on X11 the tool owns the clipboard and the target asks for its
// contents at once (a program under Wine gives up after about half a second).
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "platform/esc_key_state.h"
#include "platform/key_sender.h"
#include "platform/window_system.h"
#include "sendkeys/send.h"
#include "ui/window_job.h"
#include "ui/window_view.h"

namespace glyphgrab::ui {

class SendRunner {
 public:
  // The services are used by the worker while a send runs and by nobody else then: the
  // windows start no send, and find no target, while Busy().
  SendRunner(KeySender& keys, WindowSystem& windows, std::shared_ptr<EscKeyState> esc,
             std::function<void(double)> wait);
  // Waits for the running send to end (it stops at its next key or pause): its work uses
  // the services.
  ~SendRunner();
  SendRunner(const SendRunner&) = delete;
  SendRunner& operator=(const SendRunner&) = delete;

  // From the start of a send until its ending has reached the window thread.
  bool Busy() const { return state_->busy.load(); }

  // Activates `window` and types the plan's command as a job of the poster's view. `done`
  // runs on the window thread afterwards unless the send was abandoned; it gets the part
  // of the command that was not typed (PlaySend's `untyped`).
  using Done = std::function<void(SendResult result, const std::u16string& untyped)>;
  void Start(SendPlan plan, WindowId window, TSend_jww profile, const Poster& poster, Done done);
  // Ends the running send early, as Esc does; its ending is still said.
  void Stop();
  // A window's logic that goes abandons the send it started: the typing ends, nothing of
  // it reaches the window, and this waits at most kJobCloseWait. Another window's send
  // runs on.
  void Release(const Poster& poster);

 private:
  KeySender& keys_;
  WindowSystem& windows_;
  std::shared_ptr<EscKeyState> esc_;
  std::function<void(double)> wait_;
  // The job of the newest send, on the view of the window that started it.
  std::unique_ptr<WindowJob> job_;
  std::weak_ptr<const void> owner_;  // the alive token of the window that started the send
  // Shared with the posted ending, which may run after this runner is gone; it ends
  // Busy() only for its own send.
  struct State {
    std::atomic<bool> busy{false};
    std::atomic<unsigned> send{0};
  };
  std::shared_ptr<State> state_ = std::make_shared<State>();
};

}  // namespace glyphgrab::ui
