#include "documents/jw_archive.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "util/cancel.h"
#include "util/codepage.h"
#include "util/strings.h"
#include "util/values.h"

namespace glyphgrab::jw {
namespace {

// Most stored texts are plain ASCII: widen those directly and leave the rest to the
// code page 932 decoder (which agrees with the plain widening for bytes below 0x80).
std::u16string DecodeAnsi(ByteSpan b, std::size_t& undecodable) {
  std::size_t i = 0;
  while (i < b.size() && b[i] != 0 && b[i] < 0x80) ++i;
  if (i < b.size() && b[i] != 0) {
    std::size_t bad = 0;
    std::u16string s = AnsiBytesToStr(b, &bad);
    undecodable += bad;
    return s;
  }
  return std::u16string(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(i));
}

void FixMojiSizes(TEntJwwMoji& m) {
  if (!IsFiniteValue(m.dSizeX)) m.dSizeX = 3.0;
  if (!IsFiniteValue(m.dSizeY)) m.dSizeY = 3.0;
  if (!IsFiniteValue(m.dKankaku)) m.dKankaku = 0;
}

void GetLine(const std::uint8_t* p, TEntJwwLine& l) {
  l.att = AttrAt(p);
  l.start_x = LeF64At(p + 15);
  l.start_y = LeF64At(p + 23);
  l.end_x = LeF64At(p + 31);
  l.end_y = LeF64At(p + 39);
}

void GetMojiFixed(const std::uint8_t* p, TEntJwwMoji& m) {
  m.att = AttrAt(p);
  m.start_x = LeF64At(p + 15);
  m.start_y = LeF64At(p + 23);
  m.end_x = LeF64At(p + 31);
  m.end_y = LeF64At(p + 39);
  m.nMojiShu = LeU32At(p + 47);
  m.dSizeX = LeF64At(p + 51);
  m.dSizeY = LeF64At(p + 59);
  m.dKankaku = LeF64At(p + 67);
  m.degKakudo = LeF64At(p + 75);
}

// Room for one more entity; arrays stay exactly as long as their counts, growing in
// steps of at least `step` entries.
template <typename T>
T& Append(std::vector<T>& v, std::int32_t& n, std::size_t step) {
  if (v.size() == v.capacity()) v.reserve(std::max(v.size() + step, v.size() + v.size() / 2));
  v.emplace_back();
  ++n;
  return v.back();
}

template <typename T>
void DropLast(std::vector<T>& v, std::int32_t& n) {
  v.pop_back();
  --n;
}

constexpr std::string_view kClassNames[8] = {
    "", "CDataSen", "CDataEnko", "CDataTen", "CDataMoji", "CDataSunpou", "CDataSolid", "CDataBlock",
};

constexpr std::uint8_t kSpecialPoint = 100;
constexpr std::uint16_t kExplicitColor = 10;

}  // namespace

TEntJwwAttr AttrAt(const std::uint8_t* p) {
  TEntJwwAttr a;
  a.lGroup = LeU32At(p);
  a.nPenStyle = p[4];
  a.nPenColor = LeU16At(p + 5);
  a.nPenWidth = LeU16At(p + 7);
  a.nLayer = LeU16At(p + 9);
  a.nGLayer = LeU16At(p + 11);
  a.sFlg = LeU16At(p + 13);
  return a;
}

void CopyAttr(const TEntJwwAttr& from, TEntJwwAttr& to) { to = from; }

std::u16string Archive::ReadText() {
  const std::uint8_t n = r_.U8();
  if (n == 0) return {};  // most names of a drawing's tables are empty
  if (n < 0xFF) return DecodeAnsi(r_.Take(n), undecodable_);
  const std::uint16_t w = r_.U16();
  if (w != 0xFFFE) return DecodeAnsi(r_.Take(w), undecodable_);
  // The UTF-16 marker: the Unicode builds of Jw_cad write every text this way.
  mojiEncode_ = true;
  std::size_t m = r_.U8();
  if (m == 0xFF) m = r_.U16();
  return Utf16BytesToStr(r_.Take(2 * m));
}

std::u16string Archive::ReadCleanText() {
  std::u16string text = ReadText();
  RemoveControlCharsInPlace(text);
  return text;
}

std::int32_t Archive::ReadCount(bool* delivered) {
  std::uint16_t c = 0;
  const bool any = r_.CheckedU16(c);
  if (delivered) *delivered = any;
  if (c != 0xFFFF) return c;
  return static_cast<std::int32_t>(r_.U32());
}

ObjectTag Archive::ReadObjectTag() {
  std::uint16_t t = 0;
  if (!r_.CheckedU16(t)) return ObjectTag{TagKind::kClassRef, 0, false};
  if (t == 0xFFFF) return ReadNewClass();
  const std::int64_t index = t == 0x7FFF ? static_cast<std::int64_t>(r_.U32() & 0x7FFFFFFFu)
                                         : static_cast<std::int64_t>(t) - 0x8000;
  // Runs of one kind are the rule: the last reference found answers most tags.
  return ObjectTag{TagKind::kClassRef, index == lastIndex_ ? lastKind_ : KindOf(index), true};
}

ObjectTag Archive::ReadNewClass() {
  ObjectTag tag;
  tag.tag = TagKind::kNewClass;
  r_.U16();  // schema number
  const std::uint16_t n = r_.U16();
  // A name that cannot fit the work buffer with its terminating zero is no known class.
  if (n >= kWorkBufferBytes) {
    r_.Skip(n);
    tag.kind = -1;
    return tag;
  }
  std::memset(work_.data(), 0, n + 1u);
  r_.Read(work_.data(), n);
  if (r_.hitEnd()) {
    // A class cut off by the end of the data is the end, not an unknown class.
    tag.delivered = false;
    return tag;
  }
  const std::string_view name(reinterpret_cast<const char*>(work_.data()));
  tag.kind = -1;
  for (std::int32_t k = kEntSen; k <= kEntBlock; ++k) {
    if (name == kClassNames[k]) {
      tag.kind = k;
      classIndex_[static_cast<std::size_t>(k)] = objectIndex_++;
      lastIndex_ = -1;  // the kind may have left its earlier index
      break;
    }
  }
  return tag;
}

std::int32_t Archive::KindOf(std::int64_t index) {
  // Kinds that were never registered in this file match no index.
  for (std::int32_t k = kEntSen; k <= kEntBlock; ++k) {
    const std::int32_t c = classIndex_[static_cast<std::size_t>(k)];
    if (c != 0 && c == index) {
      lastIndex_ = index;
      lastKind_ = k;
      return k;
    }
  }
  return 0;
}

bool Archive::ReadDefinitionTag() {
  std::uint16_t t = 0;
  if (!r_.CheckedU16(t)) return false;
  if (t == 0xFFFF) {
    r_.U16();  // schema number
    r_.Skip(r_.U16());  // class name, not checked
    ++objectIndex_;
  } else if (t == 0x7FFF) {
    r_.U32();
  }
  return true;
}

TEntJwwAttr Archive::ReadAttr() {
  std::uint8_t buf[kAttrBytes];
  ReadFixed(buf, kAttrBytes);
  return AttrAt(buf);
}

std::size_t Archive::ReadFixed(std::uint8_t* buf, std::size_t size) {
  if (!oldAttr()) return r_.Read(buf, size);
  // Old files lack the pen width (bytes 7 and 8 of the current layout).
  const std::size_t got = r_.Read(work_.data(), size - 2);
  std::memcpy(buf, work_.data(), 7);
  buf[7] = buf[8] = 0;
  std::memcpy(buf + 9, work_.data() + 7, size - 9);
  return got;
}

bool Archive::ReadTen(TEntJwwTen& t, std::size_t& delivered) {
  std::uint8_t buf[kTenBytes];
  delivered = ReadFixed(buf, kTenBytes);
  t.att = AttrAt(buf);
  t.start_x = LeF64At(buf + 15);
  t.start_y = LeF64At(buf + 23);
  t.bKariten = LeU32At(buf + 31);
  if (t.att.nPenStyle == kSpecialPoint) {
    t.nCode = r_.U32();
    t.radKaitenKaku = r_.F64();
    t.dBairitsu = r_.F64();
  } else {
    t.nCode = 0;
    t.radKaitenKaku = 0;
    t.dBairitsu = 0;
  }
  return delivered > 0;
}

bool Archive::ReadMoji(TEntJwwMoji& m) {
  std::uint8_t buf[kMojiBytes];
  if (ReadFixed(buf, kMojiBytes) == 0) return false;
  GetMojiFixed(buf, m);
  FixMojiSizes(m);
  m.strFontName = ReadCleanText();
  m.str = ReadCleanText();
  return true;
}

bool Archive::ReadSunpo(TEntJwwSunpo& s) {
  s.att = ReadAttr();
  std::uint8_t buf[kLineBytes];
  ReadFixed(buf, kLineBytes);
  GetLine(buf, s.Sen);
  if (!ReadMoji(s.Moji)) return false;
  if (ver_ >= kVerSxf) {
    s.bSxfMode = r_.U16();
    ReadFixed(buf, kLineBytes);
    GetLine(buf, s.Ho1);
    ReadFixed(buf, kLineBytes);
    GetLine(buf, s.Ho2);
    std::size_t got = 0;
    ReadTen(s.Te1, got);
    ReadTen(s.Te2, got);
    ReadTen(s.Kt1, got);
    return ReadTen(s.Kt2, got);
  }
  // Older dimensions store nothing after the text: the auxiliary records take over the
  // dimension's attribute, points with a plain pen style.
  s.bSxfMode = 0;
  for (TEntJwwLine* l : {&s.Ho1, &s.Ho2}) {
    *l = TEntJwwLine{};
    CopyAttr(s.att, l->att);
  }
  for (TEntJwwTen* t : {&s.Te1, &s.Te2, &s.Kt1, &s.Kt2}) {
    *t = TEntJwwTen{};
    CopyAttr(s.att, t->att);
    t->att.nPenStyle = 0;
  }
  return true;
}

ListResult Archive::ReadEntityList(std::int32_t count, EntityTarget& t) {
  std::int32_t k = 0;
  std::size_t j = 0;
  std::uint8_t buf[std::max({kLineBytes, kEnkoBytes, kSolidBytes, kBlockBytes})];
  std::uint32_t steps = 0;
  while (k < count) {
    // An abandoned job's read ends here as though the data ended.
    if ((steps++ & 4095u) == 0 && CancelRequested()) return ListResult::kEnd;
    const ObjectTag tag = ReadObjectTag();
    if (!tag.delivered) return ListResult::kEnd;
    if (tag.kind < 0) return ListResult::kUnknownClass;
    if (tag.kind == 0) continue;  // stands for no known object: the next tag follows

    std::int32_t index = -1;
    switch (tag.kind) {
      case kEntSen: {
        auto& e = Append(*t.line, *t.lineN, t.step);
        if (ReadFixed(buf, kLineBytes) == 0) {
          DropLast(*t.line, *t.lineN);
          break;
        }
        GetLine(buf, e);
        index = *t.lineN - 1;
        break;
      }
      case kEntEnko: {
        auto& e = Append(*t.enko, *t.enkoN, t.step);
        if (ReadFixed(buf, kEnkoBytes) == 0) {
          DropLast(*t.enko, *t.enkoN);
          break;
        }
        e.att = AttrAt(buf);
        e.start_x = LeF64At(buf + 15);
        e.start_y = LeF64At(buf + 23);
        e.dHankei = LeF64At(buf + 31);
        e.radKaishiKaku = LeF64At(buf + 39);
        e.radEnkoKaku = LeF64At(buf + 47);
        e.radKatamukiKaku = LeF64At(buf + 55);
        e.dHenpeiRitsu = LeF64At(buf + 63);
        e.bZenEnFlg = LeU32At(buf + 71);
        index = *t.enkoN - 1;
        break;
      }
      case kEntTen: {
        auto& e = Append(*t.ten, *t.tenN, t.step);
        std::size_t got = 0;
        if (!ReadTen(e, got)) {
          DropLast(*t.ten, *t.tenN);
          break;
        }
        index = *t.tenN - 1;
        break;
      }
      case kEntMoji: {
        auto& e = Append(*t.moji, *t.mojiN, t.mojiStep);
        if (!ReadMoji(e)) {
          DropLast(*t.moji, *t.mojiN);
          break;
        }
        index = *t.mojiN - 1;
        break;
      }
      case kEntSunpo: {
        auto& e = Append(*t.sunpo, *t.sunpoN, t.mojiStep);
        if (!ReadSunpo(e)) {
          DropLast(*t.sunpo, *t.sunpoN);
          break;
        }
        index = *t.sunpoN - 1;
        break;
      }
      case kEntSolid: {
        auto& e = Append(*t.solid, *t.solidN, t.step);
        if (ReadFixed(buf, kSolidBytes) == 0) {
          DropLast(*t.solid, *t.solidN);
          break;
        }
        e.att = AttrAt(buf);
        e.start_x = LeF64At(buf + 15);
        e.start_y = LeF64At(buf + 23);
        e.end_x = LeF64At(buf + 31);
        e.end_y = LeF64At(buf + 39);
        e.DPoint2_x = LeF64At(buf + 47);
        e.DPoint2_y = LeF64At(buf + 55);
        e.DPoint3_x = LeF64At(buf + 63);
        e.DPoint3_y = LeF64At(buf + 71);
        e.Color = e.att.nPenColor == kExplicitColor ? r_.U32() : 0;
        index = *t.solidN - 1;
        break;
      }
      case kEntBlock: {
        auto& e = Append(*t.block, *t.blockN, t.step);
        if (ReadFixed(buf, kBlockBytes) == 0) {
          DropLast(*t.block, *t.blockN);
          break;
        }
        e.att = AttrAt(buf);
        e.DPKijunTen_x = LeF64At(buf + 15);
        e.DPKijunTen_y = LeF64At(buf + 23);
        e.dBairitsuX = LeF64At(buf + 31);
        e.dBairitsuY = LeF64At(buf + 39);
        e.radKaitenKaku = LeF64At(buf + 47);
        e.nNumber = LeU32At(buf + 55);
        index = *t.blockN - 1;
        break;
      }
      default:
        break;
    }
    ++k;
    ++objectIndex_;
    // A dropped entity means its checked read found the end of the data.
    if (index < 0) return ListResult::kEnd;
    if (j < t.no->size()) (*t.no)[j++] = TEntJwwNo{tag.kind, index};
  }
  return ListResult::kOk;
}

}  // namespace glyphgrab::jw

