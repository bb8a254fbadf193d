#include "util/strings.h"

#include "util/case_map.h"
#include "util/utf.h"

namespace glyphgrab {

int StrIndexOf(std::u16string_view sub, std::u16string_view s) {
  if (sub.empty() || s.empty()) return -1;
  const auto at = s.find(sub);
  return at == std::u16string_view::npos ? -1 : static_cast<int>(at);
}

std::u16string StrFrom(std::u16string_view s, int i) {
  if (i < 0) return std::u16string(s);
  if (static_cast<std::size_t>(i) >= s.size()) return {};
  return std::u16string(s.substr(static_cast<std::size_t>(i)));
}

std::u16string StrMid(std::u16string_view s, int i, int n) {
  if (n < 0) return {};
  if (i < 0) i = 0;
  if (static_cast<std::size_t>(i) >= s.size()) return {};
  return std::u16string(s.substr(static_cast<std::size_t>(i), static_cast<std::size_t>(n)));
}

std::u16string StrRepeat(std::u16string_view s, int n) {
  std::u16string out;
  if (n <= 0) return out;
  out.reserve(s.size() * static_cast<std::size_t>(n));
  for (int k = 0; k < n; ++k) out.append(s);
  return out;
}

TakenWidth StrTakeWidth(std::u16string_view s, int i, int budget) {
  TakenWidth r;
  r.next = i;
  if (i < 0) return r;
  int used = 0;
  std::size_t p = static_cast<std::size_t>(i);
  while (p < s.size()) {
    const int w = IsHalfWidth(s[p]) ? 1 : 2;
    if (used + w > budget) break;
    r.text.push_back(s[p]);
    used += w;
    ++p;
  }
  r.next = static_cast<int>(p);
  return r;
}

int SurrogateRole(std::u16string_view s, int i) {
  if (i < 0 || static_cast<std::size_t>(i) >= s.size()) return -1;
  // Scan from the start so that a low half after a lone unit is not taken for a pair.
  std::size_t p = 0;
  const auto target = static_cast<std::size_t>(i);
  while (p <= target) {
    if (IsLeadSurrogate(s[p]) && p + 1 < s.size() && IsTrailSurrogate(s[p + 1])) {
      if (p == target) return 1;
      if (p + 1 == target) return 2;
      p += 2;
    } else {
      if (p == target) return 0;
      ++p;
    }
  }
  return 0;
}

namespace {

std::u16string MapCaseCopy(std::u16string_view s, CaseMap how) {
  std::u16string out(s);
  // ASCII needs no text service; most names and keywords are ASCII only.
  bool ascii = true;
  for (char16_t& c : out) {
    if (c >= 0x80) {
      ascii = false;
      break;
    }
    if (how == CaseMap::Upper ? (c >= u'a' && c <= u'z') : (c >= u'A' && c <= u'Z')) c ^= 0x20;
  }
  if (!ascii) {
    out.assign(s);
    MapCaseInPlace(out.data(), out.size(), how);
  }
  return out;
}

}  // namespace

std::u16string StrUpper(std::u16string_view s) { return MapCaseCopy(s, CaseMap::Upper); }

std::u16string StrLower(std::u16string_view s) { return MapCaseCopy(s, CaseMap::Lower); }

std::u16string RemoveBlanks(std::u16string_view s) {
  std::u16string out;
  out.reserve(s.size());
  for (char16_t c : s) {
    if (!IsBlankChar(c)) out.push_back(c);
  }
  return out;
}

std::u16string RemoveLineMarks(std::u16string_view s) {
  if (s.empty()) return {};
  std::u16string out;
  out.reserve(s.size());
  std::size_t p = 0;
  while (p < s.size()) {
    if (p + 1 < s.size() && ((s[p] == u'^' && s[p + 1] == u'm') ||
                             (s[p] == u'\\' && s[p + 1] == u'n'))) {
      p += 2;
      continue;
    }
    if (s[p] >= 0x20) out.push_back(s[p]);
    ++p;
  }
  if (out.empty()) out.push_back(u' ');
  return out;
}

namespace {
constexpr bool IsControlChar(char16_t c) { return c < 0x20; }
}  // namespace

std::u16string RemoveControlChars(std::u16string_view s) {
  std::u16string out;
  out.reserve(s.size());
  for (char16_t c : s) {
    if (!IsControlChar(c)) out.push_back(c);
  }
  return out;
}

void RemoveControlCharsInPlace(std::u16string& s) {
  std::erase_if(s, [](char16_t c) { return IsControlChar(c); });
}

bool IsBlankText(std::u16string_view s) {
  for (char16_t c : s) {
    if (!IsBlankChar(c)) return false;
  }
  return true;
}

}  // namespace glyphgrab
