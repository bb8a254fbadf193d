// What the JWW and JWS documents share around their own header readers: the file check,
// and reading the header alone or the whole file from a path or from bytes. The DOS
// generation's counterpart is TDosDocument.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "documents/byte_reader.h"
#include "documents/jw_document.h"
#include "util/file_bytes.h"

namespace glyphgrab {

// Derived provides kCheckBytes (what FileCheckBytes looks at), kHeaderPrefix (the bytes
// a header usually fits in), FileCheckBytes(ByteSpan), DataInit(),
// ReadHeader(ByteReader&) answering a TReadStatus, HasImageTable() and Enthd.n1/n2.
template <typename Derived>
class TJwFileDocument : public TJwDocument {
 public:
  // True when the file starts with the identification and an accepted version. Reads
  // only the first bytes; the document is not touched.
  static bool FileCheck(std::u16string_view path) {
    Bytes head;
    return ReadFilePrefix(path, Derived::kCheckBytes, head) && Derived::FileCheckBytes(head);
  }

  // DataInit, then the header and the tables it carries. Reads only as much of the file
  // as the header takes.
  bool FileHeaderIn(std::u16string_view path) {
    Self().DataInit();
    Bytes head;
    std::uint64_t size = 0;
    for (std::size_t limit = Derived::kHeaderPrefix;; limit *= 4) {
      if (!ReadFilePrefix(path, limit, head, &size)) {
        Self().DataInit();
        readInfo.status = TReadStatus::kCannotOpen;
        return false;
      }
      FileHeaderInBytes(head);
      // A header that ran past the prefix is read again from a longer one.
      if (readInfo.status == TReadStatus::kComplete || readInfo.stopPos < head.size() ||
          head.size() >= size) {
        break;
      }
    }
    return readInfo.status == TReadStatus::kComplete;
  }
  bool FileHeaderInBytes(ByteSpan bytes) {
    Self().DataInit();
    ByteReader r(bytes);
    readInfo.status = Self().ReadHeader(r);
    readInfo.stopPos = r.pos();
    return readInfo.status == TReadStatus::kComplete;
  }

  // DataInit, then the whole file, and the block tree built. False when any part could
  // not be read; the document then holds what was read before the stop.
  bool FileIn(std::u16string_view path) {
    Self().DataInit();
    Bytes bytes;
    return LoadFile(path, bytes) && FileInBytes(bytes);
  }
  bool FileInBytes(ByteSpan bytes) {
    Self().DataInit();
    ByteReader r(bytes);
    readInfo.status = Self().ReadHeader(r);
    if (readInfo.status != TReadStatus::kComplete) {
      readInfo.stopPos = r.pos();
      return false;
    }
    Derived& d = Self();
    return ReadAfterHeader(r, d.Enthd.jwVer, d.HasImageTable(), d.Enthd.n1, d.Enthd.n2);
  }

 protected:
  TJwFileDocument() = default;
  ~TJwFileDocument() = default;

 private:
  Derived& Self() { return static_cast<Derived&>(*this); }
};

}  // namespace glyphgrab
