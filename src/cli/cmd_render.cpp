// glyphgrab-cli render: a drawing or symbol as SVG, its texts marked, or its primitives
// as JSON.
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "cli/cli_util.h"
#include "cli/command_handlers.h"
#include "render/render_file.h"
#include "render/svg_writer.h"
#include "util/codepage.h"
#include "util/file_write.h"
#include "util/paths.h"

namespace glyphgrab::cli {
namespace {

constexpr char kUsage[] = "glyphgrab-cli: usage: glyphgrab-cli render [--mark TEXT] [--width PX] [--json] FILE -o OUT\n";

const char* KindName(RenderKind kind) {
  switch (kind) {
    case RenderKind::kLine: return "line";
    case RenderKind::kArc: return "arc";
    case RenderKind::kPoint: return "point";
    case RenderKind::kSolid: return "solid";
    case RenderKind::kText: return "text";
  }
  return "";
}

std::string Num(double v) {
  std::ostringstream s;
  s.precision(10);
  s << v;
  return s.str();
}

std::string Pair(RenderPoint p) { return "[" + Num(p.x) + "," + Num(p.y) + "]"; }

void WriteJson(std::ostream& out, const RenderModel& model, std::u16string_view mark) {
  out << "{\"paper\":{\"name\":";
  JsonString(out, StrToUtf8(model.paperName));
  out << ",\"width\":" << Num(model.paperWidth) << ",\"height\":" << Num(model.paperHeight);
  if (model.paperCentre != RenderPoint{}) out << ",\"centre\":" << Pair(model.paperCentre);
  out << "},\"truncated\":" << (model.truncated ? "true" : "false") << ",\"items\":[";
  bool first = true;
  for (const RenderPrimitive& p : model.items) {
    out << (first ? "\n" : ",\n") << "{\"kind\":\"" << KindName(p.kind) << "\",\"pen\":" << p.pen;
    first = false;
    if (p.dimension) out << ",\"dimension\":true";
    switch (p.kind) {
      case RenderKind::kLine: out << ",\"a\":" << Pair(p.a) << ",\"b\":" << Pair(p.b); break;
      case RenderKind::kArc:
        out << ",\"center\":" << Pair(p.a) << ",\"radius\":" << Num(p.radius) << ",\"start\":" << Num(p.start)
            << ",\"sweep\":" << Num(p.sweep) << ",\"flatness\":" << Num(p.flatness) << ",\"tilt\":" << Num(p.tilt);
        break;
      case RenderKind::kPoint: out << ",\"at\":" << Pair(p.a); break;
      case RenderKind::kSolid:
        out << ",\"corners\":[" << Pair(p.quad[0]) << "," << Pair(p.quad[1]) << "," << Pair(p.quad[2]) << ","
            << Pair(p.quad[3]) << "]";
        break;
      case RenderKind::kText: {
        out << ",\"at\":" << Pair(p.a) << ",\"sizeX\":" << Num(p.sizeX) << ",\"sizeY\":" << Num(p.sizeY)
            << ",\"angle\":" << Num(p.angle) << ",\"text\":";
        JsonString(out, StrToUtf8(p.text));
        out << ",\"font\":";
        JsonString(out, StrToUtf8(p.font));
        RenderPoint min, max;
        TextBox(p, min, max);
        out << ",\"box\":[" << Pair(min) << "," << Pair(max) << "]";
        if (TextMatches(p, mark)) out << ",\"marked\":true";
        break;
      }
    }
    out << "}";
  }
  out << "]}\n";
}

}  // namespace

int RunRender(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  ParsedArgs parsed;
  std::string error;
  if (!ParseArgs(args, {"--json"}, {"--mark", "--width", "-o"}, parsed, error)) {
    err << "glyphgrab-cli: render: " << error << '\n';
    return kExitError;
  }
  if (parsed.operands.size() != 1 || parsed.values.count("-o") == 0) {
    err << kUsage;
    return kExitError;
  }
  int width = 0;
  if (const auto w = parsed.values.find("--width"); w != parsed.values.end()) {
    char* end = nullptr;
    const long v = std::strtol(w->second.c_str(), &end, 10);
    if (end == w->second.c_str() || *end != '\0' || v < 1 || v > 100000) {
      err << "glyphgrab-cli: render: --width takes a number of pixels from 1 to 100000\n";
      return kExitError;
    }
    width = static_cast<int>(v);
  }
  const std::string& file = parsed.operands[0];
  const std::u16string mark = parsed.values.count("--mark") ? Utf8ToStr(parsed.values["--mark"]) : u"";

  const RenderFileResult result = RenderFile(NativeToPath(file));
  switch (result.outcome) {
    case RenderFileResult::Outcome::kCannotRead:
      err << file << ": " << ErrorReason(result.error) << '\n';
      return kExitError;
    case RenderFileResult::Outcome::kNoDrawing:
      err << file << ": not a drawing or symbol (.jww, .jws, .jwc, .jwk)\n";
      return kExitError;
    case RenderFileResult::Outcome::kNotFormat:
      err << file << ": " << NotFormatReason(NativeToPath(file)) << '\n';
      return kExitError;
    case RenderFileResult::Outcome::kStopped:
      err << file << ": reading stopped at byte " << result.stopPos << '\n';
      break;
    case RenderFileResult::Outcome::kRead:
      break;
  }
  if (result.model.truncated) err << file << ": only the first " << kRenderBudget << " primitives are drawn\n";

  std::ostringstream body;
  if (parsed.Has("--json")) {
    WriteJson(body, result.model, mark);
  } else {
    body << RenderSvg(result.model, mark, width);
  }
  const std::string& target = parsed.values["-o"];
  if (target == "-") {
    out << body.str();
  } else {
    if (SameFile(file, target)) {
      err << target << ": is the input file; not written over\n";
      return kExitError;
    }
    const std::string text = body.str();
    int writeError = 0;
    if (!WriteFileAtomic(NativeToPath(target), ByteSpan(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()),
                         &writeError)) {
      err << target << ": " << ErrorReason(writeError) << '\n';
      return kExitError;
    }
  }
  if (!mark.empty() && CountMarked(result.model, mark) == 0) err << file << ": no text equals the marked text\n";
  return kExitOk;
}

}  // namespace glyphgrab::cli
