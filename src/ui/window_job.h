// One long piece of a window's work (a folder scan, an extraction with its preview, a
// search) on its own thread, with the two ways it can end early:
// - stop (Esc): the work ends at its next step and still reports what it found;
// - abandon (a new selection, another folder, closing): the work ends as soon as it
//   can and nothing of it reaches the window any more.
// A new run abandons the one before it. It begins only once that one has ended, so a
// window never has two runs reading at once, and the window thread never waits for it.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include "platform/esc_key_state.h"
#include "util/cancel.h"
#include "ui/window_view.h"

namespace glyphgrab::ui {

// How long closing a window waits for its runs to end.
inline constexpr std::chrono::milliseconds kJobCloseWait{100};

class WindowJob {
 public:
  // What a run's work sees on its thread.
  class Context {
   public:
    const CancelToken& token() const { return *token_; }
    // Esc, or a stop or abandon asked for by the window.
    bool StopRequested() const { return token_->StopRequested() || (esc_ && esc_->IsEscDown()); }
    // Runs `task` on the window thread, unless the run is abandoned before it gets
    // there. Tasks come in the order they were posted.
    void Post(std::function<void()> task) const;
    // Posts the run's result: the job counts as running until it is taken.
    void Finish(std::function<void()> task) const;

   private:
    friend class WindowJob;
    struct Shared;
    std::shared_ptr<Shared> shared_;
    std::shared_ptr<CancelToken> token_;
    std::shared_ptr<EscKeyState> esc_;
    unsigned generation_ = 0;
  };

  // The points a run passes on its thread, for tests: its work begins (after the run
  // before it has ended), and it ends with the token's ending at that moment.
  enum class Event { kBegins, kEnds };
  using EventHook = std::function<void(Event, unsigned generation, CancelToken::Ending)>;

  // `esc`, when given, stops runs while the key is held (the desktop owns it).
  explicit WindowJob(WindowView& view, std::shared_ptr<EscKeyState> esc = nullptr);
  // Closes.
  ~WindowJob();
  WindowJob(const WindowJob&) = delete;
  WindowJob& operator=(const WindowJob&) = delete;

  // Abandons the current run and starts `work` as a new one; answers its generation.
  // The work must not touch its owner: it reaches the window only through the Context.
  unsigned Start(std::function<void(Context&)> work);
  void Stop();
  void Abandon();
  // Abandons the current run and lets nothing reach the view any more; waits at most
  // `limit` for the thread, which is then left to end on its own. Window thread only.
  void Close(std::chrono::milliseconds limit = kJobCloseWait);

  // From Start until the run's result was taken on the window thread (or it was
  // abandoned).
  bool Running() const { return running_; }
  unsigned generation() const { return generation_; }
  void SetEventHook(EventHook hook);

 private:
  std::shared_ptr<Context::Shared> shared_;
  std::shared_ptr<EscKeyState> esc_;
  std::shared_ptr<CancelToken> token_;
  std::thread thread_;
  unsigned generation_ = 0;
  bool running_ = false;
  bool closed_ = false;
};

}  // namespace glyphgrab::ui
