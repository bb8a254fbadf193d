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
  owner_ = poster.alive();
  // The view and its owner's alive token, taken now: the worker keeps no reference to
  // the poster, which belongs to the window's logic. The view outlives the worker, since
  // a logic that goes releases its send first.
  worker_ = std::thread([this, plan = std::move(plan), window, profile = std::move(profile), &view = poster.view(),
                         alive = poster.alive(), send, state = state_, done = std::move(done)] {
    NoClipboard clipboard;
    SendServices services{keys_, windows_, clipboard, wait_,
                          [this] { return stop_.load() || (esc_ != nullptr && esc_->IsEscDown()); }};
    std::u16string untyped;
    const SendResult result = PlaySend(plan, window, profile, services, &untyped);
    // The view posts for the runner too: Busy() ends on the window thread, with the
    // ending, even when the window's logic has gone meanwhile.
    view.Post([state, send, alive, done, result, untyped = std::move(untyped)] {
      if (state->send == send) state->busy = false;
      if (!alive.expired()) done(result, untyped);
    });
  });
}

void SendRunner::Release(const Poster& poster) {
  const std::weak_ptr<const void> alive = poster.alive();
  if (owner_.owner_before(alive) || alive.owner_before(owner_)) return;  // another window's send
  stop_ = true;
  Join();
  owner_.reset();
  state_->busy = false;
}

}  // namespace glyphgrab::ui
