// The ending of a long job, asked for by the window thread and seen by the worker: a
// *stop* (Esc: end early and keep what was found) or an *abandon* (a new selection,
// another folder, closing: nothing of the run is wanted any more).
//
// The engine's long reads and renders answer to the abandon of the job that runs on
// their thread without being handed the token: the job's thread sets it with a
// CancelScope, and readers ask CancelRequested() every few thousand records or every MB.
#pragma once

#include <atomic>

namespace glyphgrab {

class CancelToken {
 public:
  enum class Ending { kNone, kStop, kAbandon };

  // Asks for a stop; an abandon already asked for stays.
  void Stop() {
    int none = static_cast<int>(Ending::kNone);
    ending_.compare_exchange_strong(none, static_cast<int>(Ending::kStop));
  }
  void Abandon() { ending_.store(static_cast<int>(Ending::kAbandon)); }

  Ending ending() const { return static_cast<Ending>(ending_.load(std::memory_order_relaxed)); }
  // Either ending: the work ends at its next step.
  bool StopRequested() const { return ending() != Ending::kNone; }
  bool Abandoned() const { return ending() == Ending::kAbandon; }

 private:
  std::atomic<int> ending_{static_cast<int>(Ending::kNone)};
};

// Makes `token` the one this thread's reads and renders answer to, until it goes.
class CancelScope {
 public:
  explicit CancelScope(const CancelToken* token);
  ~CancelScope();
  CancelScope(const CancelScope&) = delete;
  CancelScope& operator=(const CancelScope&) = delete;

 private:
  const CancelToken* previous_;
};

// True when the job on this thread was abandoned: a reader then ends as though its data
// ended (what it holds is dropped by its caller anyway). False outside any job.
bool CancelRequested();

}  // namespace glyphgrab
