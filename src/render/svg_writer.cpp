#include "render/svg_writer.h"

#include <cmath>
#include <cstdio>
#include <numbers>

#include "util/codepage.h"

namespace glyphgrab {
namespace {

constexpr char kMarkColor[] = "#ff6600";

std::string Num(double v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.3f", v);
  std::string s(buffer);
  while (s.size() > 1 && s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s == "-0" ? "0" : s;
}

// Paper y grows upwards, SVG y downwards.
std::string Pt(RenderPoint p) { return Num(p.x) + "," + Num(-p.y); }

std::string Color(const RenderModel& model, std::uint16_t pen) {
  const RenderColor c = PenColor(model, pen);
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", c.r, c.g, c.b);
  return buffer;
}

void Escape(std::string& out, std::u16string_view text) {
  // U+FFFE and U+FFFF are no XML characters either (a stored text may hold them).
  std::u16string allowed(text);
  std::erase_if(allowed, [](char16_t u) { return u == 0xFFFE || u == 0xFFFF; });
  for (const char c : StrToUtf8(allowed)) {
    switch (c) {
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '&': out += "&amp;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      default:
        // XML 1.0 allows no other control characters; the list's cleaning removed them,
        // this keeps a document valid whatever a caller hands over.
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') out += c;
    }
  }
}

// An arc or ellipse as a polyline: flattened and tilted arcs have no exact SVG form
// that stays simple, and a preview needs no more.
std::string ArcPoints(const RenderPrimitive& p) {
  const int steps = std::max(8, static_cast<int>(std::ceil(std::abs(p.sweep) / (2 * std::numbers::pi) * 96)));
  std::string points;
  const ArcTracer arc(p, steps);
  for (int k = 0; k <= steps; ++k) {
    if (k) points += ' ';
    points += Pt(arc[k]);
  }
  return points;
}

std::string CornerPoints(const RenderPrimitive& p) {
  RenderPoint corners[4];
  TextCorners(p, corners);
  return Pt(corners[0]) + " " + Pt(corners[1]) + " " + Pt(corners[2]) + " " + Pt(corners[3]);
}

}  // namespace

std::size_t CountMarked(const RenderModel& model, std::u16string_view mark) {
  std::size_t n = 0;
  for (const RenderPrimitive& p : model.items) {
    if (TextMatches(p, mark)) ++n;
  }
  return n;
}

std::string RenderSvg(const RenderModel& model, std::u16string_view mark, int widthPx) {
  const double w = model.paperWidth, h = model.paperHeight;
  // SVG y grows downwards: the frame's top edge is the smallest y.
  const double left = FrameMin(model).x, top = -FrameMax(model).y;
  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" ";
  if (widthPx > 0) {
    out += "width=\"" + std::to_string(widthPx) + "\" height=\"" +
           std::to_string(static_cast<long>(std::lround(widthPx * h / w))) + "\" ";
  } else {
    out += "width=\"" + Num(w) + "mm\" height=\"" + Num(h) + "mm\" ";
  }
  out += "viewBox=\"" + Num(left) + " " + Num(top) + " " + Num(w) + " " + Num(h) + "\">\n";
  out += "<rect x=\"" + Num(left) + "\" y=\"" + Num(top) + "\" width=\"" + Num(w) + "\" height=\"" + Num(h) +
         "\" fill=\"white\" stroke=\"#999999\" stroke-width=\"0.5\"/>\n";
  out += "<g fill=\"none\" stroke-width=\"0.18\" stroke-linecap=\"round\">\n";
  std::string marks;
  for (const RenderPrimitive& p : model.items) {
    const std::string color = Color(model, p.pen);
    switch (p.kind) {
      case RenderKind::kLine:
        out += "<line x1=\"" + Num(p.a.x) + "\" y1=\"" + Num(-p.a.y) + "\" x2=\"" + Num(p.b.x) + "\" y2=\"" +
               Num(-p.b.y) + "\" stroke=\"" + color + "\"/>\n";
        break;
      case RenderKind::kArc:
        out += "<polyline points=\"" + ArcPoints(p) + "\" stroke=\"" + color + "\"/>\n";
        break;
      case RenderKind::kPoint:
        out += "<circle cx=\"" + Num(p.a.x) + "\" cy=\"" + Num(-p.a.y) + "\" r=\"0.3\" fill=\"" + color + "\"/>\n";
        break;
      case RenderKind::kSolid:
        out += "<polygon points=\"" + Pt(p.quad[0]) + " " + Pt(p.quad[1]) + " " + Pt(p.quad[2]) + " " +
               Pt(p.quad[3]) + "\" fill=\"" + color + "\" stroke=\"none\"/>\n";
        break;
      case RenderKind::kText: {
        out += "<text x=\"" + Num(p.a.x) + "\" y=\"" + Num(-p.a.y) + "\" font-size=\"" + Num(std::max(p.sizeY, 0.1)) +
               "\" fill=\"" + color + "\" stroke=\"none\"";
        if (!p.font.empty()) {
          out += " font-family=\"";
          Escape(out, p.font);
          out += "\"";
        }
        if (p.angle != 0) out += " transform=\"rotate(" + Num(-p.angle) + " " + Num(p.a.x) + " " + Num(-p.a.y) + ")\"";
        out += ">";
        Escape(out, p.text);
        out += "</text>\n";
        if (TextMatches(p, mark)) {
          marks += "<polygon class=\"mark\" points=\"" + CornerPoints(p) + "\" fill=\"none\" stroke=\"" + kMarkColor +
                   "\" stroke-width=\"0.6\"/>\n";
        }
        break;
      }
    }
  }
  out += "</g>\n" + marks + "</svg>\n";
  return out;
}

}  // namespace glyphgrab
