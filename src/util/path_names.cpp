#include "util/paths.h"

#include <ctime>

#include "util/codepage.h"
#include "util/strings.h"
#include "util/utf.h"
#include "util/values.h"

namespace glyphgrab {

std::u16string AddTrailingDelim(std::u16string_view path) {
  std::u16string out(path);
  if (out.empty() || !IsPathDelim(out.back())) out.push_back(PathDelimChar());
  return out;
}

std::u16string RemoveTrailingDelim(std::u16string_view path) {
  const bool driveRoot = kPathDelim == u'\\' && path.size() == 3 && path[1] == u':';
  if (path.size() > 1 && !driveRoot && IsPathDelim(path.back())) path.remove_suffix(1);
  return std::u16string(path);
}

std::u16string FreeBackupName(std::u16string_view path) {
  const std::u16string base = std::u16string(path) + u".bak";
  std::u16string name = base;
  for (int k = 2; PathExists(name) && k < 1000; ++k) name = base + IntToText(k);
  return name;
}

std::u16string StampedBackupName(std::u16string_view path) {
  const std::time_t now = std::time(nullptr);
  char stamp[32] = "";
  if (const std::tm* t = std::localtime(&now)) std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", t);
  const std::u16string base = std::u16string(path) + u"." + Utf8ToStr(stamp);
  std::u16string name = base + u".bak";
  for (int k = 2; PathExists(name) && k < 1000; ++k) name = base + u"-" + IntToText(k) + u".bak";
  return name;
}

std::u16string JoinPath(std::u16string_view folder, std::u16string_view name) {
  return AddTrailingDelim(folder).append(name);
}

std::u16string FileExtLower(std::u16string_view path) {
  for (std::size_t k = path.size(); k-- > 0;) {
    if (IsPathDelim(path[k])) break;
    if (path[k] == u'.') return StrLower(path.substr(k));
  }
  return {};
}

std::u16string ReplaceFileExt(std::u16string_view path, std::u16string_view newExt) {
  for (std::size_t k = path.size(); k-- > 0;) {
    const char16_t c = path[k];
    if (c == u'.') return std::u16string(path.substr(0, k)).append(newExt);
    if (IsPathDelim(c) || c == u':') break;
  }
  return std::u16string(path).append(newExt);
}

std::u16string FileBaseName(std::u16string_view path) {
  for (std::size_t k = path.size(); k-- > 0;) {
    if (IsPathDelim(path[k])) return std::u16string(path.substr(k + 1));
  }
  return std::u16string(path);
}

std::string PathToNative(std::u16string_view path) {
  std::string out;
  out.reserve(path.size() * 3);
  std::size_t i = 0;
  const std::size_t n = path.size();
  while (i < n) {
    const char16_t c = path[i];
    if (c >= 0xDC80 && c <= 0xDCFF) {
      out.push_back(static_cast<char>(c - 0xDC00));  // an escaped raw byte
      ++i;
      continue;
    }
    char32_t cp = NextCodePoint(path.data(), i, n);
    if (IsSurrogate(cp)) cp = 0xFFFD;
    AppendUtf8(out, cp);
  }
  return out;
}

std::u16string NativeToPath(std::string_view native) {
  std::u16string out;
  out.reserve(native.size());
  const auto* s = reinterpret_cast<const std::uint8_t*>(native.data());
  const std::size_t n = native.size();
  std::size_t i = 0;
  while (i < n) {
    const std::size_t start = i;
    const char32_t cp = NextUtf8(s, i, n);
    if (cp == kUtf8Invalid) {
      for (std::size_t k = start; k < i; ++k) out.push_back(static_cast<char16_t>(0xDC00 + s[k]));
      continue;
    }
    AppendUtf16(out, cp);
  }
  return out;
}

}  // namespace glyphgrab
