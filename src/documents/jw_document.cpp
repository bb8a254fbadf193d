#include "documents/jw_document.h"

#include "util/file_bytes.h"

#include <cmath>
#include <fstream>
#include <unordered_map>

#include "documents/jw_archive.h"
#include "util/codepage.h"
#include "util/paths.h"

namespace glyphgrab {
namespace {

// Hostile files can make the block tree large through long names as well as through many
// nodes; the names of all nodes together stay below this many code units.
constexpr std::size_t kBlockTreeNameBudget = 32u << 20;
// Steps spent walking up ancestor chains, bounded so that deep chains cannot make the
// cycle test quadratic without limit.
constexpr std::size_t kBlockTreeWalkBudget = 50'000'000;

jw::EntityTarget DrawingTarget(TJwDocument& d) {
  return jw::EntityTarget{&d.EntNo,   &d.EntLine, &d.EntLineN,   &d.EntEnko,  &d.EntEnkoN,
                          &d.EntTen,  &d.EntTenN, &d.EntMoji,    &d.EntMojiN, &d.EntSunpo,
                          &d.EntSunpoN, &d.EntSolid, &d.EntSolidN, &d.EntBlock, &d.EntBlockN,
                          1000,       1000};
}

jw::EntityTarget DefinitionTarget(TEntJwwBlockDef& d) {
  // Definitions hold few texts and dimensions: they grow in smaller steps.
  return jw::EntityTarget{&d.mNo,   &d.mLine,  &d.mLineN,  &d.mEnko,  &d.mEnkoN,
                          &d.mTen,  &d.mTenN,  &d.mMoji,   &d.mMojiN, &d.mSunpo,
                          &d.mSunpoN, &d.mSolid, &d.mSolidN, &d.mBlock, &d.mBlockN,
                          1000,     500};
}

bool WriteImageFile(std::u16string_view path, ByteSpan data) {
  bool ok;
  {
    std::ofstream out(PathToNative(path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    out.close();
    ok = !out.fail();
  }
  if (!ok && IsFile(path)) RemoveFile(path);
  return ok;
}

}  // namespace

bool IsSafeImageName(std::u16string_view name) {
  if (name.empty() || name == u"." || name == u"..") return false;
  for (char16_t c : name) {
    // The names come from files written on Windows: either delimiter could lead out of
    // the image folder.
    if (c == u'/' || c == u'\\' || c == u':' || c < 0x20) return false;
  }
  return true;
}

bool TJwDocument::LoadFile(std::u16string_view path, std::vector<std::uint8_t>& bytes) {
  if (ReadWholeFile(path, bytes)) return true;
  readInfo.status = TReadStatus::kCannotOpen;
  return false;
}

void TJwDocument::BodyFree() {
  EntLine = {};
  EntEnko = {};
  EntTen = {};
  EntMoji = {};
  EntSunpo = {};
  EntSolid = {};
  EntBlock = {};
  EntBlockDef = {};
  EntBlockTree = {};
  EntNo = {};
}

bool TJwDocument::ReadAfterHeader(ByteReader& r, std::int32_t version, bool images,
                                  std::int32_t& n1, std::int32_t& n2) {
  jw::Archive ar(r, version, MojiEncode);
  readInfo.status = ReadBody(ar, n1, n2);
  if (readInfo.status == TReadStatus::kComplete && images && (BindImageExp || BindImageExr)) {
    readInfo.status = ReadImages(ar);
  }
  readInfo.undecodable += ar.undecodable();
  // A text or value cut short by the end of the data is a stop too, even where the
  // reads that decide the end delivered something.
  if (readInfo.status == TReadStatus::kComplete && r.hitEnd()) readInfo.status = TReadStatus::kStopped;
  readInfo.stopPos = r.pos();
  MakeBlockTree();
  return readInfo.status == TReadStatus::kComplete;
}

void TJwDocument::BodyInit() {
  EntNo.clear();
  EntLine.clear();
  EntEnko.clear();
  EntTen.clear();
  EntMoji.clear();
  EntSunpo.clear();
  EntSolid.clear();
  EntBlock.clear();
  EntBlockDef.clear();
  EntBlockTree.clear();
  EntLineN = EntEnkoN = EntTenN = EntMojiN = EntSunpoN = EntSolidN = EntBlockN = 0;
  EntBlockDefN = EntBlockTreeN = EntBlockNum = 0;
  BindImageInit();
  FontNames.clear();
  FontNameN = 0;
  FileOutOpt = 0;
  MojiEncode = false;
  readInfo = {};
}

void TJwDocument::BindImageInit() {
  BindImage.clear();
  BindImageN = 0;
}

void TJwDocument::BindImageDeleteGzFile() {
  for (std::int32_t i = 0; i < BindImageN && i < static_cast<std::int32_t>(BindImage.size()); ++i) {
    const std::u16string& name = BindImage[static_cast<std::size_t>(i)].Fname;
    if (!IsSafeImageName(name) || FileExtLower(name) != u".gz") continue;
    const std::u16string path = BindImageFolder + name;
    if (IsFile(path)) RemoveFile(path);
  }
}

void TJwDocument::BindImageDeleteNonGzFile() {
  for (std::int32_t i = 0; i < BindImageN && i < static_cast<std::int32_t>(BindImage.size()); ++i) {
    std::u16string name = BindImage[static_cast<std::size_t>(i)].Fname;
    if (!IsSafeImageName(name)) continue;
    if (FileExtLower(name) == u".gz") name = ReplaceFileExt(name, u"");
    if (!IsSafeImageName(name)) continue;
    const std::u16string path = BindImageFolder + name;
    if (IsFile(path)) RemoveFile(path);
  }
}

// The document's side of the archive body: every entity into its arrays.
class TJwDocument::BodyReader {
 public:
  explicit BodyReader(TJwDocument& doc) : doc_(doc) {}

  void Drawing(std::int32_t count, std::size_t remaining) {
    doc_.EntBlockDefN = 0;
    doc_.EntNo.assign(jw::BoundCount(count, remaining, jw::kMinEntityBytes), TEntJwwNo{});
  }
  jw::ListResult DrawingList(jw::Archive& ar, std::int32_t count) {
    jw::EntityTarget drawing = DrawingTarget(doc_);
    return ar.ReadEntityList(count, drawing);
  }
  void Definitions(std::size_t n) {
    doc_.EntBlockDef.resize(n);
    doc_.EntBlockDefN = static_cast<std::int32_t>(n);
  }
  void Definition(std::size_t d, const std::uint8_t* fixed, std::uint32_t dtime) {
    TEntJwwBlockDef& def = doc_.EntBlockDef[d];
    def.att = jw::AttrAt(fixed);
    def.nNumber = LeU32At(fixed + 15);
    def.bRefferd = LeU32At(fixed + 19);
    def.dtime = dtime;
  }
  void DefinitionName(std::size_t d, jw::Archive& ar) { doc_.EntBlockDef[d].strName = ar.ReadCleanText(); }
  jw::ListResult DefinitionList(std::size_t d, jw::Archive& ar, std::int32_t count, std::size_t remaining) {
    TEntJwwBlockDef& def = doc_.EntBlockDef[d];
    def.N = count;
    def.mNo.assign(jw::BoundCount(count, remaining, jw::kMinEntityBytes), TEntJwwNo{});
    jw::EntityTarget target = DefinitionTarget(def);
    return ar.ReadEntityList(count, target);
  }

 private:
  TJwDocument& doc_;
};

TReadStatus TJwDocument::ReadBody(jw::Archive& ar, std::int32_t& n1, std::int32_t& n2) {
  BodyReader body(*this);
  return jw::ReadArchiveBody(ar, body, n1, n2);
}

TReadStatus TJwDocument::ReadImages(jw::Archive& ar) {
  ByteReader& r = ar.reader();
  const std::int32_t m = r.I32();
  if (m <= 0) {
    BindImageN = 0;
    return m < 0 ? TReadStatus::kStopped : TReadStatus::kComplete;
  }
  const std::size_t n = jw::BoundCount(m, r.remaining(), jw::kMinImageBytes);
  BindImage.resize(n);
  BindImageN = static_cast<std::int32_t>(n);
  for (TBindImageType& image : BindImage) {
    image.Fname = ar.ReadCleanText();
    image.Fsize = r.I32();
    if (image.Fname.empty() || image.Fsize == 0) continue;
    const ByteSpan data = r.Take(image.Fsize > 0 ? static_cast<std::size_t>(image.Fsize) : 0);
    if (!IsSafeImageName(image.Fname)) {
      // A name that would address something outside the image folder is not unpacked
      // and not kept, so that the delete operations cannot reach it either.
      image.Fname.clear();
      continue;
    }
    if (BindImageExp) WriteImageFile(BindImageFolder + image.Fname, data);
  }
  if (n < static_cast<std::size_t>(m)) return TReadStatus::kStopped;
  return TReadStatus::kComplete;
}

void TJwDocument::MakeBlockTree() {
  EntBlockTree.clear();
  EntBlockTreeN = 0;
  EntBlockNum = 0;
  for (TEntJwwBlockDef& d : EntBlockDef) {
    d.ref_flag = false;
    d.ref_no = -1;
  }
  if (EntBlockN <= 0) return;

  // The first definition of each number is the one insertions place.
  std::unordered_map<std::uint32_t, std::int32_t> first;
  const std::int32_t defCount = std::min<std::int32_t>(EntBlockDefN, static_cast<std::int32_t>(EntBlockDef.size()));
  for (std::int32_t i = 0; i < defCount; ++i) first.emplace(EntBlockDef[static_cast<std::size_t>(i)].nNumber, i);

  std::size_t nameUnits = 0;
  std::size_t walked = 0;
  bool full = false;
  auto add = [&](TEntJwwBlockTree&& node) {
    if (EntBlockTree.size() >= static_cast<std::size_t>(std::max(BlockTreeBudget, 0))) {
      full = true;
      return;
    }
    const auto it = first.find(node.no);
    if (it != first.end()) {
      TEntJwwBlockDef& def = EntBlockDef[static_cast<std::size_t>(it->second)];
      nameUnits += def.strName.size();
      if (nameUnits > kBlockTreeNameBudget) {
        full = true;
        return;
      }
      node.defno = it->second;
      node.name = def.strName;
      def.ref_flag = true;
    }
    EntBlockTree.push_back(std::move(node));
  };

  for (std::int32_t j = 0; j < EntBlockN && !full; ++j) {
    const TEntJwwBlock& b = EntBlock[static_cast<std::size_t>(j)];
    TEntJwwBlockTree node;
    node.att = b.att;
    node.level = 0;
    node.parent = -1;
    node.no = b.nNumber;
    node.x = b.DPKijunTen_x;
    node.y = b.DPKijunTen_y;
    const double c = std::cos(b.radKaitenKaku), s = std::sin(b.radKaitenKaku);
    node.r1 = b.dBairitsuX * c;
    node.r2 = -b.dBairitsuY * s;
    node.r3 = b.dBairitsuX * s;
    node.r4 = b.dBairitsuY * c;
    add(std::move(node));
  }

  for (std::size_t k = 0; k < EntBlockTree.size() && !full; ++k) {
    const TEntJwwBlockTree& pk = EntBlockTree[k];
    if (pk.defno < 0) continue;
    const TEntJwwBlockDef& def = EntBlockDef[static_cast<std::size_t>(pk.defno)];
    if (def.mBlockN <= 0) continue;
    // A definition that occurs among its own ancestors would repeat forever.
    bool cycle = false;
    for (std::int32_t a = pk.parent; a >= 0; a = EntBlockTree[static_cast<std::size_t>(a)].parent) {
      if (++walked > kBlockTreeWalkBudget) {
        full = true;
        break;
      }
      if (EntBlockTree[static_cast<std::size_t>(a)].defno == pk.defno) {
        cycle = true;
        break;
      }
    }
    if (cycle || full) continue;

    // A copy: appending may move the nodes.
    const std::int32_t level = pk.level;
    const double px = pk.x, py = pk.y, p1 = pk.r1, p2 = pk.r2, p3 = pk.r3, p4 = pk.r4;
    const std::int32_t count = std::min<std::int32_t>(def.mBlockN, static_cast<std::int32_t>(def.mBlock.size()));
    for (std::int32_t l = 0; l < count && !full; ++l) {
      const TEntJwwBlock& b = def.mBlock[static_cast<std::size_t>(l)];
      const double c = std::cos(b.radKaitenKaku), s = std::sin(b.radKaitenKaku);
      const double m1 = b.dBairitsuX * c, m2 = -b.dBairitsuY * s;
      const double m3 = b.dBairitsuX * s, m4 = b.dBairitsuY * c;
      TEntJwwBlockTree node;
      node.att = def.att;
      node.level = level + 1;
      node.parent = static_cast<std::int32_t>(k);
      node.no = b.nNumber;
      node.x = px + p1 * b.DPKijunTen_x + p2 * b.DPKijunTen_y;
      node.y = py + p3 * b.DPKijunTen_x + p4 * b.DPKijunTen_y;
      node.r1 = p1 * m1 + p2 * m3;
      node.r2 = p1 * m2 + p2 * m4;
      node.r3 = p3 * m1 + p4 * m3;
      node.r4 = p3 * m2 + p4 * m4;
      add(std::move(node));
    }
  }
  EntBlockTreeN = static_cast<std::int32_t>(EntBlockTree.size());

  std::int32_t next = 0;
  for (TEntJwwBlockDef& d : EntBlockDef) {
    if (d.ref_flag) d.ref_no = next++;
  }
  EntBlockNum = next;
}

}  // namespace glyphgrab
