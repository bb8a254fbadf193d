#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "util/codepage.h"

namespace glyphgrab {

// Reads the whole file into `out` with one pass of reads. False when the file cannot be
// opened or read (a folder, a FIFO or device, a missing file, no permission); `out` is
// then empty and `error`, when given, says why (as ReadableFile::error). Never blocks on
// a FIFO.
bool ReadWholeFile(std::u16string_view path, Bytes& out, int* error = nullptr);

// Reads at most `limit` bytes from the start of a regular file into `out`, for checks and
// header reads that need no more; `fileSize`, when given, receives the file's size. False
// when the file cannot be opened or read; `out` is then empty.
bool ReadFilePrefix(std::u16string_view path, std::size_t limit, Bytes& out,
                    std::uint64_t* fileSize = nullptr);

class ReadableFile;

// A read buffer kept from file to file: a walk over many files allocates (and zeroes)
// nothing per file. After a file over kKeepLimit the next smaller one gives the large
// block back, so one huge drawing does not hold its memory for the rest of a walk.
class FileBuffer {
 public:
  static constexpr std::size_t kKeepLimit = std::size_t{32} << 20;

  // Reads the whole regular file, as ReadWholeFile does. False when it cannot be opened
  // or read; bytes() is then empty and `error`, when given, says why.
  bool Read(std::u16string_view path, int* error = nullptr);
  // The same from a file already opened; reads from its current position.
  bool Read(ReadableFile& file, int* error = nullptr);

  // The bytes of the last read, valid until the next one.
  ByteSpan bytes() const { return {data_.get(), size_}; }
  // Gives all memory back.
  void Release();

 private:
  // Room for at least `n` bytes, keeping the first `keep`.
  void Reserve(std::size_t n, std::size_t keep);

  std::unique_ptr<std::uint8_t[]> data_;
  std::size_t capacity_ = 0;
  std::size_t size_ = 0;
};

// A regular file opened for reading, closed when the object goes. Folders, FIFOs and
// devices are refused without blocking.
class ReadableFile {
 public:
  explicit ReadableFile(std::u16string_view path);
  ~ReadableFile();
  ReadableFile(const ReadableFile&) = delete;
  ReadableFile& operator=(const ReadableFile&) = delete;

  bool ok() const { return fd_ >= 0; }
  // Why the file could not be opened or the last read failed: an errno value; EISDIR for
  // a folder, EINVAL for anything else that is not a regular file.
  int error() const { return error_; }
  std::uint64_t size() const { return size_; }
  // Fills `buf` as far as the file goes; the bytes read, fewer only at the end. -1 when
  // a read failed.
  std::ptrdiff_t Read(std::uint8_t* buf, std::size_t n);

 private:
  int fd_ = -1;
  int error_ = 0;
  std::uint64_t size_ = 0;
};

}  // namespace glyphgrab
