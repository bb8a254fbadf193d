// glyphgrab-cli search: the files under a folder whose names or texts hold a keyword.
#include <memory>
#include <sstream>

#include "browse/folder_tree.h"
#include "cli/cli_util.h"
#include "cli/command_handlers.h"
#include "cli/index_use.h"
#include "index/indexed_walk.h"
#include "search/file_find.h"
#include "util/codepage.h"
#include "util/full_width.h"
#include "util/paths.h"
#include "util/strings.h"

namespace glyphgrab::cli {
namespace {

// "jww,txt" -> the kinds searched; false for an unknown or empty name.
bool ParseTypes(const std::string& list, SearchOptions& o, std::string& bad) {
  o.kinds = {};
  std::stringstream in(list);
  std::string name;
  while (std::getline(in, name, ',')) {
    const FileKind kind = FileKindNamed(Utf8ToStr(name));
    if (kind == FileKind::kOther) {
      bad = name;
      return false;
    }
    o.kinds.Set(kind, true);
  }
  return !o.kinds.Empty();
}

constexpr const char* kUsage =
    "glyphgrab-cli: usage: glyphgrab-cli search [--types LIST] [--names] [--contents] [--json] "
    "[--no-index] ROOT KEYWORD\n";

}  // namespace

int RunSearch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  ParsedArgs parsed;
  std::string error;
  if (!ParseArgs(args, {"--names", "--contents", "--json", "--no-index"}, {"--types"}, parsed, error)) {
    err << "glyphgrab-cli: search: " << error << '\n';
    return kExitError;
  }
  if (parsed.operands.size() != 2) {
    err << kUsage;
    return kExitError;
  }
  SearchOptions options;
  if (parsed.values.count("--types")) {
    std::string bad;
    if (!ParseTypes(parsed.values["--types"], options, bad)) {
      err << "glyphgrab-cli: search: unknown type '" << bad
          << "' in --types (jww,jws,jwc,jwk,txt,csv,html)\n";
      return kExitError;
    }
  }
  if (parsed.Has("--names") || parsed.Has("--contents")) {
    options.names = parsed.Has("--names");
    options.contents = parsed.Has("--contents");
  }
  const std::string& root = parsed.operands[0];
  const std::u16string keyword = Utf8ToStr(parsed.operands[1]);
  if (RemoveBlanks(keyword).empty()) {
    err << "glyphgrab-cli: search: the keyword is blank\n";
    return kExitError;
  }

  FolderTree tree;
  if (!MakeSearchTree(root, tree, err)) return kExitError;

  const bool json = parsed.Has("--json");
  bool first = true;
  if (json) out << "{\"results\":[";
  SearchCallbacks callbacks;
  callbacks.found = [&](const SearchResult& r) {
    const std::string path = PathToNative(r.folder + r.name);
    if (!json) {
      out << PlainName(path) << '\n';
      return;
    }
    out << (first ? "\n" : ",\n") << "{\"path\":";
    first = false;
    JsonString(out, path);
    out << ",\"folder\":";
    JsonString(out, PathToNative(r.folder));
    out << ",\"name\":";
    JsonString(out, PathToNative(r.name));
    out << ",\"node\":" << r.node << '}';
  };
  callbacks.unreadable = [&](const std::u16string& path, int why) {
    err << PathToNative(path) << ": " << ErrorReason(why) << '\n';
  };
  const std::u16string normalized = NormalizeForMatch(keyword);
  // Names alone need no file read, so no index either.
  IndexStore store;
  std::unique_ptr<IndexedWalk> index;
  if (options.contents && !parsed.Has("--no-index") && OpenSearchIndex(store, err)) {
    index = std::make_unique<IndexedWalk>(store, tree.FolderTreePath(0), normalized);
    callbacks.index = index.get();
  }
  const SearchSummary summary = FileFind(tree, normalized, options, callbacks);
  if (index) ReportIndexNote(index->note(), err);
  if (json) {
    out << "],\n\"examined\":" << summary.examined << ",\"matched\":" << summary.matched
        << ",\"unreadable\":" << summary.unreadable << "}\n";
  }
  err << StrToUtf8(summary.StatusText()) << '\n';
  if (summary.matched > 0) return kExitOk;
  // A file that could not be read may have held the keyword: "not found" would be a guess.
  return summary.unreadable > 0 ? kExitError : kExitNothingFound;
}

}  // namespace glyphgrab::cli
