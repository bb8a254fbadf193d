// What the commands of glyphgrab-cli share: option parsing and JSON text.
#pragma once

#include <initializer_list>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "browse/folder_tree.h"

namespace glyphgrab::cli {

struct ParsedArgs {
  std::set<std::string> flags;                 // "--sort"
  std::map<std::string, std::string> values;   // "--types" -> "jww,txt"
  std::vector<std::string> operands;           // files, folders, keywords
  bool Has(std::string_view flag) const { return flags.count(std::string(flag)) > 0; }
};

// Options first or anywhere; "--" ends them; "-" alone is an operand. `valued` options
// take the next argument ("--types LIST") or "=LIST". False with `error` set (one line,
// without the program name) for an unknown option or a missing value.
bool ParseArgs(const std::vector<std::string>& args, std::initializer_list<std::string_view> flags,
               std::initializer_list<std::string_view> valued, ParsedArgs& out, std::string& error);

// Why a path could not be read, from its errno value, for its "path: reason" line: "no
// such file" (or folder), "permission denied", "is a folder", "not a folder", "symbolic
// link loop", "is not a regular file" (a FIFO, a device; EINVAL), or the system's text.
std::string ErrorReason(int error, bool folder = false);

// The one wording of a file that is not of its extension's format (or of a version the
// readers accept): "not a .jww file of an accepted version".
std::string NotFormatReason(std::u16string_view path);

// A JSON string literal of text that is UTF-8 where it can be: a byte that is not part of
// valid UTF-8 (a file name as Linux may hold it) is written as the escape \udc80..\udcff
// of U+DC80 + the byte, as Python's surrogateescape reads it back, so the output always
// parses.
void JsonString(std::ostream& out, std::string_view s);

// A name for plain output, one per line: its control characters (a line break, a tab)
// are written as the JSON form escapes them ("\n", "\t", "\u001b"), so a name can
// neither split a line nor drive a terminal. Other bytes pass as they are.
std::string PlainName(std::string_view s);

// Whether the two paths name one file (the same inode; links followed).
bool SameFile(const std::string& a, const std::string& b);

// The folder tree under ROOT as a search walks it; false, with "ROOT: reason" on err,
// when ROOT is missing or cannot be read.
bool MakeSearchTree(const std::string& root, FolderTree& tree, std::ostream& err);

}  // namespace glyphgrab::cli
