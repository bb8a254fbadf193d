// Work on a sequence of items by several threads, with the results taken one by one in
// the sequence's order on the calling thread: a walk that reads many files uses every
// core and still reports exactly as a one-at-a-time walk would.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace glyphgrab {

// Threads to add to the calling one for work that keeps a core busy: one fewer than the
// processors, at least one (reading overlaps waiting for the disk even on one core) and
// at most three (beyond that the disk, not the processors, sets the pace).
unsigned DefaultWorkerCount();

// Runs `work` on each item that `next` gives, on `workers` extra threads and on the
// calling thread, and hands each result to `take` on the calling thread in the order the
// items were given.
//  - next(Item&) -> bool: the next item, false when there are none; called on the
//    calling thread, at most `window` items ahead of the last one taken, so memory stays
//    bounded however long the sequence is.
//  - work(const Item&, unsigned thread) -> Result: on any thread at once; `thread` (0 for
//    the calling thread, 1..workers) lets each thread keep state of its own, such as
//    buffers and documents, without locks.
//  - take(Item&, Result&) -> bool: false stops the run: nothing more is given to `take`,
//    no further item is asked of `next`, work already begun is finished and dropped.
// An exception thrown by `work` reaches the caller when its item's turn comes. With no
// workers this is the plain loop: next, work, take.
template <typename Item, typename Result, typename Next, typename Work, typename Take>
void RunOrdered(unsigned workers, std::size_t window, Next&& next, Work&& work, Take&& take) {
  if (window == 0) window = 1;
  if (workers == 0) {
    for (Item item; next(item);) {
      Result result = work(std::as_const(item), 0u);
      if (!take(item, result)) return;
    }
    return;
  }

  struct Slot {
    Item item;
    std::optional<Result> result;
    std::exception_ptr failure;
    bool claimed = false;
    bool done = false;
  };
  // Slots are added at the back and taken from the front; a deque keeps the others where
  // they are, so a thread may work on its slot outside the lock.
  std::deque<Slot> slots;
  std::size_t unclaimed = 0;  // slots[0, unclaimed) are claimed; claims go in order
  bool ending = false;
  std::mutex mutex;
  std::condition_variable queued, finished;

  const auto perform = [&](Slot& slot, unsigned thread) {
    std::optional<Result> result;
    std::exception_ptr failure;
    try {
      result.emplace(work(std::as_const(slot.item), thread));
    } catch (...) {
      failure = std::current_exception();
    }
    std::lock_guard lock(mutex);
    slot.result = std::move(result);
    slot.failure = failure;
    slot.done = true;
  };
  // The next unclaimed slot, or none; called with the lock held.
  const auto claim = [&]() -> Slot* {
    if (unclaimed >= slots.size()) return nullptr;
    Slot& slot = slots[unclaimed++];
    slot.claimed = true;
    return &slot;
  };

  std::vector<std::thread> threads;
  const auto stopWorkers = [&] {
    {
      std::lock_guard lock(mutex);
      ending = true;
    }
    queued.notify_all();
    for (auto& t : threads) t.join();
  };
  for (unsigned t = 1; t <= workers; ++t) {
    threads.emplace_back([&, t] {
      std::unique_lock lock(mutex);
      for (;;) {
        queued.wait(lock, [&] { return ending || unclaimed < slots.size(); });
        if (ending) return;
        Slot* slot = claim();
        lock.unlock();
        perform(*slot, t);
        finished.notify_one();
        lock.lock();
      }
    });
  }

  bool more = true;
  try {
    for (;;) {
      while (more && slots.size() < window) {
        Item item;
        more = next(item);
        if (!more) break;
        {
          std::lock_guard lock(mutex);
          slots.push_back(Slot{std::move(item), std::nullopt, nullptr, false, false});
        }
        queued.notify_one();
      }
      if (slots.empty()) break;

      // Until the front is done, the calling thread works too: on the front itself when
      // no worker has it, else on the next unclaimed item.
      std::unique_lock lock(mutex);
      while (!slots.front().done) {
        if (Slot* slot = claim()) {
          lock.unlock();
          perform(*slot, 0u);
          lock.lock();
        } else {
          finished.wait(lock, [&] { return slots.front().done; });
        }
      }
      Slot front = std::move(slots.front());
      slots.pop_front();
      --unclaimed;
      lock.unlock();
      if (front.failure) std::rethrow_exception(front.failure);
      if (!take(front.item, *front.result)) break;
    }
  } catch (...) {
    stopWorkers();
    throw;
  }
  stopWorkers();
}

}  // namespace glyphgrab
