#include "render/render_model.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "documents/jwc_data.h"
#include "documents/paper_size.h"
#include "documents/jwk_data.h"
#include "documents/jws_data.h"
#include "documents/jww_data.h"
#include "util/cancel.h"
#include "util/strings.h"

namespace glyphgrab {
namespace {

constexpr double kDegree = std::numbers::pi / 180;

// A point of a definition or of the drawing to paper millimetres: the block tree's
// placement. Coordinates are stored as lengths on the paper (a layer group's scale only
// turns them into the real lengths that dimensions show), so `scale` stays 1 for them.
struct Placement {
  double x = 0, y = 0, r1 = 1, r2 = 0, r3 = 0, r4 = 1;
  double scale = 1;

  RenderPoint operator()(double u, double v) const {
    return {(x + r1 * u + r2 * v) / scale, (y + r3 * u + r4 * v) / scale};
  }
  double Stretch() const { return std::hypot(r1, r3); }
  double Rotation() const { return std::atan2(r3, r1); }
  bool Mirrored() const { return r1 * r4 - r2 * r3 < 0; }
};

class Builder {
 public:
  Builder(RenderModel& model) : model_(model) {
    // Far outside the sheet is garbage or a stray entity; drawing it would shrink the
    // drawing to a dot when fitted.
    limitX_ = 50 * model.paperWidth;
    limitY_ = 50 * model.paperHeight;
  }

  bool Full() {
    // An abandoned job's render takes nothing more; checked every few thousand items.
    if (!abandoned_ && (++asked_ & 4095u) == 0 && CancelRequested()) abandoned_ = true;
    if (model_.items.size() < kRenderBudget && !abandoned_) return false;
    model_.truncated = true;
    return true;
  }

  void Add(RenderPrimitive p, std::initializer_list<RenderPoint> points) {
    if (Full()) return;
    for (const RenderPoint& q : points) {
      if (!std::isfinite(q.x) || !std::isfinite(q.y) || std::abs(q.x) > limitX_ || std::abs(q.y) > limitY_) return;
    }
    model_.items.push_back(std::move(p));
  }

  void Line(double x1, double y1, double x2, double y2, std::uint16_t pen, const Placement& at, bool dim = false) {
    RenderPrimitive p;
    p.kind = RenderKind::kLine;
    p.pen = pen;
    p.dimension = dim;
    p.a = at(x1, y1);
    p.b = at(x2, y2);
    Add(std::move(p), {at(x1, y1), at(x2, y2)});
  }

  void Arc(double cx, double cy, double radius, double start, double sweep, double flatness, double tilt,
           bool full, std::uint16_t pen, const Placement& at) {
    RenderPrimitive p;
    p.kind = RenderKind::kArc;
    p.pen = pen;
    p.a = at(cx, cy);
    p.radius = radius * at.Stretch() / at.scale;
    p.flatness = flatness > 0 && std::isfinite(flatness) ? flatness : 1;
    p.tilt = tilt + at.Rotation();
    p.start = full ? 0 : start;
    p.sweep = full ? 2 * std::numbers::pi : sweep;
    if (at.Mirrored()) {
      p.start = -p.start;
      p.sweep = -p.sweep;
    }
    if (!std::isfinite(p.radius) || !std::isfinite(p.start) || !std::isfinite(p.sweep) || !std::isfinite(p.tilt)) {
      return;
    }
    const RenderPoint c = p.a;
    const double r = p.radius;
    Add(std::move(p), {c, {c.x + r, c.y + r}, {c.x - r, c.y - r}});
  }

  void Point(double x, double y, std::uint16_t pen, const Placement& at) {
    RenderPrimitive p;
    p.kind = RenderKind::kPoint;
    p.pen = pen;
    p.a = at(x, y);
    Add(std::move(p), {at(x, y)});
  }

  void Solid(const double (&xy)[8], std::uint16_t pen, const Placement& at) {
    RenderPrimitive p;
    p.kind = RenderKind::kSolid;
    p.pen = pen;
    for (int k = 0; k < 4; ++k) p.quad[k] = at(xy[2 * k], xy[2 * k + 1]);
    const RenderPoint q0 = p.quad[0], q1 = p.quad[1], q2 = p.quad[2], q3 = p.quad[3];
    Add(std::move(p), {q0, q1, q2, q3});
  }

