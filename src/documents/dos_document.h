// What the JWC and JWK documents share around their own header and body readers: the
// file check, and reading the header alone or the whole file from a path or from bytes.
#pragma once

#include <string_view>

#include "documents/byte_reader.h"
#include "documents/dos_header.h"
#include "documents/dos_records.h"
#include "documents/identification.h"
#include "documents/read_info.h"
#include "util/codepage.h"
#include "util/file_bytes.h"

namespace glyphgrab {

// Derived provides kIdent, kHeaderBytes, DataInit(), ReadHeader(ByteReader&) and
// ReadBody(ByteReader&).
template <typename Derived>
class TDosDocument {
 public:
  // True when the file can be read and starts with the identification. Reads only the
  // first bytes and leaves the document alone.
  static bool FileCheck(std::u16string_view path) {
    Bytes head;
    return ReadFilePrefix(path, kDosIdentBytes, head) && FileCheckBytes(head);
  }
  static bool FileCheckBytes(ByteSpan data) { return IdentMatches(data, Derived::kIdent); }

  // DataInit, then the header only; every record array stays empty.
  bool FileHeaderIn(std::u16string_view path) {
    Self().DataInit();
    Bytes head;
    if (!ReadFilePrefix(path, Derived::kHeaderBytes, head)) return CannotOpen();
    return FileHeaderInBytes(head);
  }
  bool FileHeaderInBytes(ByteSpan data) { return Read(data, false); }

  // DataInit, then the whole file.
  bool FileIn(std::u16string_view path) {
    Self().DataInit();
    Bytes data;
    if (!ReadWholeFile(path, data)) return CannotOpen();
    return FileInBytes(data);
  }
  bool FileInBytes(ByteSpan data) { return Read(data, true); }

  // How the last FileHeaderIn or FileIn ended. The data ending before a read had all its
  // bytes is a stop even where the reader takes the missing bytes as zero and answers
  // true: the file is shorter than its header says.
  TReadInfo readInfo;

 private:
  Derived& Self() { return static_cast<Derived&>(*this); }

  bool Read(ByteSpan data, bool body) {
    Self().DataInit();
    ByteReader r(data);
    const bool ok = Self().ReadHeader(r) && (!body || Self().ReadBody(r));
    readInfo.status = ok && !r.hitEnd() ? TReadStatus::kComplete : TReadStatus::kStopped;
    readInfo.stopPos = r.pos();
    return ok;
  }

  bool CannotOpen() {
    readInfo.status = TReadStatus::kCannotOpen;
    return false;
  }
};

}  // namespace glyphgrab
