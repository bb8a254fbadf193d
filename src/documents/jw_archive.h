// Primitives of the serialised-object archives that JWW drawings and JWS symbols are:
// counted texts, object counts, object tags with the per-file class register, attribute
// records and the fixed parts of entities. One implementation serves both documents.
//
// Internal to the documents layer: TJwwData and TJwsData are the public interface.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "documents/byte_reader.h"
#include "documents/jwwtype.h"
#include "documents/read_info.h"

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

// Where an entity list's texts go when it is read for its texts alone: all texts of a
// file back to back in one buffer of units that keeps its room from file to file, and
// the place of each text in it. Nothing is allocated per entity.
struct TextSpan {
  std::size_t at = 0;
  std::size_t size = 0;
};
struct TextTarget {
  std::u16string* units;
  std::vector<TextSpan>* texts;  // text entities, in file order
  std::vector<TextSpan>* dims;   // dimension texts, in file order
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
  // ReadEntityList for the texts alone: the same objects are taken and reading stops at
  // the same byte for the same reason, but every other kind is passed over by its size
  // and the texts go to `t`.
  ListResult ReadEntityTexts(std::int32_t count, TextTarget& t);
  // ReadCleanText appended to `units`; answers where it went.
  TextSpan AppendCleanText(std::u16string& units);

 private:
  // The rest of a new-class tag.
  ObjectTag ReadNewClass();
  // The kind registered under a class index; 0 when none is.
  std::int32_t KindOf(std::int64_t index);
  // A text passed over; its undecodable bytes are counted as reading it would count them.
  void SkipText();
  // The stored bytes of a fixed part passed over, fewer at the end of the data. Only its
  // first 7 bytes are at the same place in both layouts.
  std::span<const std::uint8_t> SkipFixed(std::size_t size);
  bool SkipTen();
  bool SkipSunpo(std::u16string& units, TextSpan& text);
  bool ReadTen(TEntJwwTen& t, std::size_t& delivered);
  bool ReadMoji(TEntJwwMoji& m);
  bool ReadSunpo(TEntJwwSunpo& s);

  ByteReader& r_;
  std::int32_t ver_;
  bool& mojiEncode_;
  std::int32_t objectIndex_ = 1;
  std::size_t undecodable_ = 0;
  std::array<std::int32_t, 8> classIndex_{};  // by kind, 0 = not registered
  std::int64_t lastIndex_ = -1;  // the class index last looked up, and its kind
  std::int32_t lastKind_ = 0;
  std::array<std::uint8_t, kWorkBufferBytes> work_{};
  // The font name last passed over that needed decoding, and what it held undecodable:
  // the texts of a drawing mostly share one font.
  std::vector<std::uint8_t> skippedName_;
  std::size_t skippedNameBad_ = 0;
  std::u16string skipScratch_;
};

// The archive after a header: the drawing's entity list, the count of block definitions,
// then each definition with its own list, read into `body`, which takes each part as it
// comes (TJwDocument builds its entities, the text reader keeps the texts):
//   void Drawing(std::int32_t count, std::size_t remaining);  before the drawing's list
//   ListResult DrawingList(Archive&, std::int32_t count);
//   void Definitions(std::size_t n);  n definitions to come (the count, bounded)
//   void Definition(std::size_t d, const std::uint8_t* fixed, std::uint32_t dtime);
//   void DefinitionName(std::size_t d, Archive&);  reads the name
//   ListResult DefinitionList(std::size_t d, Archive&, std::int32_t count, std::size_t remaining);
// n1 and n2 receive the stored counts. Answers kComplete, kStopped or kUnknownClass.
template <typename Body>
TReadStatus ReadArchiveBody(Archive& ar, Body& body, std::int32_t& n1, std::int32_t& n2) {
  const auto status = [](ListResult l) {
    return l == ListResult::kEnd ? TReadStatus::kStopped : TReadStatus::kUnknownClass;
  };
  ByteReader& r = ar.reader();
  bool delivered = false;
  const std::int32_t count1 = ar.ReadCount(&delivered);
  if (!delivered) return TReadStatus::kStopped;
  n1 = count1;
  n2 = 0;
  body.Drawing(count1, r.remaining());
  if (const ListResult l = body.DrawingList(ar, count1); l != ListResult::kOk) return status(l);
  if (count1 < 0) return TReadStatus::kStopped;

  const std::int32_t count2 = ar.ReadCount(&delivered);
  if (!delivered) return TReadStatus::kStopped;
  if (count2 == 0) return TReadStatus::kComplete;
  if (count2 < 0) return TReadStatus::kStopped;
  n2 = count2;
  const std::size_t defs = BoundCount(count2, r.remaining(), kMinDefinitionBytes);
  body.Definitions(defs);
  for (std::size_t d = 0; d < defs; ++d) {
    if (!ar.ReadDefinitionTag()) return TReadStatus::kStopped;
    std::uint8_t buf[kBlockDefBytes];
    if (ar.ReadFixed(buf, kBlockDefBytes) == 0) return TReadStatus::kStopped;
    std::uint32_t dtime = LeU32At(buf + 23);
    // The long time form stores 8 more bytes; the position stands in for the stamp.
    if (dtime & 0x80000000u) {
      r.Skip(8);
      dtime = static_cast<std::uint32_t>(d + 1);
    }
    body.Definition(d, buf, dtime);
    body.DefinitionName(d, ar);
    const std::int32_t count = ar.ReadCount();
    const std::size_t remaining = r.remaining();
    ar.CountObject();
    if (const ListResult l = body.DefinitionList(d, ar, count, remaining); l != ListResult::kOk) return status(l);
    if (count < 0) return TReadStatus::kStopped;
  }
  // More definitions declared than the data could hold.
  if (defs < static_cast<std::size_t>(count2)) return TReadStatus::kStopped;
  return TReadStatus::kComplete;
}

void CopyAttr(const TEntJwwAttr& from, TEntJwwAttr& to);

}  // namespace glyphgrab::jw
