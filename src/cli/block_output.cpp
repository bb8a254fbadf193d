#include "cli/block_output.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ostream>

#include "cli/cli.h"

namespace glyphgrab::cli {

BlockOutput::BlockOutput(std::FILE* file, std::size_t capacity, bool wholeLines)
    : file_(file), buffer_(new char[std::max<std::size_t>(capacity, 1)]),
      capacity_(std::max<std::size_t>(capacity, 1)), wholeLines_(wholeLines) {
  std::setvbuf(file_, nullptr, _IONBF, 0);
  Reset();
}

BlockOutput::~BlockOutput() { Flush(); }

// For whole lines the put area stays empty, so that every character and every string
// passes through overflow and xsputn, which see the line ends.
void BlockOutput::Reset() {
  if (wholeLines_) {
    setp(nullptr, nullptr);
  } else {
    setp(buffer_.get(), buffer_.get() + capacity_);
  }
}

bool BlockOutput::Flush() {
  const std::size_t n = wholeLines_ ? used_ : static_cast<std::size_t>(pptr() - pbase());
  if (n > 0 && good_ && std::fwrite(buffer_.get(), 1, n, file_) != n) {
    good_ = false;
    error_ = errno != 0 ? errno : EIO;
  }
  used_ = 0;
  Reset();
  return good_;
}

void BlockOutput::Append(const char* s, std::size_t n) {
  while (n > 0) {
    char* const at = wholeLines_ ? buffer_.get() + used_ : pptr();
    const std::size_t room = capacity_ - static_cast<std::size_t>(at - buffer_.get());
    if (room == 0) {
      Flush();
      continue;
    }
    const std::size_t k = std::min(room, n);
    std::memcpy(at, s, k);
    if (wholeLines_) {
      used_ += k;
    } else {
      pbump(static_cast<int>(k));
    }
    s += k;
    n -= k;
  }
}

BlockOutput::int_type BlockOutput::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return Flush() ? traits_type::not_eof(c) : c;
  const char ch = traits_type::to_char_type(c);
  Append(&ch, 1);
  if (wholeLines_ && ch == '\n') Flush();
  return good_ ? c : traits_type::eof();
}

std::streamsize BlockOutput::xsputn(const char* s, std::streamsize n) {
  const auto size = static_cast<std::size_t>(n);
  Append(s, size);
  if (wholeLines_ && size > 0 && std::memchr(s, '\n', size) != nullptr) Flush();
  return good_ ? n : 0;
}

int BlockOutput::sync() { return Flush() ? 0 : -1; }

int RunOnStandardStreams(const std::vector<std::string>& args) {
  BlockOutput outBlocks(stdout, kOutBlockSize);
  BlockOutput errLines(stderr, kErrBlockSize, true);
  std::ostream out(&outBlocks), err(&errLines);
  int status = CliMain(args, out, err);
  out.flush();
  int writeError = outBlocks.error();
  errno = 0;
  if (writeError == 0 && std::fflush(stdout) != 0) writeError = errno != 0 ? errno : EIO;
  if (writeError != 0) {
    status = kExitError;
    if (writeError != EPIPE) err << "glyphgrab-cli: write error: " << std::strerror(writeError) << '\n';
  }
  err.flush();
  return status;
}

}  // namespace glyphgrab::cli
