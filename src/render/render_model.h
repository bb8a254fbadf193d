// A drawing as primitives in paper millimetres, for a preview that shows where each text
// sits: lines, arcs (full, partial, flattened and tilted), points, filled solids, texts
// with their size, angle and font, the parts of dimensions, and the contents of block
// insertions placed by the block tree. Every text carries the text as the extraction
// list shows it, so a list line can be found in the drawing.
//
// The model is bounded: at most kRenderBudget primitives, entities with a NaN or infinite
// coordinate are skipped, and anything far outside the paper is dropped rather than
// drawn. No toolkit: a window paints it, glyphgrab-cli writes it as SVG.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace glyphgrab {

class TJwDocument;
class TJwwData;
class TJwsData;
class TJwcData;
class TJwkData;

struct RenderPoint {
  double x = 0, y = 0;
  bool operator==(const RenderPoint&) const = default;
};

struct RenderColor {
  std::uint8_t r = 0, g = 0, b = 0;
};

enum class RenderKind : std::uint8_t { kLine, kArc, kPoint, kSolid, kText };

struct RenderPrimitive {
  RenderKind kind = RenderKind::kLine;
  std::uint16_t pen = 0;     // pen colour number (1 to 9 on screen; others as given)
  bool dimension = false;    // part of a dimension
  RenderPoint a, b;          // line ends; arc and point centre in a; text start in a
  // Arc: radius, start and sweep in radians, flattening (minor / major), tilt in radians.
  double radius = 0, start = 0, sweep = 0, flatness = 1, tilt = 0;
  RenderPoint quad[4];       // solid corners
  // Text: height and width of one character in mm, angle in degrees, font name.
  double sizeX = 0, sizeY = 0, angle = 0;
  std::u16string text, font;
};

struct RenderModel {
  // The frame a view fits: a drawing's sheet, centred on (0, 0); a symbol has no sheet
  // and its frame is the box around its contents, with no name.
  double paperWidth = 420, paperHeight = 297;
  RenderPoint paperCentre;
  std::u16string paperName = u"A3";
  std::vector<RenderPrimitive> items;
  std::vector<RenderColor> penColors;  // the file's own screen colour of each pen, if any
  bool truncated = false;  // the budget ran out; what fits is kept
};

inline constexpr std::size_t kRenderBudget = 2'000'000;

// The documents of the four kinds, once read.
RenderModel RenderDrawing(const TJwwData& doc);
RenderModel RenderSymbol(const TJwsData& doc);
RenderModel RenderDosDrawing(const TJwcData& doc);
RenderModel RenderDosSymbol(const TJwkData& doc);
// The one of the four above that a document of its class takes.
inline RenderModel RenderDocument(const TJwwData& doc) { return RenderDrawing(doc); }
inline RenderModel RenderDocument(const TJwsData& doc) { return RenderSymbol(doc); }
inline RenderModel RenderDocument(const TJwcData& doc) { return RenderDosDrawing(doc); }
inline RenderModel RenderDocument(const TJwkData& doc) { return RenderDosSymbol(doc); }

// The frame's corners: lower left, upper right.
RenderPoint FrameMin(const RenderModel& model);
RenderPoint FrameMax(const RenderModel& model);

// The colour a pen number shows on a white screen: the file's own when it has one.
RenderColor PenColor(std::uint16_t pen);
RenderColor PenColor(const RenderModel& model, std::uint16_t pen);

// True when a text primitive shows `wanted`: equal after the extraction list's cleaning,
// letter case ignored.
bool TextMatches(const RenderPrimitive& item, std::u16string_view wanted);

// The corners of the rectangle a text primitive covers, turned by its angle: start,
// end of the baseline, then the top corners. Full-width characters take the text's
// width, half-width ones half of it.
void TextCorners(const RenderPrimitive& item, RenderPoint (&corners)[4]);
// The box (min, max) that a text primitive covers, its angle included.
void TextBox(const RenderPrimitive& item, RenderPoint& min, RenderPoint& max);

// The points that draw an arc primitive as `steps` chords: point 0 is its start, point
// `steps` its end, flattening and tilt applied.
class ArcTracer {
 public:
  ArcTracer(const RenderPrimitive& arc, int steps);
  RenderPoint operator[](int k) const;

 private:
  const RenderPrimitive& arc_;
  int steps_;
  double cosTilt_, sinTilt_;
};

}  // namespace glyphgrab
