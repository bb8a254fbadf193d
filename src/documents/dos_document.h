// What the JWC and JWK documents share around their own header and body readers: the
// file check, and reading the header alone or the whole file from a path or from bytes.
#pragma once

#include <string_view>

#include "documents/byte_reader.h"
#include "documents/dos_header.h"
#include "documents/dos_records.h"
#include "documents/identification.h"
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
    return ReadFilePrefix(path, Derived::kHeaderBytes, head) && FileHeaderInBytes(head);
  }
  bool FileHeaderInBytes(ByteSpan data) { return Read(data, false); }

  // DataInit, then the whole file.
  bool FileIn(std::u16string_view path) {
    Self().DataInit();
    Bytes data;
    return ReadWholeFile(path, data) && FileInBytes(data);
  }
  bool FileInBytes(ByteSpan data) { return Read(data, true); }

  // How the last FileHeaderIn or FileIn ended.
  TDosReadInfo readInfo;

 private:
  Derived& Self() { return static_cast<Derived&>(*this); }

  bool Read(ByteSpan data, bool body) {
    Self().DataInit();
    ByteReader r(data);
    const bool ok = Self().ReadHeader(r) && (!body || Self().ReadBody(r));
    readInfo.stopPos = r.pos();
    readInfo.shortRead = r.hitEnd();
    return ok;
  }
};

}  // namespace glyphgrab
