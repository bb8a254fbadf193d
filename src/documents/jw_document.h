// What JWW drawings and JWS symbols share: the entity lists, the block definitions, the
// block tree and the table of embedded images, with the reading of the archive body.
//
// Ownership: a document owns every array and text; callers read the public fields and
// never change them. After any read each entity array is exactly as long as its count
// (`EntLine.size() == EntLineN`, the same for a definition's `mLine`/`mLineN` ...), also
// when reading stopped part way. Not thread-safe: one operation at a time per object.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "documents/jwwtype.h"
#include "documents/read_info.h"

namespace glyphgrab {

class ByteReader;
namespace jw {
class Archive;
}

class TJwDocument {
 public:
  // Order table of the drawing's list: one entry per declared object (bounded by what the
  // data could hold), the first ones filled in file order, the rest zero.
  std::vector<TEntJwwNo> EntNo;
  std::vector<TEntJwwLine> EntLine;
  std::int32_t EntLineN = 0;
  std::vector<TEntJwwEnko> EntEnko;
  std::int32_t EntEnkoN = 0;
  std::vector<TEntJwwTen> EntTen;
  std::int32_t EntTenN = 0;
  std::vector<TEntJwwMoji> EntMoji;
  std::int32_t EntMojiN = 0;
  std::vector<TEntJwwSunpo> EntSunpo;
  std::int32_t EntSunpoN = 0;
  std::vector<TEntJwwSolid> EntSolid;
  std::int32_t EntSolidN = 0;
  std::vector<TEntJwwBlock> EntBlock;
  std::int32_t EntBlockN = 0;
  std::vector<TEntJwwBlockDef> EntBlockDef;
  std::int32_t EntBlockDefN = 0;
  std::vector<TEntJwwBlockTree> EntBlockTree;
  std::int32_t EntBlockTreeN = 0;
  std::int32_t EntBlockNum = 0;  // referenced block definitions

  // Folder (with trailing delimiter) into which embedded images are unpacked; set by the
  // owner, never changed by reading.
  std::u16string BindImageFolder;
  std::vector<TBindImageType> BindImage;
  std::int32_t BindImageN = 0;
  bool BindImageExp = false;  // owner's switch: unpack embedded images while reading
  bool BindImageExr = false;  // owner's switch: read the image table without unpacking
  // Set by reading when a text in the UTF-16 form occurs; cleared only by DataInit.
  bool MojiEncode = false;

  // Used only by writing and drawing, which this tool never does; reading zeroes them.
  std::int32_t FileOutOpt = 0;
  std::int32_t FontNameN = 0;
  std::vector<std::u16string> FontNames;
  double myMinWx = 0, myMinWy = 0, myMaxWx = 0, myMaxWy = 0;

  // How the last FileHeaderIn or FileIn ended.
  TReadInfo readInfo;

  // Rebuilds EntBlockTree, the definitions' ref_flag and ref_no, and EntBlockNum. The
  // expansion never descends into a definition that already occurs among a node's
  // ancestors, and stops at BlockTreeBudget nodes.
  void MakeBlockTree();
  static constexpr std::int32_t kBlockTreeBudget = 1'000'000;
  std::int32_t BlockTreeBudget = kBlockTreeBudget;  // owner's setting; kept by DataInit

  // Empties the image table.
  void BindImageInit();
  // Deletes, from BindImageFolder, the image files of the table whose names end in ".gz".
  void BindImageDeleteGzFile();
  // Deletes the unpacked counterparts of ".gz" images and the other image files.
  void BindImageDeleteNonGzFile();

 protected:
  TJwDocument() = default;
  ~TJwDocument() = default;

  // Empties everything above except the owner's settings (folder and switches).
  void BodyInit();
  // Releases the memory of the entity arrays, not only their contents, so that one huge
  // drawing does not keep its arrays alive in a reused document.
  void BodyFree();
  // Reads the whole file into `bytes`; when it cannot, readInfo says so.
  bool LoadFile(std::u16string_view path, std::vector<std::uint8_t>& bytes);
  // Everything after a header that ended at r's position: the body, then the image
  // table when `images` says the format has one (read only when a switch asks for it),
  // then the block tree. Sets readInfo; true when all was read.
  bool ReadAfterHeader(ByteReader& r, std::int32_t version, bool images, std::int32_t& n1,
                       std::int32_t& n2);

 private:
  class BodyReader;
  // Reads the entity list, the block definitions and their lists. n1 and n2 receive the
  // stored counts. Answers kComplete, kStopped or kUnknownClass.
  TReadStatus ReadBody(jw::Archive& ar, std::int32_t& n1, std::int32_t& n2);
  // Reads the image table of a version-700 drawing.
  TReadStatus ReadImages(jw::Archive& ar);
};

// True when an image name from a file may be joined to the image folder: a plain file
// name, no folder part, not "." or "..".
bool IsSafeImageName(std::u16string_view name);

}  // namespace glyphgrab
