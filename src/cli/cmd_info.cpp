// glyphgrab-cli info: the file list's columns for each named file.
#include <cstdio>
#include <string_view>

#include "browse/file_list_info.h"
#include "cli/command_handlers.h"
#include "util/codepage.h"
#include "util/paths.h"

namespace glyphgrab::cli {
namespace {

void JsonString(std::ostream& out, std::string_view s) {
  out << '"';
  for (const char c : s) {
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

// Tab-separated output cannot carry tabs or line breaks inside a field (a memo of a text
// file keeps none; this guards the format all the same).
std::string Field(std::u16string_view s) {
  std::string u = StrToUtf8(s);
  for (char& c : u) {
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  }
  return u;
}

std::string Diagnostic(const FileInfoResult& r, std::u16string_view type) {
  switch (r.read) {
    case FileInfoRead::kNotFormat:
      return "not a " + StrToUtf8(type.substr(type.empty() ? 0 : 1)) + " file of an accepted version";
    case FileInfoRead::kStopped:
      return "reading stopped at byte " + std::to_string(r.stopPos);
    case FileInfoRead::kCannotRead:
      return "cannot be read as text";
    default:
      return {};
  }
}

}  // namespace

int RunInfo(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  bool json = false;
  std::vector<std::string> files;
  bool options = true;
  for (const std::string& a : args) {
    if (options && a == "--") {
      options = false;
    } else if (options && a == "--json") {
      json = true;
    } else if (options && a.starts_with("-") && a != "-") {
      err << "glyphgrab-cli: info: unknown option '" << a << "'\n";
      return kExitError;
    } else {
      files.push_back(a);
    }
  }
  if (files.empty()) {
    err << "glyphgrab-cli: usage: glyphgrab-cli info [--json] FILE...\n";
    return kExitError;
  }

  TFileListDocs docs;
  int status = kExitOk;
  bool first = true;
  if (json) out << "{\"files\":[";
  for (const std::string& file : files) {
    const std::u16string path = NativeToPath(file);
    FileListRow row;
    FileInfoResult result;
    if (!FileListRowOf(path, docs, row, &result)) {
      err << file << ": " << (IsFolder(path) ? "is a folder" : IsFile(path) ? "cannot be read" : "no such file")
          << '\n';
      status = kExitError;
      continue;
    }
    const std::string diagnostic = Diagnostic(result, row.type);
    if (!diagnostic.empty()) err << file << ": " << diagnostic << '\n';
    if (result.undecodable > 0) err << file << ": " << result.undecodable << " undecodable bytes\n";
    if (!json) {
      out << Field(row.name) << '\t' << Field(row.type) << '\t' << Field(row.memo) << '\t'
          << Field(row.modified) << '\t' << Field(row.size) << '\t' << Field(row.version) << '\n';
      continue;
    }
    out << (first ? "" : ",") << "\n{\"path\":";
    first = false;
    JsonString(out, file);
    const std::pair<const char*, const std::u16string*> fields[] = {
        {"name", &row.name}, {"type", &row.type}, {"memo", &row.memo}, {"modified", &row.modified}};
    for (const auto& [key, value] : fields) {
      out << ",\"" << key << "\":";
      JsonString(out, StrToUtf8(*value));
    }
    out << ",\"size\":" << StrToUtf8(row.size) << ",\"version\":";
    JsonString(out, StrToUtf8(row.version));
    out << '}';
  }
  if (json) out << "\n]}\n";
  return status;
}

}  // namespace glyphgrab::cli
