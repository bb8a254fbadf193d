// Where a drawing preview shows the paper: the fitted view, the wheel's zoom about the
// pointer, panning, and the texts marked for an extraction line with the view zoomed to
// them. Screen coordinates are pixels of the pane, y downwards; paper coordinates are
// millimetres, y upwards, (0, 0) at the sheet's centre. No toolkit: each front end's
// pane forwards its events here and paints through ToScreen.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "render/render_model.h"

namespace glyphgrab {

struct ScreenPoint {
  double x = 0, y = 0;
};

class PreviewCamera {
 public:
  static constexpr int kMargin = 8;           // pixels around the fitted sheet
  static constexpr double kSmallestText = 5;  // pixels: smaller texts are drawn this high

  // Shows `model` (nothing when null) fitted to the pane; the mark is kept.
  void SetModel(std::shared_ptr<const RenderModel> model);
  // Marks the texts that show `text` and zooms to them; an empty text, or one that no
  // text shows, fits the whole sheet.
  void SetMark(const std::u16string& text);
  // Shows the whole sheet.
  void Fit();
  // The pane's new size: a fitted view fits again, a marked one zooms to its mark again.
  void Resize(int width, int height);
  // Zooms by `factor` keeping the paper point under `at` where it is. A factor that is
  // not a positive finite number is ignored.
  void ZoomAt(double factor, ScreenPoint at);
  // The wheel's zoom: `angleDelta` in eighths of a degree (120 a notch).
  void Wheel(int angleDelta, ScreenPoint at);
  void Pan(double dx, double dy);

  ScreenPoint ToScreen(RenderPoint p) const {
    return {originX_ + p.x * scale_, originY_ - p.y * scale_};
  }
  double scale() const { return scale_; }  // pixels per millimetre
  int width() const { return width_; }
  int height() const { return height_; }
  const RenderModel* model() const { return model_.get(); }
  const std::vector<std::size_t>& marked() const { return marked_; }
  // The pixel height a text is drawn at: its own at the current scale, never below
  // kSmallestText, so a small text still shows where it sits.
  double TextPixels(const RenderPrimitive& text) const;
  // The number of chords that draw an arc at the current scale, 8 to 256.
  int ArcSteps(const RenderPrimitive& arc) const;

 private:
  // Shows the paper rectangle [min, max] as large as the pane allows.
  void ZoomTo(RenderPoint min, RenderPoint max);

  std::shared_ptr<const RenderModel> model_;
  std::u16string mark_;
  std::vector<std::size_t> marked_;  // indexes of the marked texts
  int width_ = 1, height_ = 1;
  double scale_ = 1;
  double originX_ = 0, originY_ = 0;  // the screen point of paper (0, 0)
  bool fitted_ = true;                // follow the pane's size
};

// Cuts the segment a-b to the rectangle [left, right] x [top, bottom]; false when no part
// of it lies inside. Painters with integer coordinates need this: far outside the pane a
// zoomed-in line's ends overflow them.
bool ClipSegment(ScreenPoint& a, ScreenPoint& b, double left, double top, double right, double bottom);
// The part of a polygon inside the rectangle, as a polygon (empty when none is).
std::vector<ScreenPoint> ClipPolygon(const std::vector<ScreenPoint>& polygon, double left, double top, double right,
                                     double bottom);

}  // namespace glyphgrab
