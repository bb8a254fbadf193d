// Plays a send's keys on a worker thread, so the window thread keeps answering while
// they are typed: on X11 the tool owns the clipboard and the target asks for its
// contents at once (a program under Wine gives up after about half a second).
#pragma once

#include <QObject>
#include <QPointer>

#include <atomic>
#include <functional>
#include <thread>

#include "platform/esc_key_state.h"
#include "platform/key_sender.h"
#include "platform/window_system.h"
#include "sendkeys/send.h"

namespace glyphgrab::gui {

class SendRunner : public QObject {
 public:
  // The services are used by the worker while a send runs and by nobody else then: the
  // windows start no send, and find no target, while Busy().
  SendRunner(KeySender& keys, WindowSystem& windows, EscKeyState* esc, std::function<void(double)> wait);
  ~SendRunner() override;

  bool Busy() const { return worker_.joinable(); }

  // Activates `window` and types the plan's command on the worker. `done` runs on the
  // window thread afterwards, unless `context` is gone by then.
  void Start(SendPlan plan, WindowId window, TSend_jww profile, QObject* context,
             std::function<void(SendResult)> done);
  // Ends the running send early, as Esc does.
  void Stop() { stop_ = true; }

 private:
  KeySender& keys_;
  WindowSystem& windows_;
  EscKeyState* esc_;
  std::function<void(double)> wait_;
  std::thread worker_;
  std::atomic<bool> stop_{false};
};

}  // namespace glyphgrab::gui
