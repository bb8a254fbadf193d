#include "ui/single_writer.h"

#include <thread>

#include "util/paths.h"

namespace glyphgrab::ui {

StartClaim ClaimAppFolder(TInstanceLock& lock, std::u16string_view folder, const std::function<bool()>& handOver,
                          std::chrono::milliseconds patience) {
  MakeFolder(folder);
  const std::u16string lockFile = AddTrailingDelim(folder) + kInstanceLockName;
  if (lock.TryAcquire(lockFile) != TInstanceLock::Result::kHeld) return StartClaim::kRun;
  const auto deadline = std::chrono::steady_clock::now() + patience;
  for (;;) {
    if (handOver && handOver()) return StartClaim::kHandedOver;
    // The holder may have ended meanwhile.
    if (lock.TryAcquire(lockFile) == TInstanceLock::Result::kAcquired) return StartClaim::kRun;
    if (std::chrono::steady_clock::now() >= deadline) return StartClaim::kNotAnswering;
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
}

std::u16string NotAnsweringText(std::u16string_view folder) {
  return u"Glyphgrab は「" + std::u16string(folder) +
         u"」の設定とメモで既に動いていますが、応答しません。メモと設定を二重に書き込まないよう、"
         u"この起動は終了します。動いている Glyphgrab が応答するのを待つか、終了してから起動し直して下さい。";
}

}  // namespace glyphgrab::ui