namespace glyphgrab::jw {
namespace {

// A byte of a fixed part that the data may have cut short: missing bytes read as zero.
std::uint8_t ByteOf(std::span<const std::uint8_t> fixed, std::size_t i) { return i < fixed.size() ? fixed[i] : 0; }

// AnsiBytesToStr appended to `units`.
void AppendAnsi(ByteSpan b, std::u16string& units, std::size_t& undecodable) {
  if (const void* zero = std::memchr(b.data(), 0, b.size())) {
    b = b.first(static_cast<std::size_t>(static_cast<const std::uint8_t*>(zero) - b.data()));
  }
  std::size_t i = 0;
  while (i < b.size() && b[i] < 0x80) ++i;
  if (i < b.size()) {
    std::size_t bad = 0;
    Cp932AppendTo(b, units, &bad);
    undecodable += bad;
    return;
  }
  const std::size_t at = units.size();
  units.resize(at + b.size());
  std::copy(b.begin(), b.end(), units.begin() + static_cast<std::ptrdiff_t>(at));
}

// Utf16BytesToStr appended to `units`.
void AppendUtf16(ByteSpan b, std::u16string& units) {
  const std::size_t at = units.size();
  units.resize(at + b.size() / 2);
  std::size_t n = 0;
  for (std::size_t k = 0; k + 1 < b.size(); k += 2) {
    const auto unit = static_cast<char16_t>(b[k] | (b[k + 1] << 8));
    if (unit == 0) break;
    units[at + n++] = unit;
  }
  units.resize(at + n);
}

}  // namespace

TextSpan Archive::AppendCleanText(std::u16string& units) {
  const std::size_t at = units.size();
  const std::uint8_t n = r_.U8();
  if (n == 0) return {at, 0};
  if (n < 0xFF) {
    AppendAnsi(r_.Take(n), units, undecodable_);
  } else if (const std::uint16_t w = r_.U16(); w != 0xFFFE) {
    AppendAnsi(r_.Take(w), units, undecodable_);
  } else {
    mojiEncode_ = true;
    std::size_t m = r_.U8();
    if (m == 0xFF) m = r_.U16();
    AppendUtf16(r_.Take(2 * m), units);
  }
  // The characters below U+0020 go, as ReadCleanText drops them.
  std::size_t end = at;
  for (std::size_t k = at; k < units.size(); ++k) {
    if (units[k] >= 0x20) units[end++] = units[k];
  }
  units.resize(end);
  return {at, end - at};
}

void Archive::SkipText() {
  const std::uint8_t n = r_.U8();
  if (n == 0) return;
  ByteSpan b;
  if (n < 0xFF) {
    b = r_.Take(n);
  } else if (const std::uint16_t w = r_.U16(); w != 0xFFFE) {
    b = r_.Take(w);
  } else {
    mojiEncode_ = true;
    std::size_t m = r_.U8();
    if (m == 0xFF) m = r_.U16();
    r_.Skip(2 * m);
    return;
  }
  // Only a single-byte text beyond ASCII, before its first NUL, can hold undecodable bytes.
  if (const void* zero = std::memchr(b.data(), 0, b.size())) {
    b = b.first(static_cast<std::size_t>(static_cast<const std::uint8_t*>(zero) - b.data()));
  }
  if (std::all_of(b.begin(), b.end(), [](std::uint8_t c) { return c < 0x80; })) return;
  if (!std::equal(b.begin(), b.end(), skippedName_.begin(), skippedName_.end())) {
    skippedName_.assign(b.begin(), b.end());
    skipScratch_.clear();
    Cp932AppendTo(b, skipScratch_, &skippedNameBad_);
  }
  undecodable_ += skippedNameBad_;
}

std::span<const std::uint8_t> Archive::SkipFixed(std::size_t size) { return r_.Take(oldAttr() ? size - 2 : size); }

bool Archive::SkipTen() {
  const auto fixed = SkipFixed(kTenBytes);
  if (ByteOf(fixed, 4) == kSpecialPoint) r_.Skip(4 + 8 + 8);  // nCode, radKaitenKaku, dBairitsu
  return !fixed.empty();
}

bool Archive::SkipSunpo(std::u16string& units, TextSpan& text) {
  SkipFixed(kAttrBytes);
  SkipFixed(kLineBytes);
  if (SkipFixed(kMojiBytes).empty()) return false;
  SkipText();
  text = AppendCleanText(units);
  if (ver_ < kVerSxf) return true;
  r_.Skip(2);  // bSxfMode
  SkipFixed(kLineBytes);
  SkipFixed(kLineBytes);
  SkipTen();
  SkipTen();
  SkipTen();
  return SkipTen();
}

ListResult Archive::ReadEntityTexts(std::int32_t count, TextTarget& t) {
  std::int32_t k = 0;
  while (k < count) {
    const ObjectTag tag = ReadObjectTag();
    if (!tag.delivered) return ListResult::kEnd;
    if (tag.kind < 0) return ListResult::kUnknownClass;
    if (tag.kind == 0) continue;  // stands for no known object: the next tag follows

    bool read = false;
    switch (tag.kind) {
      case kEntSen: read = !SkipFixed(kLineBytes).empty(); break;
      case kEntEnko: read = !SkipFixed(kEnkoBytes).empty(); break;
      case kEntTen: read = SkipTen(); break;
      case kEntMoji:
        read = !SkipFixed(kMojiBytes).empty();
        if (read) {
          SkipText();  // the font name
          t.texts->push_back(AppendCleanText(*t.units));
        }
        break;
      case kEntSunpo: {
        // A dimension whose last point is missing is dropped with its text.
        const std::size_t mark = t.units->size();
        TextSpan text;
        read = SkipSunpo(*t.units, text);
        if (read) {
          t.dims->push_back(text);
        } else {
          t.units->resize(mark);
        }
        break;
      }
      case kEntSolid: {
        const auto fixed = SkipFixed(kSolidBytes);
        read = !fixed.empty();
        if (read && (ByteOf(fixed, 5) | (ByteOf(fixed, 6) << 8)) == kExplicitColor) r_.Skip(4);
        break;
      }
      case kEntBlock: read = !SkipFixed(kBlockBytes).empty(); break;
      default: break;
    }
    ++k;
    ++objectIndex_;
    // An entity whose checked read found nothing is the end of the data.
    if (!read) return ListResult::kEnd;
  }
  return ListResult::kOk;
}

}  // namespace glyphgrab::jw
