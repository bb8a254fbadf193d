// How the last read of a document ended, the same for all four readers, for diagnostics
// (the CLI's "reading stopped at byte N"); the readers' Boolean results stay their
// interface.
#pragma once

#include <cstddef>

namespace glyphgrab {

enum class TReadStatus {
  kNotRead,      // nothing read yet (after DataInit)
  kComplete,     // every part that the counts declare was read
  kCannotOpen,   // the file could not be opened or read
  kNotFormat,    // wrong identification or a version outside the accepted range
  kStopped,      // the data ended, or held an impossible count, before everything
                 // declared was read; also a DOS read that took missing bytes as zero
  kUnknownClass, // an object tag named a class that is not an entity kind
};

struct TReadInfo {
  TReadStatus status = TReadStatus::kNotRead;
  // The byte offset where reading stopped (the end of what was read when it completed).
  std::size_t stopPos = 0;
  // Bytes of single-byte texts that could not be decoded (each became U+FFFD).
  std::size_t undecodable = 0;

  bool complete() const { return status == TReadStatus::kComplete; }
};

}  // namespace glyphgrab
