#include "cli/cli_util.h"

#include "util/codepage.h"
#include "util/paths.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "util/utf.h"

#include <filesystem>
#include <system_error>

namespace glyphgrab::cli {

bool ParseArgs(const std::vector<std::string>& args, std::initializer_list<std::string_view> flags,
               std::initializer_list<std::string_view> valued, ParsedArgs& out, std::string& error) {
  out = ParsedArgs{};
  bool options = true;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (!options || a == "-" || !a.starts_with("-")) {
      out.operands.push_back(a);
      continue;
    }
    if (a == "--") {
      options = false;
      continue;
    }
    if (std::find(flags.begin(), flags.end(), a) != flags.end()) {
      out.flags.insert(a);
      continue;
    }
    const auto eq = a.find('=');
    const std::string name = a.substr(0, eq);
    if (std::find(valued.begin(), valued.end(), name) != valued.end()) {
      if (eq != std::string::npos) {
        out.values[name] = a.substr(eq + 1);
      } else if (i + 1 < args.size()) {
        out.values[name] = args[++i];
      } else {
        error = "option '" + name + "' needs a value";
        return false;
      }
      continue;
    }
    error = "unknown option '" + a + "'";
    return false;
  }
  return true;
}

std::string PlainName(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (const char ch : s) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 0x20 && c != 0x7F) {
      out += ch;
      continue;
    }
    switch (c) {
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      default: {
        char buf[8];
        std::snprintf(buf, sizeof buf, "\\u%04x", c);
        out += buf;
      }
    }
  }
  return out;
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
#ifdef _WIN32
  return std::filesystem::equivalent(std::filesystem::path(NativeToPath(a)), std::filesystem::path(NativeToPath(b)), ec);
#else
  return std::filesystem::equivalent(std::filesystem::path(a), std::filesystem::path(b), ec);
#endif
}

void JsonString(std::ostream& out, std::string_view s) {
  out << '"';
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(s.data());
  const std::size_t n = s.size();
  for (std::size_t i = 0; i < n;) {
    const std::size_t start = i;
    if (NextUtf8(bytes, i, n) == kUtf8Invalid) {
      for (std::size_t k = start; k < i; ++k) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "\\udc%02x", static_cast<unsigned>(bytes[k]));
        out << buf;
      }
      continue;
    }
    if (i - start > 1) {
      out.write(s.data() + start, static_cast<std::streamsize>(i - start));
      continue;
    }
    const char c = s[static_cast<std::size_t>(start)];
    const auto u = static_cast<unsigned char>(c);
    switch (c) {
      case '"': out << "\\\""; break;
      case '\\': out << "\\\\"; break;
      case '\n': out << "\\n"; break;
      case '\r': out << "\\r"; break;
      case '\t': out << "\\t"; break;
      default:
        if (u < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", u);
          out << buf;
        } else {
          out << c;
        }
    }
  }
  out << '"';
}

std::string ErrorReason(int error, bool folder) {
  switch (error) {
    case ENOENT: return folder ? "no such folder" : "no such file";
    case EACCES:
    case EPERM: return "permission denied";
    case EISDIR: return "is a folder";
    case ENOTDIR: return "not a folder";
    case ELOOP: return "symbolic link loop";
    case EINVAL: return "is not a regular file";
    default: break;
  }
  std::string text = std::strerror(error);
  if (!text.empty()) text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
  return text;
}

std::string NotFormatReason(std::u16string_view path) {
  return "not a " + StrToUtf8(FileExtLower(path)) + " file of an accepted version";
}

bool MakeSearchTree(const std::string& root, FolderTree& tree, std::ostream& err) {
  int rootError = 0;
  const FolderTreeResult made = FolderTreeMake(NativeToPath(root), tree, nullptr, &rootError);
  if (made == FolderTreeResult::NoRoot || made == FolderTreeResult::RootMissing ||
      made == FolderTreeResult::RootUnreadable) {
    err << root << ": " << ErrorReason(rootError ? rootError : ENOENT, true) << '\n';
    return false;
  }
  return true;
}

}  // namespace glyphgrab::cli
