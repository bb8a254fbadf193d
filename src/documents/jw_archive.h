// Primitives of the serialised-object archives that JWW drawings and JWS symbols are:
// counted texts, object counts, object tags with the per-file class register, attribute
// records and the fixed parts of entities. One implementation serves both documents.
//
// Internal to the documents layer: TJwwData and TJwsData are the public interface.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "documents/byte_reader.h"
#include "documents/jwwtype.h"

namespace glyphgrab::jw {

// Version 351 added the pen width to every attribute record (15 bytes instead of 13).
constexpr std::int32_t kVerPenWidth = 351;
// Version 420 added the dimension data after the text, the extended colour and line-type
// tables.
constexpr std::int32_t kVerSxf = 420;
// Version 700 added the table of embedded images after the block definitions.
constexpr std::int32_t kVerImages = 700;

// Fixed-part sizes in the current format (two bytes less for version 350 and below).
constexpr std::size_t kAttrBytes = 15;
constexpr std::size_t kLineBytes = 47;
constexpr std::size_t kEnkoBytes = 75;
constexpr std::size_t kTenBytes = 35;
constexpr std::size_t kMojiBytes = 83;
constexpr std::size_t kSolidBytes = 79;
constexpr std::size_t kBlockBytes = 59;
constexpr std::size_t kBlockDefBytes = 27;

// The attribute record every entity and block definition starts with, from a fixed part
// already in memory.
TEntJwwAttr AttrAt(const std::uint8_t* p);
// Class names and short fixed parts pass through one work buffer of this size.
constexpr std::size_t kWorkBufferBytes = 2048;

// Every count from the file is bounded by what the remaining bytes could hold, plus this
// much slack so that small counts of a cut-off file still behave exactly as declared.
constexpr std::size_t kCountSlack = 1024;
inline std::size_t BoundCount(std::int64_t count, std::size_t remaining, std::size_t minBytes) {
  if (count <= 0) return 0;
  const std::size_t bound = remaining / minBytes + kCountSlack;
  return static_cast<std::size_t>(count) < bound ? static_cast<std::size_t>(count) : bound;
}

// The fewest bytes that an object holding any data can take: an entity is a tag and at
// least the shortest fixed part (a point of an old file); a block definition a tag, its
// fixed part, a name and a count. Only the last object before the end can be shorter.
constexpr std::size_t kMinEntityBytes = 2 + kTenBytes - 2;
constexpr std::size_t kMinDefinitionBytes = 2 + kBlockDefBytes - 2 + 1 + 2;
constexpr std::size_t kMinImageBytes = 1 + 4;

enum class TagKind { kNewClass, kClassRef };

struct ObjectTag {
  TagKind tag = TagKind::kClassRef;
  // The entity kind (kEntSen ... kEntBlock), 0 for a tag that stands for no known kind,
  // -1 for a new class whose name is not an entity class.
  std::int32_t kind = 0;
  bool delivered = true;  // false when not one byte of the tag could be read
};

// Targets of one entity list: the drawing's arrays or a block definition's.
struct EntityTarget {
  std::vector<TEntJwwNo>* no;
  std::vector<TEntJwwLine>* line;
  std::int32_t* lineN;
  std::vector<TEntJwwEnko>* enko;
  std::int32_t* enkoN;
  std::vector<TEntJwwTen>* ten;
  std::int32_t* tenN;
  std::vector<TEntJwwMoji>* moji;
  std::int32_t* mojiN;
  std::vector<TEntJwwSunpo>* sunpo;
  std::int32_t* sunpoN;
  std::vector<TEntJwwSolid>* solid;
  std::int32_t* solidN;
  std::vector<TEntJwwBlock>* block;
  std::int32_t* blockN;
  // Growth steps of the arrays.
  std::size_t step = 1000;
  std::size_t mojiStep = 1000;
};

enum class ListResult { kOk, kEnd, kUnknownClass };

class Archive {
 public:
  Archive(ByteReader& r, std::int32_t version, bool& mojiEncode)
      : r_(r), ver_(version), mojiEncode_(mojiEncode) {}

  ByteReader& reader() { return r_; }
  std::int32_t version() const { return ver_; }
  bool oldAttr() const { return ver_ < kVerPenWidth; }

  // A counted text in any of its four stored forms, cut at its first NUL.
  std::u16string ReadText();
  // ReadText without the characters below U+0020.
  std::u16string ReadCleanText();
  // An object count; `delivered` tells whether its first word delivered any byte.
  std::int32_t ReadCount(bool* delivered = nullptr);
  ObjectTag ReadObjectTag();
  // Reads a block definition's tag: a new class is registered without checking its name.
  bool ReadDefinitionTag();
  TEntJwwAttr ReadAttr();
  // Reads a fixed part of `size` bytes (current format) into buf, widening the short
  // layout of old files; answers the bytes delivered.
  std::size_t ReadFixed(std::uint8_t* buf, std::size_t size);

  // Counts the object that was just read (entity or block definition).
  void CountObject() { ++objectIndex_; }
  std::int32_t objectIndex() const { return objectIndex_; }
  // Bytes of single-byte texts that code page 932 could not decode (now U+FFFD).
  std::size_t undecodable() const { return undecodable_; }

  ListResult ReadEntityList(std::int32_t count, EntityTarget& t);

 private:
  bool ReadTen(TEntJwwTen& t, std::size_t& delivered);
  bool ReadMoji(TEntJwwMoji& m);
  bool ReadSunpo(TEntJwwSunpo& s);

  ByteReader& r_;
  std::int32_t ver_;
  bool& mojiEncode_;
  std::int32_t objectIndex_ = 1;
  std::size_t undecodable_ = 0;
  std::array<std::int32_t, 8> classIndex_{};  // by kind, 0 = not registered
  std::array<std::uint8_t, kWorkBufferBytes> work_{};
};

void CopyAttr(const TEntJwwAttr& from, TEntJwwAttr& to);

}  // namespace glyphgrab::jw
