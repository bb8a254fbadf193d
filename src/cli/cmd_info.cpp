// glyphgrab-cli info: the file list's columns for each named file.
#include <string_view>

#include "browse/file_list_info.h"
#include "cli/cli_util.h"
#include "cli/command_handlers.h"
#include "documents/file_kind.h"
#include "util/codepage.h"
#include "util/paths.h"

namespace glyphgrab::cli {
namespace {

// Tab-separated output cannot carry tabs or line breaks inside a field (a memo of a text
// file keeps none; this guards the format all the same).
std::string Field(std::u16string_view s) {
  std::string u = PathToNative(s);
  for (char& c : u) {
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  }
  return u;
}

std::string Diagnostic(const FileInfoResult& r, std::u16string_view path) {
  switch (r.read) {
    case FileInfoRead::kNotFormat:
      return NotFormatReason(path);
    case FileInfoRead::kStopped:
      return "reading stopped at byte " + std::to_string(r.stopPos);
    case FileInfoRead::kCannotRead:
      return IsTextKind(FileKindOf(FileExtLower(path))) ? "cannot be read as text" : "cannot be read";
    default:
      return {};
  }
}

}  // namespace

int RunInfo(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  ParsedArgs parsed;
  std::string error;
  if (!ParseArgs(args, {"--json"}, {}, parsed, error)) {
    err << "glyphgrab-cli: info: " << error << '\n';
    return kExitError;
  }
  const bool json = parsed.Has("--json");
  const std::vector<std::string>& files = parsed.operands;
  if (files.empty()) {
    err << "glyphgrab-cli: usage: glyphgrab-cli info [--json] FILE...\n";
    return kExitError;
  }

  TDocumentSet docs;
  int status = kExitOk;
  bool first = true;
  if (json) out << "{\"files\":[";
  for (const std::string& file : files) {
    const std::u16string path = NativeToPath(file);
    FileListRow row;
    FileInfoResult result;
    if (!FileListRowOf(path, docs, row, &result)) {
      err << file << ": " << ErrorReason(result.error) << '\n';
      status = kExitError;
      continue;
    }
    const std::string diagnostic = Diagnostic(result, path);
    if (!diagnostic.empty()) err << file << ": " << diagnostic << '\n';
    if (result.read == FileInfoRead::kNotFormat) status = kExitError;
    if (result.undecodable > 0) err << file << ": " << result.undecodable << " undecodable bytes\n";
    if (!json) {
      out << PlainName(Field(row.name)) << '\t' << Field(row.type) << '\t' << Field(row.memo) << '\t'
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
      JsonString(out, PathToNative(*value));
    }
    out << ",\"size\":" << StrToUtf8(row.size) << ",\"version\":";
    JsonString(out, StrToUtf8(row.version));
    out << '}';
  }
  if (json) out << "\n]}\n";
  return status;
}

}  // namespace glyphgrab::cli
