#include "util/file_bytes.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

#include "util/cancel.h"

namespace glyphgrab {
namespace {

// Reads go in pieces of at most this much, so that an abandoned job's long read ends
// between two of them.
constexpr std::size_t kCancelStep = std::size_t{1} << 20;

bool Abandoned(int* error) {
  if (!CancelRequested()) return false;
  if (error) *error = ECANCELED;
  return true;
}

// Reads up to `limit` bytes from the start. The size is a hint only: the file may change
// while it is read.
bool ReadRegular(std::u16string_view path, std::size_t limit, Bytes& out, std::uint64_t* fileSize,
                 int* error) {
  out.clear();
  if (fileSize) *fileSize = 0;
  ReadableFile file(path);
  if (!file.ok()) {
    if (error) *error = file.error();
    return false;
  }
  if (fileSize) *fileSize = file.size();
  out.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(file.size(), limit)));
  std::size_t chunk = 1 << 16;
  while (out.size() < limit) {
    const std::size_t have = out.size();
    const std::size_t want =
        std::min({std::max<std::size_t>(chunk, out.capacity() - have), limit - have, kCancelStep});
    if (Abandoned(error)) {
      out.clear();
      return false;
    }
    out.resize(have + want);
    const std::ptrdiff_t got = file.Read(out.data() + have, want);
    if (got < 0) {
      out.clear();
      if (error) *error = file.error();
      return false;
    }
    out.resize(have + static_cast<std::size_t>(got));
    if (static_cast<std::size_t>(got) < want) break;  // the end of the file
    chunk = std::min<std::size_t>(chunk * 2, 1 << 24);
  }
  return true;
}

}  // namespace

bool ReadWholeFile(std::u16string_view path, Bytes& out, int* error) {
  return ReadRegular(path, static_cast<std::size_t>(-1), out, nullptr, error);
}

bool ReadFilePrefix(std::u16string_view path, std::size_t limit, Bytes& out, std::uint64_t* fileSize) {
  return ReadRegular(path, limit, out, fileSize, nullptr);
}

void FileBuffer::Reserve(std::size_t n, std::size_t keep) {
  if (n <= capacity_ && !(capacity_ > kKeepLimit && n <= kKeepLimit)) return;
  auto grown = std::make_unique_for_overwrite<std::uint8_t[]>(n);
  if (keep > 0) std::memcpy(grown.get(), data_.get(), keep);
  data_ = std::move(grown);
  capacity_ = n;
}

void FileBuffer::Release() {
  data_.reset();
  capacity_ = size_ = 0;
}

bool FileBuffer::Read(std::u16string_view path, int* error) {
  size_ = 0;
  ReadableFile file(path);
  if (!file.ok()) {
    if (error) *error = file.error();
    return false;
  }
  return Read(file, error);
}

bool FileBuffer::Read(ReadableFile& file, int* error) {
  size_ = 0;
  // One byte beyond the size the file had when opened, so that the usual file is read
  // in one pass; one that grew since goes on into a larger block.
  const std::uint64_t expected = file.size();
  const std::size_t first =
      static_cast<std::size_t>(std::min<std::uint64_t>(expected, std::size_t{1} << 40)) + 1;
  try {
    Reserve(std::max<std::size_t>(first, 4096), 0);
  } catch (const std::bad_alloc&) {
    Release();
    if (error) *error = ENOMEM;
    return false;
  }
  for (;;) {
    const std::size_t want = std::min(capacity_ - size_, kCancelStep);
    if (Abandoned(error)) {
      size_ = 0;
      return false;
    }
    const std::ptrdiff_t got = file.Read(data_.get() + size_, want);
    if (got < 0) {
      size_ = 0;
      if (error) *error = file.error();
      return false;
    }
    size_ += static_cast<std::size_t>(got);
    if (static_cast<std::size_t>(got) < want) return true;  // the end of the file
    if (size_ < capacity_) continue;
    try {
      Reserve(capacity_ * 2, size_);
    } catch (const std::bad_alloc&) {
      Release();
      if (error) *error = ENOMEM;
      return false;
    }
  }
}

}  // namespace glyphgrab
