#include <windows.h>

#include "util/instance_lock.h"
#include "util/win32/wide_path.h"

namespace glyphgrab {
namespace {

// The lock covers one byte far past the note, so the note stays readable to later starts
// (a locked range cannot be read by others).
constexpr DWORD kLockOffset = 0x40000000;

HANDLE AsHandle(void* h) { return static_cast<HANDLE>(h); }

}  // namespace

TInstanceLock::~TInstanceLock() {
  if (handle_) CloseHandle(AsHandle(handle_));
}

bool TInstanceLock::Held() const { return handle_ != nullptr; }

TInstanceLock::Result TInstanceLock::TryAcquire(std::u16string_view lockFile, int* error) {
  int ignored = 0;
  int& err = error ? *error : ignored;
  err = 0;
  if (handle_) return Result::kAcquired;
  HANDLE h = CreateFileW(WidePath(lockFile).c_str(), GENERIC_READ | GENERIC_WRITE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    err = ErrnoFromWin32(GetLastError());
    return Result::kFailed;
  }
  OVERLAPPED at{};
  at.Offset = kLockOffset;
  if (!LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
    const DWORD code = GetLastError();
    CloseHandle(h);
    if (code == ERROR_LOCK_VIOLATION || code == ERROR_IO_PENDING) return Result::kHeld;
    err = ErrnoFromWin32(code);
    return Result::kFailed;
  }
  handle_ = h;
  return Result::kAcquired;
}

bool TInstanceLock::Publish(std::string_view note) {
  if (!handle_) return false;
  HANDLE h = AsHandle(handle_);
  LARGE_INTEGER zero{};
  if (!SetFilePointerEx(h, zero, nullptr, FILE_BEGIN) || !SetEndOfFile(h)) return false;
  DWORD written = 0;
  return WriteFile(h, note.data(), static_cast<DWORD>(note.size()), &written, nullptr) &&
         written == note.size();
}

std::string TInstanceLock::ReadPublished(std::u16string_view lockFile) {
  HANDLE h = CreateFileW(WidePath(lockFile).c_str(), GENERIC_READ,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return {};
  char buf[256];
  DWORD n = 0;
  const BOOL ok = ReadFile(h, buf, sizeof buf, &n, nullptr);
  CloseHandle(h);
  return ok && n > 0 ? std::string(buf, n) : std::string();
}

}  // namespace glyphgrab
