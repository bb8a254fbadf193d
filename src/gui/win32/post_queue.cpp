#include "gui/win32/post_queue.h"

#include <utility>

namespace glyphgrab::wingui {

void PostQueue::Post(std::function<void()> task) {
  std::lock_guard lock(mutex_);
  if (closed_) return;
  tasks_.push_back(std::move(task));
  if (!std::exchange(woken_, true)) wake_();
}

void PostQueue::Run() {
  std::deque<std::function<void()>> now;
  {
    std::lock_guard lock(mutex_);
    now.swap(tasks_);
    woken_ = false;
  }
  for (auto& task : now) {
    {
      std::lock_guard lock(mutex_);
      if (closed_) return;
    }
    task();
  }
}

void PostQueue::Close() {
  std::lock_guard lock(mutex_);
  closed_ = true;
  tasks_.clear();
}

}  // namespace glyphgrab::wingui
