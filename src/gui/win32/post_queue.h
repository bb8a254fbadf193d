// Work handed to the window thread from any thread: a locked queue that wakes the window
// once per burst (one PostMessage however many tasks follow before it runs), so a worker
// reporting thousands of results cannot flood the message queue, whose size is limited.
#pragma once

#include <deque>
#include <functional>
#include <mutex>

namespace glyphgrab::wingui {

class PostQueue {
 public:
  // `wake` asks the window thread to call Run soon (a PostMessage, which does not
  // block). The posting thread calls it under the queue's lock, so what it reads (the
  // window handle) cannot change under it once Close has run.
  explicit PostQueue(std::function<void()> wake) : wake_(std::move(wake)) {}

  // Any thread. Tasks run in the order posted; after Close they are dropped.
  void Post(std::function<void()> task);
  // The window thread: runs what is queued now. Tasks posted meanwhile wake again.
  void Run();
  // The window is going: nothing posted from now on runs.
  void Close();

 private:
  std::mutex mutex_;
  std::deque<std::function<void()>> tasks_;
  bool woken_ = false;  // a wake is on its way and Run has not taken the queue yet
  bool closed_ = false;
  std::function<void()> wake_;
};

}  // namespace glyphgrab::wingui
