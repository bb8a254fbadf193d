#include "util/full_width.h"

#include <array>

#include "util/case_map.h"
#include "util/strings.h"

namespace glyphgrab {
namespace {

constexpr char16_t kHalfFirst = 0xFF61;  // ｡
constexpr char16_t kHalfLast = 0xFF9F;   // ﾟ
constexpr char16_t kVoicedMark = 0xFF9E;
constexpr char16_t kSemiVoicedMark = 0xFF9F;

constexpr std::u16string_view kHalfRow =
    u"｡｢｣､･ｦｧｨｩｪｫｬｭｮｯｰｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝﾞﾟ";
// The lone marks become U+309B and U+00B0 (the degree sign, not U+309C).
constexpr std::u16string_view kFullRow =
    u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛°";
static_assert(kHalfRow.size() == 63 && kFullRow.size() == 63);

constexpr std::u16string_view kVoicedBases = u"ｳｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾊﾋﾌﾍﾎ";
constexpr std::u16string_view kVoicedFull = u"ヴガギグゲゴザジズゼゾダヂヅデドバビブベボ";
constexpr std::u16string_view kSemiVoicedBases = u"ﾊﾋﾌﾍﾎ";
constexpr std::u16string_view kSemiVoicedFull = u"パピプペポ";
static_assert(kVoicedBases.size() == kVoicedFull.size());
static_assert(kVoicedBases.size() + kSemiVoicedBases.size() == 26);

struct KanaTables {
  std::array<char16_t, 63> row{};
  std::array<char16_t, 63> voiced{};      // 0 when the base has no voiced form
  std::array<char16_t, 63> semiVoiced{};  // 0 when the base has no semi-voiced form
};

constexpr KanaTables MakeKanaTables() {
  KanaTables t;
  for (std::size_t k = 0; k < kHalfRow.size(); ++k) t.row[kHalfRow[k] - kHalfFirst] = kFullRow[k];
  for (std::size_t k = 0; k < kVoicedBases.size(); ++k)
    t.voiced[kVoicedBases[k] - kHalfFirst] = kVoicedFull[k];
  for (std::size_t k = 0; k < kSemiVoicedBases.size(); ++k)
    t.semiVoiced[kSemiVoicedBases[k] - kHalfFirst] = kSemiVoicedFull[k];
  return t;
}

constexpr KanaTables kKana = MakeKanaTables();

constexpr bool IsHalfKana(char16_t c) { return c >= kHalfFirst && c <= kHalfLast; }

// The voiced character for the pair (base, mark), or 0.
inline char16_t VoicedPair(char16_t base, char16_t mark) {
  if (!IsHalfKana(base)) return 0;
  if (mark == kVoicedMark) return kKana.voiced[base - kHalfFirst];
  if (mark == kSemiVoicedMark) return kKana.semiVoiced[base - kHalfFirst];
  return 0;
}

inline char16_t FullWidthUnit(char16_t c) {
  if (c >= 0x21 && c <= 0x7E) {
    switch (c) {
      case u'"': return u'”';
      case u'\'': return u'’';
      case u'\\': return u'￥';
      default: return static_cast<char16_t>(c + 0xFEE0);
    }
  }
  if (c == 0x20) return 0x3000;
  if (IsHalfKana(c)) return kKana.row[c - kHalfFirst];
  return c;
}

// Look-alike folding. None of its inputs is a surrogate, so applying it unit by unit
// leaves every surrogate pair whole.
inline char16_t FoldLookAlike(char16_t c) {
  switch (c) {
    case 0x00D7: return 0xFF38;  // × -> Ｘ
    case 0x30FC: return 0xFF0D;  // ー -> －
    case 0x00B4: case 0xFF40: case 0x2018: case 0x2032: return 0x2019;  // -> ’
    case 0x309B: case 0x201C: case 0x2033: return 0x201D;              // -> ”
    default: return c;
  }
}

// Writes the full-width form of s[0, n) to out and returns its length, which never
// exceeds n (a voiced pair shrinks, everything else maps one to one). out may be s
// itself: the write position never passes the read position.
template <typename Fold>
std::size_t FullWidthWalk(const char16_t* s, std::size_t n, char16_t* out, Fold fold) {
  std::size_t p = 0, w = 0;
  while (p < n) {
    if (p + 1 < n) {
      if (const char16_t v = VoicedPair(s[p], s[p + 1])) {
        out[w++] = fold(v);
        p += 2;
        continue;
      }
    }
    out[w++] = fold(FullWidthUnit(s[p]));
    ++p;
  }
  return w;
}

// Letters of these blocks (CJK punctuation, kana, CJK ideographs) have no case.
constexpr bool HasNoCase(char16_t c) { return c >= 0x3000 && c < 0xA000; }

}  // namespace

std::u16string ToFullWidth(std::u16string_view s) {
  std::u16string out(s.size(), u'\0');
  out.resize(FullWidthWalk(s.data(), s.size(), out.data(), [](char16_t c) { return c; }));
  return out;
}

void NormalizeForMatchInto(std::u16string_view s, std::u16string& out) {
  // Each step works in place on `out`: none of them makes the text longer. Blanks go
  // first, since removing one may join a voiced pair or a surrogate pair that the later
  // steps must see whole.
  out.resize(s.size());
  char16_t* const d = out.data();
  std::size_t n = 0;
  for (char16_t c : s) {
    if (!IsBlankChar(c)) d[n++] = c;
  }
  // Upper case; the mapping keeps the length. ASCII, kana and kanji need no text
  // service, and most texts hold nothing else.
  bool needsService = false;
  for (std::size_t i = 0; i < n; ++i) {
    const char16_t c = d[i];
    if (c < 0x80) {
      if (c >= u'a' && c <= u'z') d[i] = static_cast<char16_t>(c - 0x20);
    } else if (!HasNoCase(c)) {
      needsService = true;
    }
  }
  if (needsService) MapCaseInPlace(d, n, CaseMap::Upper);
  out.resize(FullWidthWalk(d, n, d, FoldLookAlike));
}

MatchPrefilter::MatchPrefilter(std::u16string_view normalizedKeyword) : bits_(65536 / 64, 0) {
  // A keyword starting with a surrogate comes from a pair, whose case mapping is not one
  // unit's: no quick test then.
  if (normalizedKeyword.empty() || (normalizedKeyword[0] >= 0xD800 && normalizedKeyword[0] <= 0xDFFF)) {
    always_ = true;
    return;
  }
  const char16_t first = normalizedKeyword[0];
  const auto mark = [&](char16_t c) { bits_[c >> 6] |= std::uint64_t{1} << (c & 63); };
  // Normalising is unit by unit but for surrogate pairs and voiced pairs; a blank taken
  // out may join a pair, and the pair's base unit is in the text all the same. So every
  // other unit, normalised in one text, keeps its place; the voicing marks and the
  // blanks are normalised alone, and each kana base with each mark.
  std::u16string all, out;
  all.reserve(0x10000);
  for (std::uint32_t u = 0; u <= 0xFFFF; ++u) {
    const auto c = static_cast<char16_t>(u);
    const bool alone = IsBlankChar(c) || c == kVoicedMark || c == kSemiVoicedMark;
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    if (alone) {
      NormalizeForMatchInto(std::u16string_view(&c, 1), out);
      if (out.size() == 1 && out[0] == first) mark(c);
    } else {
      all.push_back(c);
    }
  }
  NormalizeForMatchInto(all, out);
  if (out.size() != all.size()) {  // not one unit for one, against what the steps say
    always_ = true;
    return;
  }
  for (std::size_t k = 0; k < all.size(); ++k) {
    if (out[k] == first) mark(all[k]);
  }
  for (char16_t base = kHalfFirst; base <= kHalfLast; ++base) {
    for (const char16_t voicing : {kVoicedMark, kSemiVoicedMark}) {
      const char16_t pair[2] = {base, voicing};
      NormalizeForMatchInto(std::u16string_view(pair, 2), out);
      if (out.find(first) != std::u16string::npos) mark(base);
    }
  }
}

std::u16string NormalizeForMatch(std::u16string_view s) {
  std::u16string out;
  NormalizeForMatchInto(s, out);
  return out;
}

}  // namespace glyphgrab
