#include "util/folder_listing.h"

#include <algorithm>
#include <cstdio>

#include "util/paths.h"
#include "util/strings.h"

namespace glyphgrab {

bool MaskMatches(std::u16string_view mask, std::u16string_view name) {
  const std::u16string m = StrUpper(mask);
  const std::u16string s = StrUpper(name);
  // Iterative glob with single-star backtracking: linear in practice, never exponential.
  std::size_t mi = 0, si = 0;
  std::size_t starM = std::u16string::npos, starS = 0;
  while (si < s.size()) {
    if (mi < m.size() && (m[mi] == u'?' || m[mi] == s[si])) {
      ++mi;
      ++si;
    } else if (mi < m.size() && m[mi] == u'*') {
      starM = mi++;
      starS = si;
    } else if (starM != std::u16string::npos) {
      mi = starM + 1;
      si = ++starS;
    } else {
      return false;
    }
  }
  while (mi < m.size() && m[mi] == u'*') ++mi;
  return mi == m.size();
}

namespace {

std::u16string Format2(const char* format, int a, int b, int c) {
  char buf[32];
  std::snprintf(buf, sizeof buf, format, a, b, c);
  return std::u16string(buf, buf + std::char_traits<char>::length(buf));
}

}  // namespace

void detail::SetRowTime(TFileField& row, int year, int month, int day, int hour, int minute,
                        int second) {
  row.date = Format2("%04d/%02d/%02d", year, month, day);
  row.time = Format2("%02d:%02d:%02d", hour, minute, second);
}

void detail::SortAsNtfs(FolderListing& rows) {
  struct Keyed {
    std::u16string key;
    TFileField row;
  };
  std::vector<Keyed> keyed;
  keyed.reserve(rows.size());
  for (auto& r : rows) {
    std::u16string key = StrUpper(r.name);
    keyed.push_back({std::move(key), std::move(r)});
  }
  // Names that differ only in case (possible on Linux, not on Windows) keep a fixed
  // order too.
  std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
    if (a.key != b.key) return a.key < b.key;
    return a.row.name < b.row.name;
  });
  rows.clear();
  for (auto& k : keyed) rows.push_back(std::move(k.row));
}

void detail::SortAsNtfs(std::vector<std::u16string>& names) {
  std::vector<std::pair<std::u16string, std::u16string>> keyed;
  keyed.reserve(names.size());
  for (auto& n : names) {
    std::u16string key = StrUpper(n);
    keyed.emplace_back(std::move(key), std::move(n));
  }
  std::sort(keyed.begin(), keyed.end());
  names.clear();
  for (auto& k : keyed) names.push_back(std::move(k.second));
}

FolderListing ListFolderFiles(std::u16string_view folder, std::u16string_view mask) {
  FolderListing out;
  ListFolderFiles(folder, mask, out);
  return out;
}

}  // namespace glyphgrab
