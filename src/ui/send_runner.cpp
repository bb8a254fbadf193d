#include "ui/send_runner.h"

namespace glyphgrab::ui {
namespace {

// The clipboard is the window thread's; the worker never touches it.
class NoClipboard final : public Clipboard {
 public:
  bool SetText(std::u16string_view) override { return false; }
};

}  // namespace

SendRunner::SendRunner(KeySender& keys, WindowSystem& windows, EscKeyState* esc, std::function<void(double)> wait)
    : keys_(keys), windows_(windows), esc_(esc), wait_(std::move(wait)) {}

SendRunner::~SendRunner() {
  stop_ = true;
  Join();
}

void SendRunner::Join() {
  if (worker_.joinable()) worker_.join();
}

void SendRunner::Start(SendPlan plan, WindowId window, TSend_jww profile, const Poster& poster, Done done) {
  Join();  // the last send's worker has ended: its ending was posted
  stop_ = false;
  state_->busy = true;
  const unsigned send = ++state_->send;
  owner_ = &poster;
  worker_ = std::thread([this, plan = std::move(plan), window, profile = std::move(profile), &poster, send,
                         state = state_, done = std::move(done)] {
    NoClipboard clipboard;
    SendServices services{keys_, windows_, clipboard, wait_,
                          [this] { return stop_.load() || (esc_ != nullptr && esc_->IsEscDown()); }};
    std::u16string untyped;
    const SendResult result = PlaySend(plan, window, profile, services, &untyped);
    // The view posts for the runner too: Busy() ends on the window thread, with the
    // ending, even when the window's logic has gone meanwhile.
    poster.view().Post([state, send, alive = poster.alive(), done, result, untyped = std::move(untyped)] {
      if (state->send == send) state->busy = false;
      if (!alive.expired()) done(result, untyped);
    });
  });
}

void SendRunner::Release(const Poster& poster) {
  if (owner_ != &poster) return;
  stop_ = true;
  Join();
  owner_ = nullptr;
  state_->busy = false;
}

}  // namespace glyphgrab::ui
