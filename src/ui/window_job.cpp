#include "ui/window_job.h"

#include <condition_variable>
#include <mutex>

namespace glyphgrab::ui {

// Lives as long as the job or any of its threads: the way back to the window, closed
// when the job goes, and the end of the newest thread.
struct WindowJob::Context::Shared {
  std::mutex mutex;
  WindowView* view = nullptr;  // null once closed
  WindowJob* job = nullptr;    // read on the window thread only
  EventHook hook;
  std::condition_variable ended;
  unsigned lastEnded = 0;  // the newest generation whose thread has ended
};

void WindowJob::Context::Post(std::function<void()> task) const {
  std::lock_guard<std::mutex> lock(shared_->mutex);
  if (shared_->view == nullptr || token_->Abandoned()) return;
  shared_->view->Post([token = token_, task = std::move(task)] {
    if (!token->Abandoned()) task();
  });
}

void WindowJob::Context::Finish(std::function<void()> task) const {
  Post([shared = shared_, generation = generation_, task = std::move(task)] {
    // Not abandoned, so the job is there and this is its current run.
    if (shared->job != nullptr && shared->job->generation_ == generation) shared->job->running_ = false;
    task();
  });
}

WindowJob::WindowJob(WindowView& view, std::shared_ptr<EscKeyState> esc)
    : shared_(std::make_shared<Context::Shared>()), esc_(std::move(esc)) {
  shared_->view = &view;
  shared_->job = this;
}

WindowJob::~WindowJob() { Close(); }

void WindowJob::SetEventHook(EventHook hook) {
  std::lock_guard<std::mutex> lock(shared_->mutex);
  shared_->hook = std::move(hook);
}

unsigned WindowJob::Start(std::function<void(Context&)> work) {
  Abandon();
  if (closed_) return generation_;
  token_ = std::make_shared<CancelToken>();
  running_ = true;
  Context context;
  context.shared_ = shared_;
  context.token_ = token_;
  context.esc_ = esc_;
  context.generation_ = ++generation_;
  thread_ = std::thread([before = std::move(thread_), context = std::move(context), work = std::move(work)]() mutable {
    if (before.joinable()) before.join();
    const std::shared_ptr<Context::Shared>& shared = context.shared_;
    auto event = [&](Event e) {
      EventHook hook;
      {
        std::lock_guard<std::mutex> lock(shared->mutex);
        hook = shared->hook;
      }
      if (hook) hook(e, context.generation_, context.token_->ending());
    };
    event(Event::kBegins);
    if (!context.token_->Abandoned()) {
      const CancelScope scope(context.token_.get());
      work(context);
    }
    event(Event::kEnds);
    std::lock_guard<std::mutex> lock(shared->mutex);
    shared->lastEnded = context.generation_;
    shared->ended.notify_all();
  });
  return generation_;
}

void WindowJob::Stop() {
  if (token_) token_->Stop();
}

void WindowJob::Abandon() {
  if (token_) token_->Abandon();
  running_ = false;
}

void WindowJob::Close(std::chrono::milliseconds limit) {
  Abandon();
  closed_ = true;
  {
    std::unique_lock<std::mutex> lock(shared_->mutex);
    shared_->view = nullptr;
    shared_->job = nullptr;
  }
  if (!thread_.joinable()) return;
  bool ended = false;
  {
    std::unique_lock<std::mutex> lock(shared_->mutex);
    ended = shared_->ended.wait_for(lock, limit, [&] { return shared_->lastEnded == generation_; });
  }
  // A thread still in a read that does not look at its token (a slow network file)
  // holds nothing of the window: it may end on its own.
  if (ended) {
    thread_.join();
  } else {
    thread_.detach();
  }
}

}  // namespace glyphgrab::ui
