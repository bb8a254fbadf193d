#include "ui/send_runner.h"

namespace glyphgrab::ui {
namespace {

// The clipboard is the window thread's; the worker never touches it.
class NoClipboard final : public Clipboard {
 public:
  bool SetText(std::u16string_view) override { return false; }
};

}  // namespace

SendRunner::SendRunner(KeySender& keys, WindowSystem& windows, std::shared_ptr<EscKeyState> esc,
                       std::function<void(double)> wait)
    : keys_(keys), windows_(windows), esc_(std::move(esc)), wait_(std::move(wait)) {}

SendRunner::~SendRunner() {
  if (job_) job_->Close(std::chrono::hours(1));
}

void SendRunner::Stop() {
  if (job_) job_->Stop();
}

void SendRunner::Start(SendPlan plan, WindowId window, TSend_jww profile, const Poster& poster, Done done) {
  // The last send has ended (no window starts one while Busy()); its job may still be
  // on another window's view.
  if (job_) job_->Close();
  job_ = std::make_unique<WindowJob>(poster.view(), esc_);
  state_->busy = true;
  const unsigned send = ++state_->send;
  owner_ = poster.alive();
  job_->Start([this, plan = std::move(plan), window, profile = std::move(profile), send, state = state_,
               done = std::move(done)](WindowJob::Context& job) {
    NoClipboard clipboard;
    SendServices services{keys_, windows_, clipboard, wait_, [&job] { return job.StopRequested(); }};
    std::u16string untyped;
    const SendResult result = PlaySend(plan, window, profile, services, &untyped);
    // Busy() ends on the window thread, with the ending.
    job.Finish([state, send, done, result, untyped = std::move(untyped)] {
      if (state->send == send) state->busy = false;
      done(result, untyped);
    });
  });
}

void SendRunner::Release(const Poster& poster) {
  const std::weak_ptr<const void> alive = poster.alive();
  if (owner_.owner_before(alive) || alive.owner_before(owner_)) return;  // another window's send
  if (job_) job_->Close();
  owner_.reset();
  state_->busy = false;
}

}  // namespace glyphgrab::ui
