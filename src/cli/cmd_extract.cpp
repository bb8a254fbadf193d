// glyphgrab-cli extract: the extraction list the main window would show for the files.
#include "cli/cli_util.h"
#include "cli/command_handlers.h"
#include "extract/extract_driver.h"
#include "util/codepage.h"
#include "util/paths.h"

namespace glyphgrab::cli {
namespace {

using Outcome = ExtractFileReport::Outcome;

const char* OutcomeName(Outcome o) {
  switch (o) {
    case Outcome::kRead: return "read";
    case Outcome::kStopped: return "stopped";
    case Outcome::kNotFormat: return "not-format";
    case Outcome::kCannotRead: return "unreadable";
    case Outcome::kNoReader: return "no-reader";
    case Outcome::kInterrupted: return "interrupted";
  }
  return "read";
}

}  // namespace

int RunExtract(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  ParsedArgs parsed;
  std::string error;
  if (!ParseArgs(args, {"--header", "--blocks", "--dims", "--no-blanks", "--sort", "--json"}, {},
                 parsed, error)) {
    err << "glyphgrab-cli: extract: " << error << '\n';
    return kExitError;
  }
  if (parsed.operands.empty()) {
    err << "glyphgrab-cli: usage: glyphgrab-cli extract [--header] [--blocks] [--dims] "
           "[--no-blanks] [--sort] [--json] FILE...\n";
    return kExitError;
  }
  OptFlags opt{};
  opt[kOptHeaderInfo] = parsed.Has("--header");
  opt[kOptBlocks] = parsed.Has("--blocks");
  opt[kOptDimensions] = parsed.Has("--dims");
  opt[kOptRemoveBlanks] = parsed.Has("--no-blanks");
  opt[kOptSort] = parsed.Has("--sort");

  std::vector<std::u16string> paths;
  for (const std::string& file : parsed.operands) paths.push_back(NativeToPath(file));
  TDocumentSet docs;
  ExtractionList list;
  std::vector<ExtractFileReport> reports;
  // The command line has no Esc key: nothing stops the reading.
  ExtractFiles(paths, opt, docs, list, nullptr, &reports);
  docs.FreeAll();

  int status = kExitOk;
  for (std::size_t i = 0; i < reports.size(); ++i) {
    const ExtractFileReport& r = reports[i];
    const std::string& file = parsed.operands[i];
    switch (r.outcome) {
      case Outcome::kCannotRead:
        err << file << ": " << ErrorReason(r.error) << '\n';
        status = kExitError;
        break;
      case Outcome::kNotFormat:
        err << file << ": " << NotFormatReason(r.path) << '\n';
        status = kExitError;
        break;
      case Outcome::kStopped:
        err << file << ": reading stopped at byte " << r.stopPos << '\n';
        break;
      default:
        break;
    }
    if (r.undecodable > 0) err << file << ": " << r.undecodable << " undecodable bytes\n";
  }

  if (!parsed.Has("--json")) {
    // A file header line holds a name as the file system holds it, bytes that are not
    // UTF-8 included.
    for (const auto& line : list.lines()) out << PathToNative(line) << '\n';
    return status;
  }
  out << "{\"lines\":[";
  for (std::size_t i = 0; i < list.lines().size(); ++i) {
    out << (i ? ",\n" : "\n");
    JsonString(out, PathToNative(list.lines()[i]));
  }
  out << "],\n\"files\":[";
  for (std::size_t i = 0; i < reports.size(); ++i) {
    const ExtractFileReport& r = reports[i];
    out << (i ? ",\n" : "\n") << "{\"path\":";
    JsonString(out, parsed.operands[i]);
    out << ",\"outcome\":\"" << OutcomeName(r.outcome) << '"';
    if (r.outcome == Outcome::kStopped) out << ",\"stoppedAt\":" << r.stopPos;
    out << ",\"undecodable\":" << r.undecodable << '}';
  }
  out << "]}\n";
  return status;
}

}  // namespace glyphgrab::cli
