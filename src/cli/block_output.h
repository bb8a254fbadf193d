// The CLI's output streams: text gathered in memory and handed to the system in large
// blocks, so a long listing costs a few writes instead of one per line.
#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <streambuf>
#include <string>
#include <vector>

namespace glyphgrab::cli {

inline constexpr std::size_t kOutBlockSize = 256 * 1024;
inline constexpr std::size_t kErrBlockSize = 16 * 1024;

// A stream buffer that writes to `file` (made unbuffered, so a block is one write) when
// `capacity` bytes are gathered, on flush, and when it goes. With `wholeLines` every
// write that ends a line is passed on at once: a diagnostic reaches a terminal as one
// write, in step with the work, and never mixes with another process's lines.
class BlockOutput : public std::streambuf {
 public:
  BlockOutput(std::FILE* file, std::size_t capacity, bool wholeLines = false);
  ~BlockOutput() override;
  BlockOutput(const BlockOutput&) = delete;
  BlockOutput& operator=(const BlockOutput&) = delete;

  // False once a write failed (a closed pipe, a full disk); later output is dropped.
  bool good() const { return good_; }
  // Why the failed write failed (an errno value); 0 while good.
  int error() const { return error_; }

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* s, std::streamsize n) override;
  int sync() override;

 private:
  void Reset();
  void Append(const char* s, std::size_t n);
  bool Flush();

  std::FILE* file_;
  std::unique_ptr<char[]> buffer_;
  std::size_t capacity_;
  bool wholeLines_;
  std::size_t used_ = 0;  // with wholeLines_: the bytes gathered (the put area is empty)
  bool good_ = true;
  int error_ = 0;
};

// Runs the CLI on `args` (without the program name) with stdout in large blocks and
// stderr a line at a time; both are flushed before it returns the exit status. Output
// that could not be written all (a full disk, a closed pipe) makes the status 2, with a
// message unless the reader went away.
int RunOnStandardStreams(const std::vector<std::string>& args);

}  // namespace glyphgrab::cli