  void Text(double x, double y, double sizeX, double sizeY, double angleDeg, std::u16string_view text,
            std::u16string_view font, std::uint16_t pen, const Placement& at, bool dim = false) {
    if (IsBlankText(text)) return;
    RenderPrimitive p;
    p.kind = RenderKind::kText;
    p.pen = pen;
    p.dimension = dim;
    p.a = at(x, y);
    // Text sizes are paper millimetres; only a block's own scale changes them.
    p.sizeX = sizeX * at.Stretch();
    p.sizeY = sizeY * at.Stretch();
    p.angle = angleDeg + at.Rotation() / kDegree;
    p.text = RemoveControlChars(text);
    p.font = std::u16string(font);
    if (!std::isfinite(p.sizeX) || !std::isfinite(p.sizeY) || !std::isfinite(p.angle)) return;
    const RenderPoint a = p.a;
    Add(std::move(p), {a});
  }

 private:
  RenderModel& model_;
  std::uint32_t asked_ = 0;
  bool abandoned_ = false;
  double limitX_ = 0, limitY_ = 0;
};

std::uint16_t Pen(const TEntJwwAttr& att) { return att.nPenColor; }


std::size_t Valid(std::int32_t count, std::size_t size) {
  return std::min<std::size_t>(static_cast<std::size_t>(std::max(count, 0)), size);
}

// The entities of one list (the drawing's own, or a definition's); `at` gives the
// placement of an entity from its attributes.
template <typename At>
void AddEntities(Builder& out, const At& at, const std::vector<TEntJwwLine>& lines, std::int32_t lineN,
                 const std::vector<TEntJwwEnko>& arcs, std::int32_t arcN, const std::vector<TEntJwwTen>& points,
                 std::int32_t pointN, const std::vector<TEntJwwMoji>& texts, std::int32_t textN,
                 const std::vector<TEntJwwSunpo>& dims, std::int32_t dimN, const std::vector<TEntJwwSolid>& solids,
                 std::int32_t solidN) {
  for (std::size_t i = 0; i < Valid(lineN, lines.size()); ++i) {
    const TEntJwwLine& l = lines[i];
    out.Line(l.start_x, l.start_y, l.end_x, l.end_y, Pen(l.att), at(l.att));
  }
  for (std::size_t i = 0; i < Valid(arcN, arcs.size()); ++i) {
    const TEntJwwEnko& e = arcs[i];
    out.Arc(e.start_x, e.start_y, e.dHankei, e.radKaishiKaku, e.radEnkoKaku, e.dHenpeiRitsu, e.radKatamukiKaku,
            e.bZenEnFlg != 0, Pen(e.att), at(e.att));
  }
  for (std::size_t i = 0; i < Valid(pointN, points.size()); ++i) {
    const TEntJwwTen& t = points[i];
    if (t.bKariten == 0) out.Point(t.start_x, t.start_y, Pen(t.att), at(t.att));
  }
  for (std::size_t i = 0; i < Valid(textN, texts.size()); ++i) {
    const TEntJwwMoji& m = texts[i];
    out.Text(m.start_x, m.start_y, m.dSizeX, m.dSizeY, m.degKakudo, m.str, m.strFontName, Pen(m.att), at(m.att));
  }
  for (std::size_t i = 0; i < Valid(dimN, dims.size()); ++i) {
    const TEntJwwSunpo& d = dims[i];
    const Placement place = at(d.att);
    out.Line(d.Sen.start_x, d.Sen.start_y, d.Sen.end_x, d.Sen.end_y, Pen(d.Sen.att), place, true);
    for (const TEntJwwLine* h : {&d.Ho1, &d.Ho2}) {
      if (h->start_x != h->end_x || h->start_y != h->end_y) {
        out.Line(h->start_x, h->start_y, h->end_x, h->end_y, Pen(h->att), place, true);
      }
    }
    const TEntJwwMoji& m = d.Moji;
    out.Text(m.start_x, m.start_y, m.dSizeX, m.dSizeY, m.degKakudo, m.str, m.strFontName, Pen(m.att), place, true);
  }
  for (std::size_t i = 0; i < Valid(solidN, solids.size()); ++i) {
    const TEntJwwSolid& s = solids[i];
    // Stored as start, end, then the third and fourth corners; drawn in corner order.
    const double xy[8] = {s.start_x, s.start_y, s.end_x, s.end_y, s.DPoint2_x, s.DPoint2_y, s.DPoint3_x, s.DPoint3_y};
    out.Solid(xy, Pen(s.att), at(s.att));
  }
}

void RenderJw(const TJwDocument& doc, RenderModel& model) {
  Builder out(model);
  const auto own = [](const TEntJwwAttr&) { return Placement{}; };
  AddEntities(out, own, doc.EntLine, doc.EntLineN, doc.EntEnko, doc.EntEnkoN, doc.EntTen, doc.EntTenN, doc.EntMoji,
              doc.EntMojiN, doc.EntSunpo, doc.EntSunpoN, doc.EntSolid, doc.EntSolidN);
  // Block contents, placed by the (bounded) block tree.
  const std::size_t nodes = Valid(doc.EntBlockTreeN, doc.EntBlockTree.size());
  for (std::size_t k = 0; k < nodes && !out.Full(); ++k) {
    const TEntJwwBlockTree& node = doc.EntBlockTree[k];
    if (node.defno < 0 || static_cast<std::size_t>(node.defno) >= doc.EntBlockDef.size()) continue;
    const Placement placed{node.x, node.y, node.r1, node.r2, node.r3, node.r4, 1};
    const auto at = [&placed](const TEntJwwAttr&) { return placed; };
    const TEntJwwBlockDef& d = doc.EntBlockDef[static_cast<std::size_t>(node.defno)];
    AddEntities(out, at, d.mLine, d.mLineN, d.mEnko, d.mEnkoN, d.mTen, d.mTenN, d.mMoji, d.mMojiN, d.mSunpo, d.mSunpoN,
                d.mSolid, d.mSolidN);
  }
}

// `origin` is where the stored (0, 0) lies on the paper and `scale` the stored length
// of a paper millimetre.
template <typename Doc>
void RenderDos(const Doc& doc, RenderModel& model, RenderPoint origin, double scale) {
  Builder out(model);
  const Placement placed{origin.x * scale, origin.y * scale, 1, 0, 0, 1, scale};
  const auto at = [&placed](std::uint8_t) { return placed; };
  for (const TEntJwcLine& l : doc.EntLine) out.Line(l.x1, l.y1, l.x2, l.y2, l.col, at(l.lay));
  for (const TEntJwcArc2& a : doc.EntArc) {
    double sweep = static_cast<double>(a.et) - a.st;
    const bool full = std::abs(sweep) >= 360 || sweep == 0;
    if (sweep < 0) sweep += 360;
    out.Arc(a.x, a.y, a.r, a.st * kDegree, sweep * kDegree, a.h, a.tt * kDegree, full, a.col, at(a.lay));
  }
  for (const TEntJwcTen& t : doc.EntTen) out.Point(t.x, t.y, t.col, at(t.lay));
  for (const TEntJwcMoji2& m : doc.EntMoji) {
    double sizeX = 3, sizeY = 3;
    if (m.no < doc.EntMjtp.size()) {
      sizeX = doc.EntMjtp[m.no].width / 10.0;
      sizeY = doc.EntMjtp[m.no].height / 10.0;
    }
    const double angle = std::atan2(static_cast<double>(m.y2) - m.y1, static_cast<double>(m.x2) - m.x1) / kDegree;
    const std::uint16_t pen = m.no < doc.EntMjtp.size() ? doc.EntMjtp[m.no].penNo : 2;
    out.Text(m.x1, m.y1, sizeX, sizeY, angle, m.s, u"", pen, at(m.lay));
  }
}

// A symbol has no sheet: its frame is the box around what it draws, with a little room.
void FrameContents(RenderModel& model) {
  RenderPoint lo{1e300, 1e300}, hi{-1e300, -1e300};
  const auto take = [&](RenderPoint p) {
    lo = {std::min(lo.x, p.x), std::min(lo.y, p.y)};
    hi = {std::max(hi.x, p.x), std::max(hi.y, p.y)};
  };
  for (const RenderPrimitive& p : model.items) {
    switch (p.kind) {
      case RenderKind::kLine: take(p.a), take(p.b); break;
      case RenderKind::kArc: {
        const ArcTracer arc(p, 32);
        for (int k = 0; k <= 32; ++k) take(arc[k]);
        break;
      }
      case RenderKind::kPoint: take(p.a); break;
      case RenderKind::kSolid:
        for (const RenderPoint& q : p.quad) take(q);
        break;
      case RenderKind::kText: {
        RenderPoint min, max;
        TextBox(p, min, max);
        take(min), take(max);
        break;
      }
    }
  }
  model.paperName.clear();
  if (lo.x > hi.x) {  // draws nothing
    model.paperWidth = model.paperHeight = 10;
    return;
  }
  const double room = std::max({(hi.x - lo.x) * 0.05, (hi.y - lo.y) * 0.05, 1.0});
  model.paperWidth = hi.x - lo.x + 2 * room;
  model.paperHeight = hi.y - lo.y + 2 * room;
  model.paperCentre = {(lo.x + hi.x) / 2, (lo.y + hi.y) / 2};
}

// An unknown sheet code is drawn on A3.
void SetPaper(RenderModel& model, std::int32_t code) {
  const PaperSize paper = PaperSizeOf(code).value_or(PaperSize{u"A3", 420, 297});
  model.paperName = paper.name;
  model.paperWidth = paper.width;
  model.paperHeight = paper.height;
}

}  // namespace

RenderModel RenderDrawing(const TJwwData& doc) {
  RenderModel model;
  SetPaper(model, doc.Enthd.nZumen);
  // A drawing keeps its own screen colour of each pen, as a Windows colour value.
  for (const TEntJwwColorNo& c : doc.EntCol) {
    const auto v = static_cast<std::uint32_t>(c.aPenColor);
    model.penColors.push_back({static_cast<std::uint8_t>(v & 0xFF), static_cast<std::uint8_t>((v >> 8) & 0xFF),
                               static_cast<std::uint8_t>((v >> 16) & 0xFF)});
  }
  RenderJw(doc, model);
  return model;
}

RenderModel RenderSymbol(const TJwsData& doc) {
  RenderModel model;
  RenderJw(doc, model);
  FrameContents(model);
  return model;
}

RenderModel RenderDosDrawing(const TJwcData& doc) {
  RenderModel model;
  SetPaper(model, doc.Enthd.psize);
  // The readers have turned stored units into paper millimetres, but the DOS generation
  // counts them from the sheet's lower left corner (a drawing saved in both generations
  // lies the same on its sheet).
  RenderDos(doc, model, {-model.paperWidth / 2, -model.paperHeight / 2}, 1);
  return model;
}

RenderModel RenderDosSymbol(const TJwkData& doc) {
  RenderModel model;
  // Stored in real lengths at the symbol's scale, while text sizes are paper millimetres.
  RenderDos(doc, model, {}, doc.Enthd.scale);
  FrameContents(model);
  return model;
}

RenderPoint FrameMin(const RenderModel& model) {
  return {model.paperCentre.x - model.paperWidth / 2, model.paperCentre.y - model.paperHeight / 2};
}

RenderPoint FrameMax(const RenderModel& model) {
  return {model.paperCentre.x + model.paperWidth / 2, model.paperCentre.y + model.paperHeight / 2};
}

RenderColor PenColor(const RenderModel& model, std::uint16_t pen) {
  if (pen < model.penColors.size()) {
    const RenderColor c = model.penColors[pen];
    // A white pen on the white preview would vanish.
    if (c.r < 240 || c.g < 240 || c.b < 240) return c;
  }
  return PenColor(pen);
}

RenderColor PenColor(std::uint16_t pen) {
  // For files that carry no colours of their own: a palette of our choosing after the
  // usual screen colours on a white background (1 light blue, 2 black, 3 green, 4 ochre,
  // 5 magenta, 6 blue, 7 teal, 8 red, 9 grey).
  static constexpr RenderColor kPens[] = {{0, 0, 0},     {0, 160, 200}, {0, 0, 0},     {0, 150, 0},   {190, 150, 0},
                                          {220, 0, 220}, {0, 0, 230},   {0, 130, 130}, {220, 0, 0},   {128, 128, 128}};
  return pen < std::size(kPens) ? kPens[pen] : RenderColor{0, 0, 0};
}

bool TextMatches(const RenderPrimitive& item, std::u16string_view wanted) {
  return item.kind == RenderKind::kText && !wanted.empty() && StrUpper(item.text) == StrUpper(RemoveControlChars(wanted));
}

ArcTracer::ArcTracer(const RenderPrimitive& arc, int steps)
    : arc_(arc), steps_(steps), cosTilt_(std::cos(arc.tilt)), sinTilt_(std::sin(arc.tilt)) {}

RenderPoint ArcTracer::operator[](int k) const {
  const double t = arc_.start + arc_.sweep * k / steps_;
  const double u = arc_.radius * std::cos(t), v = arc_.radius * arc_.flatness * std::sin(t);
  return {arc_.a.x + cosTilt_ * u - sinTilt_ * v, arc_.a.y + sinTilt_ * u + cosTilt_ * v};
}

void TextCorners(const RenderPrimitive& item, RenderPoint (&corners)[4]) {
  double advance = 0;
  for (const char16_t c : item.text) advance += c < 0x2E80 || (c >= 0xFF61 && c <= 0xFF9F) ? 0.5 : 1.0;
  const double w = std::max(advance * item.sizeX, 0.1), h = std::max(item.sizeY, 0.1);
  const double c = std::cos(item.angle * kDegree), s = std::sin(item.angle * kDegree);
  const RenderPoint local[4] = {{0, 0}, {w, 0}, {w, h}, {0, h}};
  for (int k = 0; k < 4; ++k) {
    corners[k] = {item.a.x + c * local[k].x - s * local[k].y, item.a.y + s * local[k].x + c * local[k].y};
  }
}

void TextBox(const RenderPrimitive& item, RenderPoint& min, RenderPoint& max) {
  RenderPoint corners[4];
  TextCorners(item, corners);
  min = max = corners[0];
  for (const RenderPoint& q : corners) {
    min = {std::min(min.x, q.x), std::min(min.y, q.y)};
    max = {std::max(max.x, q.x), std::max(max.y, q.y)};
  }
}

}  // namespace glyphgrab
