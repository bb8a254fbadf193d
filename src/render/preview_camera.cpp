#include "render/preview_camera.h"

#include <algorithm>
#include <cmath>

namespace glyphgrab {

void PreviewCamera::SetModel(std::shared_ptr<const RenderModel> model) {
  model_ = std::move(model);
  SetMark(mark_);
}

void PreviewCamera::SetMark(const std::u16string& text) {
  mark_ = text;
  marked_.clear();
  if (!model_ || text.empty()) {
    Fit();
    return;
  }
  RenderPoint lo{1e300, 1e300}, hi{-1e300, -1e300};
  for (std::size_t i = 0; i < model_->items.size(); ++i) {
    const RenderPrimitive& p = model_->items[i];
    if (!TextMatches(p, text)) continue;
    marked_.push_back(i);
    RenderPoint min, max;
    TextBox(p, min, max);
    lo = {std::min(lo.x, min.x), std::min(lo.y, min.y)};
    hi = {std::max(hi.x, max.x), std::max(hi.y, max.y)};
  }
  if (marked_.empty()) {
    Fit();
    return;
  }
  // Some room around the texts, at least a fifth of the sheet, so the place is seen.
  const double roomX = std::max((hi.x - lo.x) * 0.5, model_->paperWidth / 5);
  const double roomY = std::max((hi.y - lo.y) * 0.5, model_->paperHeight / 5);
  ZoomTo({lo.x - roomX, lo.y - roomY}, {hi.x + roomX, hi.y + roomY});
}

void PreviewCamera::Fit() {
  if (model_) {
    ZoomTo(FrameMin(*model_), FrameMax(*model_));
  } else {
    ZoomTo({-210, -148.5}, {210, 148.5});
  }
  fitted_ = true;
}

void PreviewCamera::Resize(int width, int height) {
  width_ = std::max(1, width);
  height_ = std::max(1, height);
  if (fitted_) {
    Fit();
  } else {
    SetMark(mark_);
  }
}

void PreviewCamera::ZoomTo(RenderPoint min, RenderPoint max) {
  fitted_ = false;
  const double w = std::max(max.x - min.x, 1e-3), h = std::max(max.y - min.y, 1e-3);
  const double sx = std::max(1, width_ - 2 * kMargin) / w, sy = std::max(1, height_ - 2 * kMargin) / h;
  scale_ = std::min(sx, sy);
  const RenderPoint centre{(min.x + max.x) / 2, (min.y + max.y) / 2};
  originX_ = width_ / 2.0 - centre.x * scale_;
  originY_ = height_ / 2.0 + centre.y * scale_;
}

void PreviewCamera::ZoomAt(double factor, ScreenPoint at) {
  if (!std::isfinite(factor) || factor <= 0) return;
  // The paper point under the pointer stays under it.
  originX_ = at.x + (originX_ - at.x) * factor;
  originY_ = at.y + (originY_ - at.y) * factor;
  scale_ *= factor;
  fitted_ = false;
}

void PreviewCamera::Wheel(int angleDelta, ScreenPoint at) { ZoomAt(std::pow(1.0015, angleDelta), at); }

void PreviewCamera::Pan(double dx, double dy) {
  originX_ += dx;
  originY_ += dy;
  fitted_ = false;
}

double PreviewCamera::TextPixels(const RenderPrimitive& text) const {
  const double px = text.sizeY * scale_;
  return px >= kSmallestText ? px : kSmallestText;  // also NaN
}

int PreviewCamera::ArcSteps(const RenderPrimitive& arc) const {
  // Clamped as a double: at a deep zoom the product does not fit an int.
  const double steps = std::abs(arc.sweep) * arc.radius * scale_ / 4;
  if (!(steps >= 8)) return 8;  // also NaN
  return static_cast<int>(std::min(steps, 256.0));
}

bool ClipSegment(ScreenPoint& a, ScreenPoint& b, double left, double top, double right, double bottom) {
  // Liang-Barsky: the part of a + t (b - a), 0 <= t <= 1, inside each of the four edges.
  const double dx = b.x - a.x, dy = b.y - a.y;
  double t0 = 0, t1 = 1;
  int edge0 = -1, edge1 = -1;  // the edge that cut each end
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x - left, right - a.x, a.y - top, bottom - a.y};
  for (int i = 0; i < 4; ++i) {
    if (!std::isfinite(p[i]) || !std::isfinite(q[i])) return false;
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) {
      if (t > t1) return false;
      if (t > t0) t0 = t, edge0 = i;
    } else {
      if (t < t0) return false;
      if (t < t1) t1 = t, edge1 = i;
    }
  }
  // Far ends lose bits in t * d; the coordinate of the edge that cut is set exactly.
  const auto cutAt = [&](double t, int edge) {
    ScreenPoint c{a.x + t * dx, a.y + t * dy};
    const double limits[4] = {left, right, top, bottom};
    (edge < 2 ? c.x : c.y) = limits[edge];
    return c;
  };
  const ScreenPoint newB = edge1 >= 0 ? cutAt(t1, edge1) : b;
  if (edge0 >= 0) a = cutAt(t0, edge0);
  b = newB;
  return true;
}

std::vector<ScreenPoint> ClipPolygon(const std::vector<ScreenPoint>& polygon, double left, double top, double right,
                                     double bottom) {
  // Sutherland-Hodgman: the polygon cut by each edge's half-plane in turn.
  struct Edge {
    int axis;  // 0: x, 1: y
    double limit;
    bool keepBelow;
  };
  const Edge edges[4] = {{0, left, false}, {0, right, true}, {1, top, false}, {1, bottom, true}};
  const auto coord = [](const ScreenPoint& p, int axis) { return axis == 0 ? p.x : p.y; };
  std::vector<ScreenPoint> out = polygon, in;
  for (const Edge& e : edges) {
    in.swap(out);
    out.clear();
    const auto inside = [&](const ScreenPoint& p) {
      const double c = coord(p, e.axis);
      return e.keepBelow ? c <= e.limit : c >= e.limit;
    };
    for (std::size_t i = 0; i < in.size(); ++i) {
      const ScreenPoint& from = in[i];
      const ScreenPoint& to = in[(i + 1) % in.size()];
      if (!std::isfinite(from.x) || !std::isfinite(from.y)) return {};
      if (inside(from) != inside(to)) {
        const double t = (e.limit - coord(from, e.axis)) / (coord(to, e.axis) - coord(from, e.axis));
        out.push_back({from.x + t * (to.x - from.x), from.y + t * (to.y - from.y)});
      }
      if (inside(to)) out.push_back(to);
    }
  }
  return out;
}

}  // namespace glyphgrab
