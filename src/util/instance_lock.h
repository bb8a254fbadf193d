// One writer per folder of settings and memo. The running copy holds an exclusive lock
// on a file in the folder for its whole run; the system drops it when the process ends,
// however it ends, so a killed copy never leaves the folder locked. A frozen copy still
// holds it: a later start can tell "someone owns this folder" from "nobody answers".
#pragma once

#include <string>
#include <string_view>

namespace glyphgrab {

inline constexpr char16_t kInstanceLockName[] = u"glyphgrab.lock";

class TInstanceLock {
 public:
  enum class Result {
    kAcquired,  // this process is the folder's one writer until it ends
    kHeld,      // another process holds it
    kFailed,    // no lock can be had here (the folder cannot be written): `error` says why
  };
  TInstanceLock() = default;
  ~TInstanceLock();
  TInstanceLock(const TInstanceLock&) = delete;
  TInstanceLock& operator=(const TInstanceLock&) = delete;

  // Never waits. The lock file is made when missing and left in place afterwards.
  Result TryAcquire(std::u16string_view lockFile, int* error = nullptr);
  // What the owner wrote with Publish (the Windows edition: its window handle); empty
  // when nothing was written or the file cannot be read.
  static std::string ReadPublished(std::u16string_view lockFile);
  // The owner's short note for later starts; only while the lock is held.
  bool Publish(std::string_view note);
  bool Held() const;

 private:
#ifdef _WIN32
  void* handle_ = nullptr;
#else
  int fd_ = -1;
#endif
};

}  // namespace glyphgrab
